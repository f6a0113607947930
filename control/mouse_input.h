#pragma once

#include <cstdint>

#include "board/squares.h"
#include "control/click_observer.h"
#include "control/input_events.h"

namespace control {

class KeyboardInput;

enum class MouseButton : int16_t { Left = 1, Right = 2, Middle = 4 };

// A pointer position in the surface's own unit (the window's pixels).
struct PointerPosition {
  int x = 0;
  int y = 0;
};

// The pointer relative to a cell's top-left corner, in the events' unit.
struct CellOffset {
  float X = 0;
  float Y = 0;
};

// The surface the mouse acts on: where its cells are, and its mouse capture.
// The hit test and the cell rectangles live behind this, in one place per host.
class MouseSurface {
 public:
  // The cell under the pointer, or 0.
  virtual board::CellIndex CellAt(PointerPosition position) const = 0;
  virtual CellOffset OffsetIn(board::CellIndex cell, PointerPosition position) const = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  // A press gives the surface the keyboard focus, as a control with a window of its own takes it.
  virtual void TakeFocus() {}

 protected:
  ~MouseSurface() = default;
};

// The rules of mouse input over the cells, as cells that are windows of their
// own behave: the pressed cell keeps the mouse until every button is up, only a
// left press released over its own cell is a Click, and a double click's second
// press raises DblClick in place of MouseDown. A left press also puts the
// keyboard cursor on its cell, so keys and screen readers go on from where the
// player clicked. A disabled control takes no press at all: no focus, no event;
// one disabled or let go of by a handler raises nothing more for that input.
class MouseInput {
 public:
  MouseInput(InputEvents& control, MouseSurface& surface, KeyboardInput* cursor = nullptr)
      : control_(control), surface_(surface), cursor_(cursor) {}

  void Press(MouseButton button, bool doubleClick, int16_t shift, PointerPosition position);
  // `buttonsHeld` are the buttons still down after this release (1 left, 2 right, 4 middle).
  void Release(MouseButton button, int16_t buttonsHeld, int16_t shift, PointerPosition position);
  void Move(int16_t buttonsHeld, int16_t shift, PointerPosition position);

  // Another window took the mouse: the press is over, without a Click.
  void CaptureLost();
  // The control was disabled: the press is over and the capture let go.
  void Cancel();
  // The surface is gone: as Cancel, and a release whose handlers removed it raises no Click.
  void Detach();

  // Off unless set; told of each Click whose handlers left the surface in place.
  void ObserveClicks(ClickObserver* observer) { clicks_ = observer; }

 private:
  bool Accepting();
  bool StillRaising(unsigned detachmentsBefore);
  void Forget();

  InputEvents& control_;
  MouseSurface& surface_;
  KeyboardInput* cursor_;
  ClickObserver* clicks_ = nullptr;
  board::CellIndex pressedCell_;
  bool clickPending_ = false;
  // Counts detachments, so a release can tell whether its MouseUp handlers removed the surface.
  unsigned detachments_ = 0;
};

}  // namespace control
