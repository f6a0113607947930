#include "control/device_scale.h"

#include <algorithm>
#include <cmath>

namespace control {

namespace {
int Bounded(double square) { return static_cast<int>(std::clamp(square, 1.0, double{kLargestPictureSize})); }

constexpr int kUsualStepsPerSize = 4;  // 25 % steps
constexpr int kLargestUsualStep = 16;  // 400 %
int UsualSquare(int step) { return kPictureSize * step / kUsualStepsPerSize; }
}  // namespace

DeviceScale DeviceScale::OfSquare(int square) {
  const int bounded = Bounded(square);
  return DeviceScale(static_cast<double>(bounded) / kPictureSize, bounded);
}

// A device that reports no resolution is taken to be the 96-DPI one.
DeviceScale DeviceScale::FromDpi(int dpi) {
  if (dpi <= 0) return {};
  // In integers, so 120 DPI gives 46 exactly, whatever 37 * 1.25 rounds to.
  const long long square = kPictureSize * static_cast<long long>(dpi) / 96;
  if (square > kLargestPictureSize) return OfSquare(kLargestPictureSize);
  return DeviceScale(dpi / 96.0, Bounded(static_cast<double>(square)));
}

DeviceScale DeviceScale::FromFactor(double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return {};
  const double square = std::floor(kPictureSize * factor + 1e-9);
  if (square > kLargestPictureSize) return OfSquare(kLargestPictureSize);
  return DeviceScale(factor, Bounded(square));
}

DeviceScale DeviceScale::Fitting(int width, int height) {
  return OfSquare(std::min(width, height) / board::kBoardSize);
}

DeviceScale DeviceScale::UsualAtLeast(int square) {
  int step = 1;
  while (step < kLargestUsualStep && UsualSquare(step) < square) ++step;
  return OfSquare(UsualSquare(step));
}

}  // namespace control
