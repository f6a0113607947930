#include <gtest/gtest.h>

#include <memory>

#include "board/automation_error.h"
#include "board/squares.h"
#include "tests/error_number.h"
#include "tests/headless_control.h"

using namespace board;
using control::ControlEvent;
using control::EventArguments;

namespace {

int16_t BareImage(int cell) { return BareSquareImage(CellIndex(static_cast<int16_t>(cell))).value; }

}  // namespace

TEST(Construction, BuildsAnEmptyCheckerboardOf64CellsAt37PixelPitch) {
  HeadlessControl c;
  EXPECT_EQ(c.platform.width, 296.0f);
  EXPECT_EQ(c.platform.height, 296.0f);
  const auto& cells = c.platform.Cells();
  for (int16_t cell = 1; cell <= 64; ++cell) {
    const Square s = SquareOfIndex(CellIndex(cell));
    EXPECT_EQ(cells.Left(CellIndex(cell)), 37.0f * (s.col.value - 1)) << cell;
    EXPECT_EQ(cells.Top(CellIndex(cell)), 37.0f * (s.row.value - 1)) << cell;
    EXPECT_EQ(c.CellPixels(cell), Expected(BareImage(cell), {})) << cell;
    EXPECT_EQ(c.control.Board().Read(cell), None);
    EXPECT_EQ(c.control.Piece(s.col.value, s.row.value), None);
  }
  EXPECT_EQ(c.control.Board().Read(0), PieceCode(0));
  EXPECT_EQ(cells.CellAt(0, 0), 1_cell);
  EXPECT_EQ(cells.CellAt(295, 295), 64_cell);
  EXPECT_EQ(cells.CellAt(296, 10), 0_cell);
  EXPECT_TRUE(c.platform.messages.empty());
  EXPECT_TRUE(c.platform.changedProperties.empty());
}

TEST(Construction, IsTheSameAtDesignTime) {
  HeadlessControl design(false), run(true);
  EXPECT_EQ(design.platform.Render(), run.platform.Render());
}

TEST(Construction, StopsAtAFailingStepAndKeepsWhatItDid) {
  struct FailingAt40 : control::headless::HeadlessPlatform {
    void CreateCell(board::CellIndex cell) override {
      if (cell == 40_cell) throw AutomationError(7, "Out of memory");
      HeadlessPlatform::CreateCell(cell);
    }
  } platform;
  control::OvlChess control(platform);
  EXPECT_EQ(ErrorNumberOf([&] { control.UserControl_Initialize(); }), 7);
  EXPECT_EQ(control.Board().Read(40), None);
  EXPECT_EQ(control.Board().Read(41), PieceCode(0));
  EXPECT_TRUE(platform.Cells().Exists(39_cell));
  EXPECT_FALSE(platform.Cells().Exists(40_cell));
}

TEST(Piece, InvalidCoordinatesShowTheMessageOnceAndChangeNothing) {
  for (bool userMode : {true, false}) {
    HeadlessControl c(userMode);
    const auto before = c.platform.Render();
    EXPECT_EQ(c.control.Piece(0, 5), 0);
    EXPECT_EQ(c.control.Piece(5, 9), 0);
    EXPECT_EQ(c.control.Piece(-1, 1), 0);
    EXPECT_EQ(ErrorNumberOf([&] { c.control.Piece(1, 9, Wking); }), 0);
    EXPECT_EQ(ErrorNumberOf([&] { c.control.Piece(9, 4, Wking); }), 0);
    EXPECT_EQ(c.platform.messages, std::vector<std::string>(5, "Invalid request"));
    EXPECT_TRUE(c.platform.changedProperties.empty());
    EXPECT_EQ(SavedPiece(c.control), 0);
    EXPECT_EQ(c.platform.Render(), before);
  }
}

