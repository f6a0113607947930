#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "control/cell_grid.h"

namespace control {

// The board's composed pixels, eight squares a side from the control's origin,
// kept between paints so that a repaint only copies them. The pixels are 64
// square tiles, each current or stale: a cell whose look changed makes the
// tiles under its rectangle stale, and an Update composes the stale tiles of
// the area it is asked for alone; a new square size, or MarkAll (layout,
// background), makes every tile stale. A thread keeps the pixels of its
// kMostKept boards updated last; an older board gives its pixels back and
// composes, at its next paint, the tiles that paint shows, so a form of many
// boards costs a few boards' pixels.
class ComposedBoard {
 public:
  static constexpr size_t kMostKept = 2;
  static constexpr int kWholeBoard = 1 << 24;

  // Composes an area of the control into pixels at the area's top-left, rows `stride` apart.
  using Composer = std::function<void(PixelRect area, uint32_t* pixels, ptrdiff_t stride)>;

  void MarkCell(CellIndex cell) { markedCells_ |= uint64_t{1} << (cell.value - 1); }
  void MarkAll() { whole_ = true; }
  // Tiles whose pixels changed, as SquaresMeeting numbers them.
  void MarkTiles(uint64_t tiles) { staleTiles_ |= tiles; }
  // Gives the pixels back; the next Update composes them anew.
  void Release();
  ComposedBoard() = default;
  ComposedBoard(const ComposedBoard&) = delete;
  ComposedBoard& operator=(const ComposedBoard&) = delete;
  ~ComposedBoard() { Release(); }

  // Brings the pixels of `needed` (board pixels; the whole board unless given)
  // up to date for squares of `square` device pixels. Returns the number of
  // areas composed: stale tiles, or 1 for the whole board.
  int Update(const CellGrid& cells, int square, const Composer& compose,
             PixelRect needed = {0, 0, kWholeBoard, kWholeBoard});
  // Every tile is current: the pixels show the board as it is.
  bool Current() const { return side_ > 0 && !whole_ && markedCells_ == 0 && staleTiles_ == 0; }

  // The side, in device pixels, of the pixels kept; 0 before the first Update.
  int Side() const { return side_; }
  const uint32_t* Pixels() const { return pixels_.data(); }
  // The kept pixels of `area` (board pixels) into `pixels`, the area's top-left,
  // rows `stride` apart; the part of the area off the kept board is left as it was.
  void CopyOut(PixelRect area, uint32_t* pixels, ptrdiff_t stride) const;
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
  // Bit 8 * tile row + tile column: the tiles whose pixels are not yet composed as the cells stand.
  uint64_t staleTiles_ = 0;
  // The list this board stands in while it keeps pixels.
  std::vector<ComposedBoard*>* keptIn_ = nullptr;
};

// What a paint of a resized board knows: whether it may stretch the kept
// pixels onto the board's new rectangle instead of composing at the new size.
// Stretching is for a live resize only (a size whose pictures are not drawn
// yet, the settle to come): the pixels must be the board as it stands, and
// nothing may be drawn over them.
struct ResizedPaint {
  int keptSide = 0;           // the kept pixels' side; 0 when none are kept
  bool keptCurrent = false;   // every kept tile composed as the cells stand
  int side = 0;               // the board's side now
  bool picturesDrawn = false; // the pictures of the square now are drawn
  bool overBoard = false;     // a slide, the choice, a piece in hand or the focus cue in the area

  bool StretchesKept() const {
    return keptSide > 0 && keptSide != side && keptCurrent && !picturesDrawn && !overBoard;
  }
};

}  // namespace control
