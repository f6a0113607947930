#include "control/grid_platform.h"

#include "board/automation_error.h"

namespace control {

board::Picture GridPlatform::PictureOfImage(ImageNumber image) {
  pictures_.Lookup(image);
  return {image};
}

// The grid looks the image up before it draws, so a number the list lacks fails there.
void GridPlatform::DrawImage(ImageNumber image, board::DrawingSurface surface) {
  cells_.Draw(surface.cell, pictures_, image);
  composed_.MarkCell(surface.cell);
}

void GridPlatform::SetCellPicture(CellIndex cell, board::Picture picture) {
  cells_.SetPicture(cell, pictures_, picture.image);
  composed_.MarkCell(cell);
  InvalidateCell(cell);
}

board::DrawingSurface GridPlatform::CellDrawingSurface(CellIndex cell) {
  cells_.Bounds(cell);  // fails for a cell that does not exist
  return {cell};
}

void GridPlatform::RefreshCell(CellIndex cell) {
  cells_.Bounds(cell);
  composed_.MarkCell(cell);
  UpdateCell(cell);
}

void GridPlatform::SetCellVisible(CellIndex cell, bool visible) {
  cells_.SetVisible(cell, visible);
  composed_.MarkCell(cell);
  InvalidateCell(cell);
}

// Cells move during construction, before anything is on screen, and when a
// board is turned, where another cell takes each place left: the place a cell
// left needs no repaint of its own; the kept pixels are composed anew all the same.
void GridPlatform::SetCellLeft(CellIndex cell, float left) {
  cells_.SetLeft(cell, left);
  composed_.MarkAll();
  InvalidateCell(cell);
}

void GridPlatform::SetCellTop(CellIndex cell, float top) {
  cells_.SetTop(cell, top);
  composed_.MarkAll();
  InvalidateCell(cell);
}

}  // namespace control
