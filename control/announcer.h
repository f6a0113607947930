#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "board/squares.h"

namespace control {

class AccessibleBoard;
struct ReaderChanges;

// What a screen reader must be told; `child` is a square's cell, or 0 for the board;
// for ChoiceItemFocused, the promotion list's item, from 1.
struct Announcement {
  enum class Kind { NameChanged, ValueChanged, StateChanged, FocusMoved, DescriptionChanged, ChoiceItemFocused };
  Kind kind;
  int16_t child;
  bool operator==(const Announcement& other) const { return kind == other.kind && child == other.child; }
};

// What readers hear of one user action (a key, a click from press to release,
// a reader's default action) or one host operation (everything a host does
// before its message loop runs again): nothing while it goes on, then, once it
// is over, at most one announcement for the focused square, made after all the
// action's effects (handler writes, marks, enabling, arrows) are in: the focus
// event where the focus moved, else the square's name, state or description
// change, in that order of preference. The other squares' names, the board's
// value, state and description follow; a reader following the focus speaks the
// first only. While the promotion choice has the keyboard, its highlighted item
// takes the focused square's place. The platform drains the queue and sends each.
class Announcer {
 public:
  // Names are announced from when a reader first asks for the board.
  void Follow(AccessibleBoard& board) { board_ = &board; }
  // Something readers see changed outside an action. True when an announcement
  // is to be scheduled: the platform then calls Settle once the operation is over.
  bool Changed();
  // The focused square is told at the next settle even if it reads the same (a piece put back where it was).
  void Retell() { retell_ = true; }
  // The promotion choice's highlight moved, or the choice opened: its item is told at the next settle.
  void ChoiceItemFocused() { choiceMoved_ = true; }
  // The action or operation is over; `focus` is the focused square, 0 for none.
  // While the promotion choice has the keyboard, no square has it: `choiceItem`
  // is its highlighted item, from 0.
  void Settle(board::CellIndex focus, std::optional<size_t> choiceItem = std::nullopt);
  // The window is gone: nothing is scheduled any more, and no square has the focus.
  void Reset() { scheduled_ = false, choiceMoved_ = false, heardFocus_ = {}; }

  std::vector<Announcement> Take();

 private:
  void TellFocusedSquare(board::CellIndex focus, const ReaderChanges& changes);

  AccessibleBoard* board_ = nullptr;
  bool scheduled_ = false;
  bool retell_ = false;
  bool choiceMoved_ = false;
  board::CellIndex heardFocus_;
  std::vector<Announcement> queue_;
};

}  // namespace control
