#pragma once

#include <cstdint>

#include "board/squares.h"

namespace control {

// What the mouse and the keyboard raise on the control, and what they ask of it first.
class InputEvents {
 public:
  // A disabled control raises nothing; the keyboard's cursor still moves.
  virtual bool Enabled() = 0;
  // False once the host let go of the control: input only waits for its end.
  virtual bool HeldByHost() = 0;
  virtual void Check_Click(board::CellIndex Index) = 0;
  virtual void Check_DblClick(board::CellIndex Index) = 0;
  virtual void Check_MouseDown(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y) = 0;
  virtual void Check_MouseMove(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y) = 0;
  virtual void Check_MouseUp(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y) = 0;

 protected:
  ~InputEvents() = default;
};

}  // namespace control
