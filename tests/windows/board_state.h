#pragma once

// What a refused call must leave as it was: every square and the Enabled flag,
// and OvlBoard's view: its marks, Flipped, ShowCoordinates and AllowMoves.
#include <windows.h>

#include <type_traits>
#include <vector>

#include "orvel_board.h"

namespace test {

// Read through the vtable, so that no argument handling of Invoke is involved.
template <class Board>
std::vector<LONG> Snapshot(Board* board) {
  std::vector<LONG> state;
  for (short row = 1; row <= 8; ++row) {
    for (short col = 1; col <= 8; ++col) {
      short c = col, r = row;
      PieceNum piece{};
      board->get_Piece(&c, &r, &piece);
      state.push_back(piece);
    }
  }
  if constexpr (std::is_same_v<Board, _OvlBoard>) {
    for (short square = 0; square < 64; ++square) {
      short c = square % 8 + 1, r = square / 8 + 1;
      MarkNum mark{};
      board->get_Mark(&c, &r, &mark);
      state.push_back(mark);
    }
    for (auto get : {&_OvlBoard::get_Flipped, &_OvlBoard::get_ShowCoordinates, &_OvlBoard::get_AllowMoves}) {
      VARIANT_BOOL value = 0;
      (board->*get)(&value);
      state.push_back(value);
    }
  }
  // Last, where a load that fails after "Enabled" is told apart.
  VARIANT_BOOL enabled = 0;
  board->get_Enabled(&enabled);
  state.push_back(enabled);
  return state;
}

}  // namespace test
