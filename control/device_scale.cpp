#include "control/device_scale.h"

#include <algorithm>
#include <cmath>

namespace control {

namespace {
int Bounded(double square) { return static_cast<int>(std::clamp(square, 1.0, double{kLargestPictureSize})); }
}  // namespace

// A device that reports no resolution is taken to be the 96-DPI one.
DeviceScale DeviceScale::FromDpi(int dpi) {
  if (dpi <= 0) return {};
  // In integers, so 120 DPI gives 46 exactly, whatever 37 * 1.25 rounds to.
  return DeviceScale(dpi / 96.0, Bounded(static_cast<double>(kPictureSize * static_cast<long long>(dpi) / 96)));
}

DeviceScale DeviceScale::FromFactor(double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return {};
  return DeviceScale(factor, Bounded(std::floor(kPictureSize * factor + 1e-9)));
}

DeviceScale DeviceScale::Fitting(int width, int height) {
  const int square = Bounded(std::min(width, height) / board::kBoardSize);
  return DeviceScale(static_cast<double>(square) / kPictureSize, square);
}

}  // namespace control
