#pragma once

#include <cstdint>

#include "board/squares.h"
#include "control/picture_set.h"

namespace control {

// A size in HIMETRIC (hundredths of a millimetre), as containers give a control its extent.
struct HimetricSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(HimetricSize, HimetricSize) = default;
};

constexpr int kHimetricPerInch = 2540;

// Rounded to the nearest, as MulDiv rounds.
constexpr int32_t HimetricOfPixels(int pixels, int dpi) {
  const int64_t scaled = int64_t{pixels} * kHimetricPerInch;
  return static_cast<int32_t>((scaled >= 0 ? scaled + dpi / 2 : scaled - dpi / 2) / dpi);
}
constexpr int PixelsOfHimetric(int32_t himetric, int dpi) {
  const int64_t scaled = int64_t{himetric} * dpi;
  return static_cast<int>((scaled >= 0 ? scaled + kHimetricPerInch / 2 : scaled - kHimetricPerInch / 2) /
                          kHimetricPerInch);
}

// The board at 96 DPI, 296 pixels a side: 7832 HIMETRIC.
constexpr int32_t kDefaultExtentSide = HimetricOfPixels(board::kBoardSize * kPictureSize, 96);
constexpr HimetricSize kDefaultExtent{kDefaultExtentSide, kDefaultExtentSide};

}  // namespace control
