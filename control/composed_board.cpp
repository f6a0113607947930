#include "control/composed_board.h"

#include <algorithm>
#include <utility>

#include "board/squares.h"

namespace control {

std::vector<uint32_t>& ComposedBoard::Spare() {
  thread_local std::vector<uint32_t> spare;
  return spare;
}

std::vector<ComposedBoard*>& ComposedBoard::Keepers() {
  thread_local std::vector<ComposedBoard*> keepers;
  return keepers;
}

void ComposedBoard::KeptLast() {
  std::vector<ComposedBoard*>& keepers = Keepers();
  keepers.erase(std::remove(keepers.begin(), keepers.end(), this), keepers.end());
  keepers.push_back(this);
  keptIn_ = &keepers;
  if (keepers.size() > kMostKept) keepers.front()->Release();
}

void ComposedBoard::Release() {
  if (keptIn_) keptIn_->erase(std::remove(keptIn_->begin(), keptIn_->end(), this), keptIn_->end());
  keptIn_ = nullptr;
  if (pixels_.capacity() == 0) return;  // never shown: the spare is not touched
  if (pixels_.capacity() > Spare().capacity()) Spare().swap(pixels_);
  std::vector<uint32_t>().swap(pixels_);
  side_ = 0;
  whole_ = true;
}

void ComposedBoard::CopyOut(PixelRect area, uint32_t* pixels, ptrdiff_t stride) const {
  const PixelRect kept = Intersection(area, {0, 0, side_, side_});
  if (kept.Empty()) return;
  for (int y = kept.top; y < kept.bottom; ++y)
    std::copy_n(pixels_.data() + static_cast<ptrdiff_t>(y) * side_ + kept.left, kept.right - kept.left,
                pixels + (y - area.top) * stride + (kept.left - area.left));
}

int ComposedBoard::Update(const CellGrid& cells, int square, const Composer& compose, PixelRect needed) {
  const int side = board::kBoardSize * square;
  if (side != side_) {
    const size_t count = static_cast<size_t>(side) * side;
    if (pixels_.empty() && Spare().size() == count) pixels_.swap(Spare());
    pixels_.resize(count);
    pixels_.shrink_to_fit();
    side_ = side;
    whole_ = true;
  }
  KeptLast();
  if (std::exchange(whole_, false)) staleTiles_ = ~uint64_t{0};
  const uint64_t marked = std::exchange(markedCells_, 0);
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell)
    if ((marked >> (cell.value - 1) & 1) && cells.Exists(cell)) staleTiles_ |= SquaresMeeting(cells.Bounds(cell, square), square);
  const uint64_t due = staleTiles_ & SquaresMeeting(needed, square);
  staleTiles_ &= ~due;
  if (due == ~uint64_t{0}) {
    compose({0, 0, side, side}, pixels_.data(), side);
    return 1;
  }
  int composed = 0;
  for (int tile = 0; tile < board::kSquareCount; ++tile) {
    if (!(due >> tile & 1)) continue;
    const int left = tile % board::kBoardSize * square, top = tile / board::kBoardSize * square;
    compose({left, top, left + square, top + square}, pixels_.data() + static_cast<ptrdiff_t>(top) * side + left, side);
    ++composed;
  }
  return composed;
}

}  // namespace control
