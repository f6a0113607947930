#include "host/container_site/core_reference.h"

#include <windows.h>

#include <algorithm>

#include "control/headless/headless_platform.h"
#include "control/ovl_chess.h"
#include "host/container_site/embedding.h"

namespace host {

Pixels CoreRender(CoreBoard board) { return CoreRender(board, kCellPixels, kBoardPixels, kBoardPixels); }

Pixels CoreRender(CoreBoard board, int square, int width, int height) {
  return CoreRender(board, control::BoardGeometry::AtTopLeft(control::DeviceScale::FromFactor(square / 37.0)), width,
                    height);
}

Pixels CoreRender(CoreBoard board, const control::BoardGeometry& geometry, int width, int height) {
  control::headless::HeadlessPlatform platform;
  control::OvlChess chess(platform);
  // What a container's InitNew brings about, as the snapshot command does it.
  chess.UserControl_Initialize();
  chess.UserControl_InitProperties();
  if (board == CoreBoard::NewGame) chess.NewGame();
  const std::vector<uint32_t> rendered = platform.Render(geometry.Square());
  const int side = geometry.Side();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t background = (uint32_t{GetRValue(face)} << 16) | (uint32_t{GetGValue(face)} << 8) | GetBValue(face);
  Pixels pixels{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, background)};
  const int left = geometry.Left(), top = geometry.Top();
  for (int y = 0; y < std::min(side, height - top); ++y)
    std::copy_n(rendered.begin() + static_cast<ptrdiff_t>(y) * side, std::min(side, width - left),
                pixels.data.begin() + static_cast<ptrdiff_t>(y + top) * width + left);
  return pixels;
}

}  // namespace host
