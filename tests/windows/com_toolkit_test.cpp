// The COM toolkit's exception boundary: an object whose constructor throws
// fails its creation with an HRESULT and leaves no lock behind.
#include <windows.h>

#include <stdexcept>
#include <type_traits>

#include "component/com/com_object.h"
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

}  // namespace

int wmain() {
  CoInitialize(nullptr);
  ThrowingConstructorsFailTheCreation();
  GuardedPassesResultsOn();
  CoUninitialize();
  return check::Result();
}
