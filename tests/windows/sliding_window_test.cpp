// A sliding piece in the real window, without COM, the window's clock in the
// test's hand: 400 ms into a 1000 ms MovePiece the pawn is drawn between e2 and
// e4 while Position already reads the new placement, the frame repaints only
// where the pawn was and is, the end is the unanimated board, with Windows'
// client-area animation off the first paint is already final, and on a board
// centred in a wider window the pawn slides where that board's squares are.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "board/fen.h"
#include "control/headless/headless_platform.h"
#include "control/ovl_board.h"
#include "control/view_layers.h"
#include "control/win32/window_platform.h"
#include "tests/windows/check.h"
#include "tests/windows/window_pixels.h"

namespace {

using namespace std::chrono_literals;

std::vector<uint32_t> ScreenPixels(HWND window, int side, int width = 0) {
  return test::ScreenPixels(window, width ? width : side, side);
}

void SetClientAreaAnimation(bool on) {
  SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(on)), 0);
}

constexpr char kStart[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
constexpr char kE4[] = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR";

}  // namespace

int wmain() {
  test::QuietHost host;
  control::ManualClock clock;
  control::win32::WindowPlatform platform(host, L"Board", clock);
  control::OvlBoard board(platform, host);
  const auto [parent, window] = test::Show(platform, board);
  CHECK(window != nullptr);
  const int side = control::kBoardPixels;
  SetClientAreaAnimation(true);

  // The board as written, unanimated, on the portable core.
  control::headless::HeadlessPlatform reference;
  control::OvlBoard expected(reference);
  reference.shown = &expected;
  expected.UserControl_Initialize();
  expected.Position(L"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR");

  check::context = "400 ms into a 1000 ms slide";
  board.NewGame();
  board.AnimationTime(1000);
  ScreenPixels(window, side);
  control::PieceAnimation slide(clock);
  const control::DrawnBoard geometry{control::BoardGeometry::Filling(side, side), false};
  slide.Start(board::ReadPlacement(kStart), board::ReadPlacement(kE4), 1000ms, geometry);
  board.MovePiece(5, 7, 5, 5);
  CHECK_EQ(board.Position(), std::string(kE4));
  ScreenPixels(window, side);
  const control::PixelRect atStart = slide.Pieces(geometry)[0].rect;
  clock.Advance(400ms);
  slide.NextFrame(geometry);
  // Painted over, so what the frame repaints shows.
  HDC screen = GetDC(window);
  const RECT all{0, 0, side, side};
  FillRect(screen, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(window, screen);
  SendMessageW(window, WM_TIMER, control::win32::FrameTimer::kId, 0);
  const control::PixelRect at = slide.Pieces(geometry)[0].rect;
  CHECK(at.top > atStart.top - 2 * control::kPictureSize && at.top < atStart.top);  // between e2 and e4
  std::vector<uint32_t> between(static_cast<size_t>(side) * side);
  const control::PictureSet& pictures = control::PictureSet::ForSize(control::kPictureSize);
  control::ComposeShown(reference.Cells(), expected.View(), {}, {0, 0, side, side}, pictures, 0, between.data(), side,
                        &slide);
  control::PaintSlidingPieces(slide, geometry, {0, 0, side, side}, between.data(), side, pictures);
  // Where the pawn was and where it is, nothing else.
  const std::vector<uint32_t> frame = ScreenPixels(window, side);
  int wrong = 0;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const bool repainted = x >= at.left && x < at.right && y >= at.top && y < atStart.bottom;
      wrong += frame[y * side + x] != (repainted ? between[y * side + x] : 0);
    }
  CHECK_EQ(wrong, 0);
  InvalidateRect(window, nullptr, FALSE);
  CHECK(ScreenPixels(window, side) == between);

  check::context = "after the slide";
  clock.Advance(600ms);
  SendMessageW(window, WM_TIMER, control::win32::FrameTimer::kId, 0);
  CHECK(!board.Slides().Animation().Running());
  CHECK(ScreenPixels(window, side) == reference.Render());

  check::context = "client-area animation off";
  SetClientAreaAnimation(false);
  board.NewGame();
  ScreenPixels(window, side);
  board.MovePiece(5, 7, 5, 5);
  CHECK(!board.Slides().Animation().Running());
  CHECK(ScreenPixels(window, side) == reference.Render());
  SetClientAreaAnimation(true);

  check::context = "400 ms into a slide on a board centred in a wider window";
  const int wider = side + 100;
  platform.SetPosition(RECT{0, 0, wider, side});
  board.NewGame();
  ScreenPixels(window, side, wider);
  board.MovePiece(5, 7, 5, 5);
  clock.Advance(400ms);
  SendMessageW(window, WM_TIMER, control::win32::FrameTimer::kId, 0);
  InvalidateRect(window, nullptr, FALSE);
  const std::vector<uint32_t> centred = ScreenPixels(window, side, wider);
  int misplaced = 0;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) misplaced += centred[y * wider + x + 50] != between[y * side + x];
  CHECK_EQ(misplaced, 0);

  platform.Destroy();
  DestroyWindow(parent);
  return check::Result();
}
