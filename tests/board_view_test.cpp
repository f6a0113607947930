#include "control/board_view.h"

#include <gtest/gtest.h>

#include "board/automation_error.h"
#include "tests/error_number.h"

using board::Square;
using namespace board::literals;
using control::BoardView;

namespace {

TEST(BoardView, FlippedMirrorsEachSquareBothWaysAndTurnsTheArrowKeys) {
  BoardView view;
  view.SetFlipped(true);
  for (auto [onBoard, drawn] : {std::pair<Square, Square>{{1_col, 1_row}, {8_col, 8_row}}, {{5_col, 7_row}, {4_col, 2_row}}, {{8_col, 1_row}, {1_col, 8_row}}}) {
    EXPECT_EQ(view.DrawnAt(onBoard), drawn);
    EXPECT_EQ(view.DrawnAt(drawn), onBoard);
    const board::CellIndex cell = board::SquareIndex(onBoard.col, onBoard.row);
    EXPECT_EQ(view.DrawnAt(cell), board::SquareIndex(drawn.col, drawn.row));
    EXPECT_EQ(view.Placement(cell).left, (drawn.col.value - 1) * 37.0f);
    EXPECT_EQ(view.Placement(cell).top, (drawn.row.value - 1) * 37.0f);
  }
  using K = control::BoardKey;
  for (auto [seen, onBoard] : {std::pair{K::Left, K::Right}, {K::Up, K::Down}, {K::End, K::Home},
                               {K::PageUp, K::PageDown}, {K::Enter, K::Enter}}) {
    EXPECT_EQ(view.KeyOnBoard(seen), onBoard);
    EXPECT_EQ(view.KeyOnBoard(onBoard), seen);
    EXPECT_EQ(BoardView().KeyOnBoard(seen), seen);
  }
}

TEST(BoardView, MarksAndArrowsAreKeptNamedAndRefusedOffTheBoardOrPastTheirLimits) {
  BoardView view;
  EXPECT_TRUE(view.SetMark(5, 5, control::mkLastMove));
  EXPECT_FALSE(view.SetMark(5, 5, control::mkLastMove));
  EXPECT_TRUE(view.SetMark(1, 8, control::mkTarget));
  EXPECT_EQ(view.Mark(5, 5), control::mkLastMove);
  EXPECT_EQ(view.Mark(4, 5), control::mkNone);
  for (auto [col, row] : {std::pair<int16_t, int16_t>{0, 1}, {9, 1}, {1, 0}, {1, 9}}) {
    EXPECT_EQ(ErrorNumberOf([&] { view.Mark(col, row); }), 381);
    EXPECT_EQ(ErrorNumberOf([&] { view.SetMark(col, row, control::mkCheck); }), 381);
  }
  for (int32_t kind : {-1, 5}) EXPECT_EQ(ErrorNumberOf([&] { view.SetMark(2, 2, kind); }), 380) << kind;
  EXPECT_EQ(view.ClearMarks(), (std::vector<board::CellIndex>{37_cell, 57_cell}));
  EXPECT_TRUE(view.ClearMarks().empty());
  EXPECT_EQ(control::MarkedName("e4, cream pawn", control::mkLastMove), "e4, cream pawn, last move");
  EXPECT_EQ(control::MarkedName("c3, empty", control::mkNone), "c3, empty");

  EXPECT_EQ(view.ArrowsDescription(), "");
  view.DrawArrow(5, 7, 5, 5);
  view.DrawArrow(7, 8, 6, 6);
  view.DrawArrow(5, 7, 5, 5);  // already drawn
  EXPECT_EQ(view.ArrowsDescription(), "Arrows: e2 to e4, g1 to f3.");
  for (auto [a, b, c, d] : {std::array<int16_t, 4>{0, 1, 2, 2}, {1, 1, 2, 9}, {3, 3, 3, 3}})
    EXPECT_EQ(ErrorNumberOf([&] { view.DrawArrow(a, b, c, d); }), 5);
  EXPECT_TRUE(view.ClearArrows());
  EXPECT_FALSE(view.ClearArrows());
  for (board::CellIndex from{1}; from <= 64_cell; ++from)
    view.DrawArrow(board::SquareOfIndex(from).col.value, board::SquareOfIndex(from).row.value, from == 1_cell ? 2 : 1, 1);
  EXPECT_EQ(ErrorNumberOf([&] { view.DrawArrow(1, 2, 1, 3); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { view.DrawArrow(1, 2, 1, 1); }), 0);  // the same arrow again
}

TEST(BoardView, CoordinatesSitOnTheBottomAndLeftDrawnEdgesFollowingTheOrientation) {
  struct Case {
    bool flipped;
    Square square;
    char file, rank;
  };
  for (const Case& c : {Case{false, {1_col, 8_row}, 'a', '1'}, Case{false, {5_col, 8_row}, 'e', 0}, Case{false, {1_col, 1_row}, 0, '8'},
                        Case{false, {8_col, 1_row}, 0, 0}, Case{true, {8_col, 1_row}, 'h', '8'}, Case{true, {8_col, 6_row}, 0, '3'},
                        Case{true, {1_col, 8_row}, 0, 0}}) {
    BoardView view;
    view.SetFlipped(c.flipped);
    const board::CellIndex cell = board::SquareIndex(c.square.col, c.square.row);
    EXPECT_FALSE(view.Labels(cell));
    view.SetShowCoordinates(true);
    EXPECT_EQ(view.Labels(cell).file, c.file) << c.square.col << "," << c.square.row;
    EXPECT_EQ(view.Labels(cell).rank, c.rank) << c.square.col << "," << c.square.row;
    EXPECT_EQ(view.LabelledCells().size(), 15u);
  }
}

}  // namespace
