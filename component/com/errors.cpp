#include "component/com/errors.h"

#include "component/com/com_ptr.h"

namespace com {

namespace {

// Set once at start-up, before any object exists; until then errors carry no source.
ErrorSource errorSource{};

std::optional<AutomationFault> FaultOf(const std::exception& error) {
  if (const auto* failure = dynamic_cast<const PlatformFailure*>(&error))
    return AutomationFault{static_cast<int32_t>(failure->hr()), L"Automation error"};
  if (errorSource.faultOf) return errorSource.faultOf(error);
  return std::nullopt;
}

}  // namespace

void SetErrorSource(const ErrorSource& source) { errorSource = source; }

HRESULT HResultOf(int32_t number) {
  if (number < 0) return static_cast<HRESULT>(number);
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

HRESULT ReportError(const std::exception& error) noexcept {
  const std::optional<AutomationFault> fault = FaultOf(error);
  if (!fault) return E_UNEXPECTED;
  const HRESULT hr = HResultOf(fault->number);
  ComPtr<ICreateErrorInfo> created;
  if (FAILED(CreateErrorInfo(created.put()))) return hr;
  created->SetGUID(errorSource.interfaceId);
  created->SetSource(const_cast<LPOLESTR>(errorSource.progId ? errorSource.progId : L""));
  created->SetDescription(const_cast<LPOLESTR>(fault->description.c_str()));
  if (auto info = created.As<IErrorInfo>()) SetErrorInfo(0, info.get());
  return hr;
}

}  // namespace com
