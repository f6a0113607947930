#pragma once

#include <cstdint>

#include "board/squares.h"

namespace control {

class OvlChess;

enum class BoardKey { Left, Right, Up, Down, Home, End, PageUp, PageDown, Space, Enter };

// The keyboard's way onto the board: a cursor square the keys move, and
// Space or Enter clicking it as a button clicks from the keyboard. The focus
// cue shows on the cursor only while the board has focus and the platform
// shows keyboard cues, which the board's own keys turn on.
class KeyboardInput {
 public:
  explicit KeyboardInput(OvlChess& control) : control_(control) {}

  // False for a key the board does not use, and for every key while disabled.
  bool Press(BoardKey key);
  // Raises Click for `cell` as Space does for the cursor; nothing while disabled.
  void Activate(int16_t cell);

  board::Square Cursor() const { return cursor_; }
  int16_t CursorCell() const;

  void SetFocused(bool focused) { focused_ = focused; }
  // The cursor's cell while the board has the focus, else 0.
  int16_t FocusedCell() const { return focused_ ? CursorCell() : 0; }
  void SetCuesShown(bool shown) { cuesShown_ = shown; }
  bool ShowsFocusCue() const { return focused_ && cuesShown_; }

 private:
  OvlChess& control_;
  // The bottom-left square from cream's side.
  board::Square cursor_{1, board::kBoardSize};
  bool focused_ = false;
  bool cuesShown_ = false;
};

}  // namespace control
