#include "control/win32/window_platform.h"

#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "board/text.h"
#include "control/focus_cue.h"
#include "control/ovl_chess.h"
#include "control/win32/message_guard.h"
#include "control/win32/paper_record.h"
#include "control/win32/this_module.h"

namespace control::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"OrvelBoardWindow";
// Posted after a change to the cells, so screen readers hear an operation's result once.
constexpr UINT kAnnounceNames = WM_USER + 1;
// Posted to a window its control let go of on another thread: only its own thread can destroy it.
constexpr UINT kDestroyLetGo = WM_USER + 2;
// Windows of the class that exist, some perhaps let go and waiting for their thread.
std::atomic<long> liveWindows{0};
// WM_DPICHANGED_AFTERPARENT, which older headers do not name.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

std::optional<BoardKey> BoardKeyOf(WPARAM key) {
  switch (key) {
    case VK_LEFT: return BoardKey::Left;
    case VK_RIGHT: return BoardKey::Right;
    case VK_UP: return BoardKey::Up;
    case VK_DOWN: return BoardKey::Down;
    case VK_HOME: return BoardKey::Home;
    case VK_END: return BoardKey::End;
    case VK_PRIOR: return BoardKey::PageUp;
    case VK_NEXT: return BoardKey::PageDown;
    case VK_SPACE: return BoardKey::Space;
    case VK_RETURN: return BoardKey::Enter;
    default: return std::nullopt;
  }
}

// The character of a jump key (a-h, 1-8), only without Shift, Ctrl or Alt: with them the keys stay the host's.
std::optional<char> JumpOf(WPARAM key) {
  if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return std::nullopt;
  if (key >= 'A' && key <= 'H') return static_cast<char>('a' + (key - 'A'));
  if (key >= '1' && key <= '8') return static_cast<char>(key);
  if (key >= VK_NUMPAD1 && key <= VK_NUMPAD8) return static_cast<char>('1' + (key - VK_NUMPAD1));
  return std::nullopt;
}

// Focus arriving while Tab is down came by Tab or Shift+Tab. (The system's own
// keyboard-cue state arrives as WM_UPDATEUISTATE.)
bool FocusByKeyboard() { return GetKeyState(VK_TAB) < 0; }

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

bool IsButtonPress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: return true;
    default: return false;
  }
}

