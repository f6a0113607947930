#include "host/container_site/core_reference.h"

#include <windows.h>

#include <algorithm>

#include "control/headless/headless_platform.h"
#include "control/ovl_chess.h"
#include "host/container_site/embedding.h"

namespace host {

Pixels CoreRender(CoreBoard board) { return CoreRender(board, kCellPixels, kBoardPixels, kBoardPixels); }

Pixels CoreRender(CoreBoard board, int square, int width, int height) {
  control::headless::HeadlessPlatform platform;
  control::OvlChess chess(platform);
  // What a container's InitNew brings about, as the snapshot command does it.
  chess.UserControl_Initialize();
  chess.UserControl_InitProperties();
  if (board == CoreBoard::NewGame) chess.NewGame();
  const std::vector<uint32_t> rendered = platform.Render(square);
  const int side = 8 * square;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t background = (uint32_t{GetRValue(face)} << 16) | (uint32_t{GetGValue(face)} << 8) | GetBValue(face);
  Pixels pixels{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, background)};
  for (int y = 0; y < std::min(side, height); ++y)
    std::copy_n(rendered.begin() + static_cast<ptrdiff_t>(y) * side, std::min(side, width),
                pixels.data.begin() + static_cast<ptrdiff_t>(y) * width);
  return pixels;
}

}  // namespace host
