#include "control/win32/window_platform.h"

#include <atomic>
#include <cmath>
#include <vector>

#include "board/text.h"
#include "control/ovl_board.h"
#include "control/ovl_chess.h"
#include "control/view_layers.h"
#include "control/win32/bitmap_info.h"
#include "control/win32/message_guard.h"
#include "control/win32/this_module.h"
#include "control/win32/win_events.h"
#include "control/win32/window_dpi.h"

namespace control::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"OrvelBoardWindow";
// Posted after a change to the cells, so screen readers hear an operation's result once.
constexpr UINT kSettleAnnouncements = WM_USER + 1;
// Posted to a window its control let go of on another thread: only its own thread can destroy it.
constexpr UINT kDestroyLetGo = WM_USER + 2;
// Windows of the class that exist, some perhaps let go and waiting for their thread.
std::atomic<long> liveWindows{0};
// WM_DPICHANGED_AFTERPARENT, which older headers do not name.
constexpr UINT kDpiChangedAfterParent = 0x02E3;
// Pictures are drawn at a new size once it has held this long: a splitter
// dragged shows the kept board stretched (or scaled pictures where it cannot),
// not a wait of tens of milliseconds a step.
constexpr UINT_PTR kSettleTimer = 1;
constexpr UINT kSettleAfterMilliseconds = 150;

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

uint32_t ButtonFace() { return PixelOf(GetSysColor(COLOR_BTNFACE)); }

}  // namespace

WindowPlatform::WindowPlatform(ContainerServices& services, std::wstring messageTitle, const Clock& clock)
    : GridPlatform(clock), services_(services), messageTitle_(std::move(messageTitle)), background_(ButtonFace()) {}

WindowPlatform::~WindowPlatform() { Destroy(); }

void WindowPlatform::Attach(OvlChess& control) {
  control_ = &control;
  layout_ = control.Layout();
  input_.emplace(control, Cells(), static_cast<BoardSurface&>(*this));
}

HWND WindowPlatform::Create(HWND parent, const RECT& position) {
  if (window_) return window_;
  if (!RegisterWindowClass(&WindowProcedure)) return nullptr;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
  window_ = CreateWindowExW(0, kWindowClass, L"", style, position.left, position.top,
                            position.right - position.left, position.bottom - position.top, parent, nullptr,
                            ThisModule(), this);
  if (!window_) return nullptr;
  if (input_) input_->Attach();
  UpdateGeometry();
  control_->Placed(position.right - position.left, position.bottom - position.top, DpiOf(window_));
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
  frames_.Stop();
  if (input_) input_->Detach();
  ComposedPixels().Release();  // kept only while on screen
  pictures_ = {};
  painted_ = false;
}

bool WindowPlatform::WindowsExist() { return liveWindows > 0; }

void WindowPlatform::UnregisterWindowClass() { UnregisterClassW(kWindowClass, ThisModule()); }

void WindowPlatform::SetPosition(const RECT& position) {
  if (!window_) return;
  MoveWindow(window_, position.left, position.top, position.right - position.left, position.bottom - position.top,
             TRUE);
  UpdateGeometry();  // the new place may be on a monitor of another DPI
  control_->Placed(position.right - position.left, position.bottom - position.top, DpiOf(window_));
}

void WindowPlatform::SetBackground(uint32_t rgb) {
  if (rgb == background_) return;
  background_ = rgb;
  ComposedPixels().MarkAll();
  Repaint();
}

void WindowPlatform::UpdateGeometry() {
  RECT client{};
  GetClientRect(window_, &client);
  const BoardGeometry geometry =
      BoardGeometry::Of(layout_, client.right, client.bottom, DeviceScale::FromDpi(DpiOf(window_)));
  if (geometry == geometry_) return;
  const bool newSquare = geometry.Square() != geometry_.Square();
  geometry_ = geometry;
  if (newSquare) control_->Moves().SquareChanged();
  // Set again at each new size, so it fires once the size holds.
  if (newSquare && painted_) SetTimer(window_, kSettleTimer, kSettleAfterMilliseconds, nullptr);
  InvalidateRect(window_, nullptr, FALSE);
}

