#include "control/cell_grid.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "board/automation_error.h"

namespace control {

CellGrid::CellGrid() {
  // Cell 1 is part of the design-time layout: at the origin and visible.
  cells_[0].exists = true;
  cells_[0].visible = true;
}

bool CellGrid::Exists(int16_t cell) const {
  return cell >= 1 && cell <= board::kSquareCount && cells_[cell - 1].exists;
}

CellGrid::Cell& CellGrid::At(int16_t cell) {
  if (!Exists(cell)) throw board::NoSuchCellError();
  return cells_[cell - 1];
}

const CellGrid::Cell& CellGrid::At(int16_t cell) const {
  if (!Exists(cell)) throw board::NoSuchCellError();
  return cells_[cell - 1];
}

void CellGrid::Create(int16_t cell) {
  if (cell < 1 || cell > board::kSquareCount) throw board::NoSuchCellError();
  if (Exists(cell)) throw board::CellAlreadyLoadedError();
  Cell created = cells_[0];
  created.visible = false;
  cells_[cell - 1] = created;
}

void CellGrid::SetPicture(int16_t cell, const PictureSet& pictures, int16_t image) {
  pictures.Lookup(image);
  Cell& target = At(cell);
  target.bottom = static_cast<uint8_t>(image);
  target.layerCount = 0;
}

void CellGrid::Draw(int16_t cell, const PictureSet& pictures, int16_t image) {
  const DecodedPicture& picture = pictures.Lookup(image);
  Cell& target = At(cell);
  if (!picture.hasMaskColour) {
    target.bottom = static_cast<uint8_t>(image);
    target.layerCount = 0;
    return;
  }
  auto first = target.layers.begin();
  auto last = first + target.layerCount;
  last = std::remove(first, last, static_cast<uint8_t>(image));
  *last++ = static_cast<uint8_t>(image);
  target.layerCount = static_cast<uint8_t>(last - first);
}

PixelRect CellGrid::Bounds(int16_t cell) const {
  const Cell& c = At(cell);
  const int left = static_cast<int>(std::floor(c.left));
  const int top = static_cast<int>(std::floor(c.top));
  return {left, top, left + kPictureSize, top + kPictureSize};
}

int16_t CellGrid::CellAt(int x, int y) const {
  for (int16_t cell = board::kSquareCount; cell >= 1; --cell) {
    if (!cells_[cell - 1].exists || !cells_[cell - 1].visible) continue;
    const PixelRect r = Bounds(cell);
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return cell;
  }
  return 0;
}

void CellGrid::Compose(const Cell& cell, uint32_t* pixels, ptrdiff_t stride) const {
  const PictureSet& pictures = PictureSet::Shared();
  const uint32_t* bottom = pictures.Lookup(cell.bottom).pixels.data();
  for (int y = 0; y < kPictureSize; ++y)
    std::memcpy(pixels + y * stride, bottom + y * kPictureSize, kPictureSize * sizeof(uint32_t));
  for (int n = 0; n < cell.layerCount; ++n) {
    const uint32_t* layer = pictures.Lookup(cell.layers[n]).pixels.data();
    for (int y = 0; y < kPictureSize; ++y) {
      uint32_t* row = pixels + y * stride;
      const uint32_t* source = layer + y * kPictureSize;
      // Exact black is the mask colour: written as a select so it vectorises.
      for (int x = 0; x < kPictureSize; ++x) row[x] = source[x] != 0 ? source[x] : row[x];
    }
  }
}

void CellGrid::ComposeCell(int16_t index, uint32_t* pixels, ptrdiff_t stride) const {
  const Cell& cell = At(index);
  if (cell.bottom != 0) Compose(cell, pixels, stride);
}

void CellGrid::Render(uint32_t* pixels, int width, int height, ptrdiff_t stride, int originX,
                      int originY) const {
  std::array<uint32_t, kPicturePixels> clipped;
  for (int16_t index = 1; index <= board::kSquareCount; ++index) {
    const Cell& cell = cells_[index - 1];
    if (!cell.exists || !cell.visible || cell.bottom == 0) continue;
    const PixelRect r = Bounds(index);
    const int left = std::max(r.left - originX, 0), right = std::min(r.right - originX, width);
    const int top = std::max(r.top - originY, 0), bottom = std::min(r.bottom - originY, height);
    if (left >= right || top >= bottom) continue;
    if (right - left == kPictureSize && bottom - top == kPictureSize) {
      Compose(cell, pixels + top * stride + left, stride);
      continue;
    }
    Compose(cell, clipped.data(), kPictureSize);
    for (int y = top; y < bottom; ++y) {
      const uint32_t* source = clipped.data() + (y + originY - r.top) * kPictureSize + (left + originX - r.left);
      std::memcpy(pixels + y * stride + left, source, (right - left) * sizeof(uint32_t));
    }
  }
}

}  // namespace control
