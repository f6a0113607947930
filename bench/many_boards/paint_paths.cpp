// The paths a board paints by besides a whole repaint, each against the least
// a window can do for the same pixels: a bare window painting one prebuilt
// bitmap with BitBlt. A drag frame (the bare window repaints the squares the
// piece left and reached), Draw into a memory DC at the board's own size, an
// arrow drawn and cleared, and 40 overlapping boards repainted in turn, for
// both classes. Rounds alternate in one process.
#include "bench/many_boards/paint_paths.h"

#include <windows.h>

#include <ocidl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/many_boards/dispatch_calls.h"
#include "bench/many_boards/position_writes.h"
#include "bench/many_boards/versus_bare.h"
#include "component/identity.h"
#include "control/device_scale.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"

namespace bench {

namespace {

constexpr wchar_t kBareClass[] = L"BarePathsWindow";
constexpr int kFrames = 40, kBoards = 40, kFormWidth = 960, kFormHeight = 700;

const PrebuiltBoard* prebuilt = nullptr;
int bareSquare = 37;

// Paints from the prebuilt bitmap; a move with the left button held repaints
// the square-sized rectangles round the last point and this one, as one paint.
LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  static POINT last{-1, -1};
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      prebuilt->PaintInto(dc, paint.rcPaint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
      last = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      return 0;
    case WM_MOUSEMOVE: {
      if (!(wParam & MK_LBUTTON)) return 0;
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const int half = bareSquare / 2;
      const RECT before{last.x - half, last.y - half, last.x - half + bareSquare, last.y - half + bareSquare};
      const RECT now{at.x - half, at.y - half, at.x - half + bareSquare, at.y - half + bareSquare};
      RECT both;
      UnionRect(&both, &before, &now);
      InvalidateRect(window, &both, FALSE);
      UpdateWindow(window);
      last = at;
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND countedWindow = nullptr;
int paints = 0;

// The paints of `countedWindow`, or of every window while it is null.
LRESULT CALLBACK CountPaints(int code, WPARAM wParam, LPARAM lParam) noexcept {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && (!countedWindow || message->hwnd == countedWindow) && message->message == WM_PAINT)
    ++paints;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND MakeBare(HWND form, RECT at) {
  return CreateWindowExW(0, kBareClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, at.left, at.top,
                         at.right - at.left, at.bottom - at.top, form, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// An activated board of the class with a started game; null when it cannot be made.
std::unique_ptr<host::EmbeddedControl> MakeBoard(HWND form, RECT at, const GUID& clsid) {
  auto board = std::make_unique<host::EmbeddedControl>(form, at);
  HRESULT hr = board->Create(clsid);
  if (SUCCEEDED(hr)) hr = board->InitNew();
  if (SUCCEEDED(hr)) hr = board->Activate();
  auto dispatch = board->As<IDispatch>();
  if (SUCCEEDED(hr) && dispatch) hr = Call(dispatch.get(), IdOf(dispatch.get(), L"NewGame"), {});
  if (FAILED(hr) || !dispatch) return nullptr;
  host::PumpMessages();
  UpdateWindow(board->Window());
  return board;
}

// The d2 pawn carried up and right a few pixels a frame; per frame in
// microseconds, and the window's paints per frame into `framePaints`.
double DragFrames(HWND window, int square, double* framePaints = nullptr) {
  const POINT d2{3 * square + square / 2, 6 * square + square / 2};
  host::Mouse mouse(window);
  mouse.Press(WM_LBUTTONDOWN, d2);
  mouse.Move({d2.x + 8, d2.y - 8}, MK_LBUTTON);  // beyond the drag distance: the piece is in hand
  UpdateWindow(window);
  countedWindow = window;
  paints = 0;
  const auto start = Clock::now();
  for (int frame = 1; frame <= kFrames; ++frame) mouse.Move({d2.x + 8 + frame * 2, d2.y - 8 - frame * 3}, MK_LBUTTON);
  const double us = Microseconds(Clock::now() - start) / kFrames;
  if (framePaints) *framePaints = static_cast<double>(paints) / kFrames;
  mouse.Release(WM_LBUTTONUP, d2);  // back on its own square: no move
  host::PumpMessages();
  return us;
}

double WholeRepaint(HWND window) {
  const auto start = Clock::now();
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  return Microseconds(Clock::now() - start);
}

void PrintRow(const char* what, double control, double bare) {
  std::printf("| %s | %.1f | %.1f | %.2fx |\n", what, control, bare, control / bare);
}

// A grid of `kBoards` rectangles of `side` over the form, overlapping where they must.
std::vector<RECT> Grid(int side) {
  std::vector<RECT> places;
  const int columns = 8, rows = kBoards / columns;
  const int stepX = std::max(1, (kFormWidth - side) / (columns - 1)), stepY = std::max(1, (kFormHeight - side) / (rows - 1));
  for (int i = 0; i < kBoards; ++i) {
    const int x = i % columns * stepX, y = i / columns * stepY;
    places.push_back({x, y, x + side, y + side});
  }
  return places;
}

// Each of the windows invalidated whole and painted in turn; microseconds per window.
double InTurn(const std::vector<HWND>& windows) {
  const auto start = Clock::now();
  for (HWND window : windows) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
  }
  return Microseconds(Clock::now() - start) / windows.size();
}

// 40 boards of the class against 40 bare windows in the same places on a
// second form at the same place, one form shown at a time, rounds alternating.
bool ManyInTurn(HWND form, HWND bareForm, int side, int rounds, const GUID& clsid, const char* name) {
  std::vector<std::unique_ptr<host::EmbeddedControl>> boards;
  std::vector<HWND> real, bare;
  for (const RECT& at : Grid(side)) {
    boards.push_back(MakeBoard(form, at, clsid));
    if (!boards.back()) return false;
    real.push_back(boards.back()->Window());
    bare.push_back(MakeBare(bareForm, at));
  }
  const auto show = [&](HWND shown, HWND hidden) {
    ShowWindow(hidden, SW_HIDE);
    ShowWindow(shown, SW_SHOW);
    UpdateWindow(shown);
    host::PumpMessages();
  };
  std::vector<double> realUs, bareUs;
  int realPaints = 0;
  countedWindow = nullptr;
  for (int round = 0; round < rounds; ++round) {
    show(form, bareForm);
    // Counted apart: a hook slows every message it sees. No board keeps pixels from it but the two painted last.
    paints = 0;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId());
    InTurn(real);
    if (hook) UnhookWindowsHookEx(hook);
    realPaints += paints;
    realUs.push_back(InTurn(real));
    show(bareForm, form);
    InTurn(bare);
    bareUs.push_back(InTurn(bare));
  }
  boards.clear();
  for (HWND window : bare) DestroyWindow(window);
  host::PumpMessages();
  char what[96];
  std::snprintf(what, sizeof what, "%s, %d overlapping boards repainted in turn, per board", name, kBoards);
  PrintRow(what, Median(realUs), Median(bareUs));
  std::printf("| %s, paints per board repainted | %.2f | 1.00 | |\n", name,
              static_cast<double>(realPaints) / rounds / kBoards);
  return true;
}

}  // namespace

int RunPaintPaths(int rounds) {
  if (FAILED(OleInitialize(nullptr))) return 3;
  const control::DeviceScale scale = control::DeviceScale::FromDpi(host::DpiOf(nullptr));
  const int side = scale.Board(), square = scale.Square();
  bareSquare = square;
  HWND form = host::CreateHostWindow(L"Paint paths", kFormWidth, kFormHeight);
  PrebuiltBoard board(side), target(side);
  prebuilt = &board;
  RegisterBareClass(kBareClass, BareProcedure);
  int status = 0;
  std::printf("Paint paths at %d DPI, squares of %d, median of %d rounds, %s build\n", host::DpiOf(nullptr), square,
              rounds, sizeof(void*) == 8 ? "64-bit" : "32-bit");
  std::printf("| What | control, us | bare window, us | control / bare |\n|---|---|---|---|\n");
  {
    auto plain = MakeBoard(form, {0, 0, side, side}, component::identity::kBoardClassId);
    auto dressed = plain ? MakeBoard(form, {0, 0, side, side}, component::identity::kBoardClassId) : nullptr;
    auto dressedView = dressed ? dressed->As<IDispatch>() : nullptr;
    if (!plain || !dressedView || FAILED(DressView(dressedView.get()))) {
      std::printf("cannot place the boards\n");
      status = 1;
    } else {
      HWND bare = MakeBare(form, {0, 0, side, side});
      auto dispatch = plain->As<IDispatch>();
      auto view = plain->As<IViewObject>();
      std::vector<double> frames, dressedFrames, bareFrames, draws, blits, arrows, clears, repaints, framePaints;
      const RECTL boundsL{0, 0, side, side};
      HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId());
      // Only the window measured shows, so every paint reaches the screen.
      const auto show = [&](HWND shown) {
        for (HWND w : {plain->Window(), dressed->Window(), bare}) ShowWindow(w, w == shown ? SW_SHOW : SW_HIDE);
        UpdateWindow(shown);
      };
      for (int round = 0; round < rounds; ++round) {
        show(plain->Window());
        double perFrame = 0;
        frames.push_back(DragFrames(plain->Window(), square, &perFrame));
        framePaints.push_back(perFrame);
        repaints.push_back(WholeRepaint(plain->Window()));
        auto start = Clock::now();
        Call(dispatch.get(), IdOf(dispatch.get(), L"DrawArrow"), {Short(5), Short(2), Short(5), Short(4)});
        UpdateWindow(plain->Window());
        arrows.push_back(Microseconds(Clock::now() - start));
        start = Clock::now();
        Call(dispatch.get(), IdOf(dispatch.get(), L"ClearArrows"), {});
        UpdateWindow(plain->Window());
        clears.push_back(Microseconds(Clock::now() - start));
        start = Clock::now();
        view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, target.Dc(), &boundsL, nullptr, nullptr, 0);
        draws.push_back(Microseconds(Clock::now() - start));
        start = Clock::now();
        BitBlt(target.Dc(), 0, 0, side, side, board.Dc(), 0, 0, SRCCOPY);
        blits.push_back(Microseconds(Clock::now() - start));
        show(dressed->Window());
        dressedFrames.push_back(DragFrames(dressed->Window(), square));
        show(bare);
        bareFrames.push_back(DragFrames(bare, square));
      }
      if (hook) UnhookWindowsHookEx(hook);
      PrintRow("drag frame, a started game", Median(frames), Median(bareFrames));
      PrintRow("drag frame, with 8 marks, 4 arrows, coordinates", Median(dressedFrames), Median(bareFrames));
      std::printf("| paints per drag frame | %.2f | 1.00 | |\n", Median(framePaints));
      PrintRow("Draw into a memory DC at 1x (bare: BitBlt)", Median(draws), Median(blits));
      const double repaint = Median(repaints);
      std::printf("| whole repaint of the control | %.1f | | |\n", repaint);
      std::printf("| DrawArrow e2-e4 and its paint | %.1f | | %.2fx a whole repaint |\n", Median(arrows),
                  Median(arrows) / repaint);
      std::printf("| ClearArrows and its paint | %.1f | | %.2fx a whole repaint |\n", Median(clears),
                  Median(clears) / repaint);
      DestroyWindow(bare);
    }
  }
  DestroyWindow(form);
  host::PumpMessages();
  OleUninitialize();
  return status;
}

// In a process of its own: a second form of 40 boards in one process painted
// more slowly than the first, whichever class came first.
int RunManyInTurn(int rounds, bool board) {
  if (FAILED(OleInitialize(nullptr))) return 3;
  const control::DeviceScale scale = control::DeviceScale::FromDpi(host::DpiOf(nullptr));
  HWND form = host::CreateHostWindow(L"Boards in turn", kFormWidth, kFormHeight);
  HWND bareForm = host::CreateHostWindow(L"Bare windows in turn", kFormWidth, kFormHeight);
  PrebuiltBoard prebuiltBoard(scale.Board());
  prebuilt = &prebuiltBoard;
  RegisterBareClass(kBareClass, BareProcedure);
  std::printf("Boards in turn at %d DPI, squares of %d, median of %d rounds, %s build\n", host::DpiOf(nullptr),
              scale.Square(), rounds, sizeof(void*) == 8 ? "64-bit" : "32-bit");
  const bool placed = ManyInTurn(form, bareForm, scale.Board(), rounds,
                                 board ? component::identity::kBoardClassId : component::identity::kClassId,
                                 board ? "OvlBoard" : "OvlChess");
  if (!placed) std::printf("cannot place the boards\n");
  DestroyWindow(bareForm);
  DestroyWindow(form);
  host::PumpMessages();
  OleUninitialize();
  return placed ? 0 : 1;
}

}  // namespace bench
