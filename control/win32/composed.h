#pragma once

#include <windows.h>

#include <vector>

#include "control/cell_grid.h"
#include "control/view_layers.h"
#include "control/win32/bitmap_info.h"

namespace control::win32 {

// The control's pixels in `area` with squares of `square` device pixels, the
// background showing outside the cells; with a view (OvlBoard's), its marks,
// coordinates and arrows too, cell `bare` showing no piece. One buffer serves
// every control on the thread: painting is synchronous, and no pixels are kept per instance.
inline std::vector<uint32_t>& Composed(const CellGrid& cells, const RECT& area, int square, uint32_t background,
                                       const BoardView* view = nullptr, CellIndex bare = {}) {
  thread_local std::vector<uint32_t> buffer;
  const int width = area.right - area.left, height = area.bottom - area.top;
  buffer.assign(static_cast<size_t>(width) * height, background);
  if (view)
    RenderView(cells, *view, buffer.data(), width, height, width, area.left, area.top, square, bare);
  else
    cells.Render(buffer.data(), width, height, width, area.left, area.top, square);
  return buffer;
}

inline void CopyPixels(HDC dc, POINT at, const std::vector<uint32_t>& pixels, int width, int height) {
  const BITMAPINFO info = TopDownBitmap(width, height);
  SetDIBitsToDevice(dc, at.x, at.y, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace control::win32
