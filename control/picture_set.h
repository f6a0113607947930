#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "art/design_size.h"
#include "board/squares.h"

namespace control {

// A square at 96 DPI shows the pictures at the size they were designed at.
constexpr int kPictureSize = art::kDesignSize;
constexpr int kPicturePixels = kPictureSize * kPictureSize;
using board::kImageCount;
// Eight times the 96-DPI size: beyond what any screen or printout needs, and
// it bounds a size's pictures to about 10 MB.
constexpr int kLargestPictureSize = 8 * kPictureSize;

// Pixels are 0x00RRGGBB, row by row from the top, the layout of a 32-bit
// top-down device-independent bitmap, so the Windows layer can hand them to the
// screen unchanged.
struct DecodedPicture {
  std::vector<uint32_t> pixels;
  // Whether any pixel is the mask colour, exact black, which leaves what lies beneath showing.
  bool hasMaskColour = false;
};

// The image list: the kImageCount pictures, made once per process per size and shared by
// every instance. At 37 pixels they are the bitmaps carried inside the
// library; at other sizes they are drawn from the same geometry.
class PictureSet {
 public:
  // The 37-pixel set.
  static const PictureSet& Shared();
  // The set whose pictures are `size` x `size` pixels, 1..kLargestPictureSize;
  // safe to call from any thread. The first call for a size draws it.
  static const PictureSet& ForSize(int size);

  // The set drawn at `size`, for as long as someone holds it: two boards at one
  // size share it, and a size nobody shows any more gives its memory back once
  // another size has been drawn since.
  static std::shared_ptr<const PictureSet> Held(int size);
  // The same where someone holds it already, else nullptr.
  static std::shared_ptr<const PictureSet> HeldIfDrawn(int size);
  // `source`'s pictures scaled to `size` (bilinear, the mask colour kept
  // where most of a pixel is masked): quick, where drawing takes long.
  static std::shared_ptr<const PictureSet> ScaledFrom(const PictureSet& source, int size);

  static bool Exists(board::ImageNumber image) { return image.value >= 1 && image.value <= kImageCount; }
  // Throws the image list's lookup error for a number it does not hold.
  const DecodedPicture& Lookup(board::ImageNumber image) const;
  int Size() const { return size_; }
  // What its pixels take.
  size_t Bytes() const { return kImageCount * sizeof(uint32_t) * static_cast<size_t>(size_) * size_; }

 private:
  PictureSet();
  explicit PictureSet(int size);
  PictureSet(const PictureSet& source, int size);
  static std::shared_ptr<const PictureSet> HeldAt(int size, bool draw);
  int size_;
  std::array<DecodedPicture, kImageCount> pictures_;
};

// A piece picture of `square` pixels with its top-left at the control's device
// pixel (left, top), transparent where it is black, over pixels whose top-left is (originX, originY).
void PaintPiece(board::ImageNumber image, int left, int top, uint32_t* pixels, int width, int height, ptrdiff_t stride,
                int originX = 0, int originY = 0, int square = kPictureSize);
void PaintPiece(board::ImageNumber image, int left, int top, uint32_t* pixels, int width, int height, ptrdiff_t stride,
                int originX, int originY, const PictureSet& pictures);

}  // namespace control
