#include "control/headless/headless_platform.h"

namespace control::headless {

void HeadlessPlatform::RaiseEvent(ControlEvent event, EventArguments& arguments) {
  if (onEvent) onEvent(event, arguments);
}

std::vector<uint32_t> HeadlessPlatform::Render(int square) const {
  const int side = board::kBoardSize * square;
  std::vector<uint32_t> pixels(static_cast<size_t>(side) * side);
  Cells().Render(pixels.data(), side, side, side, 0, 0, square);
  return pixels;
}

}  // namespace control::headless
