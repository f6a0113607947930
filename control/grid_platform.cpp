#include "control/grid_platform.h"

#include "board/automation_error.h"

namespace control {

board::Picture GridPlatform::PictureOfImage(int16_t image) {
  pictures_.Lookup(image);
  return {image};
}

void GridPlatform::DrawImage(int16_t image, board::DrawingSurface surface, int32_t x, int32_t y,
                             int16_t style) {
  pictures_.Lookup(image);
  // A surface keeps layers aligned with the cell; only the one way the control draws is needed.
  if (x != 0 || y != 0 || style != board::kTransparentStyle) throw board::InvalidArgumentError();
  cells_.Draw(surface.cell, pictures_, image);
}

void GridPlatform::SetCellPicture(int16_t cell, board::Picture picture) {
  cells_.SetPicture(cell, pictures_, picture.image);
  InvalidateCell(cell);
}

board::DrawingSurface GridPlatform::CellDrawingSurface(int16_t cell) {
  cells_.Bounds(cell);  // fails for a cell that does not exist
  return {cell};
}

void GridPlatform::RefreshCell(int16_t cell) {
  cells_.Bounds(cell);
  UpdateCell(cell);
}

void GridPlatform::SetCellVisible(int16_t cell, bool visible) {
  cells_.SetVisible(cell, visible);
  InvalidateCell(cell);
}

// Cells move only during construction, before anything is on screen, so the
// place a cell left needs no repaint.
void GridPlatform::SetCellLeft(int16_t cell, float left) {
  cells_.SetLeft(cell, left);
  InvalidateCell(cell);
}

void GridPlatform::SetCellTop(int16_t cell, float top) {
  cells_.SetTop(cell, top);
  InvalidateCell(cell);
}

}  // namespace control
