#pragma once

#include <array>
#include <cstdint>

namespace control {

constexpr int kPictureSize = 37;
constexpr int kPicturePixels = kPictureSize * kPictureSize;
constexpr int16_t kImageCount = 14;

// Pixels are 0x00RRGGBB, the layout of a 32-bit top-down device-independent
// bitmap, so the Windows layer can hand them to the screen unchanged.
struct DecodedPicture {
  std::array<uint32_t, kPicturePixels> pixels;
  // All ones where the pixel is not the mask colour (exact black), else zero.
  std::array<uint32_t, kPicturePixels> opaque;
  bool hasMaskColour;
};

// The image list: the 14 pictures carried inside the library, decoded once per
// process and shared by every instance.
class PictureSet {
 public:
  static const PictureSet& Shared();

  static bool Exists(int16_t image) { return image >= 1 && image <= kImageCount; }
  // Throws the image list's lookup error for a number it does not hold.
  const DecodedPicture& Lookup(int16_t image) const;

 private:
  PictureSet();
  std::array<DecodedPicture, kImageCount> pictures_;
};

}  // namespace control
