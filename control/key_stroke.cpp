#include "control/key_stroke.h"

#include "board/squares.h"

namespace control {

std::optional<char> JumpOf(const KeyStroke& stroke) {
  if (stroke.key || stroke.shift || stroke.ctrl || stroke.alt) return std::nullopt;
  const char c = stroke.typed;
  return board::ColOfFile(c) || board::RowOfRank(c) ? std::optional<char>(c) : std::nullopt;
}

bool TakesEscape(const KeyStroke& stroke, bool holdsPiece) { return stroke.escape && holdsPiece; }

bool IsBoardKey(const KeyStroke& stroke, bool holdsPiece) {
  return stroke.key || JumpOf(stroke) || TakesEscape(stroke, holdsPiece);
}

bool WantedFromDialog(const KeyStroke& stroke, bool holdsPiece) {
  return stroke.key == BoardKey::Enter || TakesEscape(stroke, holdsPiece);
}

}  // namespace control
