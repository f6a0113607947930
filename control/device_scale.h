#pragma once

#include <algorithm>

#include "board/squares.h"
#include "control/picture_set.h"

namespace control {

// The board's side in 96-DPI units, which are its pixels at 96 DPI: what the
// control asks its container for.
constexpr int kBoardPixels = board::kBoardSize * kPictureSize;

// How the control's 96-DPI units (a square is 37 of them) map to a device's
// pixels. A square is floor(37 * factor) pixels: rounding up would make eight
// of them overflow the rectangle the container sized from the 96-DPI extent.
class DeviceScale {
 public:
  // factor = dpi / 96. The square is held to 1..kLargestPictureSize pixels.
  static DeviceScale FromDpi(int dpi);
  static DeviceScale FromFactor(double factor);
  // The largest whole squares whose board fits a width x height device area.
  // Fits() says whether it does: a tiny area or one beyond the largest square does not.
  static DeviceScale Fitting(int width, int height);
  // The smallest size of a usual display scale (25 % steps, up to 400 %) at least
  // `square` pixels, or the 400 % one. Drawing for others keeps to these sizes:
  // pictures are kept per size for the process, so arbitrary sizes would pile up.
  static DeviceScale UsualAtLeast(int square);

  DeviceScale() = default;

  // Device pixels per 96-DPI unit.
  double Factor() const { return factor_; }
  // Device pixels per square: the size to render, draw pictures and hit-test at.
  int Square() const { return square_; }
  int Board() const { return board::kBoardSize * square_; }
  bool Fits(int width, int height) const {
    return Board() <= width && Board() <= height && Board() + board::kBoardSize > std::min(width, height);
  }

  // A device offset (such as a point relative to its cell) in 96-DPI units,
  // fractional where the device is finer.
  float ToUnits(int devicePixels) const { return static_cast<float>(devicePixels / factor_); }

 private:
  DeviceScale(double factor, int square) : factor_(factor), square_(square) {}
  // Where the square was held to its bounds, the factor follows the square.
  static DeviceScale OfSquare(int square);
  double factor_ = 1;
  int square_ = kPictureSize;
};

}  // namespace control
