#include "control/win32/window_platform.h"

#include <windowsx.h>

#include <cmath>
#include <vector>

#include "control/ovl_chess.h"
#include "control/win32/message_guard.h"
#include "control/win32/this_module.h"

namespace control::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"OrvelBoardWindow";

bool RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSW windowClass{};
  if (GetClassInfoW(ThisModule(), kWindowClass, &windowClass)) return true;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ThisModule();
  windowClass.lpszClassName = kWindowClass;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  return RegisterClassW(&windowClass) != 0;
}

int16_t ShiftState(WPARAM keys) {
  return static_cast<int16_t>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

int16_t ButtonsHeld(WPARAM keys) {
  return static_cast<int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

uint32_t ButtonFace() {
  const COLORREF colour = GetSysColor(COLOR_BTNFACE);
  return (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
}

// The control's pixels in `area`, the background showing outside the cells.
// One buffer serves every control on the thread: painting is synchronous, and
// no pixels are kept per instance.
const std::vector<uint32_t>& Composed(const CellGrid& cells, const RECT& area) {
  thread_local std::vector<uint32_t> buffer;
  const int width = area.right - area.left, height = area.bottom - area.top;
  buffer.assign(static_cast<size_t>(width) * height, ButtonFace());
  cells.Render(buffer.data(), width, height, width, area.left, area.top);
  return buffer;
}

// Holds the component for the length of a message: a host's event handler may
// release it, and the window must not be torn down under its own procedure.
class Hold {
 public:
  explicit Hold(ContainerServices& services) : services_(services) { services_.HoldObject(); }
  ~Hold() { services_.ReleaseObject(); }

 private:
  ContainerServices& services_;
};

}  // namespace

BITMAPINFO TopDownBitmap(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

WindowPlatform::WindowPlatform(ContainerServices& services, std::wstring messageTitle)
    : services_(services), messageTitle_(std::move(messageTitle)) {}

WindowPlatform::~WindowPlatform() { Destroy(); }

void WindowPlatform::Attach(OvlChess& control) {
  control_ = &control;
  mouse_.emplace(control, static_cast<MouseSurface&>(*this));
}

HWND WindowPlatform::Create(HWND parent, const RECT& position) {
  if (window_) return window_;
  if (!RegisterWindowClass(&WindowProcedure)) return nullptr;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (enabled_ ? 0 : WS_DISABLED);
  window_ = CreateWindowExW(0, kWindowClass, L"", style, position.left, position.top,
                            position.right - position.left, position.bottom - position.top, parent, nullptr,
                            ThisModule(), this);
  return window_;
}

void WindowPlatform::Destroy() {
  if (HWND window = window_) {
    window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
  if (mouse_) mouse_->Detach();
}

void WindowPlatform::UnregisterWindowClass() { UnregisterClassW(kWindowClass, ThisModule()); }

void WindowPlatform::SetPosition(const RECT& position) {
  if (window_)
    MoveWindow(window_, position.left, position.top, position.right - position.left,
               position.bottom - position.top, TRUE);
}

void WindowPlatform::SetWidth(float width) { requestedSize_.cx = std::lround(width); }
void WindowPlatform::SetHeight(float height) { requestedSize_.cy = std::lround(height); }

void WindowPlatform::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (window_) EnableWindow(window_, enabled);
  if (!enabled && mouse_) mouse_->Cancel();
}

void WindowPlatform::Repaint() {
  if (!window_) return;
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

void WindowPlatform::RaiseEvent(ControlEvent event, EventArguments& arguments) {
  services_.FireEvent(event, arguments);
}

void WindowPlatform::ShowMessage(std::string_view text) {
  const std::wstring wide(text.begin(), text.end());
  MessageBoxW(window_ ? window_ : GetActiveWindow(), wide.c_str(), messageTitle_.c_str(), MB_OK);
}

RECT WindowPlatform::CellRect(int16_t cell) const {
  const PixelRect r = Cells().Bounds(cell);
  return {r.left, r.top, r.right, r.bottom};
}

void WindowPlatform::InvalidateCell(int16_t cell) {
  if (!window_) return;
  const RECT rect = CellRect(cell);
  InvalidateRect(window_, &rect, FALSE);
}

void WindowPlatform::UpdateCell(int16_t cell) {
  if (!window_) return;
  InvalidateCell(cell);
  UpdateWindow(window_);
}

void WindowPlatform::RenderInto(HDC dc, const RECT& area) const {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  const std::vector<uint32_t>& pixels = Composed(Cells(), area);
  const BITMAPINFO info = TopDownBitmap(width, height);
  SetDIBitsToDevice(dc, area.left, area.top, width, height, 0, 0, 0, height, pixels.data(), &info,
                    DIB_RGB_COLORS);
}

void WindowPlatform::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RenderInto(dc, paint.rcPaint);
  EndPaint(window_, &paint);
}

void WindowPlatform::DrawTo(HDC dc, const RECT& bounds) const {
  SIZE size = requestedSize_;
  RECT client;
  if (window_ && GetClientRect(window_, &client)) size = {client.right, client.bottom};
  if (size.cx <= 0 || size.cy <= 0) return;
  const std::vector<uint32_t>& pixels = Composed(Cells(), RECT{0, 0, size.cx, size.cy});
  const BITMAPINFO info = TopDownBitmap(size.cx, size.cy);
  const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, 0, 0, size.cx,
                size.cy, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, previousMode);
}

int16_t WindowPlatform::CellAt(PointerPosition position) const { return Cells().CellAt(position.x, position.y); }

CellOffset WindowPlatform::OffsetIn(int16_t cell, PointerPosition position) const {
  const RECT r = CellRect(cell);
  return {static_cast<float>(position.x - r.left), static_cast<float>(position.y - r.top)};
}

void WindowPlatform::CaptureMouse() { SetCapture(window_); }

void WindowPlatform::ReleaseMouse() {
  if (window_ && GetCapture() == window_) ReleaseCapture();
}

LRESULT WindowPlatform::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers every pixel
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_ && mouse_) mouse_->CaptureLost();
      return 0;
  }
  if (mouse_ && message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) {
    Hold hold(services_);
    OnMouse(message, wParam, PointerPosition{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void WindowPlatform::OnMouse(UINT message, WPARAM keys, PointerPosition at) {
  const int16_t shift = ShiftState(keys), held = ButtonsHeld(keys);
  MouseInput& mouse = *mouse_;
  switch (message) {
    case WM_LBUTTONDOWN: return mouse.Press(MouseButton::Left, false, shift, at);
    case WM_RBUTTONDOWN: return mouse.Press(MouseButton::Right, false, shift, at);
    case WM_MBUTTONDOWN: return mouse.Press(MouseButton::Middle, false, shift, at);
    case WM_LBUTTONDBLCLK: return mouse.Press(MouseButton::Left, true, shift, at);
    case WM_RBUTTONDBLCLK: return mouse.Press(MouseButton::Right, true, shift, at);
    case WM_MBUTTONDBLCLK: return mouse.Press(MouseButton::Middle, true, shift, at);
    case WM_LBUTTONUP: return mouse.Release(MouseButton::Left, held, shift, at);
    case WM_RBUTTONUP: return mouse.Release(MouseButton::Right, held, shift, at);
    case WM_MBUTTONUP: return mouse.Release(MouseButton::Middle, held, shift, at);
    case WM_MOUSEMOVE: return mouse.Move(held, shift, at);
  }
}

LRESULT CALLBACK WindowPlatform::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
  }
  auto* platform = reinterpret_cast<WindowPlatform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!platform || platform->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return GuardedMessage(window, message, wParam, lParam, [&] { return platform->Handle(message, wParam, lParam); });
}

}  // namespace control::win32
