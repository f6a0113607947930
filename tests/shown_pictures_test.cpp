#include "control/shown_pictures.h"

#include <gtest/gtest.h>

#include "board/squares.h"

using control::PictureSet;
using control::ShownPictures;

namespace {

size_t OneSet(int size) { return 14 * 4 * static_cast<size_t>(size) * size; }

// A board resized again and again shows scaled pictures meanwhile, holds at most
// the set drawn last and the scaled one, and once settled the one size it shows.
TEST(ShownPictures, AResizedBoardScalesMeanwhileAndKeepsOneSizeOnceSettled) {
  ShownPictures pictures;
  EXPECT_EQ(&pictures.At(37, true), &PictureSet::Shared());
  EXPECT_FALSE(pictures.Scaled());
  EXPECT_TRUE(pictures.DrawnAt(37));
  EXPECT_FALSE(pictures.DrawnAt(41));
  for (int square = 41; square <= 150; square += 11) {
    EXPECT_EQ(pictures.At(square, true).Size(), square);
    EXPECT_TRUE(pictures.Scaled());
    EXPECT_FALSE(pictures.DrawnAt(square));  // scaled is not drawn: a resize still goes on
    EXPECT_EQ(pictures.Bytes(), OneSet(square));  // scaled from the shared 37-pixel set
  }
  pictures.Settle();
  EXPECT_FALSE(pictures.Scaled());
  EXPECT_TRUE(pictures.DrawnAt(140));
  EXPECT_EQ(pictures.Bytes(), OneSet(140));
  EXPECT_EQ(pictures.At(140, true).Lookup(board::ImageOf(board::Wknight)).pixels,
            PictureSet::ForSize(140).Lookup(board::ImageOf(board::Wknight)).pixels);
  // Scaled from the 140-pixel set now; that one stays until the next settles.
  pictures.At(60, true);
  EXPECT_EQ(pictures.Bytes(), OneSet(60) + OneSet(140));
  pictures.Settle();
  EXPECT_EQ(pictures.Bytes(), OneSet(60));
  EXPECT_EQ(PictureSet::HeldIfDrawn(140), nullptr);
  // Another board at a size one shows shares its set, drawn, not scaled.
  ShownPictures other;
  EXPECT_TRUE(other.DrawnAt(60));  // drawn for another board
  EXPECT_EQ(&other.At(60, true), &pictures.At(60, true));
  EXPECT_FALSE(other.Scaled());
}

// A board made again at a size no board shows finds the set drawn last still
// there; a size drawn before it is gone with its boards.
TEST(ShownPictures, TheSizeDrawnLastOutlivesItsBoardsUntilAnotherIsDrawn) {
  {
    ShownPictures first;
    first.At(74, false);
  }
  ShownPictures again;
  const PictureSet* kept = PictureSet::HeldIfDrawn(74).get();
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(&again.At(74, true), kept);
  EXPECT_FALSE(again.Scaled());
  again = {};
  ShownPictures other;
  other.At(81, false);
  EXPECT_EQ(PictureSet::HeldIfDrawn(74), nullptr);
  EXPECT_NE(PictureSet::HeldIfDrawn(81), nullptr);
}

// Scaled pictures keep the pieces' outlines: the mask where the drawn picture
// has it, but for a rim of a pixel or so, and never black where the piece shows.
TEST(ShownPictures, ScaledPiecesKeepTheirOutlines) {
  for (int size : {29, 74, 150}) {
    const auto scaled = PictureSet::ScaledFrom(PictureSet::Shared(), size);
    const PictureSet& drawn = PictureSet::ForSize(size);
    for (int image = 1; image <= 14; ++image) {
      const auto& a = scaled->Lookup(board::ImageNumber(int16_t(image))).pixels;
      const auto& b = drawn.Lookup(board::ImageNumber(int16_t(image))).pixels;
      int disagree = 0, masked = 0;
      for (size_t i = 0; i < a.size(); ++i) disagree += (a[i] == 0) != (b[i] == 0), masked += b[i] == 0;
      EXPECT_LE(disagree, 4 * size) << size << " " << image;
      if (image == 1 || image == 14) EXPECT_EQ(masked, 0);
    }
  }
}

}  // namespace
