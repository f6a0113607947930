// The COM toolkit's exception boundary and its enumerator: an object whose
// constructor throws fails its creation with an HRESULT and leaves no lock
// behind; enumerators hand out references and keep their place per clone.
#include <windows.h>

#include <ocidl.h>

#include <stdexcept>
#include <type_traits>

#include "component/com/com_object.h"
#include "component/com/com_ptr.h"
#include "component/com/enumerator.h"
#include "component/com/errors.h"
#include "tests/windows/check.h"

namespace {

enum class Failure { None, Memory, Automation, Other };

class Fragile final : public com::ComObject<Fragile, IUnknown> {
 public:
  explicit Fragile(Failure failure) {
    switch (failure) {
      case Failure::None:
        break;
      case Failure::Memory:
        throw std::bad_alloc();
      case Failure::Automation:
        throw board::AutomationError(6, "Overflow");
      case Failure::Other:
        throw 42;
    }
  }
};

static_assert(noexcept(Fragile::Create(IID_IUnknown, nullptr, Failure::None)));
static_assert(noexcept(std::declval<Fragile&>().QueryInterface(IID_IUnknown, nullptr)));

void ThrowingConstructorsFailTheCreation() {
  const long locks = com::ModuleLock::Count();
  const std::pair<Failure, HRESULT> cases[] = {{Failure::Memory, E_OUTOFMEMORY},
                                               {Failure::Automation, static_cast<HRESULT>(0x800A0006)},
                                               {Failure::Other, E_UNEXPECTED}};
  for (const auto& [failure, expected] : cases) {
    check::context = "constructor failure " + std::to_string(static_cast<int>(failure));
    void* out = reinterpret_cast<void*>(1);
    CHECK_EQ(Fragile::Create(IID_IUnknown, &out, failure), expected);
    CHECK(out == nullptr);
    CHECK_EQ(com::ModuleLock::Count(), locks);
  }
  check::context = "constructor success";
  IUnknown* made = nullptr;
  CHECK_EQ(Fragile::Create(IID_IUnknown, reinterpret_cast<void**>(&made), Failure::None), S_OK);
  CHECK_EQ(com::ModuleLock::Count(), locks + 1);
  if (made) made->Release();
  CHECK_EQ(com::ModuleLock::Count(), locks);
}

void GuardedPassesResultsOn() {
  check::context = "Guarded";
  CHECK_EQ(com::Guarded([] { return S_FALSE; }), S_FALSE);
  CHECK_EQ(com::Guarded([] {}), S_OK);
  CHECK_EQ(com::Guarded([]() -> HRESULT { throw std::runtime_error("x"); }), E_UNEXPECTED);
}

void CopyNumber(const int& item, CONNECTDATA& out) {
  out.pUnk = nullptr;
  out.dwCookie = static_cast<DWORD>(item);
}
using Numbers = com::Enumerator<IEnumConnections, CONNECTDATA, int, CopyNumber>;

void EnumeratorsKeepTheirPlace() {
  check::context = "enumerator";
  com::ComPtr<IEnumConnections> numbers;
  CHECK_EQ(Numbers::Over({10, 20, 30}, numbers.put()), S_OK);
  CHECK_EQ(Numbers::Over({}, nullptr), E_POINTER);
  if (!numbers) return;
  CONNECTDATA data[4]{};
  ULONG fetched = 9;
  CHECK_EQ(numbers->Skip(1), S_OK);
  CHECK_EQ(numbers->Next(1, data, &fetched), S_OK);
  CHECK(fetched == 1 && data[0].dwCookie == 20);
  com::ComPtr<IEnumConnections> clone;
  CHECK_EQ(numbers->Clone(clone.put()), S_OK);
  CHECK_EQ(numbers->Skip(2), S_FALSE);  // one was left
  CHECK_EQ(numbers->Next(1, data, &fetched), S_FALSE);
  CHECK_EQ(fetched, 0);
  if (clone) {
    CHECK_EQ(clone->Next(4, data, &fetched), S_FALSE);
    CHECK(fetched == 1 && data[0].dwCookie == 30);
  }
  CHECK_EQ(numbers->Reset(), S_OK);
  CHECK_EQ(numbers->Next(3, data, &fetched), S_OK);
  CHECK(fetched == 3 && data[0].dwCookie == 10 && data[2].dwCookie == 30);
  CHECK_EQ(numbers->Next(0, data, nullptr), S_OK);
}

}  // namespace

int wmain() {
  CoInitialize(nullptr);
  ThrowingConstructorsFailTheCreation();
  GuardedPassesResultsOn();
  EnumeratorsKeepTheirPlace();
  CoUninitialize();
  return check::Result();
}
