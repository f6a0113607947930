#include "control/interaction.h"

#include <utility>

namespace control {

Interaction::Interaction(OvlChess& control, const CellGrid& cells, BoardSurface& view)
    : control_(control), cells_(cells), view_(view), keyboard_(control), mouse_(control, view, &keyboard_) {
  control_.Observe(this);
  keyboard_.ObserveClicks(&control.Moves());
  mouse_.ObserveClicks(&control.Moves());
}

board::CellIndex Interaction::CueCell() const {
  return keyboard_.ShowsFocusCue() ? keyboard_.CursorCell() : board::CellIndex{};
}

void Interaction::Follow(Before before) {
  if (!attached_) return;  // a handler removed the view
  const board::CellIndex cue = CueCell();
  if (cue != before.cue) {
    if (before.cue) view_.RepaintCell(before.cue);
    if (cue) view_.RepaintCell(cue);
  }
  announcer_.FocusMoved(before.focus, keyboard_.FocusedCell());
  Tell();
}

void Interaction::Tell() {
  std::vector<Announcement> announcements = announcer_.Take();
  if (!announcements.empty()) view_.Announce(announcements);
}

void Interaction::FlushNames() {
  announcer_.FlushNames();
  Tell();
}

bool Interaction::ChoiceKey(const KeyStroke& stroke) {
  ContainerLink::Hold hold(control_.ContainerPath());
  if (stroke.escape)
    control_.Promotion().Dismiss();
  else if (stroke.key && !(stroke.repeated && (*stroke.key == BoardKey::Space || *stroke.key == BoardKey::Enter)))
    control_.Promotion().Key(*stroke.key);
  return stroke.escape || stroke.key || JumpOf(stroke);
}

bool Interaction::Key(const KeyStroke& stroke) {
  if (control_.Promotion().Showing()) return ChoiceKey(stroke);
  if (stroke.escape) {
    if (!TakesEscape(stroke, HoldsPiece())) return false;
    ContainerLink::Hold hold(control_.ContainerPath());
    return control_.Moves().Escape();
  }
  const std::optional<char> jump = JumpOf(stroke);
  if (!stroke.key && !jump) return false;
  // A held Space or Enter clicks once, as a button does; held arrows keep moving.
  if (stroke.repeated && (stroke.key == BoardKey::Space || stroke.key == BoardKey::Enter)) return true;
  ContainerLink::Hold hold(control_.ContainerPath());
  const Before before = Now();
  const bool taken = stroke.key ? keyboard_.Press(control_.View().KeyOnBoard(*stroke.key))
                                 : keyboard_.Jump(*jump);
  Follow(before);
  return taken;
}

void Interaction::MousePress(MouseButton button, bool doubleClick, int16_t shift, PointerPosition position) {
  ContainerLink::Hold hold(control_.ContainerPath());
  if (control_.Promotion().Showing()) {
    choiceHasPress_ = button == MouseButton::Left;
    return choiceHasPress_ ? control_.Promotion().Press(position.x, position.y) : control_.Promotion().Dismiss();
  }
  const Before before = Now();
  mouse_.Press(button, doubleClick, shift, position);
  // A press that brought the focus was reported by it; one on the focused board moves its focus.
  if (before.focus) Follow(before);
  if (attached_) control_.Moves().Press(button, view_.CellAt(position), position);
}

void Interaction::MouseRelease(MouseButton button, int16_t buttonsHeld, int16_t shift, PointerPosition position) {
  ContainerLink::Hold hold(control_.ContainerPath());
  if (std::exchange(choiceHasPress_, false)) return control_.Promotion().Release(position.x, position.y);
  if (control_.Promotion().Showing()) return;
  mouse_.Release(button, buttonsHeld, shift, position);
  if (attached_) control_.Moves().Release(button, buttonsHeld, view_.CellAt(position));
}

void Interaction::MouseMove(int16_t buttonsHeld, int16_t shift, PointerPosition position) {
  if (control_.Promotion().Showing()) return;
  ContainerLink::Hold hold(control_.ContainerPath());
  mouse_.Move(buttonsHeld, shift, position);
  if (attached_) control_.Moves().Move(position);
}

void Interaction::CaptureLost() {
  mouse_.CaptureLost();
  control_.Moves().CaptureLost();
}

bool Interaction::HoldsPiece() const { return control_.Moves().HoldsPiece() || control_.Promotion().Showing(); }

void Interaction::PutCursor(board::CellIndex cell) {
  const Before before = Now();
  keyboard_.MoveTo(cell);
  Follow(before);
}

void Interaction::DescriptionChanged() {
  if (!attached_) return;
  announcer_.DescriptionChanged();
  Tell();
}

void Interaction::FocusChanged(bool focused, bool byKeyboard) {
  if (!focused) {
    ContainerLink::Hold hold(control_.ContainerPath());
    control_.Promotion().Dismiss();
  }
  // Arriving focus is told whatever the cursor was before.
  const Before before{CueCell(), {}};
  keyboard_.SetFocused(focused, focused && byKeyboard);
  Follow(before);
}

void Interaction::CuesChanged(bool shown) {
  const Before before = Now();
  keyboard_.SetCuesShown(shown);
  Follow(before);
}

bool Interaction::Activate(board::CellIndex cell) {
  ContainerLink::Hold hold(control_.ContainerPath());
  return keyboard_.Activate(cell);
}

void Interaction::Select(board::CellIndex cell) {
  if (!attached_) return;
  const Before before = Now();
  keyboard_.MoveTo(cell);
  if (before.focus) return Follow(before);
  ContainerLink::Hold hold(control_.ContainerPath());
  view_.TakeFocus();  // the focus arriving reports the new cursor
}

void Interaction::Attach() {
  attached_ = true;
  control_.Moves().Attach(view_, *this);
  control_.Slides().Attach(&view_);
  control_.Promotion().Attach(&view_);
}

void Interaction::Detach() {
  attached_ = false;
  control_.Moves().Detach();
  control_.Slides().Attach(nullptr);
  control_.Promotion().Attach(nullptr);
  mouse_.Detach();
  keyboard_.SetFocused(false);
  announcer_.Reset();
}

void Interaction::ChoiceItemFocused(size_t item) {
  if (!attached_) return;
  announcer_.ChoiceItemFocused(item);
  Tell();
}

// The keyboard comes back to the pawn's square, and a reader hears it arrive there.
void Interaction::ChoiceClosed(board::CellIndex cell) {
  const Before before{CueCell(), {}};
  keyboard_.MoveTo(cell);
  Follow(before);
}

void Interaction::EnabledChanged() {
  if (!control_.Enabled()) mouse_.Cancel();
  announcer_.EnabledChanged();
  Tell();
}

AccessibleBoard& Interaction::Accessible() {
  if (!accessible_) {
    accessible_.emplace(control_, cells_, keyboard_);
    announcer_.Follow(*accessible_);
  }
  return *accessible_;
}

}  // namespace control
