#pragma once

#include <cassert>
#include <compare>
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

// A 16-bit number of its own kind. Integers convert in (the host's values,
// literals); only `value` converts out, and kinds never convert into each
// other, so a cell index cannot be passed where an image number is wanted.
// 0 is each kind's "none".
template <typename Kind>
struct Number16 {
  int16_t value = 0;

  constexpr Number16() = default;
  constexpr Number16(int16_t number) : value(number) {}  // NOLINT(google-explicit-constructor)

  constexpr explicit operator bool() const { return value != 0; }
  constexpr Number16& operator++() {
    ++value;
    return *this;
  }
  constexpr Number16& operator--() {
    --value;
    return *this;
  }
  friend constexpr auto operator<=>(Number16, Number16) = default;
  // Lets test frameworks and logs print the number.
  template <typename Stream>
  friend Stream& operator<<(Stream& out, Number16 number) {
    return out << number.value;
  }
};

// A cell (and the square it shows), 1..64: (row - 1) * 8 + col.
using CellIndex = Number16<struct CellKind>;
// A picture of the image list, 1..14. A piece's picture has its code's number.
using ImageNumber = Number16<struct ImageKind>;

// Picture numbers of the two bare squares; the pieces' lie between them, so
// the dark square's is the last.
constexpr ImageNumber kLightSquareImage = 1;
constexpr ImageNumber kDarkSquareImage = 14;
constexpr int16_t kImageCount = kDarkSquareImage.value;

constexpr int16_t kBoardSize = 8;
constexpr int16_t kSquareCount = 64;
constexpr CellIndex kFirstCell = 1;
constexpr CellIndex kLastCell = kSquareCount;

struct Square {
  int16_t col;
  int16_t row;
  friend bool operator==(Square, Square) = default;
};

constexpr bool IsOnBoard(int16_t col, int16_t row) {
  return col >= 1 && col <= kBoardSize && row >= 1 && row <= kBoardSize;
}

constexpr bool IsCell(CellIndex cell) { return cell >= kFirstCell && cell <= kLastCell; }

// Every caller tests IsOnBoard first, so no step can leave 16 bits.
constexpr CellIndex SquareIndex(int16_t col, int16_t row) {
  assert(IsOnBoard(col, row));
  return static_cast<int16_t>((row - 1) * kBoardSize + col);
}

// The reverse of SquareIndex for 1..64.
constexpr Square SquareOfIndex(CellIndex cell) {
  return {static_cast<int16_t>((cell.value - 1) % kBoardSize + 1),
          static_cast<int16_t>((cell.value - 1) / kBoardSize + 1)};
}

constexpr bool IsLightSquare(int16_t col, int16_t row) { return (col + row) % 2 == 0; }

constexpr ImageNumber BareSquareImage(int16_t col, int16_t row) {
  return IsLightSquare(col, row) ? kLightSquareImage : kDarkSquareImage;
}

constexpr ImageNumber BareSquareImage(CellIndex cell) {
  const Square square = SquareOfIndex(cell);
  return BareSquareImage(square.col, square.row);
}

}  // namespace board
