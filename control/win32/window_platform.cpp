#include "control/win32/window_platform.h"

#include <windowsx.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "control/device_scale.h"
#include "control/ovl_chess.h"
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

// The control's pixels in `area` with squares of `square` device pixels, the
// background showing outside the cells. One buffer serves every control on the
// thread: painting is synchronous, and no pixels are kept per instance.
const std::vector<uint32_t>& Composed(const CellGrid& cells, const RECT& area, int square) {
  thread_local std::vector<uint32_t> buffer;
  const int width = area.right - area.left, height = area.bottom - area.top;
  buffer.assign(static_cast<size_t>(width) * height, ButtonFace());
  cells.Render(buffer.data(), width, height, width, area.left, area.top, square);
  return buffer;
}

// Hands the control's pixels in `area` to `dc` one to one, with its top-left at `at`.
void CopyComposed(HDC dc, POINT at, const CellGrid& cells, const RECT& area, int square) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  const std::vector<uint32_t>& pixels = Composed(cells, area, square);
  const BITMAPINFO info = TopDownBitmap(width, height);
  SetDIBitsToDevice(dc, at.x, at.y, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

bool IsMetafile(HDC dc) {
  const DWORD kind = GetObjectType(dc);
  return kind == OBJ_METADC || kind == OBJ_ENHMETADC;
}

// The bounds' size in device pixels; `oneToOne` when a logical unit is a device pixel.
struct DeviceArea {
  int width, height;
  bool oneToOne;
};
DeviceArea DeviceAreaOf(HDC dc, const RECT& bounds) {
  POINT corners[2] = {{bounds.left, bounds.top}, {bounds.right, bounds.bottom}};
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (IsMetafile(dc) || !LPtoDP(dc, corners, 2)) return {0, 0, false};
  const int deviceWidth = std::abs(corners[1].x - corners[0].x), deviceHeight = std::abs(corners[1].y - corners[0].y);
  return {deviceWidth, deviceHeight, deviceWidth == width && deviceHeight == height};
}

// Metafiles go on to printers and other resolutions: they record the board at
// four times the 96-DPI size, 384 DPI for the control's extent.
constexpr double kRecordingScale = 4;

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

WindowPlatform::WindowPlatform(ContainerServices& services, std::wstring messageTitle)
    : services_(services), messageTitle_(std::move(messageTitle)) {}

WindowPlatform::~WindowPlatform() { Destroy(); }

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
  pressedCell_ = 0;
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
  if (!enabled) pressedCell_ = 0;
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

void WindowPlatform::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  CopyComposed(dc, {paint.rcPaint.left, paint.rcPaint.top}, Cells(), paint.rcPaint, kPictureSize);
  EndPaint(window_, &paint);
}

// Drawn at the target's own resolution: one to one where the bounds are device
// pixels, else rendered finely and scaled by the device (metafiles, mapping modes,
// areas too small or too large for whole squares).
void WindowPlatform::DrawTo(HDC dc, const RECT& bounds) const {
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return;
  const DeviceArea device = DeviceAreaOf(dc, bounds);
  const DeviceScale fitting = DeviceScale::Fitting(device.width, device.height);
  if (device.oneToOne && fitting.Fits(width, height)) {
    CopyComposed(dc, {bounds.left, bounds.top}, Cells(), RECT{0, 0, width, height}, fitting.Square());
    return;
  }
  const DeviceScale scale = device.width > 0 ? fitting : DeviceScale::FromFactor(kRecordingScale);
  const int side = scale.Board();
  const std::vector<uint32_t>& pixels = Composed(Cells(), RECT{0, 0, side, side}, scale.Square());
  const BITMAPINFO info = TopDownBitmap(side, side);
  const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, bounds.left, bounds.top, width, height, 0, 0, side, side, pixels.data(), &info, DIB_RGB_COLORS,
                SRCCOPY);
  SetStretchBltMode(dc, previousMode);
}

void WindowPlatform::OnButtonDown(int16_t button, bool doubleClick, WPARAM keys, POINT point) {
  const bool firstButton = pressedCell_ == 0;
  const int16_t cell = firstButton ? Cells().CellAt(point.x, point.y) : pressedCell_;
  if (cell == 0) return;
  if (firstButton) {
    pressedCell_ = cell;
    SetCapture(window_);
  }
  // A double click's second press raises DblClick in place of MouseDown and Click.
  clickPending_ = firstButton && button == 1 && !doubleClick;
  const RECT r = CellRect(cell);
  if (doubleClick && button == 1) {
    control_->Check_DblClick(cell);
  } else {
    control_->Check_MouseDown(cell, button, ShiftState(keys), static_cast<float>(point.x - r.left),
                              static_cast<float>(point.y - r.top));
  }
}

void WindowPlatform::OnButtonUp(int16_t button, WPARAM keys, POINT point) {
  const int16_t cell = pressedCell_ ? pressedCell_ : Cells().CellAt(point.x, point.y);
  if (cell == 0) return;
  const RECT r = CellRect(cell);
  const bool click = button == 1 && clickPending_ && PtInRect(&r, point);
  if (ButtonsHeld(keys) == 0) {
    pressedCell_ = 0;
    clickPending_ = false;
    if (GetCapture() == window_) ReleaseCapture();
  }
  control_->Check_MouseUp(cell, button, ShiftState(keys), static_cast<float>(point.x - r.left),
                          static_cast<float>(point.y - r.top));
  if (click && window_) control_->Check_Click(cell);
}

void WindowPlatform::OnMouseMove(WPARAM keys, POINT point) {
  const int16_t cell = pressedCell_ ? pressedCell_ : Cells().CellAt(point.x, point.y);
  if (cell == 0) return;
  const RECT r = CellRect(cell);
  control_->Check_MouseMove(cell, ButtonsHeld(keys), ShiftState(keys), static_cast<float>(point.x - r.left),
                            static_cast<float>(point.y - r.top));
}

LRESULT WindowPlatform::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers every pixel
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_) pressedCell_ = 0;
      return 0;
  }
  if (control_ && message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) {
    Hold hold(services_);
    OnMouse(message, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void WindowPlatform::OnMouse(UINT message, WPARAM keys, POINT point) {
  switch (message) {
    case WM_LBUTTONDOWN: return OnButtonDown(1, false, keys, point);
    case WM_RBUTTONDOWN: return OnButtonDown(2, false, keys, point);
    case WM_MBUTTONDOWN: return OnButtonDown(4, false, keys, point);
    case WM_LBUTTONDBLCLK: return OnButtonDown(1, true, keys, point);
    case WM_RBUTTONDBLCLK: return OnButtonDown(2, true, keys, point);
    case WM_MBUTTONDBLCLK: return OnButtonDown(4, true, keys, point);
    case WM_LBUTTONUP: return OnButtonUp(1, keys, point);
    case WM_RBUTTONUP: return OnButtonUp(2, keys, point);
    case WM_MBUTTONUP: return OnButtonUp(4, keys, point);
    case WM_MOUSEMOVE: return OnMouseMove(keys, point);
  }
}

LRESULT CALLBACK WindowPlatform::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
  }
  auto* platform = reinterpret_cast<WindowPlatform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!platform || platform->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return platform->Handle(message, wParam, lParam);
}

}  // namespace control::win32
