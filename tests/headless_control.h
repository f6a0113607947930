#pragma once

#include <vector>

#include "control/device_scale.h"
#include "control/headless/headless_platform.h"
#include "control/ovl_chess.h"

using namespace board::literals;

// A constructed control on the in-memory host, as a container would create it.
struct HeadlessControl {
  control::headless::HeadlessPlatform platform;
  control::OvlChess control{platform};

  explicit HeadlessControl(bool userMode = true) {
    platform.shown = &control;
    platform.userMode = userMode;
    control.UserControl_Initialize();
    control.UserControl_InitProperties();
  }

  static constexpr int kCell = control::kPictureSize;
  static constexpr int kBoard = control::kBoardPixels;

  // The pixel at (x, y) of cell `cell`, as the board renders it.
  uint32_t PixelOfCell(int cell, int x, int y) const {
    const std::vector<uint32_t> board = platform.Render();
    const int left = (cell - 1) % 8 * kCell, top = (cell - 1) / 8 * kCell;
    return board[(top + y) * kBoard + left + x];
  }

  // The 37x37 pixels of one cell.
  std::vector<uint32_t> CellPixels(int cell) const {
    const std::vector<uint32_t> board = platform.Render();
    std::vector<uint32_t> pixels;
    const int left = (cell - 1) % 8 * kCell, top = (cell - 1) / 8 * kCell;
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) pixels.push_back(board[(top + y) * kBoard + left + x]);
    return pixels;
  }
};

// Squares of `square` pixels in a control `wider` and `higher` than the board, which sits centred in it.
inline control::DrawnBoard Drawn(int square, bool flipped, int wider = 0, int higher = 0) {
  return {control::BoardGeometry::Filling(8 * square + wider, 8 * square + higher), flipped};
}

// The "Piece" value the control saves (the board's m_Piece).
int16_t SavedPiece(control::OvlChess& control);

// What a cell shows when `images` are drawn transparently, in order, over `bottom`.
std::vector<uint32_t> Expected(int bottom, std::initializer_list<int> images);
