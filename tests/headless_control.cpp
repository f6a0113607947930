#include "tests/headless_control.h"

#include "control/picture_set.h"
#include "control/property_bag.h"

int16_t SavedPiece(control::OvlChess& control) {
  control::MemoryPropertyBag bag;
  control.UserControl_WriteProperties(bag);
  return control::ToInteger(bag.values.at("Piece"));
}

std::vector<uint32_t> Expected(int bottom, std::initializer_list<int> images) {
  const auto& pictures = control::PictureSet::Shared();
  const auto& base = pictures.Lookup(board::ImageNumber(static_cast<int16_t>(bottom))).pixels;
  std::vector<uint32_t> pixels(base.begin(), base.end());
  for (int image : images) {
    const auto& layer = pictures.Lookup(board::ImageNumber(static_cast<int16_t>(image))).pixels;
    for (size_t i = 0; i < pixels.size(); ++i)
      if (layer[i] != 0) pixels[i] = layer[i];
  }
  return pixels;
}
