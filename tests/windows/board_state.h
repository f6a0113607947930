#pragma once

// What a refused call must leave as it was: every square and the Enabled flag.
#include <windows.h>

#include <vector>

#include "orvel_board.h"

namespace test {

// Read through the vtable, so that no argument handling of Invoke is involved.
inline std::vector<LONG> Snapshot(_OvlChess* board) {
  std::vector<LONG> state;
  for (short row = 1; row <= 8; ++row) {
    for (short col = 1; col <= 8; ++col) {
      short c = col, r = row;
      PieceNum piece{};
      board->get_Piece(&c, &r, &piece);
      state.push_back(piece);
    }
  }
  VARIANT_BOOL enabled = 0;
  board->get_Enabled(&enabled);
  state.push_back(enabled);
  return state;
}

}  // namespace test
