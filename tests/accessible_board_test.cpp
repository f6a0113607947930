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

  std::string Name(int col, int row) const { return board.Name(board::CellIndex(static_cast<int16_t>((row - 1) * 8 + col))); }
};

// Draws a picture over what the cell shows, as the board draws its pieces.
void Draw(Reader& r, int16_t cell, int16_t image) {
  r.c.platform.DrawImage(board::ImageNumber(image), r.c.platform.CellDrawingSurface(board::CellIndex(cell)));
}

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
  // Descriptions name the colour of the square the name places: a1 dark, b1 and e2 light.
  for (const auto& [cell, colour] : {std::pair{57, "dark square"}, {58, "light square"}, {53, "light square"}})
    EXPECT_EQ(r.board.Description(board::CellIndex(static_cast<int16_t>(cell))), colour) << cell;
}

TEST(AccessibleBoard, ASquareShowingSeveralPicturesNamesThemAllTopFirst) {
  Reader r;
  // NewGame draws its pieces over what the squares already show.
  r.c.control.Piece(1, 1, board::WQueen);
  r.c.control.NewGame();
  EXPECT_EQ(r.Name(1, 1), "a8, red rook over cream queen");
  r.board.TakeChanges().names;
  Draw(r, 1, board::Wknight);
  EXPECT_EQ(r.Name(1, 1), "a8, cream knight over red rook over cream queen");
  EXPECT_EQ(r.board.TakeChanges().names, (std::vector<int16_t>{1}));
  Draw(r, 1, board::Wknight);
  EXPECT_TRUE(r.board.TakeChanges().names.empty());
}

TEST(AccessibleBoard, TheSummaryGroupsShownPiecesByColourAndKind) {
  Reader r;
  EXPECT_EQ(r.board.Summary(), "Empty board.");
  r.c.control.NewGame();
  EXPECT_EQ(r.board.Summary(),
            "Cream: king e1, queen d1, rooks a1 h1, bishops c1 f1, knights b1 g1, pawns a2 b2 c2 d2 e2 f2 g2 h2. "
            "Red: king e8, queen d8, rooks a8 h8, bishops c8 f8, knights b8 g8, pawns a7 b7 c7 d7 e7 f7 g7 h7.");
  r.c.control.Clear();
  r.c.control.Piece(5, 5, board::Bking);
  r.c.control.Piece(5, 6, board::Bpawn);
  r.c.control.Piece(5, 4, board::Bpawn);
  r.c.control.Piece(1, 3, board::Bpawn);
  EXPECT_EQ(r.board.Summary(), "Red: king e4, pawns a6 e3 e5.");
  // What the squares show counts, the top picture of each.
  Draw(r, 37, board::Wknight);
  EXPECT_EQ(r.board.Summary(), "Cream: knight e4. Red: pawns a6 e3 e5.");
}

TEST(AccessibleBoard, SummaryAndEnabledChangesAreReportedOncePerChange) {
  Reader r;
  EXPECT_FALSE(r.board.TakeChanges().summary);
  r.c.control.NewGame();
  EXPECT_TRUE(r.board.TakeChanges().summary);
  r.c.control.NewGame();
  EXPECT_FALSE(r.board.TakeChanges().summary);
  EXPECT_FALSE(r.board.TakeChanges().enabled);
  const std::pair<bool, bool> writes[] = {{false, true}, {false, false}, {true, true}, {true, false}};
  for (const auto& [enabled, changed] : writes) {
    r.c.control.Enabled(enabled);
    EXPECT_EQ(r.board.TakeChanges().enabled, changed) << enabled;
  }
}

TEST(AccessibleBoard, NamesFollowWhatTheCellShowsNotTheStore) {
  Reader r;
  r.c.control.NewGame();
  r.c.control.Clear();
  EXPECT_EQ(r.c.control.Piece(5, 7), board::Wpawn);
  for (board::CellIndex cell{1}; cell <= 64_cell; ++cell) EXPECT_EQ(r.board.Name(cell).substr(2), ", empty") << cell;
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
  EXPECT_TRUE(r.board.TakeChanges().names.empty());
  r.c.control.NewGame();
  const auto afterNewGame = r.board.TakeChanges().names;
  ASSERT_EQ(afterNewGame.size(), 32u);
  EXPECT_EQ(afterNewGame.front(), 1);
  EXPECT_EQ(afterNewGame.back(), 64);
  r.c.control.NewGame();
  EXPECT_TRUE(r.board.TakeChanges().names.empty());
  r.c.control.Piece(5, 7, board::Wpawn);
  EXPECT_TRUE(r.board.TakeChanges().names.empty());
  r.c.control.Piece(5, 5, board::Wpawn);
  r.c.control.Piece(5, 7, board::None);
  EXPECT_EQ(r.board.TakeChanges().names, (std::vector<int16_t>{37, 53}));
  r.c.control.Clear();
  EXPECT_EQ(r.board.TakeChanges().names.size(), 32u);
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
  // Disabled, the board is still explored: focusable, focus kept, unavailable.
  r.c.control.Enabled(false);
  for (int16_t child : {0, 1, 49}) {
    EXPECT_TRUE(r.board.States(child).unavailable) << child;
    EXPECT_TRUE(r.board.States(child).focusable) << child;
  }
  r.keys.Press(control::BoardKey::Right);
  EXPECT_EQ(r.board.FocusedChild(), 50);
  EXPECT_TRUE(r.board.States(50).focused);
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