const PictureSet& WindowPlatform::Pictures() { return pictures_.At(geometry_.Square(), painted_); }

void WindowPlatform::SettlePictures() {
  KillTimer(window_, kSettleTimer);
  const int square = geometry_.Square();
  const bool stretched = ComposedPixels().Side() > 0 && ComposedPixels().Side() != geometry_.Side();
  if (pictures_.Scaled() && pictures_.Size() == square)
    pictures_.Settle();
  else if (pictures_.Size() != square)
    pictures_.At(square, false);  // the steps stretched the kept board: the size's pictures not even scaled
  else if (!stretched)
    return;
  ComposedPixels().MarkAll();
  InvalidateRect(window_, nullptr, FALSE);
}

void WindowPlatform::SetWidth(float width) { requestedSize_.cx = std::lround(width); }
void WindowPlatform::SetHeight(float height) { requestedSize_.cy = std::lround(height); }

void WindowPlatform::Repaint() {
  if (!window_) return;
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

// The tiles under the arrows are composed again; the rest of the kept board stands.
void WindowPlatform::RepaintArrows(const BoardView& view, std::span<const BoardArrow> arrows) {
  if (!window_) return;  // no kept pixels: the first paint composes them whole
  const int square = geometry_.Square();
  PixelRect covered{};
  for (const BoardArrow& arrow : arrows) {
    ComposedPixels().MarkTiles(ArrowSquares(view, arrow, square));
    covered = Union(covered, ArrowBounds(view, arrow, square));
  }
  const PixelRect r = geometry_.InControl(covered);
  const RECT rect{r.left, r.top, r.right, r.bottom};
  InvalidateRect(window_, &rect, FALSE);
  UpdateWindow(window_);
}

void WindowPlatform::ShowMessage(std::string_view text) {
  MessageBoxW(window_ ? window_ : GetActiveWindow(), board::Wide(text).c_str(), messageTitle_.c_str(), MB_OK);
}

RECT WindowPlatform::CellRect(board::CellIndex cell) const {
  const PixelRect r = geometry_.CellRect(Cells(), cell);
  return {r.left, r.top, r.right, r.bottom};
}

void WindowPlatform::InvalidateCell(board::CellIndex cell) {
  if (!window_) return;
  if (input_) input_->Changed();
  if (cellsAwaitingPaint_ >= kCellsBeforeWholeBoard) return;  // the whole window awaits its paint already
  // A whole board written (a position, a new game) invalidates the window once
  // rather than cell by cell: each invalidation is a call into the system.
  const RECT rect = CellRect(cell);
  InvalidateRect(window_, ++cellsAwaitingPaint_ < kCellsBeforeWholeBoard ? &rect : nullptr, FALSE);
}

void WindowPlatform::UpdateCell(board::CellIndex cell) {
  if (!window_) return;
  InvalidateCell(cell);
  UpdateWindow(window_);
}

// The host's operation is over when its message loop runs again.
void WindowPlatform::ScheduleSettle() {
  if (!window_ || !PostMessageW(window_, kSettleAnnouncements, 0, 0)) input_->Settle();
}

void WindowPlatform::Announce(const std::vector<Announcement>& announcements) {
  win32::Announce(window_, announcements);
}

DragMetrics WindowPlatform::Metrics() {
  const int dpi = DpiOf(window_);
  return {SystemMetricAt(SM_CXDRAG, dpi), SystemMetricAt(SM_CYDRAG, dpi), geometry_.Square()};
}

// Painted at once: the floating piece follows the pointer frame by frame.
void WindowPlatform::RepaintRect(PixelRect r) {
  if (!window_) return;
  const RECT rect{r.left, r.top, r.right, r.bottom};
  InvalidateRect(window_, &rect, FALSE);
  UpdateWindow(window_);
}

board::CellIndex WindowPlatform::CellAt(PointerPosition position) const {
  return geometry_.CellAt(Cells(), position);
}

// Hosts see the same range at every scale and size.
CellOffset WindowPlatform::OffsetIn(board::CellIndex cell, PointerPosition position) const {
  return geometry_.OffsetIn(Cells(), cell, position);
}

void WindowPlatform::CaptureMouse() { SetCapture(window_); }

void WindowPlatform::TakeFocus() {
  if (window_ && GetFocus() != window_) SetFocus(window_);
}

// The capture let go here is no capture lost: a drag ending in its release must not be put back first.
void WindowPlatform::ReleaseMouse() {
  if (!window_ || GetCapture() != window_) return;
  releasingCapture_ = true;
  ReleaseCapture();
  releasingCapture_ = false;
}

LRESULT WindowPlatform::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      cellsAwaitingPaint_ = 0;
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers every pixel
    case WM_GETDLGCODE:
      return DialogCode(lParam, HoldsPiece());
    case WM_KEYDOWN:
      if (input_ && input_->Key(KeyStrokeOf(wParam, lParam))) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (input_) OnFocus(message == WM_SETFOCUS);
      return 0;
    case WM_UPDATEUISTATE:
      DefWindowProcW(window_, message, wParam, lParam);
      if (input_) RouteUiState(*input_, wParam);
      return 0;
    case WM_GETOBJECT:
      if (input_ && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
        Accessible();  // names are announced from here on
        return services_.AccessibleObject(wParam);
      }
      if (ShownChoice() && static_cast<LONG>(lParam) == kPromotionListObject)
        return services_.PromotionListObject(wParam);
      break;
    case kSettleAnnouncements:
      if (input_) input_->Settle();
      return 0;
    case kDpiChangedAfterParent:
    case WM_SIZE:
      UpdateGeometry();
      return 0;
    case WM_TIMER:
      if (wParam == FrameTimer::kId)
        NextFrame();
      else if (wParam == kSettleTimer)
        SettlePictures();
      else
        break;
      return 0;
    case WM_CANCELMODE:  // a dialog or another window takes over: a drag ends, and DefWindowProc releases the capture
      if (input_) input_->CaptureLost();
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_ && input_ && !releasingCapture_) input_->CaptureLost();
      return 0;
  }
  // Called from here, not through a helper: a PieceDrop handler runs at the end of this path.
  if (const auto mouse = MouseMessageOf(message, wParam, lParam); mouse && input_) {
    switch (mouse->kind) {
      case MouseMessage::Kind::Press:
        input_->MousePress(mouse->button, mouse->doubleClick, mouse->shift, mouse->at);
        break;
      case MouseMessage::Kind::Release:
        input_->MouseRelease(mouse->button, mouse->buttonsHeld, mouse->shift, mouse->at);
        break;
      case MouseMessage::Kind::Move:
        input_->MouseMove(mouse->buttonsHeld, mouse->shift, mouse->at);
        break;
    }
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void WindowPlatform::OnFocus(bool focused) {
  RouteFocus(*input_, focused);
  ContainerLink::Hold hold(control_->ContainerPath());
  services_.FocusChanged(focused);
}

AccessibleBoard& WindowPlatform::Accessible() { return input_->Accessible(); }

void WindowPlatform::NextFrame() {
  if (!control_ || !control_->Slides().Frame()) frames_.Stop();
}

const PromotionChoice* WindowPlatform::ShownChoice() const noexcept {
  return control_ && control_->Promotion().Showing() ? &control_->Promotion().Choice() : nullptr;
}

RECT WindowPlatform::ChoiceItemOnScreen(size_t item) const noexcept {
  const PromotionChoice* choice = ShownChoice();
  if (!choice) return {};
  const PixelRect p = choice->ItemRect(item, {geometry_, control_->View().Flipped()});
  RECT r{p.left, p.top, p.right, p.bottom};
  if (window_) MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void WindowPlatform::ChooseChoiceItem(size_t item) {
  if (input_) input_->ChooseItem(item);
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

bool WindowPlatform::ActivateCell(board::CellIndex cell) { return input_ && input_->Activate(cell); }

void WindowPlatform::SelectCell(board::CellIndex cell) {
  if (input_) input_->Select(cell);
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
