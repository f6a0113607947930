#include "control/promotion_choice.h"

#include <gtest/gtest.h>

#include <vector>

#include "control/focus_cue.h"
#include "tests/error_number.h"
#include "tests/headless_control.h"

using namespace board::literals;
using control::DrawnBoard;
using control::BoardKey;
using control::PromotionChoice;

namespace {

int CentreX(control::PixelRect r) { return (r.left + r.right) / 2; }
int CentreY(control::PixelRect r) { return (r.top + r.bottom) / 2; }

TEST(PromotionChoice, FourPiecesOfThePawnsColourRunFromItsSquareTowardTheCentreEitherWayUp) {
  struct Case {
    board::Square square;
    board::PieceNum pawn;
    DrawnBoard geometry;
    int firstTop, step;  // in squares of the drawn board, which lies centred in the control
    board::PieceNum queen, bishop;
  };
  for (const Case& c : {
           Case{{5_col, 1_row}, board::Wpawn, Drawn(37, false), 0, 1, board::WQueen, board::Wbishop},
           Case{{5_col, 8_row}, board::Bpawn, Drawn(37, false, 0, 90), 7, -1, board::BQueen, board::Bbishop},
           Case{{5_col, 1_row}, board::Wpawn, Drawn(74, true), 7, -1, board::WQueen, board::Wbishop},
           Case{{2_col, 5_row}, board::Bpawn, Drawn(46, false, 200), 4, -1, board::BQueen, board::Bbishop},
           Case{{2_col, 5_row}, board::Bpawn, Drawn(46, true, 0, 7), 3, 1, board::BQueen, board::Bbishop},
       }) {
    PromotionChoice choice;
    choice.Open(c.square, c.pawn);
    const int q = c.geometry.Square();
    const int column = c.geometry.flipped ? 8 - c.square.col.value : c.square.col.value - 1;
    const int left = c.geometry.geometry.Left() + column * q;
    for (size_t item = 0; item < PromotionChoice::kItemCount; ++item) {
      const control::PixelRect r = choice.ItemRect(item, c.geometry);
      const int top = c.geometry.geometry.Top() + (c.firstTop + c.step * static_cast<int>(item)) * q;
      EXPECT_EQ(std::vector<int>({r.left, r.top, r.right, r.bottom}), std::vector<int>({left, top, left + q, top + q}))
          << c.square.col << "," << c.square.row << " item " << item;
    }
    EXPECT_EQ(choice.Item(0), board::PieceCode(c.queen));
    EXPECT_EQ(choice.Item(3), board::PieceCode(c.bishop));
  }
  PromotionChoice choice;
  choice.Open({5_col, 1_row}, board::Wpawn);
  EXPECT_EQ(choice.ItemName(1), "cream knight");
  choice.Open({5_col, 8_row}, board::Bpawn);
  EXPECT_EQ(choice.ItemName(2), "red rook");
  EXPECT_EQ(PromotionChoice::kListName, "Promote to");
  for (board::PieceNum notAPawn : {board::None, board::WQueen, board::Bking})
    EXPECT_EQ(ErrorNumberOf([&] { choice.Open({1_col, 1_row}, notAPawn); }), 5);
}

TEST(PromotionChoice, TheKeysMoveAsTheEyeSeesChooseAndAreAllTaken) {
  struct Case {
    board::Square square;
    bool flipped;
    std::vector<BoardKey> keys;
    board::PieceNum chosen;
  };
  for (const Case& c : {
           Case{{5_col, 1_row}, false, {BoardKey::Down, BoardKey::Enter}, board::Wknight},
           Case{{5_col, 1_row}, false, {BoardKey::End, BoardKey::Down, BoardKey::Enter}, board::Wbishop},
           Case{{5_col, 1_row}, true, {BoardKey::Up, BoardKey::Up, BoardKey::Enter}, board::Wrook},
           Case{{5_col, 1_row}, true, {BoardKey::Home, BoardKey::Left, BoardKey::Enter}, board::Wbishop},
       }) {
    PromotionChoice choice;
    choice.Open(c.square, board::Wpawn);
    control::ChoiceStep step;
    for (BoardKey key : c.keys) step = choice.Key(key, Drawn(37, c.flipped));
    EXPECT_EQ(step.chosen, board::PieceCode(c.chosen)) << c.flipped << " after " << c.keys.size() << " keys";
    EXPECT_FALSE(choice.Showing());
  }
  PromotionChoice choice;
  choice.Open({5_col, 1_row}, board::Wpawn);
  EXPECT_TRUE(choice.Key(BoardKey::Down, {}).highlightMoved);
  EXPECT_FALSE(choice.Key(BoardKey::Right, {}).highlightMoved);
  EXPECT_FALSE(choice.Key(BoardKey::Right, {}).chosen);
  EXPECT_EQ(choice.Dismiss().chosen, board::PieceCode(board::None));
  EXPECT_FALSE(choice.Showing());
  EXPECT_FALSE(choice.Dismiss().chosen) << "nothing to dismiss";
  EXPECT_FALSE(choice.Key(BoardKey::Enter, {}).chosen);
}

TEST(PromotionChoice, AClickOnAPieceChoosesItAndAPressElsewhereDismisses) {
  const DrawnBoard geometry = Drawn(55, true, 30, 0);
  PromotionChoice choice;
  choice.Open({3_col, 8_row}, board::Bpawn);
  const control::PixelRect rook = choice.ItemRect(2, geometry);
  EXPECT_TRUE(choice.Press(CentreX(rook), CentreY(rook), geometry).highlightMoved);
  EXPECT_FALSE(choice.Release(rook.right + 5, CentreY(rook), geometry).chosen) << "released off the piece";
  EXPECT_TRUE(choice.Showing());
  choice.Press(CentreX(rook), CentreY(rook), geometry);
  EXPECT_EQ(choice.Release(rook.left, rook.top, geometry).chosen, board::PieceCode(board::Brook));

  choice.Open({3_col, 8_row}, board::Bpawn);
  EXPECT_EQ(choice.Press(rook.right + 5, CentreY(rook), geometry).chosen, board::PieceCode(board::None));
  EXPECT_FALSE(choice.Release(rook.right + 5, CentreY(rook), geometry).chosen);
}

TEST(PromotionChoice, PaintsTilesWithTheirPiecesAndOutlinesTheHighlightedOne) {
  const DrawnBoard geometry = Drawn(37, false);
  const int side = 8 * geometry.Square();
  std::vector<uint32_t> pixels(side * side, 0x123456);
  PromotionChoice choice;
  choice.Open({5_col, 1_row}, board::Wpawn);
  choice.Key(BoardKey::Down, geometry);
  control::PaintPromotionChoice(choice, geometry, control::PictureSet::ForSize(37), pixels.data(), side, side, side);
  auto at = [&](int x, int y) { return pixels[y * side + x]; };
  const control::PixelRect queen = choice.ItemRect(0, geometry), knight = choice.ItemRect(1, geometry);
  EXPECT_NE(at(queen.left + 3, queen.top + 3), 0x123456u) << "a tile covers the board";
  EXPECT_NE(at(CentreX(queen), CentreY(queen)), at(queen.left + 3, queen.top + 3)) << "with its piece";
  // Cream pieces stand on dark tiles: the cue's inner band is light.
  EXPECT_EQ(at(knight.left, CentreY(knight)), control::FocusCue::kDark);
  EXPECT_EQ(at(knight.left + 2, CentreY(knight)), control::FocusCue::kLight);
  EXPECT_NE(at(queen.left + 2, CentreY(queen)), control::FocusCue::kLight);
  EXPECT_EQ(at(CentreX(queen), choice.Bounds(geometry).bottom), 0x123456u) << "nothing below the column";
}

}  // namespace
