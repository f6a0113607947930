#include <gtest/gtest.h>

#include <type_traits>

#include "board/automation_error.h"
#include "board/board_store.h"
#include "board/squares.h"

using namespace board;

using namespace board::literals;

// A cell index, an image number, a piece code, a column and a row never stand
// in for each other, nor turn back into plain integers unasked; an integer
// becomes one only when named, and a code becomes its image only through ImageOf.
static_assert(!std::is_convertible_v<CellIndex, ImageNumber>);
static_assert(!std::is_convertible_v<ImageNumber, CellIndex>);
static_assert(!std::is_convertible_v<CellIndex, int16_t>);
static_assert(!std::is_convertible_v<ImageNumber, int>);
static_assert(!std::is_convertible_v<int16_t, CellIndex> && !std::is_convertible_v<int, ImageNumber>);
static_assert(!std::is_convertible_v<int32_t, PieceCode> && !std::is_convertible_v<PieceCode, int32_t>);
static_assert(!std::is_convertible_v<PieceNum, ImageNumber> && !std::is_constructible_v<ImageNumber, PieceCode>);
static_assert(!std::is_convertible_v<Col, Row> && !std::is_convertible_v<Row, Col> && !std::is_convertible_v<int, Col>);
static_assert(!std::is_invocable_v<decltype(&SquareIndex), Row, Col>);
static_assert(!std::is_constructible_v<Square, Row, Col>);
static_assert(ImageOf(Wking) == 13_image && PieceCode(27).value == 27);

TEST(Squares, IndexAndItsReverseCoverTheBoardRowByRowFromTheTopLeft) {
  EXPECT_EQ(SquareIndex(1_col, 1_row), 1_cell);
  EXPECT_EQ(SquareIndex(8_col, 1_row), 8_cell);
  EXPECT_EQ(SquareIndex(1_col, 2_row), 9_cell);
  EXPECT_EQ(SquareIndex(3_col, 4_row), 27_cell);
  EXPECT_EQ(SquareIndex(1_col, 8_row), 57_cell);
  EXPECT_EQ(SquareIndex(8_col, 8_row), 64_cell);
  for (Row row{1}; row <= 8_row; ++row)
    for (Col col{1}; col <= 8_col; ++col)
      EXPECT_EQ(SquareOfIndex(SquareIndex(col, row)), (Square{col, row}));
}

TEST(Squares, TopLeftIsLightAndShadesAlternate) {
  EXPECT_EQ(BareSquareImage(1_col, 1_row), 1_image);
  EXPECT_EQ(BareSquareImage(2_col, 1_row), 14_image);
  EXPECT_EQ(BareSquareImage(1_col, 2_row), 14_image);
  EXPECT_EQ(BareSquareImage(8_col, 1_row), 14_image);
  EXPECT_EQ(BareSquareImage(1_col, 8_row), 14_image);
  EXPECT_EQ(BareSquareImage(8_col, 8_row), 1_image);
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
  EXPECT_DEBUG_DEATH(SquareIndex(1_col, Row(INT16_MIN)), "IsOnBoard");
  EXPECT_DEBUG_DEATH(SquareIndex(Col(INT16_MAX), 2_row), "IsOnBoard");
}

TEST(BoardStore, HoldsAnyCodeAndRefusesIndicesOutside0To64) {
  BoardStore store;
  EXPECT_EQ(store.Read(0), PieceCode(0));
  store.Write(64, PieceCode(99));
  store.Write(1, PieceCode(-5));
  EXPECT_EQ(store.Read(64), PieceCode(99));
  EXPECT_EQ(store.Read(1), PieceCode(-5));
  for (int32_t bad : {-1, 65, INT32_MAX}) {
    try {
      store.Read(bad);
      FAIL() << bad;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.number(), 9);
    }
    EXPECT_THROW(store.Write(bad, PieceCode(1)), AutomationError);
  }
}
