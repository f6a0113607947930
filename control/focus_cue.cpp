#include "control/focus_cue.h"

#include <algorithm>

namespace control {

namespace {

// Fills the ring between `outer` and the rectangle `band` pixels inside it, clipped to the buffer.
void FillRing(uint32_t* pixels, int width, int height, ptrdiff_t stride, PixelRect outer, int band, uint32_t colour) {
  const int top = std::max(outer.top, 0), bottom = std::min(outer.bottom, height);
  const int left = std::max(outer.left, 0), right = std::min(outer.right, width);
  for (int y = top; y < bottom; ++y) {
    const bool edgeRow = y < outer.top + band || y >= outer.bottom - band;
    uint32_t* row = pixels + y * stride;
    for (int x = left; x < right; ++x)
      if (edgeRow || x < outer.left + band || x >= outer.right - band) row[x] = colour;
  }
}

}  // namespace

void FocusCue::Draw(uint32_t* pixels, int width, int height, ptrdiff_t stride, PixelRect cell, bool lightSquare) {
  const int band = BandWidth(cell.right - cell.left);
  FillRing(pixels, width, height, stride, cell, band, OuterColour(lightSquare));
  const PixelRect inner{cell.left + band, cell.top + band, cell.right - band, cell.bottom - band};
  FillRing(pixels, width, height, stride, inner, band, InnerColour(lightSquare));
}

}  // namespace control