TEST(Piece, WriteAtRunTimeStoresNotifiesAndDrawsOverTheBareSquare) {
  HeadlessControl c;
  c.control.Piece(3, 4, Wking);
  EXPECT_EQ(c.control.Board().Read(27), Wking);
  EXPECT_EQ(SavedPiece(c.control), Wking);
  EXPECT_EQ(c.control.Piece(3, 4), Wking);
  EXPECT_EQ(c.platform.changedProperties, std::vector<std::string>{"Piece"});
  EXPECT_EQ(c.CellPixels(27), Expected(14, {Wking}));

  c.control.Piece(1, 1, Bpawn);
  EXPECT_EQ(c.CellPixels(1), Expected(1, {Bpawn}));

  // Writing a square replaces what it showed; the same value again notifies again.
  c.control.Piece(3, 4, Wknight);
  c.control.Piece(3, 4, Wknight);
  EXPECT_EQ(c.CellPixels(27), Expected(14, {Wknight}));
  c.control.Piece(3, 4, None);
  EXPECT_EQ(c.control.Board().Read(27), None);
  EXPECT_EQ(c.CellPixels(27), Expected(14, {}));
  EXPECT_EQ(c.platform.changedProperties.size(), 5u);
  EXPECT_TRUE(c.platform.messages.empty());
}

TEST(Piece, WriteAtDesignTimeFailsWith382AndChangesNothing) {
  HeadlessControl c(false);
  const auto before = c.platform.Render();
  EXPECT_EQ(ErrorNumberOf([&] { c.control.Piece(3, 4, Wking); }), 382);
  EXPECT_EQ(c.control.Piece(3, 4), None);
  EXPECT_EQ(SavedPiece(c.control), 0);
  EXPECT_TRUE(c.platform.changedProperties.empty());
  EXPECT_EQ(c.platform.Render(), before);
}

TEST(Piece, ValueBeyond16BitsOverflowsBeforeAnythingChanges) {
  HeadlessControl c;
  c.control.Piece(2, 2, Bbishop);
  c.platform.changedProperties.clear();
  for (int32_t value : {32768, -32769, 40000}) {
    EXPECT_EQ(ErrorNumberOf([&] { c.control.Piece(2, 2, value); }), 6);
  }
  EXPECT_EQ(c.control.Piece(2, 2), Bbishop);
  EXPECT_EQ(SavedPiece(c.control), Bbishop);
  EXPECT_TRUE(c.platform.changedProperties.empty());
  EXPECT_EQ(c.CellPixels(10), Expected(1, {Bbishop}));
}

TEST(Piece, ValueWithoutAnImageIsStoredShownBareAndFailsTheLookup) {
  HeadlessControl c;
  c.control.Piece(3, 4, Wking);
  for (int32_t value : {0, 15, -32768, 32767}) {
    c.platform.changedProperties.clear();
    EXPECT_EQ(ErrorNumberOf([&] { c.control.Piece(3, 4, value); }), 35600) << value;
    EXPECT_EQ(c.control.Piece(3, 4), value);
    EXPECT_EQ(SavedPiece(c.control), value);
    EXPECT_EQ(c.platform.changedProperties, std::vector<std::string>{"Piece"});
    EXPECT_EQ(c.CellPixels(27), Expected(14, {}));
  }
}

// The image list refuses a number it lacks, with the number and text its hosts know, before drawing anything.
TEST(DrawImage, ANumberTheListLacksFailsIndexOutOfBoundsAndLeavesTheCellAsItWas) {
  HeadlessControl c;
  c.control.Piece(3, 4, Wking);
  const auto before = c.CellPixels(27);
  for (int16_t image : {0, 15, -1, INT16_MAX}) {
    try {
      c.platform.DrawImage(ImageNumber(image), c.platform.CellDrawingSurface(27_cell));
      ADD_FAILURE() << image << " drawn";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.number(), 35600) << image;
      EXPECT_STREQ(e.what(), "Index out of bounds") << image;
    }
    EXPECT_EQ(c.platform.Cells().Layers(27_cell).size(), 1u) << image;
    EXPECT_EQ(c.CellPixels(27), before) << image;
  }
}

TEST(Piece, Image14DrawsTheDarkSquareOverALightOne) {
  HeadlessControl c;
  c.control.Piece(1, 1, 14);
  EXPECT_EQ(c.control.Piece(1, 1), 14);
  EXPECT_EQ(c.CellPixels(1), Expected(14, {}));
}

