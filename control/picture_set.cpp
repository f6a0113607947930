#include "control/picture_set.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "art/draw/pictures.h"
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
  throw std::logic_error("embedded picture " + std::to_string(image) + " is not a " +
                         std::to_string(kPictureSize) + "-pixel square 8-bit uncompressed bitmap");
}

DecodedPicture Blank(int size) {
  const size_t count = static_cast<size_t>(size) * static_cast<size_t>(size);
  return {std::vector<uint32_t>(count), false};
}

void Put(DecodedPicture& picture, size_t at, uint32_t rgb) {
  picture.pixels[at] = rgb;
  picture.hasMaskColour |= rgb == 0;
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
  DecodedPicture picture = Blank(kPictureSize);
  for (int y = 0; y < kPictureSize; ++y) {
    const int sourceRow = height > 0 ? kPictureSize - 1 - y : y;
    const unsigned char* row = bytes + pixelOffset + kStride * sourceRow;
    for (int x = 0; x < kPictureSize; ++x) {
      if (row[x] >= paletteSize) BadPicture(image);
      const unsigned char* entry = palette + 4 * row[x];
      Put(picture, y * kPictureSize + x, (uint32_t{entry[2]} << 16) | (uint32_t{entry[1]} << 8) | entry[0]);
    }
  }
  return picture;
}

DecodedPicture Convert(const art::Picture& drawn) {
  DecodedPicture picture = Blank(drawn.width);
  for (size_t i = 0; i < drawn.pixels.size(); ++i) {
    const art::Rgb colour = drawn.palette[drawn.pixels[i]];
    Put(picture, i, (uint32_t{colour.red} << 16) | (uint32_t{colour.green} << 8) | colour.blue);
  }
  return picture;
}

// Where a row or column of the scaled picture samples the source: the two
// source pixels either side of its centre and the second one's weight, of 256.
struct Sample {
  int first, second, weight;
};
std::vector<Sample> Samples(int from, int to) {
  std::vector<Sample> samples(static_cast<size_t>(to));
  for (int i = 0; i < to; ++i) {
    const double at = std::clamp((i + 0.5) * from / to - 0.5, 0.0, from - 1.0);
    const int first = static_cast<int>(at);
    samples[i] = {first, std::min(first + 1, from - 1), static_cast<int>((at - first) * 256 + 0.5)};
  }
  return samples;
}

// Bilinear over the source's pixels, the masked ones left out of the mean; a
// pixel more than half masked stays masked, so a piece keeps its outline.
// In integers: a resize step scales all fourteen pictures.
DecodedPicture Scaled(const DecodedPicture& source, int from, int to) {
  DecodedPicture picture = Blank(to);
  const std::vector<Sample> samples = Samples(from, to);
  for (int y = 0; y < to; ++y) {
    const Sample sy = samples[y];
    const uint32_t* rows[2] = {&source.pixels[static_cast<size_t>(sy.first) * from],
                               &source.pixels[static_cast<size_t>(sy.second) * from]};
    uint32_t* out = &picture.pixels[static_cast<size_t>(y) * to];
    for (int x = 0; x < to; ++x) {
      const Sample sx = samples[x];
      const uint32_t corners[4] = {rows[0][sx.first], rows[0][sx.second], rows[1][sx.first], rows[1][sx.second]};
      const int weights[4] = {(256 - sx.weight) * (256 - sy.weight), sx.weight * (256 - sy.weight),
                              (256 - sx.weight) * sy.weight, sx.weight * sy.weight};
      int64_t red = 0, green = 0, blue = 0, shown = 0;
      for (int i = 0; i < 4; ++i) {
        if (corners[i] == 0) continue;
        shown += weights[i];
        red += weights[i] * int64_t{corners[i] >> 16 & 0xFF};
        green += weights[i] * int64_t{corners[i] >> 8 & 0xFF};
        blue += weights[i] * int64_t{corners[i] & 0xFF};
      }
      if (2 * shown < 256 * 256) {
        out[x] = 0;
        picture.hasMaskColour = true;
        continue;
      }
      const auto channel = [shown](int64_t sum) { return static_cast<uint32_t>((sum + shown / 2) / shown); };
      const uint32_t rgb = channel(red) << 16 | channel(green) << 8 | channel(blue);
      out[x] = rgb != 0 ? rgb : 0x010101;  // black would be the mask
    }
  }
  return picture;
}

}  // namespace

