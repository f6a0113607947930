#pragma once

#include <cassert>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>

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

// A piece code as the board store holds it. Only the named codes convert in
// unasked; a number must be made a code on purpose, and a code is never an
// image number without ImageOf.
struct PieceCode {
  int32_t value = 0;

  constexpr PieceCode() = default;
  constexpr explicit PieceCode(int32_t code) : value(code) {}
  constexpr PieceCode(PieceNum code) : value(code) {}  // NOLINT(google-explicit-constructor)

  friend constexpr bool operator==(PieceCode, PieceCode) = default;
  template <typename Stream>
  friend Stream& operator<<(Stream& out, PieceCode code) {
    out << code.value;
    return out;
  }
};

// A 16-bit number of its own kind. Integers convert in only when named (the
// host's values at the door, literals in tables); only `value` converts out,
// and kinds never convert into each other, so a cell index cannot be passed
// where an image number is wanted, nor a row where a column is. 0 is each
// kind's "none".
template <typename Kind>
struct Number16 {
  int16_t value = 0;

  constexpr Number16() = default;
  constexpr explicit Number16(int16_t number) : value(number) {}

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
    out << number.value;
    return out;
  }
};

// A cell (and the square it shows), 1..64: (row - 1) * 8 + col.
using CellIndex = Number16<struct CellKind>;
// A picture of the image list, 1..14. A piece's picture has its code's number.
using ImageNumber = Number16<struct ImageKind>;
// A square's column and row, 1..8.
using Col = Number16<struct ColKind>;
using Row = Number16<struct RowKind>;

// The image of a piece in the picture set has its code's number.
constexpr ImageNumber ImageOf(PieceCode code) { return ImageNumber(static_cast<int16_t>(code.value)); }

// Picture numbers of the two bare squares; the pieces' lie between them, so
// the dark square's is the last.
constexpr ImageNumber kLightSquareImage{1};
constexpr ImageNumber kDarkSquareImage{14};
constexpr int16_t kImageCount = kDarkSquareImage.value;

constexpr int16_t kBoardSize = 8;
constexpr int16_t kSquareCount = 64;
constexpr CellIndex kFirstCell{1};
constexpr CellIndex kLastCell{kSquareCount};

struct Square {
  Col col;
  Row row;
  friend bool operator==(Square, Square) = default;
};

constexpr bool IsOnBoard(Col col, Row row) {
  return col.value >= 1 && col.value <= kBoardSize && row.value >= 1 && row.value <= kBoardSize;
}

constexpr bool IsCell(CellIndex cell) { return cell >= kFirstCell && cell <= kLastCell; }

// Every caller tests IsOnBoard first, so no step can leave 16 bits.
constexpr CellIndex SquareIndex(Col col, Row row) {
  assert(IsOnBoard(col, row));
  return CellIndex(static_cast<int16_t>((row.value - 1) * kBoardSize + col.value));
}

// The reverse of SquareIndex for 1..64.
constexpr Square SquareOfIndex(CellIndex cell) {
  return {Col(static_cast<int16_t>((cell.value - 1) % kBoardSize + 1)),
          Row(static_cast<int16_t>((cell.value - 1) / kBoardSize + 1))};
}

constexpr bool IsLightSquare(Col col, Row row) { return (col.value + row.value) % 2 == 0; }

constexpr ImageNumber BareSquareImage(Col col, Row row) {
  return IsLightSquare(col, row) ? kLightSquareImage : kDarkSquareImage;
}

constexpr ImageNumber BareSquareImage(CellIndex cell) {
  const Square square = SquareOfIndex(cell);
  return BareSquareImage(square.col, square.row);
}

// A piece, not "none" nor a value no picture has.
constexpr bool IsPiece(PieceCode code) { return code.value >= Bpawn && code.value <= Wking; }

// Chess names: column 1 is file 'a'; row 1 is the top row, rank '8'.
constexpr char FileOf(Col col) { return static_cast<char>('a' + col.value - 1); }
constexpr char RankOf(Row row) { return static_cast<char>('0' + kBoardSize + 1 - row.value); }

constexpr std::optional<Col> ColOfFile(char file) {
  if (file < 'a' || file >= 'a' + kBoardSize) return std::nullopt;
  return Col(static_cast<int16_t>(file - 'a' + 1));
}

constexpr std::optional<Row> RowOfRank(char rank) {
  if (rank < '1' || rank >= '1' + kBoardSize) return std::nullopt;
  return Row(static_cast<int16_t>(kBoardSize - (rank - '1')));
}

// "e4".
inline std::string SquareName(CellIndex cell) {
  const Square square = SquareOfIndex(cell);
  return {FileOf(square.col), RankOf(square.row)};
}

// Literals for tables and tests: 27_cell, 3_col, 4_row, 14_image.
namespace literals {
constexpr CellIndex operator""_cell(unsigned long long n) { return CellIndex(static_cast<int16_t>(n)); }
constexpr Col operator""_col(unsigned long long n) { return Col(static_cast<int16_t>(n)); }
constexpr Row operator""_row(unsigned long long n) { return Row(static_cast<int16_t>(n)); }
constexpr ImageNumber operator""_image(unsigned long long n) { return ImageNumber(static_cast<int16_t>(n)); }
}  // namespace literals

}  // namespace board
