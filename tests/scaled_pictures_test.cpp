#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "art/draw/flood_fill.h"
#include "art/draw/pictures.h"
#include "board/squares.h"
#include "control/picture_set.h"

using control::DecodedPicture;
using control::PictureSet;

namespace {

constexpr int kSizes[] = {20, 46, 55, 74, 111};
constexpr int16_t kRedKnight = 4, kCreamKnight = 10, kRedQueen = 6, kRedKing = 7;

bool IsPiece(int16_t image) { return image >= 2 && image <= 13; }
bool IsKnight(int16_t image) { return image == kRedKnight || image == kCreamKnight; }
bool IsQueenOrKing(int16_t image) { return image == kRedQueen || image == kRedKing || image == 12 || image == 13; }

// Where a picture is black, split into what the square shows around the piece
// (reached from the picture's edge through black, sideways only) and black
// enclosed by the piece.
std::vector<bool> Opaque(const DecodedPicture& picture) {
  std::vector<bool> opaque;
  for (uint32_t pixel : picture.pixels) opaque.push_back(pixel != 0);
  return opaque;
}

struct Mask {
  int size;
  std::vector<bool> outside;
  std::vector<int> enclosedBlack;  // pixel offsets
};

Mask MaskOf(const DecodedPicture& picture, int size) {
  std::vector<bool> black = Opaque(picture);
  black.flip();
  Mask mask{size, art::ReachedFromEdge(black, size), {}};
  for (int at = 0; at < size * size; ++at)
    if (black[at] && !mask.outside[at]) mask.enclosedBlack.push_back(at);
  return mask;
}

// Pixels of the piece (not outside) that are 8-connected to the first one.
int BodyPixels(const Mask& mask) {
  const auto first = std::find(mask.outside.begin(), mask.outside.end(), false);
  if (first == mask.outside.end()) return 0;
  std::vector<bool> piece = mask.outside;
  piece.flip();
  const std::vector<bool> body = art::Flood(piece, mask.size, {static_cast<int>(first - mask.outside.begin())}, true);
  return static_cast<int>(std::count(body.begin(), body.end(), true));
}

}  // namespace

TEST(DrawnPictures, AtTheDesignSizeTheGeometryGivesTheEmbeddedBitmapsExactly) {
  const PictureSet& embedded = PictureSet::Shared();
  EXPECT_EQ(&PictureSet::ForSize(control::kPictureSize), &embedded);
  for (int16_t image = 1; image <= control::kImageCount; ++image) {
    const art::Picture drawn = art::DrawImage(image, art::kDesignSize);
    const auto& expected = embedded.Lookup(board::ImageNumber(image)).pixels;
    ASSERT_EQ(drawn.pixels.size(), expected.size());
    int differing = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
      const art::Rgb c = drawn.palette[drawn.pixels[i]];
      differing += expected[i] != ((uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue);
    }
    EXPECT_EQ(differing, 0) << "image " << image;
  }
}

TEST(DrawnPictures, EverySizeHasFourteenSquarePicturesAndSquaresWithoutBlack) {
  for (int size : kSizes) {
    const PictureSet& set = PictureSet::ForSize(size);
    EXPECT_EQ(set.Size(), size);
    for (int16_t image = 1; image <= control::kImageCount; ++image) {
      const DecodedPicture& picture = set.Lookup(board::ImageNumber(image));
      ASSERT_EQ(picture.pixels.size(), static_cast<size_t>(size * size)) << size << " " << image;
      EXPECT_EQ(picture.hasMaskColour, IsPiece(image)) << size << " " << image;
    }
    EXPECT_THROW(set.Lookup(board::ImageNumber(15)), std::exception);
  }
}

TEST(DrawnPictures, PiecesAreOneBodyInBlackWithNoBlackInsideButTheKnightsStroke) {
  for (int size : kSizes) {
    const double scale = double(size) / control::kPictureSize;
    for (int16_t image = 2; image <= 13; ++image) {
      const DecodedPicture& picture = PictureSet::ForSize(size).Lookup(board::ImageNumber(image));
      const Mask mask = MaskOf(picture, size);
      const int pieceArea = static_cast<int>(std::count(mask.outside.begin(), mask.outside.end(), false));
      EXPECT_EQ(BodyPixels(mask), pieceArea) << size << " " << image << ": in more than one part";
      if (!IsKnight(image)) {
        EXPECT_TRUE(mask.enclosedBlack.empty()) << size << " " << image;
        continue;
      }
      // A diagonal line about a design pixel wide and fourteen long, never thinner than a pixel.
      const double expected = 14 * std::max(scale, 0.8) * scale;
      EXPECT_GE(mask.enclosedBlack.size(), 0.7 * expected) << size;
      EXPECT_LE(mask.enclosedBlack.size(), 1.3 * expected) << size;
      for (int at : mask.enclosedBlack) {
        const double x = (at % size + 0.5) / scale, y = (at / size + 0.5) / scale;
        EXPECT_LT(std::abs(x - y - 1), 1.0) << size << " stroke pixel off the diagonal";
      }
    }
  }
}

struct Extent {
  int minX, maxX, top;
  bool onBottom;
};

