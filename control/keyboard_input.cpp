#include "control/keyboard_input.h"

#include <algorithm>

namespace control {

namespace {
template <typename Coordinate>
Coordinate Clamped(int value) {
  return Coordinate(static_cast<int16_t>(std::clamp<int>(value, 1, board::kBoardSize)));
}
}  // namespace

board::CellIndex KeyboardInput::CursorCell() const {
  return board::SquareIndex(cursor_.col, cursor_.row);
}

bool KeyboardInput::Press(BoardKey key) {
  cuesShown_ = true;
  board::Square& c = cursor_;
  switch (key) {
    case BoardKey::Left: c.col = Clamped<board::Col>(c.col.value - 1); break;
    case BoardKey::Right: c.col = Clamped<board::Col>(c.col.value + 1); break;
    case BoardKey::Up: c.row = Clamped<board::Row>(c.row.value - 1); break;
    case BoardKey::Down: c.row = Clamped<board::Row>(c.row.value + 1); break;
    case BoardKey::Home: c.col = board::Col(1); break;
    case BoardKey::End: c.col = board::Col(board::kBoardSize); break;
    case BoardKey::PageUp: c.row = board::Row(1); break;
    case BoardKey::PageDown: c.row = board::Row(board::kBoardSize); break;
    case BoardKey::Space:
    case BoardKey::Enter: Activate(CursorCell()); break;
  }
  return true;
}

bool KeyboardInput::Jump(char typed) {
  if (const auto col = board::ColOfFile(typed)) {
    cursor_.col = *col;
  } else if (const auto row = board::RowOfRank(typed)) {
    cursor_.row = *row;
  } else {
    return false;
  }
  cuesShown_ = true;
  return true;
}

bool KeyboardInput::Activate(board::CellIndex cell) {
  if (!control_.Enabled() || !board::IsCell(cell)) return false;
  control_.Check_Click(cell);
  if (clicks_) clicks_->Clicked(cell);
  return true;
}

void KeyboardInput::MoveTo(board::CellIndex cell) {
  if (board::IsCell(cell)) cursor_ = board::SquareOfIndex(cell);
}

}  // namespace control
