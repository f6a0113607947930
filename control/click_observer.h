#pragma once

#include "board/squares.h"

namespace control {

// Hears of a Click after its handlers returned, from the mouse or the keyboard,
// so move input can act on exactly the clicks the host was told of.
class ClickObserver {
 public:
  virtual void Clicked(board::CellIndex cell) = 0;

 protected:
  ~ClickObserver() = default;
};

}  // namespace control