Extent ExtentOf(const DecodedPicture& picture, int size) {
  const Mask mask = MaskOf(picture, size);
  Extent e{size, -1, size, false};
  for (int at = 0; at < size * size; ++at) {
    if (mask.outside[at]) continue;
    e.minX = std::min(e.minX, at % size), e.maxX = std::max(e.maxX, at % size), e.top = std::min(e.top, at / size);
    e.onBottom |= at / size == size - 1;
  }
  return e;
}

TEST(DrawnPictures, PiecesStandCentredOnTheBottomRowAsTallAsAtTheDesignSize) {
  for (int size : kSizes) {
    const double scale = double(size) / control::kPictureSize;
    for (int16_t image = 2; image <= 13; ++image) {
      const Extent e = ExtentOf(PictureSet::ForSize(size).Lookup(board::ImageNumber(image)), size);
      const Extent design = ExtentOf(PictureSet::Shared().Lookup(board::ImageNumber(image)), control::kPictureSize);
      EXPECT_TRUE(e.onBottom) << size << " " << image;
      EXPECT_LE(std::abs(e.minX + e.maxX - (size - 1)), 2 * scale + 1) << size << " " << image;
      EXPECT_NEAR(e.top, design.top * scale, scale + 1) << size << " " << image;
      // The crowns reach the top within half a design pixel.
      if (IsQueenOrKing(image)) {
        EXPECT_LE(e.top, scale / 2) << size << " " << image;
      }
    }
  }
}

// The shapes must scale, not shift or crop: each scaled silhouette, sampled at
// the 37-pixel grid, agrees with the 37-pixel one almost everywhere.
TEST(DrawnPictures, ScaledSilhouettesMatchTheDesignSizeAndRedMatchesCream) {
  const PictureSet& design = PictureSet::Shared();
  constexpr int n = control::kPictureSize;
  for (int size : kSizes) {
    if (size < n) continue;  // too coarse to compare pixel by pixel
    const PictureSet& set = PictureSet::ForSize(size);
    for (int16_t image = 2; image <= 13; ++image) {
      const std::vector<bool> scaled = Opaque(set.Lookup(board::ImageNumber(image)));
      const std::vector<bool> reference = Opaque(design.Lookup(board::ImageNumber(image)));
      int disagree = 0;
      for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
          const int sx = static_cast<int>((x + 0.5) * size / n), sy = static_cast<int>((y + 0.5) * size / n);
          disagree += scaled[sy * size + sx] != reference[y * n + x];
        }
      EXPECT_LT(disagree, n * n / 25) << size << " " << image;
      if (image <= 7) {
        EXPECT_EQ(scaled, Opaque(set.Lookup(board::ImageNumber(static_cast<int16_t>(image + 6))))) << size << " " << image;
      }
    }
  }
}

TEST(DrawnPictures, EachSizeIsDrawnOnceAndSharedAcrossThreads) {
  const PictureSet* seen[2] = {};
  std::thread first([&] { seen[0] = &PictureSet::ForSize(60); });
  std::thread second([&] { seen[1] = &PictureSet::ForSize(60); });
  first.join();
  second.join();
  EXPECT_EQ(seen[0], seen[1]);
  EXPECT_EQ(seen[0], &PictureSet::ForSize(60));
  EXPECT_NE(seen[0], &PictureSet::ForSize(61));
  EXPECT_THROW(PictureSet::ForSize(0), std::invalid_argument);
  EXPECT_THROW(PictureSet::ForSize(control::kLargestPictureSize + 1), std::invalid_argument);
}

// The dark rim is a design pixel wide at every size, so it takes about the same
// share of a piece at any size from the design size up.
TEST(DrawnPictures, TheRimThickensWithTheSquare) {
  auto rimShares = [](int size) {
    constexpr uint8_t kRimEntry = 1;
    const std::vector<art::Picture> pictures = art::DrawImages(size);
    std::vector<double> shares;
    for (int16_t image = board::Bpawn; image <= board::Bking; ++image) {
      const std::vector<uint8_t>& pixels = pictures[image - 1].pixels;
      const auto piece = std::count_if(pixels.begin(), pixels.end(), [](uint8_t entry) { return entry != 0; });
      shares.push_back(double(std::count(pixels.begin(), pixels.end(), kRimEntry)) / double(piece));
    }
    return shares;
  };
  const std::vector<double> design = rimShares(art::kDesignSize);
  for (int size : {55, 74, 111}) {
    const std::vector<double> scaled = rimShares(size);
    for (size_t piece = 0; piece < design.size(); ++piece) {
      EXPECT_GT(scaled[piece], 0.8 * design[piece]) << size << " piece " << piece;
      EXPECT_LT(scaled[piece], 1.25 * design[piece]) << size << " piece " << piece;
    }
  }
}

TEST(DrawnPictures, CoverageIsMeasuredFinelyAtEverySizeAndNoFinerThanNeeded) {
  for (int size = 1; size <= control::kLargestPictureSize; ++size) {
    const int samples = art::SamplesPerSide(size);
    EXPECT_GE(samples, 4) << size;
    EXPECT_GE(samples * size, 6 * art::kDesignSize) << size;
    // One sample a side fewer would fall short of one of the two.
    EXPECT_TRUE(samples == 4 || (samples - 1) * size < 6 * art::kDesignSize) << size;
  }
}
