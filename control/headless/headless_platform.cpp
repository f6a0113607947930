#include "control/headless/headless_platform.h"

namespace control::headless {

void HeadlessPlatform::RaiseEvent(ControlEvent event, EventArguments& arguments) {
  if (onEvent) onEvent(event, arguments);
}

std::vector<uint32_t> HeadlessPlatform::Render() const {
  std::vector<uint32_t> pixels(CellGrid::kBoardPixels * CellGrid::kBoardPixels);
  Cells().Render(pixels.data(), CellGrid::kBoardPixels, CellGrid::kBoardPixels, CellGrid::kBoardPixels);
  return pixels;
}

}  // namespace control::headless
