#include "host/container_site/sinks.h"

#include <cstdio>
#include <utility>

namespace host {

HRESULT EventSink::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  if (iid != eventInterface_) return ComObject::QueryInterface(iid, out);
  AddRef();
  *out = static_cast<IDispatch*>(this);
  return S_OK;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*, UINT*) {
  if (!parameters) return E_POINTER;
  RecordedEvent event{dispid, {}};
  for (UINT i = parameters->cArgs; i-- > 0;) {
    const VARIANT& argument = parameters->rgvarg[i];
    event.arguments.push_back({argument.vt, VariantNumber(argument)});
  }
  events_.push_back(event);
  // The handler may release this sink through Unadvise: keep it alive until done.
  com::ComPtr<EventSink> self(this);
  if (handler_) handler_(event, *parameters);
  return S_OK;
}

HRESULT PropertyNotifySink::OnChanged(DISPID dispid) {
  changes_.push_back(dispid);
  return S_OK;
}

Connection::Connection(Connection&& other) noexcept
    : point_(std::move(other.point_)), cookie_(std::exchange(other.cookie_, 0)) {}

Connection& Connection::operator=(Connection&& other) noexcept {
  Disconnect();
  point_ = std::move(other.point_);
  cookie_ = std::exchange(other.cookie_, 0);
  return *this;
}

HRESULT Connection::Connect(IUnknown* control, REFIID iid, IUnknown* sink) {
  Disconnect();
  com::ComPtr<IConnectionPointContainer> container;
  HRESULT hr = control->QueryInterface(IID_IConnectionPointContainer, container.put_void());
  if (SUCCEEDED(hr)) hr = container->FindConnectionPoint(iid, point_.put());
  if (SUCCEEDED(hr)) hr = point_->Advise(sink, &cookie_);
  if (FAILED(hr)) point_.reset();
  return hr;
}

void Connection::Disconnect() {
  if (point_) point_->Unadvise(cookie_);
  point_.reset();
  cookie_ = 0;
}

const char* EventName(DISPID dispid) {
  static const char* const kNames[] = {"?",         "Click",   "DblClick",  "MouseDown",
                                       "MouseMove", "MouseUp", "PieceDrop", "PieceLift", "PromotionChosen"};
  return dispid >= kClickEvent && dispid <= kPromotionChosenEvent ? kNames[dispid] : "?";
}

std::string Describe(const RecordedEvent& event) {
  std::string line = EventName(event.dispid);
  for (const auto& argument : event.arguments) {
    char value[32];
    // A Boolean arrives as -1 for True; the log says 1.
    const bool boolean = (argument.type & VT_TYPEMASK) == VT_BOOL;
    std::snprintf(value, sizeof value, " %g", boolean ? double(argument.value != 0) : argument.value);
    line += value;
  }
  return line;
}

void SetCancel(DISPPARAMS& parameters) {
  if (parameters.cArgs == 0) return;
  VARIANT& cancel = parameters.rgvarg[0];
  if (cancel.vt == (VT_BYREF | VT_BOOL) && cancel.pboolVal) *cancel.pboolVal = VARIANT_TRUE;
}

double VariantNumber(const VARIANT& value) {
  const bool byRef = (value.vt & VT_BYREF) != 0;
  switch (value.vt & VT_TYPEMASK) {
    case VT_I2:
      return byRef ? *value.piVal : value.iVal;
    case VT_I4:
      return byRef ? *value.plVal : value.lVal;
    case VT_R4:
      return byRef ? *value.pfltVal : value.fltVal;
    case VT_R8:
      return byRef ? *value.pdblVal : value.dblVal;
    case VT_BOOL:
      return byRef ? *value.pboolVal : value.boolVal;
    default:
      return 0;
  }
}

}  // namespace host
