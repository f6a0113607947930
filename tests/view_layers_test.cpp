#include "control/view_layers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "control/picture_set.h"
#include "tests/headless_control.h"

using control::BoardView;

namespace {

constexpr int kScales[] = {37, 74};

struct Board {
  HeadlessControl c;
  BoardView view;
  Board() { c.control.NewGame(); }

  void Place() {
    for (board::CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell)
      c.platform.SetCellLeft(cell, view.Placement(cell).left), c.platform.SetCellTop(cell, view.Placement(cell).top);
  }
  std::vector<uint32_t> Render(int square) const {
    const int side = 8 * square;
    std::vector<uint32_t> pixels(side * side);
    control::RenderView(c.platform.Cells(), view, pixels.data(), side, side, side, 0, 0, square);
    return pixels;
  }
};

// The pixels of the drawn square at (col, row).
std::vector<uint32_t> Block(const std::vector<uint32_t>& board, int square, board::Square drawn) {
  std::vector<uint32_t> block;
  for (int y = 0; y < square; ++y)
    for (int x = 0; x < square; ++x)
      block.push_back(board[((drawn.row.value - 1) * square + y) * 8 * square + (drawn.col.value - 1) * square + x]);
  return block;
}

std::set<int16_t> CellsThatDiffer(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int square) {
  std::set<int16_t> cells;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) {
      const int x = int(i) % (8 * square) / square, y = int(i) / (8 * square) / square;
      cells.insert(board::SquareIndex(board::Col(int16_t(x + 1)), board::Row(int16_t(y + 1))).value);
    }
  return cells;
}

int ChannelDistance(uint32_t a, uint32_t b) {
  int sum = 0;
  for (int shift : {0, 8, 16}) sum += std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF));
  return sum;
}

TEST(ViewLayers, MarksChangeOnlyTheirSquaresWoodNeverAPieceAndClearingRestoresTheGridsOwnPixels) {
  for (int square : kScales) {
    Board b;
    const std::vector<uint32_t> plain = b.c.platform.Render(square);
    // Empty and occupied squares of both shades: e2, f4, e4, d2, e8, a5, c3, g7.
    const int16_t marks[][3] = {{5, 7, 1}, {6, 5, 1}, {5, 5, 2}, {4, 7, 2}, {5, 1, 3}, {1, 4, 3}, {3, 6, 4}, {7, 2, 4}};
    std::set<int16_t> marked;
    for (auto [col, row, mark] : marks) {
      b.view.SetMark(col, row, mark);
      marked.insert(board::SquareIndex(board::Col(col), board::Row(row)).value);
    }
    const std::vector<uint32_t> shown = b.Render(square);
    EXPECT_EQ(CellsThatDiffer(plain, shown, square), marked) << square;
    const auto& pawn = control::PictureSet::ForSize(square).Lookup(ImageOf(board::Wpawn)).pixels;
    const std::vector<uint32_t> e2 = Block(shown, square, {5_col, 7_row});
    for (size_t i = 0; i < pawn.size(); ++i) {
      if (pawn[i] != 0) {
        ASSERT_EQ(e2[i], pawn[i]) << square << " pixel " << i;
      }
    }
    b.view.ClearMarks();
    EXPECT_EQ(b.Render(square), plain) << square;
  }
}

TEST(ViewLayers, EachMarkStandsApartFromTheOthersAndFromBothBareShades) {
  for (int square : kScales) {
    for (bool light : {true, false}) {
      const auto& bare = control::PictureSet::ForSize(square).Lookup(light ? board::kLightSquareImage : board::kDarkSquareImage).pixels;
      std::vector<std::vector<uint32_t>> looks{bare};
      for (control::MarkNum mark : {control::mkSelected, control::mkLastMove, control::mkCheck, control::mkTarget}) {
        looks.push_back(bare);
        control::PaintMark(mark, false, light, looks.back().data(), square, square);
      }
      // Two looks differ clearly where a tenth of the square's pixels differ by a lot.
      for (size_t i = 0; i < looks.size(); ++i)
        for (size_t j = i + 1; j < looks.size(); ++j) {
          int clear = 0;
          for (int p = 0; p < square * square; ++p) clear += ChannelDistance(looks[i][p], looks[j][p]) >= 60;
          EXPECT_GE(clear, square * square / 20) << square << (light ? " light " : " dark ") << i << " vs " << j;
        }
    }
  }
}

