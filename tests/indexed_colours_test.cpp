#include "control/indexed_colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/headless_control.h"

namespace {

uint32_t Shown(const control::IndexedPixels& indexed, int x, int y) {
  return indexed.palette.at(indexed.indices.at(static_cast<size_t>(y) * indexed.stride + x));
}

// The board's squares as a record for paper holds them (at twice their size,
// where one has more than 256 colours; at four times, four do): exact where a
// square has at most 256 colours, within a few levels where it has more.
TEST(IndexColours, TheBoardsSquaresKeepTheirShading) {
  HeadlessControl c;
  c.control.NewGame();
  constexpr int kSquare = 74, kSide = 8 * kSquare;
  const std::vector<uint32_t> board = c.platform.Render(kSquare);
  int reduced = 0;
  for (int square = 0; square < 64; ++square) {
    const uint32_t* pixels = board.data() + (square / 8) * kSquare * kSide + (square % 8) * kSquare;
    const control::IndexedPixels indexed = control::IndexColours(pixels, kSquare, kSquare, kSide);
    std::vector<uint32_t> colours;
    int worst = 0;
    for (int y = 0; y < kSquare; ++y)
      for (int x = 0; x < kSquare; ++x) {
        const uint32_t pixel = pixels[y * kSide + x], shown = Shown(indexed, x, y);
        colours.push_back(pixel);
        for (int shift : {0, 8, 16})
          worst = std::max(worst, std::abs(int(pixel >> shift & 0xFF) - int(shown >> shift & 0xFF)));
      }
    std::sort(colours.begin(), colours.end());
    const bool many = std::unique(colours.begin(), colours.end()) - colours.begin() > 256;
    EXPECT_LE(indexed.palette.size(), 256u);
    reduced += many;
    EXPECT_LE(worst, many ? 4 : 0) << "square " << square;
  }
  EXPECT_GT(reduced, 0) << "no square needed a reduced palette";
}

}  // namespace
