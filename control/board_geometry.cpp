#include "control/board_geometry.h"

#include <algorithm>

namespace control {

BoardGeometry::BoardGeometry(int square, int left, int top)
    : square_(square), left_(left), top_(top), pixelsPerUnit_(static_cast<double>(square) / kPictureSize) {}

BoardGeometry BoardGeometry::Of(BoardLayout layout, int width, int height, const DeviceScale& scale) {
  return layout == BoardLayout::FillsRectangle ? Filling(width, height) : AtTopLeft(scale);
}

BoardGeometry BoardGeometry::AtTopLeft(const DeviceScale& scale) { return BoardGeometry(scale); }

// What is left over, split evenly, the odd pixel to the right and below. A
// board larger than the rectangle is clipped on the right and below, so a8 stays in sight.
BoardGeometry BoardGeometry::Filling(int width, int height) {
  const int square =
      std::clamp(std::min(width, height) / board::kBoardSize, kSmallestSquare, kLargestPictureSize);
  const int side = board::kBoardSize * square;
  return BoardGeometry(square, std::max(0, (width - side) / 2), std::max(0, (height - side) / 2));
}

CellIndex BoardGeometry::CellAt(const CellGrid& cells, PointerPosition inControl) const {
  return cells.CellAt(inControl.x - left_, inControl.y - top_, square_);
}

PixelRect BoardGeometry::CellRect(const CellGrid& cells, CellIndex cell) const {
  return InControl(cells.Bounds(cell, square_));
}

CellOffset BoardGeometry::OffsetIn(const CellGrid& cells, CellIndex cell, PointerPosition inControl) const {
  const PixelRect r = CellRect(cells, cell);
  return {static_cast<float>((inControl.x - r.left) / pixelsPerUnit_),
          static_cast<float>((inControl.y - r.top) / pixelsPerUnit_)};
}

PixelRect BoardGeometry::InControl(PixelRect r) const {
  return {r.left + left_, r.top + top_, r.right + left_, r.bottom + top_};
}

PixelRect BoardGeometry::OnBoard(PixelRect r) const {
  return {r.left - left_, r.top - top_, r.right - left_, r.bottom - top_};
}

}  // namespace control
