#include "control/focus_cue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tests/headless_control.h"

using control::FocusCue;

namespace {

// WCAG's contrast ratio of two colours.
double Contrast(uint32_t a, uint32_t b) {
  auto luminance = [](uint32_t rgb) {
    double sum = 0;
    for (const auto& [shift, weight] : {std::pair{16, 0.2126}, {8, 0.7152}, {0, 0.0722}}) {
      const double c = (rgb >> shift & 0xFF) / 255.0;
      sum += weight * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum + 0.05;
  };
  return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

TEST(FocusCue, WideEnoughAndContrastingWithTheSquareBesideItOnBothColoursAtEveryScale) {
  // Light and dark squares of the start position, empty and holding a pawn.
  const std::pair<board::CellIndex, const char*> squares[] = {
      {37_cell, "e4 light"}, {36_cell, "d4 dark"}, {53_cell, "e2 light, pawn"}, {52_cell, "d2 dark, pawn"}};
  HeadlessControl c;
  c.control.NewGame();
  for (const int square : {37, 74}) {
    const std::vector<uint32_t> plain = c.platform.Render(square);
    const int side = 8 * square;
    for (const auto& [cell, name] : squares) {
      std::vector<uint32_t> cued = plain;
      const control::PixelRect r = c.platform.Cells().Bounds(cell, square);
      const board::Square at = board::SquareOfIndex(cell);
      FocusCue::Draw(cued.data(), side, side, side, r, board::IsLightSquare(at.col, at.row));
      const int middle = (r.top + r.bottom) / 2 * side;
      int width = 0;
      while (cued[middle + r.left + width] != plain[middle + r.left + width]) ++width;
      // The inner band's last pixel against the square's first one beside it, along the left and top sides.
      double least = 1e9;
      for (int n = width; n < square - width; ++n) {
        const int down = (r.top + n) * side + r.left + width, across = (r.top + width) * side + r.left + n;
        least = std::min({least, Contrast(cued[down - 1], plain[down]), Contrast(cued[across - side], plain[across])});
      }
      std::printf("  focus cue at %d %% on %s: %d px wide, contrast %.1f:1 with the square beside it\n",
                  square * 100 / 37, name, width, least);
      EXPECT_EQ(width, 2 * FocusCue::BandWidth(square)) << name;
      EXPECT_GE(width, 4 * square / 37) << name;
      EXPECT_GE(least, 3.0) << name;
    }
  }
}

TEST(FocusCue, ClippedToTheBuffer) {
  // A square reaching past the buffer's left and bottom edges: only its ring's pixels inside change.
  std::vector<uint32_t> pixels(20 * 20, 1);
  FocusCue::Draw(pixels.data(), 20, 20, 20, control::PixelRect{-10, 5, 27, 42}, true);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(pixels[y * 20 + x] != 1, y >= 5 && (y < 9 || x >= 23)) << x << "," << y;
}

}  // namespace