TEST(ViewLayers, AFlippedBoardDrawsEachSquaresPixelsAtItsMirroredPlace) {
  for (int square : kScales) {
    Board upright;
    upright.c.control.Piece(3, 4, board::Wknight);
    upright.view.SetMark(3, 4, control::mkSelected);
    upright.view.SetMark(6, 2, control::mkTarget);
    Board flipped;
    flipped.c.control.Piece(3, 4, board::Wknight);
    flipped.view = upright.view;
    flipped.view.SetFlipped(true);
    flipped.Place();
    const std::vector<uint32_t> a = upright.Render(square), b = flipped.Render(square);
    for (board::CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell)
      ASSERT_EQ(Block(b, square, flipped.view.DrawnAt(board::SquareOfIndex(cell))),
                Block(a, square, board::SquareOfIndex(cell)))
          << square << " cell " << cell;
    EXPECT_EQ(flipped.c.platform.Cells().CellAt(square / 2, square / 2, square), board::kLastCell);
  }
}

TEST(ViewLayers, CoordinatesOnlyOnTheEdgeSquaresInOneInkPerShade) {
  for (int square : kScales)
    for (bool flip : {false, true}) {
      Board b;
      b.view.SetFlipped(flip);
      b.Place();
      const std::vector<uint32_t> plain = b.Render(square);
      b.view.SetShowCoordinates(true);
      const std::vector<uint32_t> labelled = b.Render(square);
      std::set<int16_t> expected;
      for (board::CellIndex cell : b.view.LabelledCells()) expected.insert(b.view.DrawnAt(cell).value);
      EXPECT_EQ(CellsThatDiffer(plain, labelled, square), expected) << square;
      // One ink per shade, on the wood a piece leaves bare.
      std::set<uint32_t> inks;
      for (size_t i = 0; i < plain.size(); ++i)
        if (plain[i] != labelled[i]) inks.insert(labelled[i]);
      EXPECT_EQ(inks.size(), 2u) << square;
      // Too small for labels: the square stays as it is, nothing is written outside it.
      EXPECT_EQ(b.Render(11), b.c.platform.Render(11));
    }
}

double Luminance(uint32_t rgb) {
  double sum = 0;
  for (auto [shift, weight] : {std::pair{16, 0.2126}, std::pair{8, 0.7152}, std::pair{0, 0.0722}}) {
    const double c = (rgb >> shift & 0xFF) / 255.0;
    sum += weight * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
  }
  return sum;
}

double Contrast(uint32_t a, uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Labels a fifth of the square high (none under 7 pixels), in whole pixels of one ink,
// 4.5:1 against every pixel of wood they cover, and never where a piece would hide them.
TEST(ViewLayers, CoordinatesGrowWithTheSquareReadableAndOffThePieces) {
  for (int square : {33, 37, 46, 55, 74, 100, 150}) {
    const control::PictureSet& pictures = control::PictureSet::ForSize(square);
    for (bool light : {true, false}) {
      const auto& wood = pictures.Lookup(light ? board::kLightSquareImage : board::kDarkSquareImage).pixels;
      std::vector<uint32_t> pixels = wood;
      control::PaintCoordinates({'g', '8'}, light, pixels.data(), square, square);
      int top = square, bottom = -1;
      for (int i = 0; i < square * square; ++i) {
        if (pixels[i] == wood[i]) continue;
        ASSERT_EQ(pixels[i], control::CoordinateInk(light)) << square;
        ASSERT_GE(Contrast(pixels[i], wood[i]), 4.5) << square << (light ? " light" : " dark");
        for (int image = 2; image <= 13; ++image)
          ASSERT_EQ(pictures.Lookup(board::ImageNumber(int16_t(image))).pixels[i], 0u) << square << " " << image;
        if (i % square < square / 2) top = std::min(top, i / square), bottom = std::max(bottom, i / square);
      }
      EXPECT_EQ(bottom - top + 1, (square + 2) / 5) << square;  // the digit 8 is full height
    }
  }
  EXPECT_FALSE(control::CoordinateGlyphs::ForSquare(32));
}

TEST(ViewLayers, ArrowPixelsLieBetweenTheTwoCentresAndClipLikeTheWholeBoard) {
  struct Case {
    board::Square from, to;
  };
  for (int square : kScales)
    for (Case c : {Case{{5_col, 7_row}, {5_col, 5_row}}, Case{{7_col, 8_row}, {6_col, 6_row}}, Case{{4_col, 8_row}, {8_col, 4_row}},
                   Case{{8_col, 1_row}, {1_col, 8_row}}}) {
      Board b;
      b.view.SetFlipped(c.from.col == 4_col);
      b.Place();
      const std::vector<uint32_t> plain = b.Render(square);
      b.view.DrawArrow(c.from.col.value, c.from.row.value, c.to.col.value, c.to.row.value);
      const std::vector<uint32_t> drawn = b.Render(square);
      const board::Square from = b.view.DrawnAt(c.from), to = b.view.DrawnAt(c.to);
      const double x0 = (from.col.value - 0.5) * square, y0 = (from.row.value - 0.5) * square;
      const double dx = (to.col.value - from.col.value) * square, dy = (to.row.value - from.row.value) * square;
      const double length = std::hypot(dx, dy);
      int changed = 0;
      double widest = 0;
      for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == drawn[i]) continue;
        ++changed;
        const double px = int(i) % (8 * square) + 0.5 - x0, py = int(i) / (8 * square) + 0.5 - y0;
        const double along = (px * dx + py * dy) / length, across = std::abs(py * dx - px * dy) / length;
        ASSERT_GE(along, -1.0) << square;
        ASSERT_LE(along, length + 1) << square;
        ASSERT_LE(across, 0.3 * square + 1) << square;
        widest = std::max(widest, across);
      }
      EXPECT_GE(changed, int(length * 0.2 * square)) << square;
      // Along a file, the head's smooth edge reaches past its 0.3-square half width: nothing clips it.
      if (c.from.col == c.to.col) EXPECT_GT(widest, 0.3 * square) << square;
      // A part of the board, at an origin, is that part of the whole.
      const int left = square / 2, top = square * 3, width = 5 * square, height = 4 * square;
      std::vector<uint32_t> part(width * height);
      control::RenderView(b.c.platform.Cells(), b.view, part.data(), width, height, width, left, top, square);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) ASSERT_EQ(part[y * width + x], drawn[(y + top) * 8 * square + x + left]);
    }
}

