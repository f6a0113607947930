#pragma once

#include <cstdint>
#include <string_view>

#include "board/squares.h"

namespace board {

// A picture of the image list, as a value a cell can be given.
struct Picture {
  ImageNumber image;
};

// A cell's persistent drawing surface (its hDC): what is drawn on it stays
// until the cell's picture is next set.
struct DrawingSurface {
  CellIndex cell;
};

// What the board operations need of their host: the image list, the cells and
// the message box. Every operation may throw AutomationError; the caller stops
// at that step and keeps what it already did.
class BoardPlatform {
 public:
  // Image list. Both look the image up first and fail for a number it lacks.
  virtual Picture PictureOfImage(ImageNumber image) = 0;
  // Draws at the surface's origin, leaving out pixels of the mask colour (exact black).
  virtual void DrawImage(ImageNumber image, DrawingSurface surface) = 0;

  // Cells of the board.
  virtual void SetCellPicture(CellIndex cell, Picture picture) = 0;
  virtual DrawingSurface CellDrawingSurface(CellIndex cell) = 0;
  virtual void RefreshCell(CellIndex cell) = 0;

  // Modal, OK only, with the default title.
  virtual void ShowMessage(std::string_view text) = 0;

 protected:
  ~BoardPlatform() = default;
};

// What the board operations need of the container: its user mode, and hearing of a changed property.
class BoardContainer {
 public:
  virtual bool UserMode() = 0;
  virtual void PropertyChanged(std::string_view name) = 0;

 protected:
  ~BoardContainer() = default;
};

}  // namespace board
