#include "control/key_stroke.h"

namespace control {

std::optional<char> JumpOf(const KeyStroke& stroke) {
  if (stroke.key || stroke.shift || stroke.ctrl || stroke.alt) return std::nullopt;
  const char c = stroke.typed;
  return board::ColOfFile(c) || board::RowOfRank(c) ? std::optional<char>(c) : std::nullopt;
}

bool IsBoardKey(const KeyStroke& stroke) { return stroke.key || JumpOf(stroke); }

bool WantedFromDialog(const KeyStroke& stroke) { return stroke.key == BoardKey::Enter; }

}  // namespace control
