#include "control/move_input.h"

#include <cstdlib>
#include <utility>

#include "board/automation_error.h"

namespace control {

namespace {

bool IsCream(board::PieceCode code) { return code.value >= board::Wpawn && code.value <= board::Wking; }
bool IsRed(board::PieceCode code) { return code.value >= board::Bpawn && code.value <= board::Bking; }

}  // namespace

SideNum SideOf(int32_t value) {
  if (value < sdNone || value > sdBoth) throw board::InvalidPropertyValueError("MovableSide is 0 to 3");
  return static_cast<SideNum>(value);
}

void MoveInput::AllowMoves(bool allow) {
  allowMoves_ = allow;
  if (!allow) Cancel();
}

void MoveInput::MovableSide(SideNum side) {
  movableSide_ = side;
  if (held_.cell && !Movable(held_.code)) Cancel();
}

bool MoveInput::Accepting() {
  if (asking_) return false;
  if (allowMoves_ && host_.Enabled() && host_.UserMode()) return true;
  Cancel();
  return false;
}

bool MoveInput::Movable(board::PieceCode code) const {
  if (IsCream(code)) return (movableSide_ & sdCream) != 0;
  if (IsRed(code)) return (movableSide_ & sdRed) != 0;
  return false;
}

// With a piece held, only a piece of its own side takes the selection over: an
// opponent's piece is a capture, also when both sides may move.
bool MoveInput::Lifts(board::PieceCode code, Holding before) const {
  return Movable(code) && (!before.cell || IsCream(code) == IsCream(before.code));
}

void MoveInput::Press(MouseButton button, CellIndex cell, PointerPosition at) {
  if (!Accepting()) return;
  if (press_.state != PressState::Idle) {
    // A second button ends the press, and a lift the press began or was going to end.
    if (press_.state == PressState::Dragging) PutBack(PressState::Spent);
    if (press_.cell == held_.cell) EndLift();
    press_.state = PressState::Spent;
    return;
  }
  if (button != MouseButton::Left) {
    press_.state = PressState::Spent;
    return;
  }
  if (!board::IsCell(cell)) return;
  const Holding before = StillHolding();
  press_ = PressRecord{PressState::Pressed, cell, at, {}, false, {}};
  if (cell == before.cell) {
    press_.onHeld = true;
    return;
  }
  if (Lifts(host_.PieceAt(cell), before)) {
    EndLift();
    if (Lift(cell)) return;
  }
  // Refused or not movable: an ordinary press, whose click asks to move the piece held before it.
  if (press_.state == PressState::Pressed) press_.mover = before;
}

void MoveInput::Move(PointerPosition at) {
  if (press_.state != PressState::Pressed && press_.state != PressState::Dragging) return;
  if (!Accepting()) return;
  if (press_.state == PressState::Dragging) return Follow(at);
  if (press_.cell == held_.cell && press_.cell == StillHolding().cell && BeyondDragDistance(at)) StartDrag(at);
}

void MoveInput::Release(MouseButton button, int16_t buttonsHeld, CellIndex cell) {
  if (!Accepting()) return;
  const PressRecord press = press_;
  const bool left = button == MouseButton::Left;
  if (left && press.state == PressState::Dragging) PutBack(PressState::Idle);
  if (left || buttonsHeld == 0) press_ = {};
  if (!left) return;
  if (press.state == PressState::Dragging) {
    if (!board::IsCell(cell) || cell == press.cell) return EndLift();
    cursor_->PutCursor(cell);
    return Drop(held_, cell, false);
  }
  if (press.state != PressState::Pressed) return;
  if (cell == press.cell) return ClickAt(cell, press.mover, press.onHeld);
  if (press.cell == held_.cell) EndLift();  // a lift whose press ended elsewhere without a drag
}

void MoveInput::Clicked(CellIndex cell) {
  // A mouse click acts at its release, which sees the second press of a double click too.
  if (press_.state != PressState::Idle) return;
  if (!Accepting() || !board::IsCell(cell)) return;
  const Holding before = StillHolding();
  if (cell == before.cell) return EndLift();
  if (Lifts(host_.PieceAt(cell), before)) {
    EndLift();
    if (Lift(cell)) return;
  }
  ClickAt(cell, before, false);
}

// The pointer is at the centre of the piece in hand.
void MoveInput::SquareChanged() {
  if (press_.state != PressState::Dragging) return;
  const PixelRect before = press_.picture;
  const int square = before.right - before.left;
  Follow({before.left + square / 2, before.top + square / 2});
}

void MoveInput::ClickAt(CellIndex cell, Holding mover, bool onHeld) {
  if (onHeld) return EndLift();
  if (mover.cell && mover.cell != cell) Drop(mover, cell, true);
}

bool MoveInput::Escape() {
  const CellIndex held = held_.cell;
  ++interruptions_;
  if (press_.state == PressState::Dragging) PutBack(PressState::Spent);
  if (press_.state == PressState::Pressed) press_.state = PressState::Spent;
  EndLift();
  if (held) WentBack(held);
  return bool(held);
}

void MoveInput::CaptureLost() {
  if (press_.state != PressState::Idle) Cancel();
}

void MoveInput::Cancel() {
  ++interruptions_;
  if (press_.state == PressState::Dragging) PutBack(PressState::Idle);
  press_ = {};
  EndLift();
}

void MoveInput::Detach() {
  ++detachments_;
  surface_ = &unseen_, cursor_ = &unseen_;
  const CellIndex lifted = Lifted();
  press_ = {};
  // Its squares are drawn with their pieces again when next shown.
  if (lifted) host_.PickUpChanged(lifted);
  EndLift();
}

void MoveInput::SquareWritten(CellIndex cell) {
  if (!board::IsCell(cell)) return;
  if (asking_ && (asking_->lift || cell == asking_->from || cell == asking_->to)) asking_->written = true;
  if (cell != held_.cell) return;
  if (Lifted()) PutBack(PressState::Spent);
  EndLift();
}

void MoveInput::BoardWritten() {
  if (asking_) asking_->written = true;
  if (Lifted()) PutBack(PressState::Spent);
  EndLift();
}

std::optional<FloatingPiece> MoveInput::Floating() const {
  if (press_.state != PressState::Dragging) return std::nullopt;
  return FloatingPiece{ImageOf(held_.code), press_.picture};
}

std::string_view MoveInput::PickUpWords(CellIndex cell) const {
  if (!cell) return {};
  if (cell == held_.cell) return kPickedUpWords;
  return cell == putBack_ ? kPutBackWords : std::string_view{};
}

// The host's handler meets the board as it stands; whatever it does to the
// board's state (a write, disabling, Escape, releasing the control) lifts nothing.
bool MoveInput::Lift(CellIndex cell) {
  const board::PieceCode code = host_.PieceAt(cell);
  const board::Square square = board::SquareOfIndex(cell);
  PieceLiftArguments arguments{square.col.value, square.row.value, false};
  const unsigned interruptionsBefore = interruptions_;
  Asking asking(*this, Question{cell, cell, true});
  const bool asked = asked_.HeldByHost() && asked_.Raise(arguments);
  if (asking.Given(asked, arguments.Cancel) != Answer::Agreed) return false;
  if (interruptions_ != interruptionsBefore || !Accepting() || host_.PieceAt(cell) != code) return false;
  held_ = {cell, code};
  host_.LiftBegan(cell);
  return true;
}

MoveInput::Holding MoveInput::StillHolding() {
  if (held_.cell && host_.PieceAt(held_.cell) != held_.code) EndLift();  // written without a word
  return held_;
}

void MoveInput::EndLift() {
  const CellIndex cell = held_.cell;
  if (!cell) return;
  held_ = {};
  host_.LiftEnded(cell);
}

void MoveInput::WentBack(CellIndex cell) {
  putBack_ = cell;
  cursor_->PieceWentBack(cell);
}

bool MoveInput::BeyondDragDistance(PointerPosition at) {
  const DragMetrics metrics = surface_->Metrics();
  return std::abs(at.x - press_.at.x) > metrics.dragX || std::abs(at.y - press_.at.y) > metrics.dragY;
}

PixelRect MoveInput::PictureAt(PointerPosition at) {
  const int square = surface_->Metrics().square;
  const int left = at.x - square / 2, top = at.y - square / 2;
  return {left, top, left + square, top + square};
}

void MoveInput::StartDrag(PointerPosition at) {
  press_.state = PressState::Dragging;
  press_.picture = PictureAt(at);
  host_.PickUpChanged(press_.cell);
  surface_->RepaintRect(press_.picture);
}

void MoveInput::Follow(PointerPosition at) {
  const PixelRect before = press_.picture;
  press_.picture = PictureAt(at);
  if (before == press_.picture) return;
  // One paint for where the piece was and where it is: a frame is one copy to the screen.
  surface_->RepaintRect(Union(before, press_.picture));
}

void MoveInput::PutBack(PressState after) {
  press_.state = after;
  surface_->RepaintRect(press_.picture);
  host_.PickUpChanged(press_.cell);
}

MoveInput::Asking::Asking(MoveInput& input, Question question)
    : input_(input), detachmentsBefore_(input.detachments_) {
  input.asking_ = question;
}

MoveInput::Answer MoveInput::Asking::Given(bool asked, bool cancelled) {
  const bool written = std::exchange(input_.asking_, std::nullopt)->written;
  if (input_.detachments_ != detachmentsBefore_ || written) return Answer::Overtaken;
  return asked && input_.asked_.HeldByHost() && !cancelled ? Answer::Agreed : Answer::Refused;
}

// The lift ends before the host is asked, so a handler meets the board as it
// stands, and one that takes long or pumps messages shows no floating piece.
// Afterwards the board moves the piece unless the handler cancelled, released
// the control, or wrote either square (the host's own write stands), or could not
// be asked: a move nobody agreed to is not made. A handler
// that disabled the board or turned AllowMoves off still gets the move it
// accepted: a game's last move is accepted and the board disabled in one go.
void MoveInput::Drop(Holding mover, CellIndex to, bool slide) {
  EndLift();
  const board::PieceCode target = host_.PieceAt(to);
  if (host_.PieceAt(mover.cell) != mover.code) return;
  const board::Square source = board::SquareOfIndex(mover.cell), destination = board::SquareOfIndex(to);
  PieceDropArguments arguments{source.col.value, source.row.value, destination.col.value, destination.row.value, false};
  Asking asking(*this, Question{mover.cell, to});
  const bool asked = asked_.HeldByHost() && asked_.Raise(arguments);
  switch (asking.Given(asked, arguments.Cancel)) {
    case Answer::Overtaken:
      return;
    case Answer::Refused:
      return WentBack(mover.cell);
    case Answer::Agreed:
      break;
  }
  // A handler that wrote either square without telling still has its own write kept.
  if (host_.PieceAt(mover.cell) != mover.code || host_.PieceAt(to) != target) return;
  host_.MovePiece(mover.cell, to, slide);
}
}  // namespace control
