#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "control/composed_board.h"
#include "control/win32/bitmap_info.h"

namespace control::win32 {

// Pixels composed aside, width x height. One buffer serves every control on
// the thread: drawing is synchronous.
inline std::vector<uint32_t>& AsideBuffer(int width, int height) {
  thread_local std::vector<uint32_t> buffer;
  buffer.resize(static_cast<size_t>(width) * height);
  return buffer;
}

// The control's pixels in `area`, as `compose` makes them.
inline std::vector<uint32_t>& Composed(const RECT& area, const ComposedBoard::Composer& compose) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  std::vector<uint32_t>& buffer = AsideBuffer(width, height);
  compose({area.left, area.top, area.right, area.bottom}, buffer.data(), width);
  return buffer;
}

inline void CopyPixels(HDC dc, POINT at, const std::vector<uint32_t>& pixels, int width, int height) {
  const BITMAPINFO info = TopDownBitmap(width, height);
  SetDIBitsToDevice(dc, at.x, at.y, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

// The part of `area` inside the board whose pixels are kept, from the kept
// pixels to the same place on `dc`, the board's top-left at `origin`.
inline void CopyKept(HDC dc, const ComposedBoard& board, const RECT& area, POINT origin) {
  const int side = board.Side();
  const int left = std::max<int>(area.left - origin.x, 0), right = std::min<int>(area.right - origin.x, side);
  const int top = std::max<int>(area.top - origin.y, 0), bottom = std::min<int>(area.bottom - origin.y, side);
  if (left >= right || top >= bottom) return;
  // Whole rows of the kept pixels, from the area's first: no question of which way a source y counts.
  BITMAPINFO info = TopDownBitmap(side, bottom - top);
  SetDIBitsToDevice(dc, origin.x + left, origin.y + top, right - left, bottom - top, left, 0, 0, bottom - top,
                    board.Pixels() + static_cast<ptrdiff_t>(top) * side, &info, DIB_RGB_COLORS);
}

// The kept pixels stretched onto `board` on `dc`: a live resize's steps show
// the board composed last at the new size, one stretch rather than a compose.
inline void StretchKept(HDC dc, const ComposedBoard& kept, const RECT& board) {
  const int side = kept.Side();
  const BITMAPINFO info = TopDownBitmap(side, side);
  // Nearest pixels: a step is shown for a few milliseconds, and blending costs far more.
  const int previous = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, board.left, board.top, board.right - board.left, board.bottom - board.top, 0, 0, side, side,
                kept.Pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
  if (previous) SetStretchBltMode(dc, previous);
}

// The parts of `bounds` around the board's rectangle `board`: above, below, left and right of it.
inline void FillAround(HDC dc, const RECT& bounds, const RECT& board, uint32_t background) {
  // The DC's own brush: no brush object to create and delete.
  const COLORREF previous = SetDCBrushColor(dc, RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF));
  auto* brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  const LONG top = std::max(board.top, bounds.top), bottom = std::min(board.bottom, bounds.bottom);
  const RECT bands[] = {{bounds.left, bounds.top, bounds.right, board.top},
                        {bounds.left, board.bottom, bounds.right, bounds.bottom},
                        {bounds.left, top, board.left, bottom},
                        {board.right, top, bounds.right, bottom}};
  for (const RECT& band : bands)
    if (band.left < band.right && band.top < band.bottom) FillRect(dc, &band, brush);
  SetDCBrushColor(dc, previous);
}

}  // namespace control::win32
