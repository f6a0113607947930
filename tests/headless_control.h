#pragma once

#include <vector>

#include "control/headless/headless_platform.h"
#include "control/ovl_chess.h"

// A constructed control on the in-memory host, as a container would create it.
struct HeadlessControl {
  control::headless::HeadlessPlatform platform;
  control::OvlChess control{platform};

  explicit HeadlessControl(bool userMode = true) {
    platform.userMode = userMode;
    control.UserControl_Initialize();
    control.UserControl_InitProperties();
  }

  // The pixel at (x, y) of cell `cell`, as the board renders it.
  uint32_t PixelOfCell(int cell, int x, int y) const {
    const std::vector<uint32_t> board = platform.Render();
    const int left = (cell - 1) % 8 * 37, top = (cell - 1) / 8 * 37;
    return board[(top + y) * 296 + left + x];
  }

  // The 37x37 pixels of one cell.
  std::vector<uint32_t> CellPixels(int cell) const {
    const std::vector<uint32_t> board = platform.Render();
    std::vector<uint32_t> pixels;
    const int left = (cell - 1) % 8 * 37, top = (cell - 1) / 8 * 37;
    for (int y = 0; y < 37; ++y)
      for (int x = 0; x < 37; ++x) pixels.push_back(board[(top + y) * 296 + left + x]);
    return pixels;
  }
};

// What a cell shows when `images` are drawn transparently, in order, over `bottom`.
std::vector<uint32_t> Expected(int bottom, std::initializer_list<int> images);
