#include "control/announcer.h"

#include <utility>

#include "control/accessible_board.h"

namespace control {

using Kind = Announcement::Kind;

bool Announcer::CellsChanged() {
  if (!board_ || scheduled_) return false;
  scheduled_ = true;
  return true;
}

void Announcer::FlushNames() {
  scheduled_ = false;
  if (!board_) return;
  for (int16_t cell : board_->ChangedNames()) queue_.push_back({Kind::NameChanged, cell});
  if (board_->SummaryChanged()) queue_.push_back({Kind::ValueChanged, AccessibleBoard::kSelf});
}

void Announcer::EnabledChanged() {
  if (!board_ || !board_->EnabledChanged()) return;
  FlushNames();
  queue_.push_back({Kind::StateChanged, AccessibleBoard::kSelf});
}

void Announcer::FocusMoved(board::CellIndex before, board::CellIndex after) {
  if (!FocusEventDue(before, after)) return;
  FlushNames();
  queue_.push_back({Kind::FocusMoved, after.value});
}

void Announcer::DescriptionChanged() {
  if (!board_) return;
  FlushNames();
  queue_.push_back({Kind::DescriptionChanged, AccessibleBoard::kSelf});
}

void Announcer::ChoiceItemFocused(size_t item) {
  FlushNames();
  queue_.push_back({Kind::ChoiceItemFocused, static_cast<int16_t>(item + 1)});
}

std::vector<Announcement> Announcer::Take() { return std::exchange(queue_, {}); }

}  // namespace control
