#include "control/mouse_input.h"

#include "control/keyboard_input.h"

namespace control {

bool MouseInput::Accepting() {
  if (control_.Enabled()) return true;
  Forget();
  return false;
}

// A handler may have disabled the control, let go of it or removed the surface:
// the rest of this input raises nothing.
bool MouseInput::StillRaising(unsigned detachmentsBefore) {
  return detachments_ == detachmentsBefore && control_.Enabled() && control_.HeldByHost();
}

void MouseInput::Forget() {
  const bool held = bool(pressedCell_);
  pressedCell_ = {};
  clickPending_ = false;
  if (held) surface_.ReleaseMouse();
}

void MouseInput::Press(MouseButton button, bool doubleClick, int16_t shift, PointerPosition position) {
  if (!Accepting()) return;
  const bool firstButton = !pressedCell_;
  const board::CellIndex cell = firstButton ? surface_.CellAt(position) : pressedCell_;
  const bool left = button == MouseButton::Left;
  // The cursor moves before the focus arrives, so the focus is reported once, on the clicked square.
  if (left && cell && cursor_) cursor_->MoveTo(cell);
  const unsigned detachmentsBefore = detachments_;
  surface_.TakeFocus();  // the host's focus handlers may remove the surface
  if (!cell || !StillRaising(detachmentsBefore)) return;
  if (firstButton) {
    pressedCell_ = cell;
    surface_.CaptureMouse();
  }
  // A second button while one is held cancels the first one's Click.
  clickPending_ = firstButton && left && !doubleClick;
  if (doubleClick && left) {
    control_.Check_DblClick(cell);
    return;
  }
  const CellOffset at = surface_.OffsetIn(cell, position);
  control_.Check_MouseDown(cell, static_cast<int16_t>(button), shift, at.X, at.Y);
}

void MouseInput::Release(MouseButton button, int16_t buttonsHeld, int16_t shift, PointerPosition position) {
  if (!Accepting()) return;
  const board::CellIndex cell = pressedCell_ ? pressedCell_ : surface_.CellAt(position);
  if (!cell) return;
  const bool click = button == MouseButton::Left && clickPending_ && surface_.CellAt(position) == cell;
  if (buttonsHeld == 0) Forget();
  const unsigned detachmentsBefore = detachments_;
  const CellOffset at = surface_.OffsetIn(cell, position);
  control_.Check_MouseUp(cell, static_cast<int16_t>(button), shift, at.X, at.Y);
  if (!click || !StillRaising(detachmentsBefore)) return;
  control_.Check_Click(cell);
  if (clicks_ && StillRaising(detachmentsBefore)) clicks_->Clicked(cell);
}

void MouseInput::Move(int16_t buttonsHeld, int16_t shift, PointerPosition position) {
  if (!Accepting()) return;
  const board::CellIndex cell = pressedCell_ ? pressedCell_ : surface_.CellAt(position);
  if (!cell) return;
  const CellOffset at = surface_.OffsetIn(cell, position);
  control_.Check_MouseMove(cell, buttonsHeld, shift, at.X, at.Y);
}

void MouseInput::CaptureLost() {
  pressedCell_ = {};
  clickPending_ = false;
}

void MouseInput::Cancel() { Forget(); }

void MouseInput::Detach() {
  ++detachments_;
  CaptureLost();
}

}  // namespace control
