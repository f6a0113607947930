#include "control/focus_cue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tests/headless_control.h"

using control::FocusCue;
using control::PixelRect;

namespace {

// WCAG's relative luminance and contrast ratio.
double Luminance(uint32_t rgb) {
  auto channel = [](uint32_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(rgb >> 16 & 0xFF) + 0.7152 * channel(rgb >> 8 & 0xFF) + 0.0722 * channel(rgb & 0xFF);
}

double Contrast(uint32_t a, uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Measured {
  int width;              // changed pixels from the square's edge inwards, across its middle
  double againstInside;   // the least contrast of the inner band with the square's pixels beside it
  double againstOutside;  // the least contrast of the outer band with the neighbouring squares' pixels
};

// The cue on `cell` of the start position rendered with squares of `square` pixels.
Measured MeasureCue(int16_t cell, int square) {
  HeadlessControl c;
  c.control.NewGame();
  const std::vector<uint32_t> plain = c.platform.Render(square);
  std::vector<uint32_t> cued = plain;
  const int side = 8 * square;
  const PixelRect r = c.platform.Cells().Bounds(cell, square);
  const board::Square at = board::SquareOfIndex(cell);
  FocusCue::Draw(cued.data(), side, side, side, r, board::IsLightSquare(at.col, at.row));
  const int middle = (r.top + r.bottom) / 2;
  Measured m{0, 1e9, 1e9};
  while (cued[middle * side + r.left + m.width] != plain[middle * side + r.left + m.width]) ++m.width;
  const int band = FocusCue::BandWidth(square);
  // Along the left and top sides, corners aside: each band's pixel against the pixel beyond it.
  for (int n = 2 * band; n < square - 2 * band; ++n) {
    const int y = r.top + n, x = r.left + n;
    const std::pair<int, int> steps[][3] = {
        {{r.left + band * 2 - 1, y}, {r.left + band * 2, y}, {r.left - 1, y}},
        {{x, r.top + band * 2 - 1}, {x, r.top + band * 2}, {x, r.top - 1}},
    };
    for (const auto& [inner, inside, outside] : steps) {
      const uint32_t innerBand = cued[inner.second * side + inner.first];
      m.againstInside = std::min(m.againstInside, Contrast(innerBand, plain[inside.second * side + inside.first]));
      if (outside.first < 0 || outside.second < 0) continue;
      const int ox = outside.first == r.left - 1 ? r.left : outside.first;
      const int oy = outside.second == r.top - 1 ? r.top : outside.second;
      m.againstOutside =
          std::min(m.againstOutside, Contrast(cued[oy * side + ox], plain[outside.second * side + outside.first]));
    }
  }
  return m;
}

TEST(FocusCue, TwoBandsWideEnoughAndContrastingOnBothSquareColoursAtEveryScale) {
  struct Case {
    const char* square;
    int16_t cell;
  };
  // Light and dark squares, empty and holding a piece, away from the board's edge.
  const Case cases[] = {{"e4 light", 37}, {"d4 dark", 36}, {"e2 light, pawn", 53}, {"d2 dark, pawn", 52}};
  for (const int square : {37, 74}) {
    for (const Case& c : cases) {
      const Measured m = MeasureCue(c.cell, square);
      std::printf(
          "  focus cue at %d %% on %s: %d px wide, contrast %.1f:1 with the square, %.1f:1 with its neighbour\n",
          square * 100 / 37, c.square, m.width, m.againstInside, m.againstOutside);
      EXPECT_EQ(m.width, 2 * FocusCue::BandWidth(square)) << c.square;
      EXPECT_GE(m.width, 4 * square / 37) << c.square;
      EXPECT_GE(m.againstInside, 3.0) << c.square;
      EXPECT_GE(m.againstOutside, 3.0) << c.square;
    }
  }
}

TEST(FocusCue, ClippedToTheBufferAndOnlyOnTheSquare) {
  // A cue on a square half outside a small buffer changes only the ring's pixels inside it.
  std::vector<uint32_t> pixels(20 * 20, 0x123456);
  FocusCue::Draw(pixels.data(), 20, 20, 20, PixelRect{-10, 5, 27, 42}, true);
  int changed = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const uint32_t p = pixels[y * 20 + x];
      const bool ring = y < 5 + 4 || x >= 27 - 4;
      if (y < 5) EXPECT_EQ(p, 0x123456u);
      changed += p != 0x123456u;
      if (y >= 5 && ring) EXPECT_NE(p, 0x123456u) << x << "," << y;
    }
  EXPECT_EQ(changed, 4 * 20);
}

}  // namespace
