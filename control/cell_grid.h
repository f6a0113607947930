#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "board/squares.h"
#include "control/picture_set.h"

namespace control {

using board::CellIndex;
using board::ImageNumber;

struct PixelRect {
  int left, top, right, bottom;  // right and bottom exclusive
};

// Paints on a cell's bottom picture before the images drawn on the cell are
// composed over it, so it changes only the pixels the images leave showing.
class CellUnderlay {
 public:
  // `pixels` holds the cell's bottom picture, square x square with the given
  // row stride; `showsImages` says whether any image is drawn over it.
  virtual void PaintUnder(CellIndex cell, bool showsImages, uint32_t* pixels, ptrdiff_t stride,
                          int square) const = 0;
  // False where the cell is to show bare beneath its underlay (a piece picked up from it).
  virtual bool ShowsImages(CellIndex) const { return true; }

 protected:
  ~CellUnderlay() = default;
};

// The 64 cells as the control sees them: position, visibility, picture, and
// what was drawn on each. A cell's drawing surface is its bottom picture plus
// the images drawn over it since, in order; drawing an image again moves it to
// the top, and an image without mask colour covers everything beneath. This is
// what transparent drawing onto a persistent bitmap shows, in a few bytes.
class CellGrid {
 public:
  CellGrid();

  bool Exists(CellIndex cell) const;
  // Cells other than 1 start hidden, with cell 1's settings (size, appearance).
  void Create(CellIndex cell);
  void SetVisible(CellIndex cell, bool visible) { At(cell).visible = visible; }
  float Left(CellIndex cell) const { return At(cell).left; }
  float Top(CellIndex cell) const { return At(cell).top; }
  void SetLeft(CellIndex cell, float left) { At(cell).left = left; }
  void SetTop(CellIndex cell, float top) { At(cell).top = top; }

  void SetPicture(CellIndex cell, const PictureSet& pictures, ImageNumber image);
  void Draw(CellIndex cell, const PictureSet& pictures, ImageNumber image);
  // The image drawn last over the cell's picture and still showing, or 0 when it shows its bare picture.
  ImageNumber TopImage(CellIndex cell) const {
    const Cell& c = At(cell);
    return c.layerCount ? ImageNumber{c.layers[c.layerCount - 1]} : ImageNumber{};
  }
  // Every image drawn over the cell's picture and still showing, bottom first.
  std::span<const uint8_t> Layers(CellIndex cell) const {
    const Cell& c = At(cell);
    return {c.layers.data(), c.layerCount};
  }

  // Positions are in 96-DPI units, where a square is 37. `square` is the size
  // of a square in device pixels (DeviceScale::Square()): a cell at (left, top)
  // lands at (left, top) * square / 37, so the board's 37-unit grid stays whole.
  PixelRect Bounds(CellIndex cell, int square = kPictureSize) const;
  // The visible cell whose rectangle holds the point, or 0; later cells lie on top.
  CellIndex CellAt(int x, int y, int square = kPictureSize) const;

  // What one cell shows, square x square pixels at `pixels` with the given row stride.
  // An underlay, where given, paints between the bottom picture and the images.
  void ComposeCell(CellIndex cell, uint32_t* pixels, ptrdiff_t stride, int square = kPictureSize,
                   const CellUnderlay* underlay = nullptr) const;

  // Composes every visible cell into a 0x00RRGGBB buffer whose top-left pixel
  // is the control's (originX, originY) in device pixels; pixels outside all
  // cells keep their value.
  void Render(uint32_t* pixels, int width, int height, ptrdiff_t stride, int originX = 0,
              int originY = 0, int square = kPictureSize, const CellUnderlay* underlay = nullptr) const;
  // The same with the pictures given, whose size is the square's.
  void Render(uint32_t* pixels, int width, int height, ptrdiff_t stride, int originX, int originY,
              const PictureSet& pictures, const CellUnderlay* underlay = nullptr) const;

 private:
  struct Cell {
    float left = 0;
    float top = 0;
    bool exists = false;
    bool visible = false;
    uint8_t bottom = 0;  // image number, 0 for no picture yet
    uint8_t layerCount = 0;
    std::array<uint8_t, kImageCount> layers{};
  };

  Cell& At(CellIndex cell);
  const Cell& At(CellIndex cell) const;
  static void Compose(CellIndex index, const Cell& cell, const PictureSet& pictures, uint32_t* pixels,
                      ptrdiff_t stride, const CellUnderlay* underlay);

  std::array<Cell, board::kSquareCount> cells_;
};

}  // namespace control
