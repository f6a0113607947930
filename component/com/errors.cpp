#include "component/com/errors.h"

#include <string>

#include "component/com/com_ptr.h"
#include "component/com/unique.h"
#include "component/identity.h"

namespace com {

board::AutomationError PlatformFailure(HRESULT hr) {
  return board::AutomationError(static_cast<int32_t>(hr), "Automation error");
}

HRESULT HResultOf(const board::AutomationError& error) {
  if (error.number() < 0) return static_cast<HRESULT>(error.number());
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error.number() & 0xFFFF);
}

HRESULT ReportAutomationError(const board::AutomationError& error) {
  const HRESULT hr = HResultOf(error);
  ComPtr<ICreateErrorInfo> created;
  if (FAILED(CreateErrorInfo(created.put()))) return hr;
  const std::string text = error.what();
  const std::wstring description(text.begin(), text.end());
  created->SetGUID(component::identity::kDefaultInterfaceId);
  created->SetSource(const_cast<LPOLESTR>(component::identity::kProgId));
  created->SetDescription(const_cast<LPOLESTR>(description.c_str()));
  if (auto info = created.As<IErrorInfo>()) SetErrorInfo(0, info.get());
  return hr;
}

}  // namespace com
