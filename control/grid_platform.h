#pragma once

#include "control/cell_grid.h"
#include "control/composed_board.h"
#include "control/picture_set.h"
#include "control/platform.h"

namespace control {

// The image list and the cells, the same for every host: a host derives from
// this and adds the container's services and how a changed cell reaches the screen.
class GridPlatform : public Platform {
 public:
  explicit GridPlatform(const Clock& clock = kSteadyClock) : clock_(clock) {}
  const Clock& Time() override { return clock_; }
  board::Picture PictureOfImage(ImageNumber image) override;
  void DrawImage(ImageNumber image, board::DrawingSurface surface) override;
  void SetCellPicture(CellIndex cell, board::Picture picture) override;
  board::DrawingSurface CellDrawingSurface(CellIndex cell) override;
  // Also composes the cell again: what OvlBoard's view draws on it (a mark, labels) may have changed.
  void RefreshCell(CellIndex cell) override;
  void RepaintView() override {
    composed_.MarkAll();
    Repaint();
  }

  void CreateCell(CellIndex cell) override { cells_.Create(cell); }
  void SetCellVisible(CellIndex cell, bool visible) override;
  float CellLeft(CellIndex cell) override { return cells_.Left(cell); }
  void SetCellLeft(CellIndex cell, float left) override;
  float CellTop(CellIndex cell) override { return cells_.Top(cell); }
  void SetCellTop(CellIndex cell, float top) override;

  const CellGrid& Cells() const { return cells_; }
  // The board's pixels kept between paints, told of every change to a cell's look.
  ComposedBoard& ComposedPixels() { return composed_; }
  const ComposedBoard& ComposedPixels() const { return composed_; }

 protected:
  ~GridPlatform() = default;

  // A cell's look changed: show it when the screen next repaints.
  virtual void InvalidateCell(CellIndex) {}
  // A cell was refreshed: show it now.
  virtual void UpdateCell(CellIndex) {}

 private:
  const Clock& clock_;
  const PictureSet& pictures_ = PictureSet::Shared();
  CellGrid cells_;
  ComposedBoard composed_;
};

}  // namespace control