// The pixels a layer painted over a plain square of `square` pixels.
std::set<std::pair<int, int>> Painted(int square, const std::function<void(uint32_t*)>& paint) {
  std::vector<uint32_t> pixels(square * square, 0x808080);
  paint(pixels.data());
  std::set<std::pair<int, int>> painted;
  for (int i = 0; i < square * square; ++i)
    if (pixels[i] != 0x808080) painted.insert({i % square, i / square});
  return painted;
}

TEST(ViewLayers, ATargetIsADotOnAnEmptySquareAndARingRoundAPiece) {
  for (int square : kScales) {
    const auto dot = Painted(square, [&](uint32_t* p) { control::PaintMark(control::mkTarget, false, true, p, square, square); });
    const auto ring = Painted(square, [&](uint32_t* p) { control::PaintMark(control::mkTarget, true, true, p, square, square); });
    const std::pair<int, int> centre{square / 2, square / 2}, edge{square / 2, 1};
    EXPECT_TRUE(dot.count(centre) && !dot.count(edge)) << square;
    EXPECT_TRUE(ring.count(edge) && !ring.count(centre)) << square;
  }
}

// Each label takes the mean colour of the other shade's wood, so it reads on its own.
TEST(ViewLayers, LabelsAreInkedForTheirShadeAndLeftOutBelowThirtyThreePixels) {
  const control::CoordinateLabels labels{'e', '4'};
  for (bool light : {false, true}) {
    std::vector<uint32_t> pixels(kScales[0] * kScales[0], 0x808080);
    control::PaintCoordinates(labels, light, pixels.data(), kScales[0], kScales[0]);
    std::set<uint32_t> inks(pixels.begin(), pixels.end());
    inks.erase(0x808080);
    EXPECT_EQ(inks, std::set<uint32_t>{control::CoordinateInk(light)}) << light;
  }
  for (int square : {32, 33}) {
    const auto painted = Painted(square, [&](uint32_t* p) { control::PaintCoordinates(labels, true, p, square, square); });
    EXPECT_EQ(painted.empty(), square < 33) << square;
  }
}

// Mirrored left to right, an arrow paints the mirror image of its pixels, up to
// the smooth edge its bounds must hold: a clipped edge shows on one side only.
TEST(ViewLayers, AnArrowAndItsMirrorImagePaintMirroredPixels) {
  for (int square : {37, 74, 45})
    for (auto [from, to] : {std::pair{board::Square{5_col, 7_row}, board::Square{5_col, 5_row}},
                            {{1_col, 4_row}, {7_col, 4_row}}, {{7_col, 8_row}, {6_col, 6_row}},
                            {{2_col, 2_row}, {7_col, 6_row}}}) {
      const int side = 8 * square;
      auto paint = [&](board::Square a, board::Square b) {
        BoardView view;
        view.DrawArrow(a.col.value, a.row.value, b.col.value, b.row.value);
        std::vector<uint32_t> pixels(side * side, 0x808080);
        control::PaintArrows(view, pixels.data(), side, side, side, 0, 0, square);
        return pixels;
      };
      auto mirrored = [](board::Square s) { return board::Square{board::Col(int16_t(9 - s.col.value)), s.row}; };
      const std::vector<uint32_t> arrow = paint(from, to), mirror = paint(mirrored(from), mirrored(to));
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
          ASSERT_EQ(arrow[y * side + x], mirror[y * side + side - 1 - x]) << square << " at " << x << "," << y;
    }
}

}  // namespace
