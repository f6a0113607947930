#include "board/squares.h"

#include "board/automation_error.h"

namespace board {

int16_t SquareIndex(int16_t col, int16_t row) {
  int16_t index = CheckedInt16(int64_t{row} - 1);
  index = CheckedInt16(int64_t{index} * kBoardSize);
  return CheckedInt16(int64_t{index} + col);
}

}  // namespace board
