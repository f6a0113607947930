#include "control/accessible_board.h"

#include <gtest/gtest.h>

#include "tests/headless_control.h"

using control::AccessibleBoard;
using control::Direction;

namespace {

struct Reader {
  HeadlessControl c;
  control::KeyboardInput keys{c.control};
  AccessibleBoard board{c.control, c.platform.Cells(), keys};

  std::string Name(int col, int row) const { return board.Name(static_cast<int16_t>((row - 1) * 8 + col)); }
};

TEST(AccessibleBoard, StartPositionNamesFromCreamsSide) {
  Reader r;
  EXPECT_EQ(r.Name(1, 1), "a8, empty");
  r.c.control.NewGame();
  EXPECT_EQ(r.Name(1, 8), "a1, cream rook");
  EXPECT_EQ(r.Name(2, 8), "b1, cream knight");
  EXPECT_EQ(r.Name(3, 8), "c1, cream bishop");
  EXPECT_EQ(r.Name(4, 8), "d1, cream queen");
  EXPECT_EQ(r.Name(5, 8), "e1, cream king");
  EXPECT_EQ(r.Name(8, 8), "h1, cream rook");
  EXPECT_EQ(r.Name(5, 7), "e2, cream pawn");
  EXPECT_EQ(r.Name(5, 5), "e4, empty");
  EXPECT_EQ(r.Name(4, 1), "d8, red queen");
  EXPECT_EQ(r.Name(5, 1), "e8, red king");
  EXPECT_EQ(r.Name(8, 2), "h7, red pawn");
  EXPECT_EQ(AccessibleBoard::Description(53), "column 5, row 7");
}

TEST(AccessibleBoard, NamesFollowWhatTheCellShowsNotTheStore) {
  Reader r;
  r.c.control.NewGame();
  r.c.control.Clear();
  EXPECT_EQ(r.c.control.Piece(5, 7), board::Wpawn);
  for (int16_t cell = 1; cell <= 64; ++cell) EXPECT_EQ(r.board.Name(cell).substr(2), ", empty") << cell;
  // A piece moved into the middle stays drawn under NewGame; the square shows it.
  r.c.control.NewGame();
  r.c.control.Piece(5, 5, board::Bknight);
  r.c.control.Piece(5, 7, board::None);
  r.c.control.NewGame();
  EXPECT_EQ(r.Name(5, 5), "e4, red knight");
  EXPECT_EQ(r.Name(5, 7), "e2, cream pawn");
  // Drawing over a piece: the image drawn last counts.
  r.c.control.Piece(1, 1, board::Wking);
  EXPECT_EQ(r.Name(1, 1), "a8, cream king");
}

TEST(AccessibleBoard, ChangedNamesAreThoseWhoseShownPieceChanged) {
  Reader r;
  EXPECT_TRUE(r.board.ChangedNames().empty());
  r.c.control.NewGame();
  const auto afterNewGame = r.board.ChangedNames();
  ASSERT_EQ(afterNewGame.size(), 32u);
  EXPECT_EQ(afterNewGame.front(), 1);
  EXPECT_EQ(afterNewGame.back(), 64);
  r.c.control.NewGame();
  EXPECT_TRUE(r.board.ChangedNames().empty());
  r.c.control.Piece(5, 7, board::Wpawn);
  EXPECT_TRUE(r.board.ChangedNames().empty());
  r.c.control.Piece(5, 5, board::Wpawn);
  r.c.control.Piece(5, 7, board::None);
  EXPECT_EQ(r.board.ChangedNames(), (std::vector<int16_t>{37, 53}));
  r.c.control.Clear();
  EXPECT_EQ(r.board.ChangedNames().size(), 32u);
}

TEST(AccessibleBoard, StatesFollowFocusCursorAndEnabled) {
  Reader r;
  EXPECT_TRUE(r.board.States(57).focusable);
  EXPECT_FALSE(r.board.States(57).focused);
  EXPECT_FALSE(r.board.States(AccessibleBoard::kSelf).focused);
  EXPECT_EQ(r.board.FocusedChild(), 0);
  r.keys.SetFocused(true);
  r.keys.Press(control::BoardKey::Up);
  EXPECT_EQ(r.board.FocusedChild(), 49);
  EXPECT_TRUE(r.board.States(49).focused);
  EXPECT_FALSE(r.board.States(57).focused);
  EXPECT_FALSE(r.board.States(AccessibleBoard::kSelf).focused);
  r.c.control.Enabled(false);
  for (int16_t child : {0, 1, 49}) {
    EXPECT_TRUE(r.board.States(child).unavailable) << child;
    EXPECT_FALSE(r.board.States(child).focusable) << child;
  }
}

TEST(AccessibleBoard, NavigationStopsAtTheEdges) {
  EXPECT_EQ(AccessibleBoard::Navigate(0, Direction::FirstChild), 1);
  EXPECT_EQ(AccessibleBoard::Navigate(0, Direction::LastChild), 64);
  EXPECT_EQ(AccessibleBoard::Navigate(0, Direction::Up), 0);
  EXPECT_EQ(AccessibleBoard::Navigate(53, Direction::Up), 45);
  EXPECT_EQ(AccessibleBoard::Navigate(53, Direction::Down), 61);
  EXPECT_EQ(AccessibleBoard::Navigate(53, Direction::Left), 52);
  EXPECT_EQ(AccessibleBoard::Navigate(53, Direction::Right), 54);
  EXPECT_EQ(AccessibleBoard::Navigate(8, Direction::Right), 0);
  EXPECT_EQ(AccessibleBoard::Navigate(9, Direction::Left), 0);
  EXPECT_EQ(AccessibleBoard::Navigate(3, Direction::Up), 0);
  EXPECT_EQ(AccessibleBoard::Navigate(62, Direction::Down), 0);
  EXPECT_EQ(AccessibleBoard::Navigate(8, Direction::Next), 9);
  EXPECT_EQ(AccessibleBoard::Navigate(64, Direction::Next), 0);
  EXPECT_EQ(AccessibleBoard::Navigate(1, Direction::Previous), 0);
  EXPECT_EQ(AccessibleBoard::Navigate(65, Direction::Up), 0);
}

}  // namespace