TEST(NewGame, SetsUpTheStartingPositionInCodesAndPictures) {
  HeadlessControl c;
  c.control.NewGame();
  const int32_t backRank[2][8] = {{Brook, Bknight, Bbishop, BQueen, Bking, Bbishop, Bknight, Brook},
                                  {Wrook, Wknight, Wbishop, WQueen, Wking, Wbishop, Wknight, Wrook}};
  for (int16_t col = 1; col <= 8; ++col) {
    const int32_t expected[8] = {backRank[0][col - 1], Bpawn, None, None, None, None, Wpawn, backRank[1][col - 1]};
    for (int16_t row = 1; row <= 8; ++row) {
      const int16_t cell = SquareIndex(Col(col), Row(row)).value;
      EXPECT_EQ(c.control.Piece(col, row), expected[row - 1]) << col << "," << row;
      const int32_t code = expected[row - 1];
      EXPECT_EQ(c.CellPixels(cell), code == None ? Expected(BareImage(cell), {}) : Expected(BareImage(cell), {code}));
    }
  }
  EXPECT_EQ(c.control.Board().Read(0), PieceCode(0));
  EXPECT_TRUE(c.platform.changedProperties.empty());

  const auto once = c.platform.Render();
  c.control.NewGame();
  EXPECT_EQ(c.platform.Render(), once);
}

TEST(NewGame, ManyGamesOverAPlayedBoardShowWhatOneGameShows) {
  HeadlessControl c;
  for (int game = 0; game < 30; ++game) {
    c.control.NewGame();
    c.control.Piece(5, 4, Wpawn);
    c.control.Piece(2, 3, Bknight);
  }
  c.control.NewGame();
  HeadlessControl fresh;
  fresh.control.Piece(5, 4, Wpawn);
  fresh.control.Piece(2, 3, Bknight);
  fresh.control.NewGame();
  EXPECT_EQ(c.platform.Render(), fresh.platform.Render());
}

TEST(Refresh, AWriteShowsItsCellAtOnceAndNewGameShowsEveryCell) {
  HeadlessControl c;
  c.control.Piece(3, 4, Wknight);
  EXPECT_EQ(c.platform.refreshedCells, std::vector<int16_t>{SquareIndex(3_col, 4_row).value});
  c.platform.refreshedCells.clear();
  c.control.NewGame();
  std::vector<int16_t> every(64);
  for (int16_t cell = 1; cell <= 64; ++cell) every[cell - 1] = cell;
  EXPECT_EQ(c.platform.refreshedCells, every);
}

TEST(NewGame, DrawsOverWhatTheCellsShowAndKeepsRowsThreeToSix) {
  HeadlessControl c;
  c.control.Piece(3, 4, Wknight);
  c.control.Piece(2, 1, Bbishop);  // the red knight's square
  c.control.NewGame();
  EXPECT_EQ(c.control.Piece(3, 4), Wknight);
  EXPECT_EQ(c.CellPixels(27), Expected(14, {Wknight}));
  // The bishop stays visible wherever the knight's picture is black.
  EXPECT_EQ(c.CellPixels(2), Expected(14, {Bbishop, Bknight}));
  EXPECT_NE(Expected(14, {Bbishop, Bknight}), Expected(14, {Bknight}));
}

TEST(Clear, RepaintsBareSquaresAndKeepsTheCodes) {
  HeadlessControl c;
  const auto empty = c.platform.Render();
  c.control.Clear();
  EXPECT_EQ(c.platform.Render(), empty);
  c.control.NewGame();
  c.control.Clear();
  EXPECT_EQ(c.platform.Render(), empty);
  EXPECT_EQ(c.control.Piece(1, 1), Brook);
  EXPECT_EQ(c.control.Piece(5, 8), Wking);
  c.control.NewGame();
  HeadlessControl fresh;
  fresh.control.NewGame();
  EXPECT_EQ(c.platform.Render(), fresh.platform.Render());
}

TEST(Pictures, KnightStrokeShowsTheWoodOfEitherSquare) {
  HeadlessControl c;
  c.control.Piece(1, 1, Wknight);
  c.control.Piece(2, 1, Bknight);
  const auto light = c.CellPixels(1), dark = c.CellPixels(2);
  const auto lightWood = Expected(1, {}), darkWood = Expected(14, {});
  const auto& knight = control::PictureSet::Shared().Lookup(ImageOf(Wknight)).pixels;
  int stroke = 0;
  for (size_t i = 0; i < knight.size(); ++i) {
    if (knight[i] != 0) continue;
    EXPECT_EQ(light[i], lightWood[i]);
    EXPECT_EQ(dark[i], darkWood[i]);
    // Black inside the piece's bounding rows and between two piece pixels is the stroke.
    const int x = static_cast<int>(i % HeadlessControl::kCell);
    bool left = false, right = false;
    for (int d = 1; d <= x; ++d) left |= knight[i - d] != 0;
    for (int d = 1; x + d < HeadlessControl::kCell; ++d) right |= knight[i + d] != 0;
    stroke += left && right;
  }
  EXPECT_GE(stroke, 1);
  for (uint32_t pixel : c.platform.Render()) EXPECT_NE(pixel, 0u);
}

