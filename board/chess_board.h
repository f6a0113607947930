#pragma once

#include <array>
#include <cstdint>

#include "board/board_platform.h"
#include "board/board_store.h"

namespace board {

// The host's operations on the board: NewGame, Clear and the Piece property.
// The store and what the cells show are separate: Clear changes pictures only.
class ChessBoard {
 public:
  static constexpr const char* kInvalidRequest = "Invalid request";

  ChessBoard(BoardPlatform& platform, BoardContainer& container) : platform_(platform), container_(container) {}

  void NewGame();
  void Clear();
  PieceCode Piece(Col col, Row row);
  void Piece(Col col, Row row, PieceCode New_Piece);
  // A move the user made and the host let stand: the target gets the source's
  // code (bare picture, then the piece), the source None, then one refresh and
  // one "Position" notification. The last Piece value stays: it was not written.
  void MovePiece(CellIndex from, CellIndex to);
  // Every square written as Piece writes it (bare picture, then the piece; element i
  // is square i + 1), refreshing none: the caller shows the board once. The last
  // Piece value stays and nothing is notified.
  void SetPlacement(const std::array<int32_t, kSquareCount>& codes);

  BoardStore Board;
  // The last value written to Piece, as 16 bits; persisted, otherwise inert.
  int16_t m_Piece = 0;

 private:
  void DrawPiece(CellIndex cell, PieceCode code);

  BoardPlatform& platform_;
  BoardContainer& container_;
};

}  // namespace board
