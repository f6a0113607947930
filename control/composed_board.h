#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "control/cell_grid.h"

namespace control {

// The board's composed pixels, eight squares a side from the control's origin,
// kept between paints so that a repaint only copies them. A cell whose look
// changed is marked, and the next Update composes the marked cells' rectangles
// alone; a new square size, or MarkAll (layout, background), composes it all.
// A thread keeps the pixels of its kMostKept boards updated last; an older
// board gives its pixels back and composes them whole at its next paint, so a
// form of many boards costs a few boards' pixels.
class ComposedBoard {
 public:
  static constexpr size_t kMostKept = 2;

  // Composes an area of the control into pixels at the area's top-left, rows `stride` apart.
  using Composer = std::function<void(PixelRect area, uint32_t* pixels, ptrdiff_t stride)>;

  void MarkCell(CellIndex cell) { markedCells_ |= uint64_t{1} << (cell.value - 1); }
  void MarkAll() { whole_ = true; }
  // Gives the pixels back; the next Update composes them anew.
  void Release();
  ComposedBoard() = default;
  ComposedBoard(const ComposedBoard&) = delete;
  ComposedBoard& operator=(const ComposedBoard&) = delete;
  ~ComposedBoard() { Release(); }

  // Brings the pixels up to date for squares of `square` device pixels.
  // Returns the number of areas composed: marked cells, or 1 for the whole board.
  int Update(const CellGrid& cells, int square, const Composer& compose);

  // The side, in device pixels, of the pixels kept; 0 before the first Update.
  int Side() const { return side_; }
  const uint32_t* Pixels() const { return pixels_.data(); }
  // What the kept pixels cost: Side() x Side() x 4 bytes.
  size_t Bytes() const { return pixels_.capacity() * sizeof(uint32_t); }

 private:
  // A board going away leaves its pixels to the next one made on the thread,
  // so boards made and removed in turn do not each map and unmap megabytes.
  static std::vector<uint32_t>& Spare();
  // The boards of the thread that keep pixels, the one updated last at the back.
  static std::vector<ComposedBoard*>& Keepers();
  void KeptLast();

  std::vector<uint32_t> pixels_;
  int side_ = 0;
  bool whole_ = true;
  uint64_t markedCells_ = 0;
  // The list this board stands in while it keeps pixels.
  std::vector<ComposedBoard*>* keptIn_ = nullptr;
};

}  // namespace control
