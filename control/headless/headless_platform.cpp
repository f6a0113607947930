#include "control/headless/headless_platform.h"

#include "control/view_layers.h"

namespace control::headless {

void HeadlessPlatform::RaiseEvent(ControlEvent event, EventArguments& arguments) {
  if (onEvent) onEvent(event, arguments);
}

std::vector<uint32_t> HeadlessPlatform::Render(int square) const {
  const int side = board::kBoardSize * square;
  std::vector<uint32_t> pixels(static_cast<size_t>(side) * side);
  if (!view) {
    Cells().Render(pixels.data(), side, side, side, 0, 0, square);
    return pixels;
  }
  RenderView(Cells(), *view, pixels.data(), side, side, side, 0, 0, square, moves ? moves->Lifted() : CellIndex{});
  // The floating piece's rectangle is in the window's device pixels, whatever `square` is asked for here.
  if (const std::optional<FloatingPiece> floating = moves ? moves->Floating() : std::nullopt)
    PaintPiece(floating->image, floating->rect.left, floating->rect.top, pixels.data(), side, side, side, 0, 0,
               floating->rect.right - floating->rect.left);
  return pixels;
}

}  // namespace control::headless
