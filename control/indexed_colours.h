#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace control {

// A block of 0x00RRGGBB pixels as 8-bit indices into a palette of its own,
// rows padded to whole 32-bit words as device-independent bitmaps store them.
struct IndexedPixels {
  std::vector<uint32_t> palette;  // at most 256 colours
  std::vector<uint8_t> indices;
  int stride = 0;  // bytes per row
};

// The block exactly where it has at most 256 colours. Beyond that each
// palette entry stands for a group of close colours (a median cut weighted by
// how many pixels show each), so a square's shading stays within a few levels.
IndexedPixels IndexColours(const uint32_t* pixels, int width, int height, ptrdiff_t rowPixels);

}  // namespace control
