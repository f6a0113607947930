#include "control/interaction.h"

#include <utility>

namespace control {

// Ended explicitly where readers are to hear the action at once. Left unended (an
// input that failed, a host's call heard with the rest of its operation) it only
// closes, and what it changed is heard with the next settle.
class Interaction::Action {
 public:
  explicit Action(Interaction& input) : input_(input) { ++input_.openActions_; }
  ~Action() {
    if (!ended_) --input_.openActions_;
  }
  Action(const Action&) = delete;
  Action& operator=(const Action&) = delete;
  void End() {
    ended_ = true;
    input_.EndAction();
  }

 private:
  Interaction& input_;
  bool ended_ = false;
};

Interaction::Interaction(OvlChess& control, const CellGrid& cells, BoardSurface& view)
    : control_(control), cells_(cells), view_(view), keyboard_(control), mouse_(control, view, &keyboard_) {
  control_.Observe(this);
  // A mouse click reaches move input through its release.
  keyboard_.ObserveClicks(&control.Moves());
}

board::CellIndex Interaction::CueCell() const {
  return keyboard_.ShowsFocusCue() ? keyboard_.CursorCell() : board::CellIndex{};
}

void Interaction::Follow(Before before) {
  if (!attached_) return;  // a handler removed the view
  const board::CellIndex cue = CueCell();
  if (cue == before.cue) return;
  if (before.cue) view_.RepaintCell(before.cue);
  if (cue) view_.RepaintCell(cue);
}

void Interaction::Tell() {
  std::vector<Announcement> announcements = announcer_.Take();
  if (!announcements.empty()) view_.Announce(announcements);
}

void Interaction::Changed() {
  if (openActions_ == 0 && announcer_.Changed()) view_.ScheduleSettle();
}

// While the promotion choice shows, it has the keyboard, not a square.
void Interaction::Settle() {
  const PromotionPrompt& promotion = control_.Promotion();
  if (promotion.Showing())
    announcer_.Settle({}, promotion.Choice().Highlighted());
  else
    announcer_.Settle(keyboard_.FocusedCell());
  Tell();
}

void Interaction::EndAction() {
  if (--openActions_ == 0) Settle();
}

void Interaction::ForgetPutBack() { control_.Moves().ForgetPutBack(); }

// The choice swallows every key while it shows.
bool Interaction::ChoiceKey(const KeyStroke& stroke) {
  Action action(*this);
  ContainerLink::Hold hold(control_.ContainerPath());
  if (stroke.escape)
    control_.Promotion().Dismiss();
  else if (stroke.key && !(stroke.repeated && (*stroke.key == BoardKey::Space || *stroke.key == BoardKey::Enter)))
    control_.Promotion().Key(*stroke.key);
  action.End();
  return stroke.escape || stroke.key || JumpOf(stroke);
}

bool Interaction::Key(const KeyStroke& stroke) {
  if (control_.Promotion().Showing()) return ChoiceKey(stroke);
  if (stroke.escape) {
    if (!TakesEscape(stroke, HoldsPiece())) return false;
    Action action(*this);
    ContainerLink::Hold hold(control_.ContainerPath());
    const bool taken = control_.Moves().Escape();
    action.End();
    return taken;
  }
  const std::optional<char> jump = JumpOf(stroke);
  if (!stroke.key && !jump) return false;
  // A held Space or Enter clicks once, as a button does; held arrows keep moving.
  if (stroke.repeated && (stroke.key == BoardKey::Space || stroke.key == BoardKey::Enter)) return true;
  Action action(*this);
  ForgetPutBack();
  ContainerLink::Hold hold(control_.ContainerPath());
  const Before before = Now();
  const bool taken = stroke.key ? keyboard_.Press(control_.View().KeyOnBoard(*stroke.key))
                                 : keyboard_.Jump(*jump);
  Follow(before);
  action.End();
  return taken;
}

void Interaction::MousePress(MouseButton button, bool doubleClick, int16_t shift, PointerPosition position) {
  ContainerLink::Hold hold(control_.ContainerPath());
  if (!mouseAction_) {
    mouseAction_ = true;
    ++openActions_;
    ForgetPutBack();
  }
  if (control_.Promotion().Showing()) {
    choiceHasPress_ = button == MouseButton::Left;
    return choiceHasPress_ ? control_.Promotion().Press(position.x, position.y) : control_.Promotion().Dismiss();
  }
  const Before before = Now();
  // The square pressed is the one under the pointer now: a MouseDown handler may flip the board.
  const board::CellIndex pressed = view_.CellAt(position);
  mouse_.Press(button, doubleClick, shift, position);
  // A press that brought the focus was followed by it; one on the focused board moves its cue.
  if (before.focus) Follow(before);
  if (attached_) control_.Moves().Press(button, pressed, position);
}

void Interaction::MouseRelease(MouseButton button, int16_t buttonsHeld, int16_t shift, PointerPosition position) {
  ContainerLink::Hold hold(control_.ContainerPath());
  if (!mouseAction_) mouseAction_ = true, ++openActions_;
  if (std::exchange(choiceHasPress_, false)) {
    control_.Promotion().Release(position.x, position.y);
  } else if (!control_.Promotion().Showing()) {
    mouse_.Release(button, buttonsHeld, shift, position);
    if (attached_) control_.Moves().Release(button, buttonsHeld, view_.CellAt(position));
  }
  if (buttonsHeld == 0) EndMouseAction();
}

void Interaction::EndMouseAction() {
  if (!mouseAction_) return;
  mouseAction_ = false;
  EndAction();
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
  EndMouseAction();
}

bool Interaction::HoldsPiece() const { return control_.Moves().HoldsPiece() || control_.Promotion().Showing(); }

void Interaction::PutCursor(board::CellIndex cell) {
  const Before before = Now();
  keyboard_.MoveTo(cell);
  Follow(before);
}

void Interaction::PieceWentBack(board::CellIndex cell) {
  PutCursor(cell);
  announcer_.Retell();
  Changed();
}

void Interaction::DescriptionChanged() {
  if (attached_) Changed();
}

void Interaction::FocusChanged(bool focused, bool byKeyboard) {
  Action action(*this);
  if (!focused) {
    ContainerLink::Hold hold(control_.ContainerPath());
    control_.Promotion().Dismiss();
  }
  const Before before = Now();
  keyboard_.SetFocused(focused, focused && byKeyboard);
  if (!focused) control_.Moves().Cancel();
  Follow(before);
  action.End();
}

void Interaction::CuesChanged(bool shown) {
  const Before before = Now();
  keyboard_.SetCuesShown(shown);
  Follow(before);
}

bool Interaction::Activate(board::CellIndex cell) {
  Action action(*this);
  ForgetPutBack();
  ContainerLink::Hold hold(control_.ContainerPath());
  const bool clicked = keyboard_.Activate(cell);
  action.End();
  return clicked;
}

void Interaction::ChooseItem(size_t item) {
  Action action(*this);
  ContainerLink::Hold hold(control_.ContainerPath());
  control_.Promotion().ChooseItem(item);
  action.End();
}

// A host's or reader's call: heard with the rest of the operation it belongs to,
// so a host that moves the cursor to the opponent's move and then marks it is heard once.
void Interaction::Select(board::CellIndex cell) {
  if (!attached_) return;
  {
    Action inOperation(*this);
    const Before before = Now();
    keyboard_.MoveTo(cell);
    if (before.focus) {
      Follow(before);
    } else {
      ContainerLink::Hold hold(control_.ContainerPath());
      view_.TakeFocus();  // the focus arriving is heard with the new cursor
    }
  }
  Changed();
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
  if (mouseAction_) mouseAction_ = false, --openActions_;
  announcer_.Reset();
}

void Interaction::ChoiceItemFocused(size_t) {
  if (!attached_) return;
  announcer_.ChoiceItemFocused();
  Changed();
}

// The keyboard comes back to the pawn's square; a reader hears it arrive there
// at the settle, the choice having had the focus till then.
void Interaction::ChoiceClosed(board::CellIndex cell) {
  PutCursor(cell);
  Changed();
}

void Interaction::EnabledChanged() {
  if (!control_.Enabled()) mouse_.Cancel();
  Changed();
}

AccessibleBoard& Interaction::Accessible() {
  if (!accessible_) {
    accessible_.emplace(control_, cells_, keyboard_);
    announcer_.Follow(*accessible_);
  }
  return *accessible_;
}

}  // namespace control
