#pragma once

#include <cstdint>

#include "board/squares.h"
#include "control/click_observer.h"
#include "control/input_events.h"
#include "control/key_stroke.h"

namespace control {

// The keyboard's way onto the board: a cursor square the keys move, and
// Space or Enter clicking it as a button clicks from the keyboard. The focus
// cue shows on the cursor only while the board has focus and the platform
// shows keyboard cues, which the board's own keys and a keyboard arrival turn
// on. A disabled board is still explored: the cursor moves, nothing is clicked.
class KeyboardInput {
 public:
  explicit KeyboardInput(InputEvents& control) : control_(control) {}

  // The board takes all its keys, also while disabled, so a disabled board's
  // Enter never falls through to a dialog's default button.
  bool Press(BoardKey key);
  // A typed letter a-h goes to that file, a digit 1-8 to that rank, as the
  // squares are named from cream's side; false for any other character.
  bool Jump(char typed);
  // Raises Click for `cell` as Space does for the cursor; false, raising
  // nothing, while disabled or for a cell off the board.
  bool Activate(board::CellIndex cell);
  // Puts the cursor on `cell` (a mouse press, a screen reader's selection); the cues stay as they are.
  void MoveTo(board::CellIndex cell);

  // Off unless set; told of each Click after its handlers.
  void ObserveClicks(ClickObserver* observer) { clicks_ = observer; }

  board::Square Cursor() const { return cursor_; }
  board::CellIndex CursorCell() const;

  // Focus that arrives by keyboard (Tab) shows the cue at once.
  void SetFocused(bool focused, bool byKeyboard = false) {
    focused_ = focused;
    if (focused && byKeyboard) cuesShown_ = true;
  }
  // The cursor's cell while the board has the focus, else 0.
  board::CellIndex FocusedCell() const { return focused_ ? CursorCell() : board::CellIndex{}; }
  void SetCuesShown(bool shown) { cuesShown_ = shown; }
  bool ShowsFocusCue() const { return focused_ && cuesShown_; }

 private:
  InputEvents& control_;
  ClickObserver* clicks_ = nullptr;
  // The bottom-left square from cream's side.
  board::Square cursor_{board::Col(1), board::Row(board::kBoardSize)};
  bool focused_ = false;
  bool cuesShown_ = false;
};

}  // namespace control
