#include "control/cell_grid.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "board/automation_error.h"

namespace control {

namespace {

// kSize is the pictures' size when known at compile time, else 0.
template <int kSize>
void ComposeLayers(const PictureSet& pictures, CellIndex cell, uint8_t bottomImage, const uint8_t* layers,
                   int layerCount, uint32_t* pixels, ptrdiff_t stride, const CellUnderlay* underlay) {
  const int size = kSize != 0 ? kSize : pictures.Size();
  if (underlay && !underlay->ShowsImages(cell)) layerCount = 0;
  const uint32_t* bottom = pictures.Lookup(ImageNumber{bottomImage}).pixels.data();
  for (int y = 0; y < size; ++y)
    std::memcpy(pixels + y * stride, bottom + y * size, size * sizeof(uint32_t));
  if (underlay) underlay->PaintUnder(cell, layerCount != 0, pixels, stride, size);
  for (int n = 0; n < layerCount; ++n) {
    const uint32_t* layer = pictures.Lookup(ImageNumber{layers[n]}).pixels.data();
    for (int y = 0; y < size; ++y) {
      uint32_t* row = pixels + y * stride;
      const uint32_t* source = layer + y * size;
      // Exact black is the mask colour: written as a select so it vectorises.
      for (int x = 0; x < size; ++x) row[x] = source[x] != 0 ? source[x] : row[x];
    }
  }
}

}  // namespace

CellGrid::CellGrid() {
  // Cell 1 is part of the design-time layout: at the origin and visible.
  cells_[0].exists = true;
  cells_[0].visible = true;
}

bool CellGrid::Exists(CellIndex cell) const { return board::IsCell(cell) && cells_[cell.value - 1].exists; }

CellGrid::Cell& CellGrid::At(CellIndex cell) {
  if (!Exists(cell)) throw board::NoSuchCellError();
  return cells_[cell.value - 1];
}

const CellGrid::Cell& CellGrid::At(CellIndex cell) const {
  if (!Exists(cell)) throw board::NoSuchCellError();
  return cells_[cell.value - 1];
}

void CellGrid::Create(CellIndex cell) {
  if (!board::IsCell(cell)) throw board::NoSuchCellError();
  if (Exists(cell)) throw board::CellAlreadyLoadedError();
  Cell created = cells_[0];
  created.visible = false;
  cells_[cell.value - 1] = created;
}

void CellGrid::SetPicture(CellIndex cell, const PictureSet& pictures, ImageNumber image) {
  pictures.Lookup(image);
  Cell& target = At(cell);
  target.bottom = static_cast<uint8_t>(image.value);
  target.layerCount = 0;
}

void CellGrid::Draw(CellIndex cell, const PictureSet& pictures, ImageNumber image) {
  const DecodedPicture& picture = pictures.Lookup(image);
  Cell& target = At(cell);
  if (!picture.hasMaskColour) {
    target.bottom = static_cast<uint8_t>(image.value);
    target.layerCount = 0;
    return;
  }
  auto first = target.layers.begin();
  auto last = first + target.layerCount;
  last = std::remove(first, last, static_cast<uint8_t>(image.value));
  *last++ = static_cast<uint8_t>(image.value);
  target.layerCount = static_cast<uint8_t>(last - first);
}

PixelRect CellGrid::Bounds(CellIndex cell, int square) const {
  const Cell& c = At(cell);
  // Exact at 37: a float times 37 fits a double, and dividing it back gives the float again.
  const int left = static_cast<int>(std::floor(double{c.left} * square / kPictureSize));
  const int top = static_cast<int>(std::floor(double{c.top} * square / kPictureSize));
  return {left, top, left + square, top + square};
}

CellIndex CellGrid::CellAt(int x, int y, int square) const {
  for (CellIndex cell = board::kLastCell; cell >= board::kFirstCell; --cell) {
    const Cell& c = cells_[cell.value - 1];
    if (!c.exists || !c.visible) continue;
    const PixelRect r = Bounds(cell, square);
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return cell;
  }
  return {};
}

void CellGrid::Compose(CellIndex index, const Cell& cell, const PictureSet& pictures, uint32_t* pixels,
                       ptrdiff_t stride, const CellUnderlay* underlay) {
  // The 96-DPI size is the common case: with its size known the loops unroll.
  if (pictures.Size() == kPictureSize)
    ComposeLayers<kPictureSize>(pictures, index, cell.bottom, cell.layers.data(), cell.layerCount, pixels, stride,
                                underlay);
  else
    ComposeLayers<0>(pictures, index, cell.bottom, cell.layers.data(), cell.layerCount, pixels, stride, underlay);
}

void CellGrid::ComposeCell(CellIndex index, uint32_t* pixels, ptrdiff_t stride, int square,
                           const CellUnderlay* underlay) const {
  const Cell& cell = At(index);
  if (cell.bottom != 0) Compose(index, cell, PictureSet::ForSize(square), pixels, stride, underlay);
}

void CellGrid::Render(uint32_t* pixels, int width, int height, ptrdiff_t stride, int originX,
                      int originY, int square, const CellUnderlay* underlay) const {
  Render(pixels, width, height, stride, originX, originY, PictureSet::ForSize(square), underlay);
}

void CellGrid::Render(uint32_t* pixels, int width, int height, ptrdiff_t stride, int originX, int originY,
                      const PictureSet& pictures, const CellUnderlay* underlay) const {
  const int square = pictures.Size();
  // A partly visible cell is composed aside first; at 96 DPI without allocating.
  std::array<uint32_t, kPicturePixels> small;
  std::vector<uint32_t> large;
  auto aside = [&] {
    if (square <= kPictureSize) return small.data();
    large.resize(static_cast<size_t>(square) * square);
    return large.data();
  };
  for (CellIndex index = board::kFirstCell; index <= board::kLastCell; ++index) {
    const Cell& cell = cells_[index.value - 1];
    if (!cell.exists || !cell.visible || cell.bottom == 0) continue;
    const PixelRect r = Bounds(index, square);
    const int left = std::max(r.left - originX, 0), right = std::min(r.right - originX, width);
    const int top = std::max(r.top - originY, 0), bottom = std::min(r.bottom - originY, height);
    if (left >= right || top >= bottom) continue;
    if (right - left == square && bottom - top == square) {
      Compose(index, cell, pictures, pixels + top * stride + left, stride, underlay);
      continue;
    }
    uint32_t* clipped = aside();
    Compose(index, cell, pictures, clipped, square, underlay);
    for (int y = top; y < bottom; ++y) {
      const uint32_t* source = clipped + (y + originY - r.top) * square + (left + originX - r.left);
      std::memcpy(pixels + y * stride + left, source, (right - left) * sizeof(uint32_t));
    }
  }
}

}  // namespace control
