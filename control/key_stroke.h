#pragma once

#include <optional>

namespace control {

// The keys the board names.
enum class BoardKey { Left, Right, Up, Down, Home, End, PageUp, PageDown, Space, Enter };

// A key pressed, as the platform reports it: a key the board names, or else the
// character a letter or digit key types (lower case), with the modifiers held.
struct KeyStroke {
  std::optional<BoardKey> key;
  char typed = 0;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  // The key is held down and repeating.
  bool repeated = false;
  // Escape: it puts back a piece picked up by hand, and is the host's otherwise.
  bool escape = false;
};

// The jump a key makes (a-h, 1-8), only without Shift, Ctrl or Alt: with them the keys stay the host's.
std::optional<char> JumpOf(const KeyStroke& stroke);
// Escape belongs to the board only while a piece is picked up: otherwise it is the host's (a dialog's Cancel).
bool TakesEscape(const KeyStroke& stroke, bool holdsPiece);
// The keys the board takes, also from a container's accelerator translation.
bool IsBoardKey(const KeyStroke& stroke, bool holdsPiece);
// Enter clicks the cursor square, and Escape puts back a piece picked up, so a
// dialog must hand them over rather than press its default or cancel button.
bool WantedFromDialog(const KeyStroke& stroke, bool holdsPiece);

}  // namespace control
