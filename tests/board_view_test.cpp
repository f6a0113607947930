#include "control/board_view.h"

#include <gtest/gtest.h>

#include "board/automation_error.h"

using board::Square;
using control::BoardView;

namespace {

int ErrorOf(auto&& call) {
  try {
    call();
  } catch (const board::AutomationError& e) {
    return e.number();
  }
  return 0;
}

TEST(BoardView, FlippedMirrorsEachSquareBothWaysAndTurnsTheArrowKeys) {
  struct Case {
    Square onBoard, drawnFlipped;
  };
  for (Case c : {Case{{1, 1}, {8, 8}}, Case{{5, 7}, {4, 2}}, Case{{8, 1}, {1, 8}}, Case{{3, 6}, {6, 3}}}) {
    BoardView view;
    EXPECT_EQ(view.DrawnAt(c.onBoard), c.onBoard);
    view.SetFlipped(true);
    EXPECT_EQ(view.DrawnAt(c.onBoard), c.drawnFlipped);
    EXPECT_EQ(view.ShownAt(c.drawnFlipped), c.onBoard);
    const board::CellIndex cell = board::SquareIndex(c.onBoard.col, c.onBoard.row);
    EXPECT_EQ(view.DrawnAt(cell), board::SquareIndex(c.drawnFlipped.col, c.drawnFlipped.row));
    EXPECT_EQ(view.Placement(cell).left, (c.drawnFlipped.col - 1) * 37.0f);
    EXPECT_EQ(view.Placement(cell).top, (c.drawnFlipped.row - 1) * 37.0f);
  }
  using K = control::BoardKey;
  const std::pair<K, K> turned[] = {{K::Left, K::Right}, {K::Up, K::Down},         {K::Home, K::End},
                                    {K::PageUp, K::PageDown}, {K::Space, K::Space}, {K::Enter, K::Enter}};
  BoardView view;
  for (auto [seen, flipped] : turned) {
    EXPECT_EQ(view.KeyOnBoard(seen), seen);
    view.SetFlipped(true);
    EXPECT_EQ(view.KeyOnBoard(seen), flipped);
    EXPECT_EQ(view.KeyOnBoard(flipped), seen);
    view.SetFlipped(false);
  }
}

TEST(BoardView, MarksAreKeptPerSquareAndRefusedOffTheBoardOrOfUnknownKind) {
  BoardView view;
  EXPECT_TRUE(view.SetMark(5, 5, control::mkLastMove));
  EXPECT_FALSE(view.SetMark(5, 5, control::mkLastMove));
  EXPECT_TRUE(view.SetMark(1, 8, control::mkTarget));
  EXPECT_EQ(view.Mark(5, 5), control::mkLastMove);
  EXPECT_EQ(view.MarkOf(board::SquareIndex(1, 8)), control::mkTarget);
  EXPECT_EQ(view.Mark(4, 5), control::mkNone);
  for (auto [col, row] : {std::pair{0, 1}, {9, 1}, {1, 0}, {1, 9}, {-1, -1}}) {
    const auto c = static_cast<int16_t>(col), r = static_cast<int16_t>(row);
    EXPECT_EQ(ErrorOf([&] { view.Mark(c, r); }), 381);
    EXPECT_EQ(ErrorOf([&] { view.SetMark(c, r, control::mkCheck); }), 381);
  }
  for (int32_t kind : {-1, 5, 1000})
    EXPECT_EQ(ErrorOf([&] { view.SetMark(2, 2, kind); }), 380) << kind;
  EXPECT_EQ(view.Mark(2, 2), control::mkNone);
  EXPECT_EQ(view.ClearMarks(), (std::vector<board::CellIndex>{37, 57}));
  EXPECT_TRUE(view.ClearMarks().empty());
}

TEST(BoardView, ArrowsAreListedForAReaderCappedAndRefusedOffTheBoard) {
  BoardView view;
  EXPECT_EQ(view.ArrowsDescription(), "");
  view.DrawArrow(5, 7, 5, 5);
  view.DrawArrow(7, 8, 6, 6);
  view.DrawArrow(5, 7, 5, 5);  // already drawn
  EXPECT_EQ(view.ArrowsDescription(), "Arrows: e2 to e4, g1 to f3.");
  for (auto [a, b, c, d] : {std::array{0, 1, 2, 2}, {1, 1, 2, 9}, {9, 9, 1, 1}, {3, 3, 3, 3}})
    EXPECT_EQ(ErrorOf([&] { view.DrawArrow(int16_t(a), int16_t(b), int16_t(c), int16_t(d)); }), 5);
  EXPECT_TRUE(view.ClearArrows());
  EXPECT_FALSE(view.ClearArrows());
  for (int16_t from = 1; from <= 64; ++from) {
    const Square s = board::SquareOfIndex(from);
    view.DrawArrow(s.col, s.row, from == 1 ? 2 : 1, 1);
  }
  EXPECT_EQ(view.Arrows().size(), 64u);
  EXPECT_EQ(ErrorOf([&] { view.DrawArrow(1, 2, 1, 3); }), 5);
  EXPECT_EQ(ErrorOf([&] { view.DrawArrow(1, 2, 1, 1); }), 0);  // the same arrow again
}

TEST(BoardView, CoordinatesSitOnTheBottomAndLeftDrawnEdgesFollowingTheOrientation) {
  struct Case {
    bool flipped;
    Square square;
    char file, rank;
  };
  const Case cases[] = {
      {false, {1, 8}, 'a', '1'}, {false, {5, 8}, 'e', 0}, {false, {1, 1}, 0, '8'}, {false, {8, 1}, 0, 0},
      {false, {4, 4}, 0, 0},     {true, {8, 1}, 'h', '8'}, {true, {3, 1}, 'c', 0},  {true, {8, 6}, 0, '3'},
      {true, {1, 8}, 0, 0},
  };
  for (const Case& c : cases) {
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

TEST(BoardView, AMarkedSquaresNameSaysSo) {
  using control::MarkedName;
  EXPECT_EQ(MarkedName("e4, cream pawn", control::mkLastMove), "e4, cream pawn, last move");
  EXPECT_EQ(MarkedName("e4, empty", control::mkSelected), "e4, empty, selected");
  EXPECT_EQ(MarkedName("e8, red king", control::mkCheck), "e8, red king, check");
  EXPECT_EQ(MarkedName("c3, empty", control::mkTarget), "c3, empty, target");
  EXPECT_EQ(MarkedName("c3, empty", control::mkNone), "c3, empty");
}

}  // namespace