int16_t ShiftState(WPARAM keys) {
  return static_cast<int16_t>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

int16_t ButtonsHeld(WPARAM keys) {
  return static_cast<int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

uint32_t ButtonFace() { return PixelOf(GetSysColor(COLOR_BTNFACE)); }

// BeginPaint to EndPaint, also when painting fails part way.
class PaintSession {
 public:
  explicit PaintSession(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;
  ~PaintSession() { EndPaint(window_, &paint_); }
  HDC Dc() const { return dc_; }
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// The parts of `bounds` right of and below the board's `side` x `side` square.
void FillAround(HDC dc, const RECT& bounds, int side, uint32_t background) {
  // The DC's own brush: no brush object to create and delete.
  const COLORREF previous = SetDCBrushColor(dc, RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF));
  auto* brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  const RECT right{bounds.left + side, bounds.top, bounds.right, bounds.bottom};
  const RECT below{bounds.left, bounds.top + side, bounds.left + side, bounds.bottom};
  if (right.left < right.right) FillRect(dc, &right, brush);
  if (below.top < below.bottom) FillRect(dc, &below, brush);
  SetDCBrushColor(dc, previous);
}

// The control's pixels in `area` with squares of `square` device pixels, the
// background showing outside the cells. One buffer serves every control on the
// thread: painting is synchronous, and no pixels are kept per instance.
std::vector<uint32_t>& Composed(const CellGrid& cells, const RECT& area, int square, uint32_t background) {
  thread_local std::vector<uint32_t> buffer;
  const int width = area.right - area.left, height = area.bottom - area.top;
  buffer.assign(static_cast<size_t>(width) * height, background);
  cells.Render(buffer.data(), width, height, width, area.left, area.top, square);
  return buffer;
}

void CopyPixels(HDC dc, POINT at, const std::vector<uint32_t>& pixels, int width, int height) {
  const BITMAPINFO info = TopDownBitmap(width, height);
  SetDIBitsToDevice(dc, at.x, at.y, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

// Hands the control's pixels in `area` to `dc` one to one, with its top-left at `at`.
void CopyComposed(HDC dc, POINT at, const CellGrid& cells, const RECT& area, int square, uint32_t background) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  CopyPixels(dc, at, Composed(cells, area, square, background), width, height);
}

bool IsMetafile(HDC dc) {
  const DWORD kind = GetObjectType(dc);
  return kind == OBJ_METADC || kind == OBJ_ENHMETADC;
}

// GDI's stretching overflows on larger areas (Wine's from about 1.8 million
// pixels across, for the 1184-pixel board it stretches); no screen or page
// needs a board this large, so such bounds are refused rather than drawn wrong.
constexpr int64_t kLargestSide = int64_t{1} << 20;
// Windows keeps GDI coordinates to 27 bits; a WMF records 16.
constexpr int64_t kFarthestCoordinate = int64_t{1} << 27;
constexpr int64_t kFarthestInWmf = 32767;

bool WithinReach(const POINT (&corners)[2], int64_t farthest) {
  for (const POINT& corner : corners)
    if (std::abs(int64_t{corner.x}) > farthest || std::abs(int64_t{corner.y}) > farthest) return false;
  return std::abs(int64_t{corners[1].x} - corners[0].x) <= kLargestSide &&
         std::abs(int64_t{corners[1].y} - corners[0].y) <= kLargestSide;
}

// The bounds' size in device pixels; `oneToOne` when a logical unit is a device
// pixel; not `reachable` when the bounds or that size are beyond GDI's reach.
struct DeviceArea {
  int width, height;
  bool oneToOne;
  bool reachable = true;
};
DeviceArea DeviceAreaOf(HDC dc, const RECT& bounds) {
  POINT corners[2] = {{bounds.left, bounds.top}, {bounds.right, bounds.bottom}};
  const bool wmf = GetObjectType(dc) == OBJ_METADC;
  if (!WithinReach(corners, wmf ? kFarthestInWmf : kFarthestCoordinate)) return {0, 0, false, false};
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (IsMetafile(dc) || !LPtoDP(dc, corners, 2)) return {0, 0, false};
  if (!WithinReach(corners, kFarthestCoordinate)) return {0, 0, false, false};
  const int deviceWidth = std::abs(corners[1].x - corners[0].x), deviceHeight = std::abs(corners[1].y - corners[0].y);
  return {deviceWidth, deviceHeight, deviceWidth == width && deviceHeight == height};
}

// Metafiles go on to printers and other resolutions: they record the board at
// four times the 96-DPI size, 384 DPI for the control's extent.
constexpr double kRecordingScale = 4;

// The window's dots per inch. GetDpiForWindow is looked up, not linked:
// systems before Windows 10 lack it, and there the screen's setting holds.
int DpiOf(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow)
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(window, dc);
  return dpi;
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

WindowPlatform::WindowPlatform(ContainerServices& services, std::wstring messageTitle)
    : services_(services), messageTitle_(std::move(messageTitle)), background_(ButtonFace()) {}

WindowPlatform::~WindowPlatform() { Destroy(); }

void WindowPlatform::Attach(OvlChess& control) {
  control_ = &control;
  keyboard_.emplace(control);
  mouse_.emplace(control, static_cast<MouseSurface&>(*this), &*keyboard_);
}

bool WindowPlatform::IsBoardKey(WPARAM key) { return BoardKeyOf(key) || JumpOf(key); }

HWND WindowPlatform::Create(HWND parent, const RECT& position) {
  if (window_) return window_;
  if (!RegisterWindowClass(&WindowProcedure)) return nullptr;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
  window_ = CreateWindowExW(0, kWindowClass, L"", style, position.left, position.top,
                            position.right - position.left, position.bottom - position.top, parent, nullptr,
                            ThisModule(), this);
  if (window_) UpdateScale();
  return window_;
}

void WindowPlatform::Destroy() {
  if (HWND window = window_) {
    window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
      DestroyWindow(window);
    else
      PostMessageW(window, kDestroyLetGo, 0, 0);
  }
  if (mouse_) mouse_->Detach();
  if (keyboard_) keyboard_->SetFocused(false);
  announcementPosted_ = false;
}

bool WindowPlatform::WindowsExist() { return liveWindows > 0; }

void WindowPlatform::UnregisterWindowClass() { UnregisterClassW(kWindowClass, ThisModule()); }

void WindowPlatform::SetPosition(const RECT& position) {
  if (!window_) return;
  MoveWindow(window_, position.left, position.top, position.right - position.left, position.bottom - position.top,
             TRUE);
  UpdateScale();  // the new place may be on a monitor of another DPI
}

void WindowPlatform::SetBackground(uint32_t rgb) {
  if (rgb == background_) return;
  background_ = rgb;
  Repaint();
}

void WindowPlatform::UpdateScale() {
  const DeviceScale scale = DeviceScale::FromDpi(DpiOf(window_));
  if (scale.Square() == scale_.Square()) return;
  scale_ = scale;
  InvalidateRect(window_, nullptr, FALSE);
}

void WindowPlatform::SetWidth(float width) { requestedSize_.cx = std::lround(width); }
void WindowPlatform::SetHeight(float height) { requestedSize_.cy = std::lround(height); }

// The window itself stays enabled: a disabled window loses the focus and Tab passes it
// by, stranding a keyboard player. The core refuses the user's input instead.
void WindowPlatform::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled && mouse_) mouse_->Cancel();
  if (accessible_ && accessible_->EnabledChanged() && window_)
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
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
  MessageBoxW(window_ ? window_ : GetActiveWindow(), board::Wide(text).c_str(), messageTitle_.c_str(), MB_OK);
}

RECT WindowPlatform::CellRect(board::CellIndex cell) const {
  const PixelRect r = Cells().Bounds(cell, scale_.Square());
  return {r.left, r.top, r.right, r.bottom};
}

void WindowPlatform::InvalidateCell(board::CellIndex cell) {
  if (!window_) return;
  if (accessible_ && !announcementPosted_)
    announcementPosted_ = PostMessageW(window_, kAnnounceNames, 0, 0) != FALSE;
  const RECT rect = CellRect(cell);
  InvalidateRect(window_, &rect, FALSE);
}

void WindowPlatform::UpdateCell(board::CellIndex cell) {
  if (!window_) return;
  InvalidateCell(cell);
  UpdateWindow(window_);
}

void WindowPlatform::Paint() {
  PaintSession paint(window_);
  const RECT& area = paint.Area();
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  std::vector<uint32_t>& pixels = Composed(Cells(), area, scale_.Square(), background_);
  if (const board::CellIndex cell = CueCell()) {
    const RECT r = CellRect(cell);
    const board::Square square = board::SquareOfIndex(cell);
    FocusCue::Draw(pixels.data(), width, height, width,
                   {r.left - area.left, r.top - area.top, r.right - area.left, r.bottom - area.top},
                   board::IsLightSquare(square.col, square.row));
  }
  CopyPixels(paint.Dc(), {area.left, area.top}, pixels, width, height);
}

// Drawn at the target's own resolution: one to one where the bounds are device
// pixels and whole squares of a usual size fit them, else rendered finely and
// scaled by the device (metafiles, mapping modes, other sizes).
WindowPlatform::Drawing WindowPlatform::DrawTo(HDC dc, const RECT& bounds,
                                               const std::function<bool()>& keepGoing) const {
  const DeviceArea device = DeviceAreaOf(dc, bounds);
  if (!device.reachable) return Drawing::Refused;
  if (!keepGoing()) return Drawing::Stopped;
  // Signed: in a mapping mode whose y axis points up, bottom lies below top.
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width == 0 || height == 0) return Drawing::Done;
  const DeviceScale fitting = DeviceScale::Fitting(device.width, device.height);
  const DeviceScale drawn =
      device.width > 0 ? DeviceScale::UsualAtLeast(fitting.Square()) : DeviceScale::FromFactor(kRecordingScale);
  if (device.oneToOne && drawn.Square() == fitting.Square() && fitting.Fits(width, height)) {
    const int side = drawn.Board();
    CopyComposed(dc, {bounds.left, bounds.top}, Cells(), RECT{0, 0, std::min(width, side), std::min(height, side)},
                 drawn.Square(), background_);
    FillAround(dc, bounds, side, background_);
    return Drawing::Done;
  }
  const int side = drawn.Board();
  const std::vector<uint32_t>& pixels = Composed(Cells(), RECT{0, 0, side, side}, drawn.Square(), background_);
  if (IsMetafile(dc))
    return RecordBoard(dc, bounds, pixels, drawn.Square(), keepGoing) ? Drawing::Done : Drawing::Stopped;
  const BITMAPINFO info = TopDownBitmap(side, side);
  const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, bounds.left, bounds.top, width, height, 0, 0, side, side, pixels.data(), &info, DIB_RGB_COLORS,
                SRCCOPY);
  SetStretchBltMode(dc, previousMode);
  return Drawing::Done;
}

