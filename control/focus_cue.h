#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "control/cell_grid.h"

namespace control {

// The keyboard focus cue: a two-tone outline along the inside of the cursor
// square. The band next to the square's own pixels is dark on a light square
// and light on a dark one, the outer band the other, so one band always stands
// out against the wood beside it, on both square colours and at every scale.
struct FocusCue {
  static constexpr uint32_t kDark = 0x000000;
  static constexpr uint32_t kLight = 0xFFFFFF;

  // One band's width in device pixels: 2 at 96 DPI, growing with the square.
  static int BandWidth(int square) { return std::max(2, square * 2 / kPictureSize); }
  static uint32_t InnerColour(bool lightSquare) { return lightSquare ? kDark : kLight; }
  static uint32_t OuterColour(bool lightSquare) { return lightSquare ? kLight : kDark; }

  // Draws the cue for the square `cell` (in the buffer's pixels, possibly partly
  // outside it) into a width x height 0x00RRGGBB buffer.
  static void Draw(uint32_t* pixels, int width, int height, ptrdiff_t stride, PixelRect cell, bool lightSquare);
};

}  // namespace control