TEST(EnabledAndRefresh, PassThroughToTheHostAndNotifyOnEveryWrite) {
  HeadlessControl c;
  EXPECT_TRUE(c.control.Enabled());
  c.control.Enabled(false);
  EXPECT_FALSE(c.control.Enabled());
  EXPECT_FALSE(c.platform.enabled);
  c.control.Enabled(false);
  c.control.Enabled(true);
  EXPECT_EQ(c.platform.changedProperties, std::vector<std::string>(3, "Enabled"));
  const auto before = c.platform.Render();
  c.control.Refresh();
  EXPECT_EQ(c.platform.repaints, 1);
  EXPECT_EQ(c.platform.Render(), before);
}

TEST(EnabledAndRefresh, AFailedWriteSendsNoNotification) {
  struct Refusing : control::headless::HeadlessPlatform {
    void SetEnabled(bool) override { throw AutomationError(5, "Invalid procedure call or argument"); }
  } platform;
  control::OvlChess control(platform);
  control.UserControl_Initialize();
  EXPECT_EQ(ErrorNumberOf([&] { control.Enabled(false); }), 5);
  EXPECT_TRUE(platform.changedProperties.empty());
}

namespace {
struct Recorded {
  ControlEvent event;
  EventArguments arguments;
};
}  // namespace

TEST(Events, EachCellEventBecomesTheControlsEventWithItsSquare) {
  HeadlessControl c;
  std::vector<Recorded> seen;
  c.platform.onEvent = [&](ControlEvent e, EventArguments& a) {
    seen.push_back({e, a});
    a = {9, 9, 9, 9, 9, 9};  // a handler's writes must change nothing
  };
  for (int16_t index = 1; index <= 64; ++index) {
    seen.clear();
    c.control.Check_MouseDown(CellIndex(index), 1, 2, 3.5f, 36.0f);
    c.control.Check_MouseMove(CellIndex(index), 4, 7, 0.0f, 1.25f);
    c.control.Check_MouseUp(CellIndex(index), 2, 0, 10.0f, 11.0f);
    c.control.Check_Click(CellIndex(index));
    c.control.Check_DblClick(CellIndex(index));
    const Square s = SquareOfIndex(CellIndex(index));
    ASSERT_EQ(seen.size(), 5u);
    const ControlEvent order[] = {ControlEvent::MouseDown, ControlEvent::MouseMove, ControlEvent::MouseUp,
                                  ControlEvent::Click, ControlEvent::DblClick};
    for (size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(seen[i].event, order[i]);
      EXPECT_EQ(seen[i].arguments.col, s.col.value);
      EXPECT_EQ(seen[i].arguments.row, s.row.value);
    }
    EXPECT_EQ(seen[0].arguments.Button, 1);
    EXPECT_EQ(seen[0].arguments.Shift, 2);
    EXPECT_EQ(seen[0].arguments.X, 3.5f);
    EXPECT_EQ(seen[0].arguments.Y, 36.0f);
    EXPECT_EQ(seen[1].arguments.Button, 4);
    EXPECT_EQ(seen[1].arguments.Shift, 7);
    EXPECT_EQ(seen[1].arguments.Y, 1.25f);
    EXPECT_EQ(seen[2].arguments.Button, 2);
  }
  EXPECT_EQ((std::pair{seen[0].arguments.col, seen[0].arguments.row}), (std::pair<int16_t, int16_t>{8, 8}));
  EXPECT_EQ(c.control.Piece(8, 8), None);
}

TEST(Events, AHandlerMayWriteTheBoardOrReleaseTheControl) {
  control::headless::HeadlessPlatform platform;
  auto chess = std::make_unique<control::OvlChess>(platform);
  chess->UserControl_Initialize();
  platform.onEvent = [&](ControlEvent, EventArguments& a) { chess->Piece(a.col, a.row, WQueen); };
  chess->Check_Click(27_cell);
  EXPECT_EQ(chess->Piece(3, 4), WQueen);

  platform.onEvent = [&](ControlEvent, EventArguments&) { chess.reset(); };
  chess->Check_MouseUp(27_cell, 1, 0, 1, 1);  // must not touch the released control afterwards
  EXPECT_EQ(chess, nullptr);
}
