#include "control/headless/headless_platform.h"

#include "control/view_layers.h"

namespace control::headless {

bool HeadlessPlatform::Raise(EventCall call) {
  if (eventsFrozen) return false;
  const auto tell = [](const auto& callback, auto&... arguments) {
    if (callback) callback(arguments...);
  };
  if (auto* const* mouse = std::get_if<EventArguments*>(&call.arguments)) tell(onEvent, call.event, **mouse);
  if (auto* const* drop = std::get_if<PieceDropArguments*>(&call.arguments)) tell(onPieceDrop, **drop);
  if (auto* const* lift = std::get_if<PieceLiftArguments*>(&call.arguments)) tell(onPieceLift, **lift);
  if (auto* const* chosen = std::get_if<PromotionArguments*>(&call.arguments)) tell(onPromotionChosen, **chosen);
  return true;
}

std::vector<uint32_t> HeadlessPlatform::Render(int square) const {
  const int side = board::kBoardSize * square;
  std::vector<uint32_t> pixels(static_cast<size_t>(side) * side);
  if (!shown) {
    Cells().Render(pixels.data(), side, side, side, 0, 0, square);
    return pixels;
  }
  const PixelRect area{0, 0, side, side};
  const PictureSet& pictures = PictureSet::ForSize(square);
  ComposeShown(Cells(), shown->View(), shown->Moves().Lifted(), area, pictures, 0, pixels.data(), side,
               &shown->Slides().Animation());
  PaintOverBoard(*shown, {BoardGeometry::Filling(side, side), shown->View().Flipped()}, area, pixels.data(), side,
                 pictures);
  return pixels;
}

}  // namespace control::headless
