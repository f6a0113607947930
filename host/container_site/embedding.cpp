#include "host/container_site/embedding.h"

#include <olectl.h>

namespace host {
namespace {

SIZEL PixelsToHimetric(int width, int height, int dpi) {
  return {MulDiv(width, 2540, dpi), MulDiv(height, 2540, dpi)};
}

WPARAM ButtonFlag(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return MK_LBUTTON;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return MK_RBUTTON;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return MK_MBUTTON;
    default:
      return 0;
  }
}

// The control reads modifiers from the message or from the keyboard state: set both.
class KeyboardState {
 public:
  explicit KeyboardState(Modifiers modifiers) {
    GetKeyboardState(saved_);
    BYTE keys[256];
    GetKeyboardState(keys);
    Set(keys, VK_SHIFT, modifiers.shift);
    Set(keys, VK_CONTROL, modifiers.control);
    Set(keys, VK_MENU, modifiers.alt);
    SetKeyboardState(keys);
  }
  ~KeyboardState() { SetKeyboardState(saved_); }

 private:
  static void Set(BYTE* keys, int key, bool down) { keys[key] = down ? 0x80 : 0; }
  BYTE saved_[256];
};

}  // namespace

HWND CreateHostWindow(const wchar_t* title, int width, int height, WNDPROC procedure, const wchar_t* className) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);  // fails harmlessly when already registered
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowW(className, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return window;
}

EmbeddedControl::EmbeddedControl(HWND window, RECT position, InterfaceLog* log)
    : position_(position), site_(Make<Site>(window, position, log)) {}

HRESULT EmbeddedControl::Create(REFCLSID clsid) {
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, unknown_.put_void());
  if (FAILED(hr)) return hr;
  object_ = unknown_.As<IOleObject>();
  board_ = unknown_.As<_OvlChess>();
  moveBoard_ = unknown_.As<_OvlBoard>();
  if (!object_ || (!board_ && !moveBoard_)) return E_NOINTERFACE;
  return object_->SetClientSite(static_cast<IOleClientSite*>(site_.get()));
}

HRESULT EmbeddedControl::InitNew() {
  auto persist = unknown_.As<IPersistStreamInit>();
  return persist ? persist->InitNew() : E_NOINTERFACE;
}

HRESULT EmbeddedControl::SizeFromExtent() {
  SIZEL extent{};
  const HRESULT hr = object_->GetExtent(DVASPECT_CONTENT, &extent);
  if (FAILED(hr)) return hr;
  const int dpi = DpiOf(HostWindow());
  position_.right = position_.left + MulDiv(extent.cx, dpi, 2540);
  position_.bottom = position_.top + MulDiv(extent.cy, dpi, 2540);
  site_->OnPosRectChange(&position_);
  return S_OK;
}

HWND EmbeddedControl::HostWindow() const {
  HWND window = nullptr;
  site_->GetWindow(&window);
  return window;
}

HRESULT EmbeddedControl::Activate() {
  HWND window = HostWindow();
  SIZEL extent = PixelsToHimetric(position_.right - position_.left, position_.bottom - position_.top, DpiOf(window));
  object_->SetExtent(DVASPECT_CONTENT, &extent);
  return object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_.get()), 0, window,
                         &position_);
}

HRESULT EmbeddedControl::Place(const RECT& position) {
  position_ = position;
  SIZEL extent = PixelsToHimetric(position.right - position.left, position.bottom - position.top, DpiOf(HostWindow()));
  object_->SetExtent(DVASPECT_CONTENT, &extent);
  auto inPlace = unknown_.As<IOleInPlaceObject>();
  return inPlace ? inPlace->SetObjectRects(&position_, &position_) : E_NOINTERFACE;
}

HRESULT EmbeddedControl::ConnectPropertyNotify(PropertyNotifySink* sink) {
  return propertyNotify_.Connect(unknown_.get(), IID_IPropertyNotifySink, sink->Unknown());
}

HWND EmbeddedControl::Window() const {
  HWND window = nullptr;
  if (auto inPlace = unknown_.As<IOleInPlaceObject>()) inPlace->GetWindow(&window);
  return window;
}

void EmbeddedControl::Remove() {
  if (!unknown_) return;
  // Take everything first: a handler may call Remove again while this runs.
  auto object = std::move(object_);
  auto unknown = std::move(unknown_);
  board_.reset();
  moveBoard_.reset();
  events_.Disconnect();
  propertyNotify_.Disconnect();
  if (auto inPlace = unknown.As<IOleInPlaceObject>()) inPlace->InPlaceDeactivate();
  if (object) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
  }
  site_->Detach();
}

void Mouse::Move(POINT point, WPARAM buttons, Modifiers modifiers) {
  Send(WM_MOUSEMOVE, buttons | held_, point, modifiers);
}

void Mouse::Press(UINT message, POINT point, Modifiers modifiers) {
  HWND target = Target(point);
  SendMessageW(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(GetAncestor(control_, GA_ROOT)),
               MAKELPARAM(HTCLIENT, message));
  held_ |= ButtonFlag(message);
  Send(message, held_, point, modifiers);
}

void Mouse::Release(UINT message, POINT point, Modifiers modifiers) {
  held_ &= ~ButtonFlag(message);
  Send(message, held_, point, modifiers);
}

void Mouse::Click(POINT point, Modifiers modifiers) {
  Press(WM_LBUTTONDOWN, point, modifiers);
  Release(WM_LBUTTONUP, point, modifiers);
}

// The second press of a double click arrives as WM_LBUTTONDBLCLK.
void Mouse::DoubleClick(POINT point) {
  Click(point);
  Press(WM_LBUTTONDBLCLK, point);
  Release(WM_LBUTTONUP, point);
}

void Mouse::Send(UINT message, WPARAM keys, POINT point, Modifiers modifiers) {
  KeyboardState state(modifiers);
  if (modifiers.shift) keys |= MK_SHIFT;
  if (modifiers.control) keys |= MK_CONTROL;
  HWND target = Target(point);
  MapWindowPoints(control_, target, &point, 1);
  SendMessageW(target, message, keys, MAKELPARAM(point.x, point.y));
}

HWND Mouse::Target(POINT point) const {
  if (HWND capture = GetCapture()) return capture;
  if (!IsWindowEnabled(control_)) return GetParent(control_);
  HWND target = control_;
  for (;;) {
    POINT local = point;
    MapWindowPoints(control_, target, &local, 1);
    HWND child = ChildWindowFromPointEx(target, local, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (!child || child == target) return target;
    target = child;
  }
}

}  // namespace host
