#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "board/squares.h"
#include "control/device_scale.h"
#include "tests/headless_control.h"

using control::DeviceScale;

TEST(DeviceScale, SquaresRoundDownSoEightFitTheContainersRectangle) {
  struct Case {
    int dpi, square;
  };
  for (Case c : {Case{96, 37}, Case{120, 46}, Case{144, 55}, Case{192, 74}, Case{288, 111}}) {
    const DeviceScale scale = DeviceScale::FromDpi(c.dpi);
    EXPECT_EQ(scale.Square(), c.square) << c.dpi;
    EXPECT_EQ(scale.Board(), 8 * c.square) << c.dpi;
    EXPECT_LE(scale.Board(), static_cast<int>(296 * c.dpi / 96.0)) << c.dpi;
    EXPECT_EQ(DeviceScale::FromFactor(c.dpi / 96.0).Square(), c.square) << c.dpi;
  }
  EXPECT_EQ(DeviceScale::FromFactor(1.1).Square(), 40);
  EXPECT_EQ(DeviceScale::FromDpi(0).Square(), 37);
  // A factor no device has is taken for 96 DPI, not for the largest square.
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  for (double unusable : {-2.0, 0.0, std::nan(""), kInfinity, -kInfinity}) {
    EXPECT_EQ(DeviceScale::FromFactor(unusable).Factor(), 1.0) << unusable;
    EXPECT_EQ(DeviceScale::FromFactor(unusable).Square(), 37) << unusable;
  }
  EXPECT_EQ(DeviceScale::FromFactor(100).Square(), control::kLargestPictureSize);
}

TEST(DeviceScale, AnAreaGetsTheLargestWholeSquaresThatFitUnlessTooSmallOrTooLarge) {
  EXPECT_EQ(control::DeviceScale::Fitting(296, 296).Square(), 37);
  EXPECT_EQ(control::DeviceScale::Fitting(592, 600).Square(), 74);
  EXPECT_EQ(control::DeviceScale::Fitting(370, 370).Square(), 46);
  EXPECT_TRUE(control::DeviceScale::Fitting(370, 400).Fits(370, 400));
  EXPECT_FALSE(control::DeviceScale::Fitting(5, 5).Fits(5, 5));
  EXPECT_FALSE(control::DeviceScale::Fitting(4000, 4000).Fits(4000, 4000));
  EXPECT_EQ(control::DeviceScale::Fitting(4000, 4000).Square(), control::kLargestPictureSize);
}

TEST(DeviceScale, ABoardFitsAnAreaWhereItsSquaresAreTheLargestThatFit) {
  struct Case {
    int width, height;
    bool fits;
  };
  // The 96-DPI board, 296 pixels a side: from 304 on, squares of 38 would fit.
  const DeviceScale scale = DeviceScale::FromDpi(96);
  for (Case c : {Case{296, 296, true}, Case{303, 303, true}, Case{303, 900, true}, Case{304, 304, false},
                 Case{900, 304, false}, Case{295, 400, false}, Case{400, 295, false}})
    EXPECT_EQ(scale.Fits(c.width, c.height), c.fits) << c.width << "x" << c.height;
}

TEST(DeviceScale, DrawingKeepsToTheSizesOfUsualScalesAndAHeldSquareKeepsUnitsTrue) {
  EXPECT_EQ(control::DeviceScale::UsualAtLeast(37).Square(), 37);
  EXPECT_EQ(control::DeviceScale::UsualAtLeast(46).Square(), 46);
  EXPECT_EQ(control::DeviceScale::UsualAtLeast(50).Square(), 55);
  EXPECT_EQ(control::DeviceScale::UsualAtLeast(74).Square(), 74);
  EXPECT_EQ(control::DeviceScale::UsualAtLeast(3).Square(), 9);
  EXPECT_EQ(control::DeviceScale::UsualAtLeast(231).Square(), 148);
  // Above 768 DPI the square stops at its largest; a square still spans 37 units.
  const auto fine = control::DeviceScale::FromDpi(960);
  EXPECT_EQ(fine.Square(), control::kLargestPictureSize);
  EXPECT_FLOAT_EQ(fine.ToUnits(fine.Square()), 37.0f);
}

TEST(DeviceScale, DeviceOffsetsBecomeFractional96DpiUnits) {
  EXPECT_FLOAT_EQ(DeviceScale::FromDpi(120).ToUnits(23), 18.4f);
  EXPECT_FLOAT_EQ(DeviceScale::FromDpi(192).ToUnits(37), 18.5f);
  EXPECT_FLOAT_EQ(DeviceScale::FromDpi(96).ToUnits(-5), -5.0f);
  // The last device pixel of a square stays within the square's 37 units.
  for (int dpi : {96, 120, 144, 192, 288}) {
    const DeviceScale scale = DeviceScale::FromDpi(dpi);
    EXPECT_LT(scale.ToUnits(scale.Square() - 1), 37.0f) << dpi;
  }
}

