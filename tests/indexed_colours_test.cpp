#include "control/indexed_colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "tests/headless_control.h"

namespace {

uint32_t Shown(const control::IndexedPixels& indexed, int x, int y) {
  return indexed.palette.at(indexed.indices.at(static_cast<size_t>(y) * indexed.stride + x));
}

int ChannelError(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift : {0, 8, 16}) worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  return worst;
}

TEST(IndexColours, FewColoursStayExactInWordAlignedRows) {
  // 5 pixels across in a buffer 7 wide: the rows are read at their stride and padded to 8 bytes.
  const std::vector<uint32_t> pixels = {1, 2, 3, 2, 1, 99, 99, 0xFFFFFF, 0, 0, 3, 3, 99, 99};
  const control::IndexedPixels indexed = control::IndexColours(pixels.data(), 5, 2, 7);
  EXPECT_EQ(indexed.stride, 8);
  EXPECT_EQ(indexed.indices.size(), 16u);
  EXPECT_EQ(indexed.palette.size(), 5u);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(Shown(indexed, x, y), pixels[y * 7 + x]) << x << "," << y;
}

// The board's squares at four times their size, as a record for paper holds them:
// exact where a square has at most 256 colours, within a few levels where it has more.
TEST(IndexColours, TheBoardsSquaresKeepTheirShading) {
  HeadlessControl c;
  c.control.NewGame();
  constexpr int kSquare = 148, kSide = 8 * kSquare;
  const std::vector<uint32_t> board = c.platform.Render(kSquare);
  int manyColoured = 0;
  for (int square = 0; square < 64; ++square) {
    const uint32_t* pixels = board.data() + (square / 8) * kSquare * kSide + (square % 8) * kSquare;
    const control::IndexedPixels indexed = control::IndexColours(pixels, kSquare, kSquare, kSide);
    std::set<uint32_t> colours;
    int worst = 0;
    for (int y = 0; y < kSquare; ++y)
      for (int x = 0; x < kSquare; ++x) {
        colours.insert(pixels[y * kSide + x]);
        worst = std::max(worst, ChannelError(pixels[y * kSide + x], Shown(indexed, x, y)));
      }
    EXPECT_LE(indexed.palette.size(), 256u);
    manyColoured += colours.size() > 256;
    EXPECT_LE(worst, colours.size() > 256 ? 4 : 0) << "square " << square;
  }
  EXPECT_GT(manyColoured, 0) << "no square needed a reduced palette";
}

TEST(IndexColours, AnyNumberOfColoursFitsThePalette) {
  std::vector<uint32_t> gradient;
  for (uint32_t i = 0; i < 64 * 64; ++i) gradient.push_back((i * 2654435761u) & 0xFFFFFF);
  const control::IndexedPixels indexed = control::IndexColours(gradient.data(), 64, 64, 64);
  EXPECT_EQ(indexed.palette.size(), 256u);
  EXPECT_EQ(indexed.indices.size(), 64u * 64u);
}

}  // namespace
