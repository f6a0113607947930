#include "control/picture_set.h"

#include <cstring>
#include <stdexcept>

#include "art/embedded_pictures.h"
#include "board/automation_error.h"

namespace control {

namespace {

uint32_t ReadLittleEndian(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

// The pictures are built into the library, so a malformed one is a build fault.
[[noreturn]] void BadPicture(int image) {
  throw std::logic_error("embedded picture " + std::to_string(image) +
                         " is not a 37x37 8-bit uncompressed bitmap");
}

DecodedPicture Decode(int image, const art::PictureFile& file) {
  constexpr size_t kFileHeader = 14;
  constexpr size_t kInfoHeader = 40;
  const unsigned char* bytes = file.data;
  if (file.size < kFileHeader + kInfoHeader || bytes[0] != 'B' || bytes[1] != 'M') BadPicture(image);
  const unsigned char* info = bytes + kFileHeader;
  const int32_t width = static_cast<int32_t>(ReadLittleEndian(info + 4, 4));
  const int32_t height = static_cast<int32_t>(ReadLittleEndian(info + 8, 4));
  const uint32_t bitsPerPixel = ReadLittleEndian(info + 14, 2);
  const uint32_t compression = ReadLittleEndian(info + 16, 4);
  uint32_t paletteSize = ReadLittleEndian(info + 32, 4);
  if (paletteSize == 0) paletteSize = 256;
  const uint32_t pixelOffset = ReadLittleEndian(bytes + 10, 4);
  constexpr size_t kStride = (kPictureSize + 3) & ~size_t{3};
  if (width != kPictureSize || (height != kPictureSize && height != -kPictureSize) ||
      bitsPerPixel != 8 || compression != 0 || paletteSize > 256 ||
      pixelOffset + kStride * kPictureSize > file.size ||
      kFileHeader + ReadLittleEndian(info, 4) + paletteSize * 4 > pixelOffset)
    BadPicture(image);

  const unsigned char* palette = info + ReadLittleEndian(info, 4);
  DecodedPicture picture{};
  for (int y = 0; y < kPictureSize; ++y) {
    const int sourceRow = height > 0 ? kPictureSize - 1 - y : y;
    const unsigned char* row = bytes + pixelOffset + kStride * sourceRow;
    for (int x = 0; x < kPictureSize; ++x) {
      if (row[x] >= paletteSize) BadPicture(image);
      const unsigned char* entry = palette + 4 * row[x];
      const uint32_t rgb = (uint32_t{entry[2]} << 16) | (uint32_t{entry[1]} << 8) | entry[0];
      picture.pixels[y * kPictureSize + x] = rgb;
      picture.opaque[y * kPictureSize + x] = rgb == 0 ? 0 : ~uint32_t{0};
      picture.hasMaskColour |= rgb == 0;
    }
  }
  return picture;
}

}  // namespace

PictureSet::PictureSet() {
  for (int16_t image = 1; image <= kImageCount; ++image)
    pictures_[image - 1] = Decode(image, art::ImageFile(image));
}

const PictureSet& PictureSet::Shared() {
  static const PictureSet shared;
  return shared;
}

const DecodedPicture& PictureSet::Lookup(int16_t image) const {
  if (!Exists(image)) throw board::ImageIndexOutOfBoundsError();
  return pictures_[image - 1];
}

}  // namespace control
