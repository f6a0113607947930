#include "control/announcer.h"

#include <algorithm>
#include <utility>

#include "control/accessible_board.h"

namespace control {

using Kind = Announcement::Kind;

namespace {
bool Holds(const std::vector<int16_t>& cells, board::CellIndex cell) {
  return std::find(cells.begin(), cells.end(), cell.value) != cells.end();
}
}  // namespace

bool Announcer::Changed() {
  if (scheduled_) return false;
  scheduled_ = true;
  return true;
}

void Announcer::Settle(board::CellIndex focus, std::optional<size_t> choiceItem) {
  scheduled_ = false;
  const ReaderChanges changes = board_ ? board_->TakeChanges() : ReaderChanges{};
  if (choiceItem && choiceMoved_)
    queue_.push_back({Kind::ChoiceItemFocused, static_cast<int16_t>(*choiceItem + 1)});
  else
    TellFocusedSquare(focus, changes);
  choiceMoved_ = false;
  retell_ = false;
  heardFocus_ = focus;
  for (int16_t cell : changes.names)
    if (cell != focus.value) queue_.push_back({Kind::NameChanged, cell});
  if (changes.summary) queue_.push_back({Kind::ValueChanged, AccessibleBoard::kSelf});
  if (changes.enabled) queue_.push_back({Kind::StateChanged, AccessibleBoard::kSelf});
  if (changes.description) queue_.push_back({Kind::DescriptionChanged, AccessibleBoard::kSelf});
}

void Announcer::TellFocusedSquare(board::CellIndex focus, const ReaderChanges& changes) {
  if (!focus) return;
  if (focus != heardFocus_) return queue_.push_back({Kind::FocusMoved, focus.value});
  if (Holds(changes.names, focus) || retell_) return queue_.push_back({Kind::NameChanged, focus.value});
  if (Holds(changes.states, focus)) return queue_.push_back({Kind::StateChanged, focus.value});
  if (Holds(changes.descriptions, focus)) queue_.push_back({Kind::DescriptionChanged, focus.value});
}

std::vector<Announcement> Announcer::Take() { return std::exchange(queue_, {}); }

}  // namespace control
