#pragma once

#include "control/cell_grid.h"
#include "control/device_scale.h"
#include "control/mouse_input.h"

namespace control {

// How a class sizes its board in the rectangle its container gives it.
enum class BoardLayout {
  // Squares of floor(37 * scale) at the top-left, whatever the rectangle (OvlChess).
  FixedAtScale,
  // Squares of floor(min(width, height) / 8), the board centred in the rectangle (OvlBoard).
  FillsRectangle,
};

// Where the board lies in the control and how large its squares are, in device
// pixels: the one size the rest of the view needs. Cells are placed on the board
// (CellGrid), and the board at (Left(), Top()) of the control.
class BoardGeometry {
 public:
  // Below this a square has too few pixels to tell a piece; a smaller rectangle shows the board clipped.
  static constexpr int kSmallestSquare = 8;

  static BoardGeometry Of(BoardLayout layout, int width, int height, const DeviceScale& scale);
  static BoardGeometry AtTopLeft(const DeviceScale& scale);
  static BoardGeometry Filling(int width, int height);

  BoardGeometry() : BoardGeometry(DeviceScale{}) {}

  int Square() const { return square_; }
  int Side() const { return board::kBoardSize * square_; }
  int Left() const { return left_; }
  int Top() const { return top_; }
  PixelRect BoardRect() const { return {left_, top_, left_ + Side(), top_ + Side()}; }

  // The cell under a point of the control, or 0.
  CellIndex CellAt(const CellGrid& cells, PointerPosition inControl) const;
  // A cell's rectangle in the control's pixels.
  PixelRect CellRect(const CellGrid& cells, CellIndex cell) const;
  // A point relative to its cell's top-left, in the events' units: 96-DPI
  // units for a board at its display scale, and 37 to a square for one that fills its rectangle.
  CellOffset OffsetIn(const CellGrid& cells, CellIndex cell, PointerPosition inControl) const;

  // Board pixels and control pixels, both ways.
  PixelRect InControl(PixelRect onBoard) const;
  PixelRect OnBoard(PixelRect inControl) const;

  friend bool operator==(const BoardGeometry&, const BoardGeometry&) = default;

 private:
  explicit BoardGeometry(const DeviceScale& scale) : square_(scale.Square()), pixelsPerUnit_(scale.Factor()) {}
  BoardGeometry(int square, int left, int top);

  int square_;
  int left_ = 0;
  int top_ = 0;
  double pixelsPerUnit_;
};

}  // namespace control
