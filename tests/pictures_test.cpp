#include <gtest/gtest.h>

#include <vector>

#include "board/automation_error.h"
#include "control/picture_set.h"

using control::PictureSet;

namespace {
int BlackPixels(const control::DecodedPicture& picture) {
  int count = 0;
  for (uint32_t p : picture.pixels) count += p == 0;
  return count;
}

std::vector<bool> Opaque(const control::DecodedPicture& picture) {
  std::vector<bool> opaque;
  for (uint32_t p : picture.pixels) opaque.push_back(p != 0);
  return opaque;
}
}  // namespace

TEST(PictureSet, HoldsFourteenPicturesAndRefusesOtherNumbers) {
  const PictureSet& pictures = PictureSet::Shared();
  for (int16_t bad : {0, 15, -1}) {
    try {
      pictures.Lookup(board::ImageNumber(bad));
      FAIL() << bad;
    } catch (const board::AutomationError& e) {
      EXPECT_EQ(e.number(), 35600);
    }
  }
  EXPECT_EQ(&PictureSet::Shared(), &pictures);
}

TEST(PictureSet, BareSquaresHaveNoMaskColourAndPiecesStandOnIt) {
  const PictureSet& pictures = PictureSet::Shared();
  EXPECT_EQ(BlackPixels(pictures.Lookup(board::ImageNumber(1))), 0);
  EXPECT_EQ(BlackPixels(pictures.Lookup(board::ImageNumber(14))), 0);
  for (int16_t image = 2; image <= 13; ++image) {
    const auto& picture = pictures.Lookup(board::ImageNumber(image));
    EXPECT_TRUE(picture.hasMaskColour);
    EXPECT_EQ(picture.pixels[0], 0u) << image;
    // Stands on the bottom edge.
    bool bottomTouched = false;
    for (int x = 0; x < control::kPictureSize; ++x)
      bottomTouched |= picture.pixels[(control::kPictureSize - 1) * control::kPictureSize + x] != 0;
    EXPECT_TRUE(bottomTouched) << image;
  }
}

TEST(PictureSet, RedAndCreamPiecesShareTheirOutlines) {
  const PictureSet& pictures = PictureSet::Shared();
  for (int16_t red = 2; red <= 7; ++red) {
    const auto& a = pictures.Lookup(board::ImageNumber(red));
    const auto& b = pictures.Lookup(board::ImageNumber(static_cast<int16_t>(red + 6)));
    EXPECT_EQ(Opaque(a), Opaque(b)) << red;
    EXPECT_NE(a.pixels, b.pixels) << red;
  }
}
