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

int ComposedBoard::Update(const CellGrid& cells, int square, const Composer& compose) {
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
  const uint64_t marked = std::exchange(markedCells_, 0);
  if (std::exchange(whole_, false)) {
    compose({0, 0, side, side}, pixels_.data(), side);
    return 1;
  }
  int composed = 0;
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell) {
    if (!(marked >> (cell.value - 1) & 1) || !cells.Exists(cell)) continue;
    // Everything in the cell's rectangle, so cells lying over or under it stay right.
    const PixelRect r = cells.Bounds(cell, square);
    const PixelRect area{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, side), std::min(r.bottom, side)};
    if (area.left >= area.right || area.top >= area.bottom) continue;
    compose(area, pixels_.data() + static_cast<ptrdiff_t>(area.top) * side + area.left, side);
    ++composed;
  }
  return composed;
}

}  // namespace control