board::CellIndex WindowPlatform::CellAt(PointerPosition position) const {
  return Cells().CellAt(position.x, position.y, scale_.Square());
}

CellOffset WindowPlatform::OffsetIn(board::CellIndex cell, PointerPosition position) const {
  const RECT r = CellRect(cell);
  // In the control's 96-DPI units, so hosts see the same range at every scale.
  return {scale_.ToUnits(position.x - r.left), scale_.ToUnits(position.y - r.top)};
}

void WindowPlatform::CaptureMouse() { SetCapture(window_); }

void WindowPlatform::TakeFocus() {
  if (window_ && GetFocus() != window_) SetFocus(window_);
}

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
    case WM_GETDLGCODE: {
      // Enter clicks the cursor square rather than a dialog's default button.
      const MSG* key = reinterpret_cast<const MSG*>(lParam);
      const bool enter = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
      if (control_ && OnKeyDown(wParam, lParam)) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (control_) OnFocus(message == WM_SETFOCUS);
      return 0;
    case WM_UPDATEUISTATE:
      DefWindowProcW(window_, message, wParam, lParam);
      OnUiState(wParam);
      return 0;
    case WM_GETOBJECT:
      if (control_ && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
        Accessible();  // names are announced from here on
        return services_.AccessibleObject(wParam);
      }
      break;
    case kAnnounceNames:
      AnnounceChangedNames();
      return 0;
    case kDpiChangedAfterParent:
      UpdateScale();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_ && mouse_) mouse_->CaptureLost();
      return 0;
  }
  if (mouse_ && message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) {
    Hold hold(services_);
    const board::CellIndex cueBefore = CueCell(), focusBefore = keyboard_->FocusedCell();
    OnMouse(message, wParam, PointerPosition{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    // A press that brought the focus was reported by it; one on the focused board moves its focus.
    if (window_ && focusBefore && IsButtonPress(message)) FollowCursor(cueBefore, focusBefore);
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

board::CellIndex WindowPlatform::CueCell() const {
  return keyboard_ && keyboard_->ShowsFocusCue() ? keyboard_->CursorCell() : board::CellIndex{};
}

void WindowPlatform::RepaintCue(board::CellIndex cueBefore) {
  const board::CellIndex cue = CueCell();
  if (cue == cueBefore) return;
  if (cueBefore) InvalidateCell(cueBefore);
  if (cue) InvalidateCell(cue);
}

void WindowPlatform::FollowCursor(board::CellIndex cueBefore, board::CellIndex focusBefore) {
  RepaintCue(cueBefore);
  const board::CellIndex focus = keyboard_->FocusedCell();
  if (focus && focus != focusBefore && window_) NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, focus.value);
}

bool WindowPlatform::OnKeyDown(WPARAM key, LPARAM flags) {
  const std::optional<BoardKey> boardKey = BoardKeyOf(key);
  const std::optional<char> jump = boardKey ? std::nullopt : JumpOf(key);
  if (!boardKey && !jump) return false;
  // A held Space or Enter clicks once, as a button does; held arrows keep moving.
  const bool repeated = (flags & (LPARAM{1} << 30)) != 0;
  if (repeated && (boardKey == BoardKey::Space || boardKey == BoardKey::Enter)) return true;
  Hold hold(services_);
  const board::CellIndex cueBefore = CueCell();
  const board::CellIndex focusBefore = keyboard_->FocusedCell();
  const bool taken = boardKey ? keyboard_->Press(*boardKey) : keyboard_->Jump(*jump);
  // Space may have run a handler that removed the window.
  if (window_) FollowCursor(cueBefore, focusBefore);
  return taken;
}

void WindowPlatform::OnFocus(bool focused) {
  const board::CellIndex cueBefore = CueCell();
  keyboard_->SetFocused(focused, focused && FocusByKeyboard());
  FollowCursor(cueBefore, 0);
  Hold hold(services_);
  services_.FocusChanged(focused);
}

void WindowPlatform::OnUiState(WPARAM change) {
  if (!(HIWORD(change) & UISF_HIDEFOCUS) || !keyboard_) return;
  const board::CellIndex cueBefore = CueCell();
  if (LOWORD(change) == UIS_CLEAR) keyboard_->SetCuesShown(true);
  if (LOWORD(change) == UIS_SET) keyboard_->SetCuesShown(false);
  RepaintCue(cueBefore);
}

AccessibleBoard& WindowPlatform::Accessible() {
  if (!accessible_) accessible_.emplace(*control_, Cells(), *keyboard_);
  return *accessible_;
}

void WindowPlatform::AnnounceChangedNames() {
  announcementPosted_ = false;
  if (!accessible_ || !window_) return;
  for (int16_t cell : accessible_->ChangedNames()) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_, OBJID_CLIENT, cell);
  if (accessible_->SummaryChanged()) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
}

RECT WindowPlatform::CellOnScreen(board::CellIndex cell) const {
  RECT r = CellRect(cell);
  if (window_) MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int16_t WindowPlatform::ChildAtScreenPoint(POINT screen) const {
  if (!window_) return -1;
  POINT client = screen;
  ScreenToClient(window_, &client);
  RECT area;
  GetClientRect(window_, &area);
  if (!PtInRect(&area, client)) return -1;
  return CellAt(PointerPosition{client.x, client.y}).value;
}

bool WindowPlatform::ActivateCell(board::CellIndex cell) {
  if (!keyboard_) return false;
  Hold hold(services_);
  return keyboard_->Activate(cell);
}

void WindowPlatform::SelectCell(board::CellIndex cell) {
  if (!keyboard_ || !window_) return;
  const board::CellIndex cueBefore = CueCell(), focusBefore = keyboard_->FocusedCell();
  keyboard_->MoveTo(cell);
  if (focusBefore) return FollowCursor(cueBefore, focusBefore);
  Hold hold(services_);
  SetFocus(window_);  // the focus reports the new cursor
}

LRESULT CALLBACK WindowPlatform::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    ++liveWindows;
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
  }
  if (message == WM_NCDESTROY) --liveWindows;
  auto* platform = reinterpret_cast<WindowPlatform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!platform && message == kDestroyLetGo) {
    DestroyWindow(window);
    return 0;
  }
  if (!platform || platform->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return GuardedMessage(window, message, wParam, lParam, [&] { return platform->Handle(message, wParam, lParam); });
}

}  // namespace control::win32
