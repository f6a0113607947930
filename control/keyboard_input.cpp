#include "control/keyboard_input.h"

#include <algorithm>

#include "control/ovl_chess.h"

namespace control {

namespace {
int16_t Clamped(int value) { return static_cast<int16_t>(std::clamp<int>(value, 1, board::kBoardSize)); }
}  // namespace

int16_t KeyboardInput::CursorCell() const {
  return board::SquareIndex(cursor_.col, cursor_.row);
}

bool KeyboardInput::Press(BoardKey key) {
  if (!control_.Enabled()) return false;
  cuesShown_ = true;
  board::Square& c = cursor_;
  switch (key) {
    case BoardKey::Left: c.col = Clamped(c.col - 1); break;
    case BoardKey::Right: c.col = Clamped(c.col + 1); break;
    case BoardKey::Up: c.row = Clamped(c.row - 1); break;
    case BoardKey::Down: c.row = Clamped(c.row + 1); break;
    case BoardKey::Home: c.col = 1; break;
    case BoardKey::End: c.col = board::kBoardSize; break;
    case BoardKey::PageUp: c.row = 1; break;
    case BoardKey::PageDown: c.row = board::kBoardSize; break;
    case BoardKey::Space:
    case BoardKey::Enter: Activate(CursorCell()); break;
  }
  return true;
}

void KeyboardInput::Activate(int16_t cell) {
  if (control_.Enabled() && cell >= 1 && cell <= board::kSquareCount) control_.Check_Click(cell);
}

}  // namespace control
