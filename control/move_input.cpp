#include "control/move_input.h"

#include <cstdlib>

#include "board/scope_exit.h"

namespace control {

namespace {

bool SameRect(PixelRect a, PixelRect b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

void MoveInput::AllowMoves(bool allow) {
  allowMoves_ = allow;
  if (!allow) Cancel();
}

bool MoveInput::Accepting() {
  if (asking_) return false;
  if (allowMoves_ && host_.Enabled() && host_.UserMode()) return true;
  Cancel();
  return false;
}

void MoveInput::Press(MouseButton button, CellIndex cell, PointerPosition at) {
  if (!Accepting()) return;
  if (press_.state != PressState::Idle) {
    // A second button ends the drag, as it ends the Click.
    if (press_.state == PressState::Lifted) PutBack(PressState::Spent);
    press_.state = PressState::Spent;
    return;
  }
  if (button != MouseButton::Left) {
    press_.state = PressState::Spent;
    return;
  }
  if (!board::IsCell(cell)) return;
  press_ = {PressState::Pressed, cell, host_.PieceAt(cell), at};
}

void MoveInput::Move(PointerPosition at) {
  if (press_.state != PressState::Pressed && press_.state != PressState::Lifted) return;
  if (!Accepting()) return;
  if (press_.state == PressState::Lifted) return Follow(at);
  // A handler may have written the square since the press: only the piece pressed lifts.
  if (board::IsPiece(press_.code) && host_.PieceAt(press_.cell) == press_.code && BeyondDragDistance(at)) Lift(at);
}

void MoveInput::Release(MouseButton button, int16_t buttonsHeld, CellIndex cell) {
  if (!Accepting()) return;
  const PressRecord press = press_;
  const bool dropping = press.state == PressState::Lifted && button == MouseButton::Left;
  if (dropping) PutBack(PressState::Idle);
  if (button == MouseButton::Left || buttonsHeld == 0) press_ = {};
  if (!dropping) return;
  if (!board::IsCell(cell) || cell == press.cell) return;
  cursor_->PutCursor(cell);
  Drop(press.cell, press.code, cell, false);
}

void MoveInput::Clicked(CellIndex cell) {
  // A press that lifted ends in its release, which the Click comes before.
  if (press_.state == PressState::Lifted || press_.state == PressState::Spent) return;
  if (press_.state == PressState::Pressed) press_.state = PressState::Spent;
  if (!Accepting() || !board::IsCell(cell)) return;
  const Selection selected = selected_;
  const bool stillHeld = selected.cell && host_.PieceAt(selected.cell) == selected.code;
  if (selected.cell) Deselect();
  if (stillHeld) {
    if (cell != selected.cell) Drop(selected.cell, selected.code, cell, true);
    return;
  }
  const board::PieceCode code = host_.PieceAt(cell);
  if (board::IsPiece(code)) Select(cell, code);
}

bool MoveInput::Escape() {
  const bool pickedUp = HoldsPiece();
  if (Lifted()) PutBack(PressState::Spent);
  if (press_.state == PressState::Pressed) press_.state = PressState::Spent;
  Deselect();
  return pickedUp;
}

void MoveInput::CaptureLost() {
  if (press_.state == PressState::Lifted) PutBack(PressState::Idle);
  press_ = {};
}

void MoveInput::Cancel() {
  CaptureLost();
  Deselect();
}

void MoveInput::Detach() {
  ++detachments_;
  surface_ = &unseen_, cursor_ = &unseen_;
  const CellIndex lifted = Lifted(), selected = selected_.cell;
  press_ = {};
  selected_ = {};
  // Its squares are drawn with their pieces again when next shown.
  if (lifted) host_.PickUpChanged(lifted);
  if (selected) host_.PickUpChanged(selected);
}

void MoveInput::SquareWritten(CellIndex cell) {
  if (!board::IsCell(cell)) return;
  if (asking_ && (cell == asking_->from || cell == asking_->to)) asking_->written = true;
  if (cell == Lifted()) PutBack(PressState::Spent);
  if (cell == selected_.cell) Deselect();
}

void MoveInput::BoardWritten() {
  if (asking_) asking_->written = true;
  if (Lifted()) PutBack(PressState::Spent);
  Deselect();
}

std::optional<FloatingPiece> MoveInput::Floating() const {
  if (press_.state != PressState::Lifted) return std::nullopt;
  return FloatingPiece{ImageOf(press_.code), press_.picture};
}

std::string_view MoveInput::PickUpWords(CellIndex cell) const {
  return cell && (cell == Lifted() || cell == selected_.cell) ? kPickedUpWords : std::string_view{};
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

void MoveInput::Lift(PointerPosition at) {
  Deselect();
  press_.state = PressState::Lifted;
  press_.picture = PictureAt(at);
  host_.PickUpChanged(press_.cell);
  surface_->RepaintRect(press_.picture);
}

void MoveInput::Follow(PointerPosition at) {
  const PixelRect before = press_.picture;
  press_.picture = PictureAt(at);
  if (SameRect(before, press_.picture)) return;
  surface_->RepaintRect(before);
  surface_->RepaintRect(press_.picture);
}

void MoveInput::PutBack(PressState after) {
  press_.state = after;
  surface_->RepaintRect(press_.picture);
  host_.PickUpChanged(press_.cell);
}

void MoveInput::Select(CellIndex cell, board::PieceCode code) {
  selected_ = {cell, code};
  host_.PickUpChanged(cell);
}

void MoveInput::Deselect() {
  const CellIndex cell = selected_.cell;
  if (!cell) return;
  selected_ = {};
  host_.PickUpChanged(cell);
}

// The pick-up has ended before the host is asked, so a handler meets the board
// as it stands, and one that takes long or pumps messages shows no floating piece.
// Afterwards the board moves the piece unless the handler cancelled, released
// the control, or wrote either square (the host's own write stands), or could not
// be asked: a move nobody agreed to is not made. A handler
// that disabled the board or turned AllowMoves off still gets the move it
// accepted: a game's last move is accepted and the board disabled in one go.
void MoveInput::Drop(CellIndex from, board::PieceCode code, CellIndex to, bool slide) {
  const board::PieceCode target = host_.PieceAt(to);
  if (host_.PieceAt(from) != code) return;
  const board::Square source = board::SquareOfIndex(from), destination = board::SquareOfIndex(to);
  PieceDropArguments arguments{source.col.value, source.row.value, destination.col.value, destination.row.value, false};
  const unsigned detachmentsBefore = detachments_;
  asking_ = Question{from, to};
  const board::ScopeExit askedOnce([this] { asking_.reset(); });
  const bool asked = host_.RaisePieceDrop(arguments);
  if (!asked || detachments_ != detachmentsBefore || arguments.Cancel || asking_->written) return;
  // A handler that wrote either square without telling still has its own write kept.
  if (host_.PieceAt(from) != code || host_.PieceAt(to) != target) return;
  host_.MovePiece(from, to, slide);
}
}  // namespace control
