#include "bench/many_boards/naive_board.h"

#include <cmath>

#include "control/win32/window_platform.h"

namespace bench {
namespace {

constexpr wchar_t kBoardClass[] = L"NaiveBoard";
constexpr wchar_t kCellClass[] = L"NaiveBoardCell";
constexpr int kCell = control::kPictureSize;

void RegisterClasses(WNDPROC cellProcedure) {
  static const bool registered = [cellProcedure] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kBoardClass;
    RegisterClassW(&windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = cellProcedure;
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = kCellClass;
    RegisterClassW(&windowClass);
    return true;
  }();
  (void)registered;
}

// One screen DC for the whole process, so the per-cell work is only the bitmap's.
HDC ScreenDc() {
  static const HDC screen = GetDC(nullptr);
  return screen;
}

}  // namespace

NaiveBoard::NaiveBoard(HWND parent, POINT place) {
  RegisterClasses(&CellProcedure);
  window_ = CreateWindowExW(0, kBoardClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, place.x,
                            place.y, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  AddCellWindow(board::kFirstCell, true);  // cell 1 exists from the start, the others are created by the control
  control_.UserControl_Initialize();
  control_.UserControl_InitProperties();
}

NaiveBoard::~NaiveBoard() {
  DestroyWindow(window_);  // and the cells' windows with it
  for (Cell& cell : cells_)
    if (cell.bitmap) {
      DeleteObject(cell.bitmap);
      --liveBitmaps_;
    }
}

void NaiveBoard::SetWidth(float width) {
  RECT r;
  GetWindowRect(window_, &r);
  SetWindowPos(window_, nullptr, 0, 0, std::lround(width), r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

void NaiveBoard::SetHeight(float height) {
  RECT r;
  GetWindowRect(window_, &r);
  SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, std::lround(height), SWP_NOMOVE | SWP_NOZORDER);
}

void NaiveBoard::Repaint() { RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW); }

bool NaiveBoard::Raise(control::EventCall call) {
  if (call.event == control::ControlEvent::Click) ++clicks_;
  return true;
}

void NaiveBoard::CreateCell(board::CellIndex cell) {
  GridPlatform::CreateCell(cell);
  AddCellWindow(cell, false);
}

void NaiveBoard::SetCellVisible(board::CellIndex cell, bool visible) {
  GridPlatform::SetCellVisible(cell, visible);
  ShowWindow(cells_[cell.value].window, visible ? SW_SHOWNA : SW_HIDE);
}

// Each cell keeps its own picture: setting or drawing on it redraws its bitmap.
void NaiveBoard::SetCellPicture(board::CellIndex cell, board::Picture picture) {
  GridPlatform::SetCellPicture(cell, picture);
  Recompose(cell);
}

void NaiveBoard::DrawImage(board::ImageNumber image, board::DrawingSurface surface) {
  GridPlatform::DrawImage(image, surface);
  Recompose(surface.cell);
}

void NaiveBoard::InvalidateCell(board::CellIndex cell) {
  const control::PixelRect r = Cells().Bounds(cell);
  SetWindowPos(cells_[cell.value].window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  InvalidateRect(cells_[cell.value].window, nullptr, FALSE);
}

void NaiveBoard::UpdateCell(board::CellIndex cell) {
  InvalidateRect(cells_[cell.value].window, nullptr, FALSE);
  UpdateWindow(cells_[cell.value].window);
}

void NaiveBoard::AddCellWindow(board::CellIndex cell, bool visible) {
  Cell& c = cells_[cell.value];
  c.window = CreateWindowExW(0, kCellClass, L"", WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0), 0, 0, kCell,
                             kCell, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(cell.value)),
                             GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(c.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  c.bitmap = CreateCompatibleBitmap(ScreenDc(), kCell, kCell);
  ++liveBitmaps_;
}

void NaiveBoard::Recompose(board::CellIndex cell) {
  uint32_t pixels[kCell * kCell];
  Cells().ComposeCell(cell, pixels, kCell);
  const BITMAPINFO info = control::win32::TopDownBitmap(kCell, kCell);
  SetDIBits(ScreenDc(), cells_[cell.value].bitmap, 0, kCell, pixels, &info, DIB_RGB_COLORS);
  InvalidateRect(cells_[cell.value].window, nullptr, FALSE);
}

void NaiveBoard::OnCellMouse(board::CellIndex cell, UINT message, POINT point) {
  const float x = static_cast<float>(point.x), y = static_cast<float>(point.y);
  if (message == WM_LBUTTONDOWN) {
    SetCapture(cells_[cell.value].window);
    control_.Check_MouseDown(cell, 1, 0, x, y);
  } else if (message == WM_LBUTTONUP) {
    ReleaseCapture();
    control_.Check_MouseUp(cell, 1, 0, x, y);
    if (point.x >= 0 && point.y >= 0 && point.x < kCell && point.y < kCell) control_.Check_Click(cell);
  } else if (message == WM_MOUSEMOVE) {
    control_.Check_MouseMove(cell, 0, 0, x, y);
  }
}

LRESULT CALLBACK NaiveBoard::CellProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* board = reinterpret_cast<NaiveBoard*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  const board::CellIndex cell(static_cast<int16_t>(GetDlgCtrlID(window)));
  if (board && message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, board->cells_[cell.value].bitmap);
    BitBlt(dc, 0, 0, kCell, kCell, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    EndPaint(window, &paint);
    return 0;
  }
  if (board && (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_MOUSEMOVE)) {
    board->OnCellMouse(cell, message, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace bench
