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

PropertyValue MemoryPropertyBag::ReadProperty(std::string_view key, const PropertyValue& defaultValue) {
  const auto found = values.find(key);
  return found == values.end() ? defaultValue : found->second;
}

void MemoryPropertyBag::WriteProperty(std::string_view key, const PropertyValue& value,
                                      const PropertyValue&) {
  values.insert_or_assign(std::string(key), value);
}

}  // namespace control::headless