PictureSet::PictureSet() : size_(kPictureSize) {
  for (int16_t image = 1; image <= kImageCount; ++image)
    pictures_[image - 1] = Decode(image, art::ImageFile(image));
}

PictureSet::PictureSet(int size) : size_(size) {
  const std::vector<art::Picture> drawn = art::DrawImages(size);
  for (int16_t image = 1; image <= kImageCount; ++image) pictures_[image - 1] = Convert(drawn[image - 1]);
}

PictureSet::PictureSet(const PictureSet& source, int size) : size_(size) {
  for (size_t image = 0; image < pictures_.size(); ++image)
    pictures_[image] = Scaled(source.pictures_[image], source.size_, size);
}

std::shared_ptr<const PictureSet> PictureSet::Held(int size) { return HeldAt(size, true); }

std::shared_ptr<const PictureSet> PictureSet::HeldIfDrawn(int size) { return HeldAt(size, false); }

std::shared_ptr<const PictureSet> PictureSet::HeldAt(int size, bool draw) {
  if (size < 1 || size > kLargestPictureSize)
    throw std::invalid_argument("no pictures of " + std::to_string(size) + " pixels");
  static std::mutex lock;
  static std::map<int, std::weak_ptr<const PictureSet>> held;
  // The size drawn last outlives its boards: a form whose one board is made
  // again and again, at a DPI of its own, draws its pictures once.
  static std::shared_ptr<const PictureSet> drawnLast;
  std::lock_guard<std::mutex> guard(lock);
  std::weak_ptr<const PictureSet>& entry = held[size];
  std::shared_ptr<const PictureSet> set = entry.lock();
  if (set || !draw) return set;
  set.reset(new PictureSet(size));
  entry = set;
  drawnLast = set;
  return set;
}

std::shared_ptr<const PictureSet> PictureSet::ScaledFrom(const PictureSet& source, int size) {
  if (size < 1 || size > kLargestPictureSize)
    throw std::invalid_argument("no pictures of " + std::to_string(size) + " pixels");
  return std::shared_ptr<const PictureSet>(new PictureSet(source, size));
}

const PictureSet& PictureSet::Shared() {
  static const PictureSet shared;
  return shared;
}

const PictureSet& PictureSet::ForSize(int size) {
  if (size == kPictureSize) return Shared();
  if (size < 1 || size > kLargestPictureSize)
    throw std::invalid_argument("no pictures of " + std::to_string(size) + " pixels");
  struct Drawn {
    std::once_flag once;
    std::unique_ptr<const PictureSet> set;
  };
  static std::mutex lock;
  static std::map<int, Drawn> drawn;
  Drawn* entry;
  {
    std::lock_guard<std::mutex> guard(lock);
    entry = &drawn[size];
  }
  // Drawing takes a while: other sizes need not wait for it.
  std::call_once(entry->once, [&] { entry->set.reset(new PictureSet(size)); });
  return *entry->set;
}

const DecodedPicture& PictureSet::Lookup(board::ImageNumber image) const {
  if (!Exists(image)) throw board::ImageIndexOutOfBoundsError();
  return pictures_[image.value - 1];
}

void PaintPiece(board::ImageNumber image, int left, int top, uint32_t* pixels, int width, int height, ptrdiff_t stride,
                int originX, int originY, int square) {
  PaintPiece(image, left, top, pixels, width, height, stride, originX, originY, PictureSet::ForSize(square));
}

void PaintPiece(board::ImageNumber image, int left, int top, uint32_t* pixels, int width, int height, ptrdiff_t stride,
                int originX, int originY, const PictureSet& pictures) {
  const int square = pictures.Size();
  const uint32_t* picture = pictures.Lookup(image).pixels.data();
  const int x0 = std::max(left - originX, 0), x1 = std::min(left + square - originX, width);
  const int y0 = std::max(top - originY, 0), y1 = std::min(top + square - originY, height);
  for (int y = y0; y < y1; ++y) {
    const uint32_t* source = picture + (y + originY - top) * square + (originX - left);
    uint32_t* row = pixels + y * stride;
    for (int x = x0; x < x1; ++x) row[x] = source[x] != 0 ? source[x] : row[x];
  }
}

}  // namespace control
