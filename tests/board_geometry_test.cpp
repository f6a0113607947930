#include "control/board_geometry.h"

#include <gtest/gtest.h>

#include "tests/headless_control.h"

using control::BoardGeometry;
using control::PointerPosition;

namespace {

struct Rectangle {
  int width, height;
  int square, left, top;
};

// Odd, non-square, tiny and huge rectangles: the square is floor(min / 8) between 8 and the
// largest picture size, the rest split evenly with the odd pixel right and below; a
// rectangle too small for the smallest board shows it from its top-left, clipped.
constexpr Rectangle kRectangles[] = {
    {296, 296, 37, 0, 0},   {297, 297, 37, 0, 0},    {303, 296, 37, 3, 0},  {300, 200, 25, 50, 0},
    {200, 433, 25, 0, 116}, {433, 433, 54, 0, 0},    {800, 600, 75, 100, 0}, {1000, 1000, 125, 0, 0},
    {1001, 999, 124, 4, 3}, {64, 64, 8, 0, 0},       {63, 63, 8, 0, 0},     {20, 7, 8, 0, 0},
    {0, 0, 8, 0, 0},        {5000, 4000, 296, 1316, 816},
};

TEST(BoardGeometry, TheBoardFillsTheRectangleCentredInWholeSquares) {
  for (const Rectangle& r : kRectangles) {
    const BoardGeometry g = BoardGeometry::Filling(r.width, r.height);
    EXPECT_EQ(g.Square(), r.square) << r.width << "x" << r.height;
    EXPECT_EQ(g.Left(), r.left) << r.width << "x" << r.height;
    EXPECT_EQ(g.Top(), r.top) << r.width << "x" << r.height;
  }
}

TEST(BoardGeometry, HitTestsAndCellRectanglesFollowTheSquareAndTheOffset) {
  const HeadlessControl c;
  const control::CellGrid& cells = c.platform.Cells();
  for (const Rectangle& r : kRectangles) {
    const BoardGeometry g = BoardGeometry::Filling(r.width, r.height);
    const int s = g.Square(), x0 = g.Left(), y0 = g.Top();
    const std::string at = std::to_string(r.width) + "x" + std::to_string(r.height);
    struct Probe {
      int x, y;
      int16_t cell;
    };
    for (const Probe p : {Probe{x0, y0, 1}, Probe{x0 + s - 1, y0 + s - 1, 1}, Probe{x0 + s, y0, 2},
                          Probe{x0 + 8 * s - 1, y0 + 8 * s - 1, 64}, Probe{x0 + 3 * s + s / 2, y0 + 6 * s, 52},
                          Probe{x0 - 1, y0, 0}, Probe{x0, y0 - 1, 0}, Probe{x0 + 8 * s, y0 + 4 * s, 0},
                          Probe{x0 + 4 * s, y0 + 8 * s, 0}})
      EXPECT_EQ(g.CellAt(cells, PointerPosition{p.x, p.y}).value, p.cell) << at << " (" << p.x << "," << p.y << ")";
    const control::PixelRect a8 = g.CellRect(cells, board::kFirstCell), h1 = g.CellRect(cells, board::kLastCell);
    EXPECT_TRUE(a8.left == x0 && a8.top == y0 && a8.right == x0 + s && a8.bottom == y0 + s) << at;
    EXPECT_TRUE(h1.left == x0 + 7 * s && h1.top == y0 + 7 * s && h1.right == x0 + 8 * s && h1.bottom == y0 + 8 * s)
        << at;
    const control::PixelRect board = g.BoardRect(), back = g.OnBoard(g.InControl(board));
    EXPECT_TRUE(back.left == board.left && back.bottom == board.bottom) << at;
  }
}

TEST(BoardGeometry, EventsSeeASquareAs37UnitsFilledAndTheDisplayScalesUnitsAtTopLeft) {
  const HeadlessControl c;
  const control::CellGrid& cells = c.platform.Cells();
  const BoardGeometry filled = BoardGeometry::Filling(1000, 800);  // squares of 100, 100 pixels in
  const control::CellOffset middle = filled.OffsetIn(cells, board::CellIndex(10), PointerPosition{100 + 150, 150});
  EXPECT_FLOAT_EQ(middle.X, 18.5f);
  EXPECT_FLOAT_EQ(middle.Y, 18.5f);
  // At its display scale the board keeps the 96-DPI units, exactly as DeviceScale gives them.
  const control::DeviceScale at120 = control::DeviceScale::FromDpi(120);
  const BoardGeometry fixed = BoardGeometry::Of(control::BoardLayout::FixedAtScale, 1000, 800, at120);
  EXPECT_EQ(fixed.Square(), 46);
  EXPECT_EQ(fixed.Left(), 0);
  EXPECT_EQ(fixed.OffsetIn(cells, board::CellIndex(1), PointerPosition{23, 23}).X, at120.ToUnits(23));
  EXPECT_EQ(fixed.CellAt(cells, PointerPosition{46, 0}).value, 2);
}

}  // namespace
