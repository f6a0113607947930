#include "control/draw_bounds.h"

#include <algorithm>
#include <cstddef>
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

DeviceTarget DeviceTarget::Of(const Corners& d) {
  return {std::min(d.left, d.right), std::min(d.top, d.bottom), Magnitude(d.right - d.left),
          Magnitude(d.bottom - d.top),  d.right < d.left,           d.bottom < d.top};
}

void Mirror(std::vector<uint32_t>& pixels, int side, const DeviceTarget& target) {
  const auto row = [&](int y) { return pixels.begin() + static_cast<ptrdiff_t>(y) * side; };
  if (target.mirrorX)
    for (int y = 0; y < side; ++y) std::reverse(row(y), row(y + 1));
  if (target.mirrorY)
    for (int y = 0; y < side / 2; ++y) std::swap_ranges(row(y), row(y + 1), row(side - 1 - y));
}

}  // namespace control