TEST(ScaledBoard, AtOneTheScaledPathsAreTodaysPixelsAndRectangles) {
  HeadlessControl c;
  c.control.NewGame();
  c.control.Piece(3, 4, board::Wknight);
  EXPECT_EQ(c.platform.Render(37), c.platform.Render());
  const auto& cells = c.platform.Cells();
  for (int16_t cell = 1; cell <= 64; ++cell) {
    const control::PixelRect a = cells.Bounds(board::CellIndex(cell)), b = cells.Bounds(board::CellIndex(cell), 37);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(a.bottom, b.bottom);
  }
}

TEST(ScaledBoard, AtTwoEachCellLandsOnItsSquareShowingThe74PixelPictures) {
  HeadlessControl c;
  c.control.NewGame();
  c.control.Piece(3, 4, board::Wknight);
  const int n = DeviceScale::FromDpi(192).Square();
  const std::vector<uint32_t> boardPixels = c.platform.Render(n);
  ASSERT_EQ(boardPixels.size(), static_cast<size_t>(8 * n * 8 * n));
  const auto& cells = c.platform.Cells();
  std::vector<uint32_t> cell(n * n);
  for (int16_t index = 1; index <= 64; ++index) {
    const board::Square s = board::SquareOfIndex(board::CellIndex(index));
    const control::PixelRect r = cells.Bounds(board::CellIndex(index), n);
    EXPECT_EQ(r.left, (s.col.value - 1) * n) << index;
    EXPECT_EQ(r.top, (s.row.value - 1) * n) << index;
    EXPECT_EQ(r.right - r.left, n);
    EXPECT_EQ(r.bottom - r.top, n);
    cells.ComposeCell(board::CellIndex(index), cell.data(), n, n);
    int differing = 0;
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x) differing += boardPixels[(r.top + y) * 8 * n + r.left + x] != cell[y * n + x];
    EXPECT_EQ(differing, 0) << index;
  }
  // The knight written at (3, 4) shows there, over a square's wood.
  const auto& knight = control::PictureSet::ForSize(n).Lookup(ImageOf(board::Wknight)).pixels;
  const int centre = (3 * n + n / 2) * 8 * n + 2 * n + n / 2;
  EXPECT_EQ(boardPixels[centre], knight[(n / 2) * n + n / 2]);
  for (uint32_t pixel : boardPixels) ASSERT_NE(pixel, 0u);
}

TEST(ScaledBoard, ClippedRenderingAtAnOriginIsTheSameRegionOfTheWholeBoard) {
  HeadlessControl c;
  c.control.NewGame();
  const int n = 55, side = 8 * n;
  const std::vector<uint32_t> whole = c.platform.Render(n);
  const int originX = 70, originY = 130, width = 200, height = 333;
  std::vector<uint32_t> part(width * height, 0x123456);
  c.platform.Cells().Render(part.data(), width, height, width, originX, originY, n);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int bx = x + originX, by = y + originY;
      const uint32_t expected = by < side ? whole[by * side + bx] : 0x123456u;
      ASSERT_EQ(part[y * width + x], expected) << x << "," << y;
    }
}

TEST(ScaledBoard, HitTestingADevicePointFindsItsCellAndUnitsRoundTrip) {
  HeadlessControl c;
  const auto& cells = c.platform.Cells();
  for (int dpi : {120, 144, 192}) {
    const DeviceScale scale = DeviceScale::FromDpi(dpi);
    const int n = scale.Square();
    for (int16_t col = 1; col <= 8; ++col)
      for (int16_t row = 1; row <= 8; ++row) {
        const board::CellIndex index = board::SquareIndex(board::Col(col), board::Row(row));
        for (int offset : {0, n / 2, n - 1}) {
          const int x = (col - 1) * n + offset, y = (row - 1) * n + offset;
          ASSERT_EQ(cells.CellAt(x, y, n), index) << dpi << " " << col << "," << row;
          const control::PixelRect r = cells.Bounds(index, n);
          const float ux = scale.ToUnits(x - r.left), uy = scale.ToUnits(y - r.top);
          EXPECT_FLOAT_EQ(ux, static_cast<float>(offset * 96.0 / dpi));
          EXPECT_FLOAT_EQ(uy, ux);
          // Back to the device pixel it came from.
          EXPECT_EQ(static_cast<int>(std::lround(ux * scale.Factor())), offset);
        }
      }
    EXPECT_EQ(cells.CellAt(8 * n, 0, n), 0_cell) << dpi;
    EXPECT_EQ(cells.CellAt(0, 8 * n, n), 0_cell) << dpi;
  }
}
