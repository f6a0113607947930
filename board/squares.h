#pragma once

#include <cassert>
#include <cstdint>

namespace board {

// Piece codes. The image of a piece in the picture set has the same number as
// its code, so no translation table exists.
enum PieceNum : int32_t {
  None = 1,
  Bpawn = 2,
  Brook = 3,
  Bknight = 4,
  Bbishop = 5,
  BQueen = 6,
  Bking = 7,
  Wpawn = 8,
  Wrook = 9,
  Wknight = 10,
  Wbishop = 11,
  WQueen = 12,
  Wking = 13,
};

// Picture numbers of the two bare squares; the pieces' lie between them, so
// the dark square's is the last.
constexpr int16_t kLightSquareImage = 1;
constexpr int16_t kDarkSquareImage = 14;
constexpr int16_t kImageCount = kDarkSquareImage;

constexpr int16_t kBoardSize = 8;
constexpr int16_t kSquareCount = 64;

struct Square {
  int16_t col;
  int16_t row;
  friend bool operator==(Square, Square) = default;
};

constexpr bool IsOnBoard(int16_t col, int16_t row) {
  return col >= 1 && col <= kBoardSize && row >= 1 && row <= kBoardSize;
}

// (row - 1) * 8 + col, 1..64. Every caller tests IsOnBoard first, so no step
// can leave 16 bits.
constexpr int16_t SquareIndex(int16_t col, int16_t row) {
  assert(IsOnBoard(col, row));
  return static_cast<int16_t>((row - 1) * kBoardSize + col);
}

// The reverse of SquareIndex for 1..64.
constexpr Square SquareOfIndex(int16_t index) {
  return {static_cast<int16_t>((index - 1) % kBoardSize + 1),
          static_cast<int16_t>((index - 1) / kBoardSize + 1)};
}

constexpr bool IsLightSquare(int16_t col, int16_t row) { return (col + row) % 2 == 0; }

constexpr int16_t BareSquareImage(int16_t col, int16_t row) {
  return IsLightSquare(col, row) ? kLightSquareImage : kDarkSquareImage;
}

// The bare picture of the square with index 1..64.
constexpr int16_t BareSquareImage(int16_t index) {
  const Square square = SquareOfIndex(index);
  return BareSquareImage(square.col, square.row);
}

}  // namespace board
