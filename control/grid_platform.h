#pragma once

#include "control/cell_grid.h"
#include "control/picture_set.h"
#include "control/platform.h"

namespace control {

// The image list and the cells, the same for every host: a host derives from
// this and adds the container's services and how a changed cell reaches the screen.
class GridPlatform : public Platform {
 public:
  board::Picture PictureOfImage(int16_t image) override;
  void DrawImage(int16_t image, board::DrawingSurface surface, int32_t x, int32_t y,
                 int16_t style) override;
  void SetCellPicture(int16_t cell, board::Picture picture) override;
  board::DrawingSurface CellDrawingSurface(int16_t cell) override;
  void RefreshCell(int16_t cell) override;

  void CreateCell(int16_t cell) override { cells_.Create(cell); }
  void SetCellVisible(int16_t cell, bool visible) override;
  float CellLeft(int16_t cell) override { return cells_.Left(cell); }
  void SetCellLeft(int16_t cell, float left) override;
  float CellTop(int16_t cell) override { return cells_.Top(cell); }
  void SetCellTop(int16_t cell, float top) override;

  const CellGrid& Cells() const { return cells_; }

 protected:
  ~GridPlatform() = default;

  // A cell's look changed: show it when the screen next repaints.
  virtual void InvalidateCell(int16_t) {}
  // A cell was refreshed: show it now.
  virtual void UpdateCell(int16_t) {}

 private:
  const PictureSet& pictures_ = PictureSet::Shared();
  CellGrid cells_;
};

}  // namespace control
