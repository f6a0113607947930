#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace control {

// A block of 0x00RRGGBB pixels as 8-bit indices into a palette of its own,
// rows padded to whole 32-bit words as device-independent bitmaps store them.
struct IndexedPixels {
  std::vector<uint32_t> palette;  // at most 256 colours
  std::vector<uint8_t> indices;
  int stride = 0;  // bytes per row
};

// Indexes blocks one after another in buffers it keeps, so a record of many
// blocks allocates for the first few, not for each.
class ColourIndexer {
 public:
  // The block exactly where it has at most 256 colours. Beyond that each
  // palette entry stands for a group of close colours (a median cut weighted by
  // how many pixels show each), so a square's shading stays within a few levels.
  // Valid until the next call.
  const IndexedPixels& Index(const uint32_t* pixels, int width, int height, ptrdiff_t rowPixels);

  struct Shade {
    uint32_t colour;
    uint32_t pixels;  // how many pixels show it
  };

 private:
  IndexedPixels indexed_;
  std::vector<uint32_t> colours_;
  std::vector<Shade> shades_;
  // Each colour with the palette entry that shows it, sorted by colour for lookup.
  std::vector<std::pair<uint32_t, uint8_t>> entries_;
};

IndexedPixels IndexColours(const uint32_t* pixels, int width, int height, ptrdiff_t rowPixels);

// Splits a row of `count` squares of `square` pixels (rows `rowPixels` apart)
// into runs of neighbours whose colours together fit one palette, longest
// first from the left: each run is one exact 8-bit bitmap. A square of more
// than 256 colours is a run of its own. The runs' lengths, summing to `count`.
std::vector<int> PaletteRuns(const uint32_t* pixels, int square, int count, ptrdiff_t rowPixels);

}  // namespace control
