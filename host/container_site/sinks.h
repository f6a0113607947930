#pragma once

#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

#include "component/com/com_object.h"
#include "component/com/com_ptr.h"

namespace host {

// One event argument as the sink received it: its VARTYPE and its value.
struct EventArgument {
  VARTYPE type;
  double value;
};

// One event, its arguments in declaration order (col, row, Button, Shift, X, Y;
// PieceDrop: fromCol, fromRow, toCol, toRow, Cancel; PieceLift: col, row, Cancel;
// PromotionChosen: col, row, Piece).
struct RecordedEvent {
  DISPID dispid;
  std::vector<EventArgument> arguments;
};

// The dispatch ids of the events; OvlBoard adds PieceDrop, PieceLift and PromotionChosen to OvlChess's five.
enum EventId : DISPID {
  kClickEvent = 1,
  kDblClickEvent,
  kMouseDownEvent,
  kMouseMoveEvent,
  kMouseUpEvent,
  kPieceDropEvent,
  kPieceLiftEvent,
  kPromotionChosenEvent
};
const char* EventName(DISPID dispid);
// A log line: the event's name and the values it arrived with, "PieceDrop 5 7 5 5 0".
std::string Describe(const RecordedEvent& event);
// A PieceDrop or PieceLift handler refusing: Cancel, the last argument, set to True.
void SetCancel(DISPPARAMS& parameters);

// The control's event interface, answered as IDispatch: records every event,
// then hands it to an optional handler that may call back into the control.
class EventSink : public com::ComObject<EventSink, IDispatch> {
 public:
  using Handler = std::function<void(const RecordedEvent&, DISPPARAMS&)>;

  explicit EventSink(REFIID eventInterface) : eventInterface_(eventInterface) {}

  void SetHandler(Handler handler) { handler_ = std::move(handler); }
  const std::vector<RecordedEvent>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override;
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*, UINT*) override;

 private:
  IID eventInterface_;
  Handler handler_;
  std::vector<RecordedEvent> events_;
};

// Records the DISPIDs of IPropertyNotifySink::OnChanged.
class PropertyNotifySink : public com::ComObject<PropertyNotifySink, IPropertyNotifySink> {
 public:
  STDMETHODIMP OnChanged(DISPID dispid) override;
  STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

  const std::vector<DISPID>& Changes() const { return changes_; }
  void ClearChanges() { changes_.clear(); }

 private:
  std::vector<DISPID> changes_;
};

// An advise on one of the control's connection points, undone on destruction.
class Connection {
 public:
  Connection() = default;
  Connection(Connection&& other) noexcept;
  Connection& operator=(Connection&& other) noexcept;
  ~Connection() { Disconnect(); }

  HRESULT Connect(IUnknown* control, REFIID iid, IUnknown* sink);
  void Disconnect();

 private:
  com::ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

// The numeric value of an argument, following one level of VT_BYREF.
double VariantNumber(const VARIANT& value);

}  // namespace host
