#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "board/squares.h"

namespace control {

class AccessibleBoard;

// What a screen reader must be told; `child` is a square's cell, or 0 for the board;
// for ChoiceItemFocused, the promotion list's item, from 1.
struct Announcement {
  enum class Kind { NameChanged, ValueChanged, StateChanged, FocusMoved, DescriptionChanged, ChoiceItemFocused };
  Kind kind;
  int16_t child;
  bool operator==(const Announcement& other) const { return kind == other.kind && child == other.child; }
};

// The queue of announcements in the order things happened: names and the
// board's value changed by earlier writes are told before a later state or
// focus change, so a reader never hears a square's new name as news after it
// already read it on arrival. The platform drains the queue and sends each.
class Announcer {
 public:
  // The focus reached `after` (0: none) from `before`: due when it lands on a square it was not on.
  static bool FocusEventDue(board::CellIndex before, board::CellIndex after) { return after && after != before; }

  // Names are announced from when a reader first asks for the board.
  void Follow(AccessibleBoard& board) { board_ = &board; }
  // A cell's look changed. True when the names are to be told later, once for
  // the whole operation: the platform then calls FlushNames when it is over.
  bool CellsChanged();
  void FlushNames();
  void EnabledChanged();
  void FocusMoved(board::CellIndex before, board::CellIndex after);
  // The board's description changed (OvlBoard's arrows).
  void DescriptionChanged();
  // The promotion choice has the keyboard, its item `item` (from 0) highlighted.
  void ChoiceItemFocused(size_t item);
  // The window is gone: nothing is scheduled any more.
  void Reset() { scheduled_ = false; }

  std::vector<Announcement> Take();

 private:
  AccessibleBoard* board_ = nullptr;
  bool scheduled_ = false;
  std::vector<Announcement> queue_;
};

}  // namespace control
