#include "control/key_stroke.h"

namespace control {

std::optional<char> JumpOf(const KeyStroke& stroke) {
  if (stroke.key || stroke.shift || stroke.ctrl || stroke.alt) return std::nullopt;
  const char c = stroke.typed;
  const bool file = c >= 'a' && c < 'a' + board::kBoardSize, rank = c >= '1' && c < '1' + board::kBoardSize;
  return file || rank ? std::optional<char>(c) : std::nullopt;
}

bool TakesEscape(const KeyStroke& stroke, bool holdsPiece) { return stroke.escape && holdsPiece; }

bool IsBoardKey(const KeyStroke& stroke, bool holdsPiece) {
  return stroke.key || JumpOf(stroke) || TakesEscape(stroke, holdsPiece);
}

bool WantedFromDialog(const KeyStroke& stroke, bool holdsPiece) {
  return stroke.key == BoardKey::Enter || TakesEscape(stroke, holdsPiece);
}

}  // namespace control
