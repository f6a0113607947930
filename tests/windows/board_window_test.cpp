// OvlBoard's core in the real window, without COM: its view painted on screen
// and on paper as the portable core renders it, a drag from the window's own
// messages asking PieceDrop, Escape taken only while a piece is in hand, and a
// lost capture putting the piece back.
#include <windows.h>

#include <string>
#include <vector>

#include "control/headless/headless_platform.h"
#include "control/ovl_board.h"
#include "control/view_layers.h"
#include "control/win32/window_platform.h"
#include "tests/windows/check.h"
#include "tests/windows/window_pixels.h"

namespace {

using board::CellIndex;

struct Host : test::QuietHost {
  std::vector<std::string> drops;
  bool cancel = false;
  bool Raise(control::EventCall call) override {
    if (auto* const* drop = std::get_if<control::PieceDropArguments*>(&call.arguments)) {
      control::PieceDropArguments& a = **drop;
      drops.push_back(std::to_string(a.fromCol * 10 + a.fromRow) + "-" + std::to_string(a.toCol * 10 + a.toRow));
      a.Cancel = cancel;
    }
    return true;
  }
};

std::vector<uint32_t> ScreenPixels(HWND window, int side) { return test::ScreenPixels(window, side, side); }

template <class Draw>
std::vector<uint32_t> PixelsOf(int side, Draw draw) {
  return test::PixelsOf(side, side, draw);
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

}  // namespace

int wmain() {
  Host host;
  control::win32::WindowPlatform platform(host, L"Board");
  control::OvlBoard board(platform, host);
  const auto [parent, window] = test::Show(platform, board);
  CHECK(window != nullptr);

  // The same view on the portable core: what both the screen and paper must show.
  control::headless::HeadlessPlatform reference;
  control::OvlBoard expected(reference);
  reference.shown = &expected;
  expected.UserControl_Initialize();
  for (control::OvlBoard* b : {&board, &expected}) {
    b->NewGame();
    b->Flipped(true);
    b->ShowCoordinates(true);
    b->Mark(5, 5, control::mkLastMove);
    b->DrawArrow(5, 7, 5, 5);
  }
  const int side = control::kBoardPixels;
  check::context = "screen at 96 DPI";
  CHECK(ScreenPixels(window, side) == reference.Render());
  check::context = "paper";
  CHECK(PixelsOf(side, [&](HDC dc) { platform.DrawTo(dc, RECT{0, 0, side, side}, [] { return true; }); }) ==
        reference.Render());

  // Flipped: e2 is drawn on the second row from the top, fourth from the left.
  const POINT e2{3 * 37 + 18, 37 + 18}, e4{3 * 37 + 18, 3 * 37 + 18};
  check::context = "drag e2 to e4";
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(e2));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(e4));
  CHECK_EQ(board.Moves().Lifted().value, board::SquareIndex(board::Col(5), board::Row(7)).value);
  CHECK(platform.TakesKey(VK_ESCAPE));
  // Its square bare and marked selected, the piece over everything at the pointer.
  expected.Piece(5, 7, board::None);
  expected.Mark(5, 7, control::mkSelected);
  std::vector<uint32_t> lifted = reference.Render();
  control::PaintPiece(board::ImageOf(board::Wpawn), e4.x - 18, e4.y - 18, lifted.data(), side, side, side);
  CHECK(ScreenPixels(window, side) == lifted);
  SendMessageW(window, WM_LBUTTONUP, 0, At(e4));
  CHECK_EQ(host.drops.size(), size_t{1});
  CHECK_EQ(board.Position(), std::string("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"));
  expected.Piece(5, 5, board::Wpawn);
  expected.Mark(5, 7, control::mkNone);
  CHECK(ScreenPixels(window, side) == reference.Render());
  CHECK(!platform.TakesKey(VK_ESCAPE));

  check::context = "Escape puts a selected piece down";
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(e4));
  SendMessageW(window, WM_LBUTTONUP, 0, At(e4));
  CHECK(board.Moves().Selected());
  MSG escape{};
  escape.hwnd = window, escape.message = WM_KEYDOWN, escape.wParam = VK_ESCAPE;
  CHECK((SendMessageW(window, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) & DLGC_WANTMESSAGE) != 0);
  SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
  CHECK(!board.Moves().Selected());
  CHECK((SendMessageW(window, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) & DLGC_WANTMESSAGE) == 0);

  check::context = "a lost capture puts the piece back";
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(e4));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(e2));
  CHECK(board.Moves().Lifted());
  SendMessageW(window, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(parent));
  CHECK(!board.Moves().Lifted());
  CHECK(ScreenPixels(window, side) == reference.Render());

  platform.Destroy();
  DestroyWindow(parent);
  return check::Result();
}
