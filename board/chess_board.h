#pragma once

#include <bitset>

#include <array>
#include <cstdint>

#include "board/board_platform.h"
#include "board/board_store.h"

namespace board {

// The starting position on every square (element i is square i + 1), the other 32 empty.
std::array<PieceCode, kSquareCount> StartingPlacement();

// Hears of the board's writes once they stand; a write that failed reports nothing.
class WriteListener {
 public:
  virtual void SquareWritten(CellIndex cell) = 0;
  // More than one square, or what the cells show without a square written (Clear).
  virtual void BoardWritten() = 0;

 protected:
  ~WriteListener() = default;
};

// The host's operations on the board: NewGame, Clear and the Piece property.
// The store and what the cells show are separate: Clear changes pictures only.
class ChessBoard {
 public:
  static constexpr const char* kInvalidRequest = "Invalid request";

  ChessBoard(BoardPlatform& platform, BoardContainer& container, WriteListener& listener)
      : platform_(platform), container_(container), listener_(listener) {}

  void NewGame();
  void Clear();
  PieceCode Piece(Col col, Row row);
  void Piece(Col col, Row row, PieceCode New_Piece);
  // A move the user made and the host let stand: the target gets the source's
  // code (bare picture, then the piece), the source None, then one refresh. The
  // last Piece value stays: it was not written.
  void MovePiece(CellIndex from, CellIndex to);
  // Every square written as Piece writes it (bare picture, then the piece; element i
  // is square i + 1), refreshing none: the caller shows the board once. The last
  // Piece value stays and nothing is notified.
  void SetPlacement(const std::array<PieceCode, kSquareCount>& codes);

  // False where Clear left the square bare with its piece still in the store,
  // until the square is next written.
  bool ShowsStore(CellIndex cell) const { return !hiddenByClear_[cell.value]; }

  BoardStore Board;
  // The last value written to Piece, as 16 bits; persisted, otherwise inert.
  int16_t m_Piece = 0;

 private:
  void DrawPiece(CellIndex cell, PieceCode code);

  BoardPlatform& platform_;
  BoardContainer& container_;
  WriteListener& listener_;
  std::bitset<kSquareCount + 1> hiddenByClear_;
};

}  // namespace board
