#pragma once

#include <algorithm>
#include <cstdint>

#include "board/squares.h"

namespace control {

struct PixelRect {
  int left, top, right, bottom;  // right and bottom exclusive
  bool Empty() const { return left >= right || top >= bottom; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The smallest rectangle holding both; an empty one adds nothing.
inline PixelRect Union(PixelRect a, PixelRect b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// Empty where they do not meet.
inline PixelRect Intersection(PixelRect a, PixelRect b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// The squares of an 8 x 8 grid of `square` pixels from (0, 0) that `area`
// meets, bit 8 x row + column, counted from 0 at the top-left.
inline uint64_t SquaresMeeting(PixelRect area, int square) {
  constexpr int n = board::kBoardSize;
  const PixelRect a = Intersection(area, {0, 0, n * square, n * square});
  if (a.Empty()) return 0;
  const int firstCol = a.left / square, lastCol = (a.right - 1) / square;
  const uint64_t row = ((uint64_t{1} << (lastCol - firstCol + 1)) - 1) << firstCol;
  uint64_t squares = 0;
  for (int r = a.top / square; r <= (a.bottom - 1) / square; ++r) squares |= row << (n * r);
  return squares;
}

}  // namespace control
