// The COM toolkit's exception boundary: an object whose constructor throws
// fails its creation with an HRESULT and leaves no lock behind; automation
// errors leave error information naming the source the user set.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <type_traits>

#include "component/com/com_object.h"
#include "component/com/com_ptr.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "tests/windows/check.h"

namespace {

// The user's own error type, known to the toolkit only through the error source.
struct NumberedError : std::exception {
  explicit NumberedError(int32_t number) : number(number) {}
  int32_t number;
};

constexpr GUID kInterfaceId = {0x0f1e2d3c, 0x4b5a, 0x6978, {0x87, 0x96, 0xa5, 0xb4, 0xc3, 0xd2, 0xe1, 0xf0}};
constexpr wchar_t kProgId[] = L"Toolkit.Test";

std::optional<com::AutomationFault> FaultOf(const std::exception& error) {
  const auto* numbered = dynamic_cast<const NumberedError*>(&error);
  if (!numbered) return std::nullopt;
  return com::AutomationFault{numbered->number, L"Numbered " + std::to_wstring(numbered->number)};
}

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
        throw NumberedError(6);
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
                                               {Failure::Automation, check::AutomationError(6)},
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
  CHECK_EQ(com::Guarded([]() -> HRESULT { throw 42; }), E_UNEXPECTED);
}

// The error information a caller reads after a failed call: the user's
// interface and ProgID, and the fault's description.
void ErrorsCarryTheirSource() {
  struct Case {
    const char* name;
    void (*fail)();
    HRESULT expected;
    const wchar_t* description;
  };
  const Case cases[] = {
      {"automation error", [] { throw NumberedError(382); }, check::AutomationError(382), L"Numbered 382"},
      {"platform failure", [] { com::ThrowIfFailed(STG_E_MEDIUMFULL); }, STG_E_MEDIUMFULL, L"Automation error"},
      {"another library's error", [] { throw std::runtime_error("x \xc3\xa9"); }, E_FAIL, L"x \u00e9"},
      {"an index out of range", [] { (void)std::string().at(1); }, static_cast<HRESULT>(0x8000000B), nullptr},
      {"an invalid argument", [] { (void)std::stoi("board"); }, E_INVALIDARG, nullptr},
  };
  for (const Case& c : cases) {
    check::context = c.name;
    SetErrorInfo(0, nullptr);
    CHECK_EQ(com::Guarded(c.fail), c.expected);
    com::ComPtr<IErrorInfo> info;
    CHECK_EQ(GetErrorInfo(0, info.put()), S_OK);
    if (!info) continue;
    GUID guid{};
    com::UniqueBstr source, description;
    info->GetGUID(&guid);
    info->GetSource(source.put());
    info->GetDescription(description.put());
    CHECK_EQ(guid, kInterfaceId);
    CHECK_EQ(std::wstring(source.get() ? source.get() : L""), std::wstring(kProgId));
    if (c.description)
      CHECK_EQ(std::wstring(description.get() ? description.get() : L""), std::wstring(c.description));
    else
      CHECK(description.get() && *description.get());
  }
}

// Keeps its last reference while `busy`, as an object does while input runs;
// called back from FinalRelease, it stays alive.
class Lingering final : public com::ComObject<Lingering, IUnknown> {
 public:
  Lingering(bool& destroyed, bool& busy) : destroyed_(destroyed), busy_(busy) {}
  ~Lingering() override { destroyed_ = true; }
  bool FinalRelease() noexcept {
    ++finalReleases;
    AddRef();
    Release();
    return !busy_;
  }
  int finalReleases = 0;

 private:
  bool& destroyed_;
  bool& busy_;
};

void FinalReleaseMayKeepTheLastReference() {
  check::context = "FinalRelease";
  bool destroyed = false, busy = true;
  Lingering* object = nullptr;
  CHECK_EQ(Lingering::Create(IID_IUnknown, reinterpret_cast<void**>(&object), destroyed, busy), S_OK);
  if (!object) return;
  CHECK_EQ(object->Release(), 1u);
  CHECK(!destroyed);
  CHECK_EQ(object->finalReleases, 1);
  busy = false;
  CHECK_EQ(object->Release(), 0u);
  CHECK(destroyed);
}

}  // namespace

int wmain() {
  CoInitialize(nullptr);
  com::SetErrorSource({kInterfaceId, kProgId, &FaultOf});
  ThrowingConstructorsFailTheCreation();
  GuardedPassesResultsOn();
  ErrorsCarryTheirSource();
  FinalReleaseMayKeepTheLastReference();
  CoUninitialize();
  return check::Result();
}
