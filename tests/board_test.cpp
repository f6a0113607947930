#include <gtest/gtest.h>

#include <type_traits>

#include "board/automation_error.h"
#include "board/board_store.h"
#include "board/squares.h"

using namespace board;

// A cell index and an image number never stand in for each other, nor turn back
// into plain integers unasked; integers (host values, literals) convert in.
static_assert(!std::is_convertible_v<CellIndex, ImageNumber>);
static_assert(!std::is_convertible_v<ImageNumber, CellIndex>);
static_assert(!std::is_convertible_v<CellIndex, int16_t>);
static_assert(!std::is_convertible_v<ImageNumber, int>);
static_assert(std::is_convertible_v<int16_t, CellIndex> && std::is_convertible_v<PieceNum, ImageNumber>);

TEST(Squares, IndexAndItsReverseCoverTheBoardRowByRowFromTheTopLeft) {
  EXPECT_EQ(SquareIndex(1, 1), 1);
  EXPECT_EQ(SquareIndex(8, 1), 8);
  EXPECT_EQ(SquareIndex(1, 2), 9);
  EXPECT_EQ(SquareIndex(3, 4), 27);
  EXPECT_EQ(SquareIndex(1, 8), 57);
  EXPECT_EQ(SquareIndex(8, 8), 64);
  for (int16_t row = 1; row <= 8; ++row)
    for (int16_t col = 1; col <= 8; ++col)
      EXPECT_EQ(SquareOfIndex(SquareIndex(col, row)), (Square{col, row}));
}

TEST(Squares, TopLeftIsLightAndShadesAlternate) {
  EXPECT_EQ(BareSquareImage(1, 1), 1);
  EXPECT_EQ(BareSquareImage(2, 1), 14);
  EXPECT_EQ(BareSquareImage(1, 2), 14);
  EXPECT_EQ(BareSquareImage(8, 1), 14);
  EXPECT_EQ(BareSquareImage(1, 8), 14);
  EXPECT_EQ(BareSquareImage(8, 8), 1);
}

TEST(Squares, SixteenBitArithmeticOverflowsInsteadOfWrapping) {
  EXPECT_EQ(CheckedInt16(-32768), -32768);
  EXPECT_EQ(CheckedInt16(32767), 32767);
  try {
    CheckedInt16(32768);
    FAIL() << "no overflow";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), 6);
  }
  EXPECT_DEBUG_DEATH(SquareIndex(1, INT16_MIN), "IsOnBoard");
  EXPECT_DEBUG_DEATH(SquareIndex(INT16_MAX, 2), "IsOnBoard");
}

TEST(BoardStore, HoldsAnyCodeAndRefusesIndicesOutside0To64) {
  BoardStore store;
  EXPECT_EQ(store.Read(0), 0);
  store.Write(64, 99);
  store.Write(1, -5);
  EXPECT_EQ(store.Read(64), 99);
  EXPECT_EQ(store.Read(1), -5);
  for (int32_t bad : {-1, 65, INT32_MAX}) {
    try {
      store.Read(bad);
      FAIL() << bad;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.number(), 9);
    }
    EXPECT_THROW(store.Write(bad, 1), AutomationError);
  }
}
