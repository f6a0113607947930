#include "control/draw_bounds.h"

#include <initializer_list>

namespace control {

namespace {
int64_t Magnitude(int64_t v) { return v < 0 ? -v : v; }
}  // namespace

bool DrawBounds::WithinGdiRange(const Corners& c, int64_t farthest) {
  for (int64_t coordinate : {c.left, c.top, c.right, c.bottom})
    if (Magnitude(coordinate) > farthest) return false;
  return Magnitude(c.right - c.left) <= kLargestSide && Magnitude(c.bottom - c.top) <= kLargestSide;
}

}  // namespace control
