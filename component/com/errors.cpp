#include "component/com/errors.h"

#include <iterator>
#include <stdexcept>

#include "component/com/com_ptr.h"

namespace com {

namespace {

// Set once at start-up, before any object exists; until then errors carry no source.
ErrorSource errorSource{};

// E_BOUNDS, which mingw-w64's headers lack.
constexpr HRESULT kOutOfBounds = static_cast<HRESULT>(0x8000000B);

HRESULT StandardErrorCode(const std::exception& error) {
  if (dynamic_cast<const std::out_of_range*>(&error)) return kOutOfBounds;
  if (dynamic_cast<const std::invalid_argument*>(&error)) return E_INVALIDARG;
  return E_FAIL;
}

std::optional<AutomationFault> FaultOf(const std::exception& error) {
  if (const auto* failure = dynamic_cast<const PlatformFailure*>(&error))
    return AutomationFault{static_cast<int32_t>(failure->hr()), L"Automation error"};
  if (errorSource.faultOf) return errorSource.faultOf(error);
  return std::nullopt;
}

HRESULT Record(HRESULT hr, const wchar_t* description, const ErrorOrigin* origin) {
  ComPtr<ICreateErrorInfo> created;
  if (FAILED(CreateErrorInfo(created.put()))) return hr;
  const ErrorOrigin from = origin ? *origin : ErrorOrigin{errorSource.interfaceId, errorSource.progId};
  created->SetGUID(from.interfaceId);
  created->SetSource(const_cast<LPOLESTR>(from.progId ? from.progId : L""));
  created->SetDescription(const_cast<LPOLESTR>(description));
  if (auto info = created.As<IErrorInfo>()) SetErrorInfo(0, info.get());
  return hr;
}

}  // namespace

void SetErrorSource(const ErrorSource& source) { errorSource = source; }

HRESULT HResultOf(int32_t number) {
  if (number < 0) return static_cast<HRESULT>(number);
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

HRESULT ReportError(const std::exception& error, const ErrorOrigin* origin) noexcept {
  if (const std::optional<AutomationFault> fault = FaultOf(error))
    return Record(HResultOf(fault->number), fault->description.c_str(), origin);
  // Another library's exception: its text, on the stack, since memory may be what ran out.
  wchar_t description[512] = L"";
  if (!MultiByteToWideChar(CP_UTF8, 0, error.what(), -1, description, static_cast<int>(std::size(description))))
    description[std::size(description) - 1] = L'\0';
  return Record(StandardErrorCode(error), description, origin);
}

}  // namespace com
