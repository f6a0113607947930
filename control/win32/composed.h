#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "control/composed_board.h"
#include "control/win32/bitmap_info.h"

namespace control::win32 {

// The control's pixels in `area`, as `compose` makes them. One buffer serves
// every control on the thread: drawing is synchronous.
inline std::vector<uint32_t>& Composed(const RECT& area, const ComposedBoard::Composer& compose) {
  thread_local std::vector<uint32_t> buffer;
  const int width = area.right - area.left, height = area.bottom - area.top;
  buffer.resize(static_cast<size_t>(width) * height);
  compose({area.left, area.top, area.right, area.bottom}, buffer.data(), width);
  return buffer;
}

inline void CopyPixels(HDC dc, POINT at, const std::vector<uint32_t>& pixels, int width, int height) {
  const BITMAPINFO info = TopDownBitmap(width, height);
  SetDIBitsToDevice(dc, at.x, at.y, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

// The part of `area` inside the board whose pixels are kept, from the kept pixels to the same place on `dc`.
inline void CopyKept(HDC dc, const ComposedBoard& board, const RECT& area) {
  const int side = board.Side();
  const int left = std::max<int>(area.left, 0), right = std::min<int>(area.right, side);
  const int top = std::max<int>(area.top, 0), bottom = std::min<int>(area.bottom, side);
  if (left >= right || top >= bottom) return;
  // Whole rows of the kept pixels, from the area's first: no question of which way a source y counts.
  BITMAPINFO info = TopDownBitmap(side, bottom - top);
  SetDIBitsToDevice(dc, left, top, right - left, bottom - top, left, 0, 0, bottom - top,
                    board.Pixels() + static_cast<ptrdiff_t>(top) * side, &info, DIB_RGB_COLORS);
}

// The parts of `bounds` right of and below the board's `side` x `side` square at its top-left.
inline void FillAround(HDC dc, const RECT& bounds, int side, uint32_t background) {
  // The DC's own brush: no brush object to create and delete.
  const COLORREF previous = SetDCBrushColor(dc, RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF));
  auto* brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  const RECT right{bounds.left + side, bounds.top, bounds.right, bounds.bottom};
  const RECT below{bounds.left, bounds.top + side, bounds.left + side, bounds.bottom};
  if (right.left < right.right) FillRect(dc, &right, brush);
  if (below.top < below.bottom) FillRect(dc, &below, brush);
  SetDCBrushColor(dc, previous);
}

}  // namespace control::win32
