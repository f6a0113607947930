#pragma once

#include <ocidl.h>

#include "component/com/com_ptr.h"
#include "control/device_scale.h"
#include "control/win32/window_dpi.h"
#include "host/container_site/interface_log.h"
#include "host/container_site/sinks.h"
#include "host/container_site/site.h"
#include "orvel_board.h"

namespace host {

constexpr int kCellPixels = control::kPictureSize;
constexpr int kBoardPixels = control::kBoardPixels;

using control::win32::DpiOf;

// A plain top-level window for a container to put the control in.
HWND CreateHostWindow(const wchar_t* title, int width, int height, WNDPROC procedure = DefWindowProcW,
                      const wchar_t* className = L"OrvelHostWindow");

// One control placed in a window by OLE, the way a form places it: site first,
// then initialisation, in-place activation, and the reverse on removal.
class EmbeddedControl {
 public:
  EmbeddedControl(HWND window, RECT position, InterfaceLog* log = nullptr);
  EmbeddedControl(const EmbeddedControl&) = delete;
  EmbeddedControl& operator=(const EmbeddedControl&) = delete;
  ~EmbeddedControl() { Remove(); }

  // Creates the object and gives it its site; it reads ambients from there on.
  HRESULT Create(REFCLSID clsid);
  HRESULT InitNew();
  // Takes the control's own extent as its size, in the host window's pixels.
  HRESULT SizeFromExtent();
  HRESULT Activate();
  // Moves and sizes the active control, as a form does when it is resized: extent, then rectangle.
  HRESULT Place(const RECT& position);
  HRESULT ConnectEvents(EventSink* sink) { return events_.Connect(unknown_.get(), eventInterface_, sink->Unknown()); }
  HRESULT ConnectPropertyNotify(PropertyNotifySink* sink);
  // Disconnects, deactivates, closes and releases; safe to call from an event handler.
  void Remove();

  void SetEventInterface(REFIID iid) { eventInterface_ = iid; }
  // Each class answers its own interface: an OvlChess has Board(), an OvlBoard MoveBoard().
  _OvlChess* Board() const { return board_.get(); }
  _OvlBoard* MoveBoard() const { return moveBoard_.get(); }
  IUnknown* Unknown() const { return unknown_.get(); }
  template <class I>
  com::ComPtr<I> As() const {
    return unknown_.As<I>();
  }
  Site* ControlSite() const { return site_.get(); }
  HWND Window() const;
  RECT Position() const { return position_; }

 private:
  HWND HostWindow() const;

  RECT position_;
  IID eventInterface_ = IID_NULL;
  com::ComPtr<Site> site_;
  com::ComPtr<IUnknown> unknown_;
  com::ComPtr<IOleObject> object_;
  com::ComPtr<_OvlChess> board_;
  com::ComPtr<_OvlBoard> moveBoard_;
  Connection events_;
  Connection propertyNotify_;
};

struct Modifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
};

// Mouse messages delivered as Windows routes real input: to the window that
// holds the capture, else to the deepest visible, enabled window under the
// point (a disabled window's input goes to its parent). Points are in the
// control window's client coordinates.
class Mouse {
 public:
  explicit Mouse(HWND control) : control_(control) {}

  static POINT InCell(int col, int row, int x, int y) {
    return {(col - 1) * kCellPixels + x, (row - 1) * kCellPixels + y};
  }
  static POINT CellCentre(int col, int row) { return InCell(col, row, kCellPixels / 2, kCellPixels / 2); }

  void Move(POINT point, WPARAM buttons = 0, Modifiers modifiers = {});
  void Press(UINT message, POINT point, Modifiers modifiers = {});
  void Release(UINT message, POINT point, Modifiers modifiers = {});
  void Click(POINT point, Modifiers modifiers = {});
  void DoubleClick(POINT point);

 private:
  void Send(UINT message, WPARAM keys, POINT point, Modifiers modifiers);
  HWND Target(POINT point) const;

  HWND control_;
  WPARAM held_ = 0;
};

}  // namespace host
