#pragma once

#include <cstdint>
#include <vector>

namespace control {

// A rectangle's two corners as a device context gives them, in any unit.
struct Corners {
  int64_t left, top, right, bottom;
};

// What bounds Draw accepts. GDI's stretching overflows on larger areas (Wine's
// from about 1.8 million pixels across, for the 1184-pixel board it
// stretches), and no screen or page needs a board this large, so such bounds
// are refused rather than drawn wrong.
struct DrawBounds {
  static constexpr int64_t kLargestSide = int64_t{1} << 20;
  // Windows keeps GDI coordinates to 27 bits; a WMF records 16.
  static constexpr int64_t kFarthestCoordinate = int64_t{1} << 27;
  static constexpr int64_t kFarthestInWmf = 32767;

  // Both corners no farther than `farthest` from the origin, and neither side longer than kLargestSide.
  static bool WithinGdiRange(const Corners& corners, int64_t farthest);
  // The bounds as given, on a Windows metafile or any other target.
  static bool LogicalAccepted(const Corners& bounds, bool windowsMetafile) {
    return WithinGdiRange(bounds, windowsMetafile ? kFarthestInWmf : kFarthestCoordinate);
  }
  // The bounds once mapped to device pixels.
  static bool DeviceAccepted(const Corners& device) { return WithinGdiRange(device, kFarthestCoordinate); }
};

// Where a drawing lands on the device: the bounds' device corners made a
// rectangle of positive size, and which axes run backwards there (the picture
// is then mirrored, as a stretch into those corners mirrors it). Drawing with
// positive sizes keeps to the rectangle's pixels, where a stretch with a
// negative size reaches one pixel past its edge.
struct DeviceTarget {
  int64_t left, top, width, height;
  bool mirrorX, mirrorY;

  static DeviceTarget Of(const Corners& device);
};

// Turns a square of `side` x `side` pixels round in place on the axes the target mirrors.
void Mirror(std::vector<uint32_t>& pixels, int side, const DeviceTarget& target);

}  // namespace control
