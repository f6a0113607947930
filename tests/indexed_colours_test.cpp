#include "control/indexed_colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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

constexpr int kRowSquare = 20;

// A row of squares of kRowSquare pixels, each showing `distinct` colours from `first` on.
std::vector<uint32_t> Row(std::initializer_list<std::pair<uint32_t, int>> squares) {
  constexpr int kSquare = kRowSquare;
  const int side = kSquare * int(squares.size());
  std::vector<uint32_t> pixels(side * kSquare);
  int k = 0;
  for (auto [first, distinct] : squares) {
    for (int i = 0; i < kSquare * kSquare; ++i)
      pixels[(i / kSquare) * side + k * kSquare + i % kSquare] = first + uint32_t(i % distinct);
    ++k;
  }
  return pixels;
}

// Neighbours go together while their colours fit one palette; a square beyond it goes alone.
TEST(PaletteRuns, NeighboursShareABitmapWhileTheirColoursFitOnePalette) {
  struct Case {
    const char* name;
    std::vector<uint32_t> row;
    std::vector<int> runs;
  };
  const Case cases[] = {
      {"one colour everywhere", Row({{7, 1}, {7, 1}, {7, 1}, {7, 1}}), {4}},
      {"the same 200 colours", Row({{0, 200}, {0, 200}, {0, 200}}), {3}},
      {"100 colours of their own each", Row({{0, 100}, {1000, 100}, {2000, 100}, {3000, 100}, {4000, 56}}), {2, 3}},
      {"256 exactly, then one more", Row({{0, 128}, {1000, 128}, {2000, 1}}), {2, 1}},
      {"too many in the middle", Row({{0, 10}, {1000, 256 + 1}, {2000, 10}, {3000, 10}}), {1, 1, 2}},
      {"too many at the start", Row({{0, 256 + 5}, {0, 10}}), {1, 1}},
  };
  for (const Case& c : cases) {
    const int count = int(c.row.size()) / (kRowSquare * kRowSquare);
    EXPECT_EQ(control::PaletteRuns(c.row.data(), kRowSquare, count, kRowSquare * count), c.runs) << c.name;
  }
}

// One indexer for a whole board gives every block what a fresh one gives, and
// a board's record needs fewer bitmaps than squares.
TEST(PaletteRuns, ABoardsRowsIndexAsTheirSquaresDoWithFewerBitmaps) {
  HeadlessControl c;
  c.control.NewGame();
  constexpr int kSquare = 148, kSide = 8 * kSquare;
  const std::vector<uint32_t> board = c.platform.Render(kSquare);
  control::ColourIndexer indexer;
  size_t bitmaps = 0;
  for (int row = 0; row < 8; ++row) {
    const uint32_t* pixels = board.data() + row * kSquare * kSide;
    const std::vector<int> runs = control::PaletteRuns(pixels, kSquare, 8, kSide);
    int col = 0;
    for (int run : runs) {
      const control::IndexedPixels fresh = control::IndexColours(pixels + col * kSquare, run * kSquare, kSquare, kSide);
      const control::IndexedPixels& reused = indexer.Index(pixels + col * kSquare, run * kSquare, kSquare, kSide);
      EXPECT_EQ(reused.palette, fresh.palette);
      EXPECT_EQ(reused.indices, fresh.indices);
      if (run > 1)
        for (int y = 0; y < kSquare; y += 7)
          for (int x = 0; x < run * kSquare; x += 5) ASSERT_EQ(Shown(reused, x, y), pixels[y * kSide + col * kSquare + x]);
      col += run;
    }
    EXPECT_EQ(col, 8);
    bitmaps += runs.size();
  }
  std::printf("a record at 148-pixel squares after NewGame: %zu bitmaps for 64 squares\n", bitmaps);
  EXPECT_LT(bitmaps, 64u);
}

}  // namespace
