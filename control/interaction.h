#pragma once

#include <optional>
#include <vector>

#include "control/accessible_board.h"
#include "control/announcer.h"
#include "control/key_stroke.h"
#include "control/keyboard_input.h"
#include "control/mouse_input.h"
#include "control/ovl_chess.h"

namespace control {

// The surface the board is shown on: where its cells are (MouseSurface), what
// moving a piece by hand needs (PieceSurface), what sliding pieces and the
// promotion choice need (OverlaySurface), repainting a cell, and telling
// screen readers. A view that draws the board otherwise (flipped, say) maps
// positions and cells here and nowhere else.
class BoardSurface : public MouseSurface, public PieceSurface, public OverlaySurface {
 public:
  virtual void RepaintCell(board::CellIndex cell) = 0;
  // A host's operation changed what readers see: call Interaction::Settle once it is over
  // (when the host's message loop runs again), or at once where that cannot be arranged.
  virtual void ScheduleSettle() = 0;
  // Sends the announcements in their order; called whenever the queue filled.
  virtual void Announce(const std::vector<Announcement>& announcements) = 0;

 protected:
  ~BoardSurface() = default;
};

// Everything the user and screen readers do to a shown board, and what follows:
// events through the control, cells to repaint through the view, and what
// readers must hear in the Announcer's queue, which the view drains once each
// user action or host operation is over. A user action is a key, a mouse
// button's press to the release of the last button held, a reader's default
// action, or the focus coming or going; a host's operation lasts until the
// view settles it. The container holds the control through each input.
// Arrow keys go as the board is seen, pieces move by hand where the control
// takes moves, and readers hear pick-ups, pieces put back, marks and arrows.
// While the promotion choice shows it takes every key and press, and has the focus.
class Interaction final : private ControlObserver, private CursorTarget {
 public:
  // It follows the control's changes from here on; the control must not change after it is gone.
  Interaction(OvlChess& control, const CellGrid& cells, BoardSurface& view);
  Interaction(const Interaction&) = delete;
  Interaction& operator=(const Interaction&) = delete;

  // False for a key the board leaves to its host.
  bool Key(const KeyStroke& stroke);
  void MousePress(MouseButton button, bool doubleClick, int16_t shift, PointerPosition position);
  void MouseRelease(MouseButton button, int16_t buttonsHeld, int16_t shift, PointerPosition position);
  void MouseMove(int16_t buttonsHeld, int16_t shift, PointerPosition position);
  void CaptureLost();
  void FocusChanged(bool focused, bool byKeyboard);
  void CuesChanged(bool shown);
  // A screen reader's default action on a square: a Click, false while disabled.
  bool Activate(board::CellIndex cell);
  // A screen reader's focus selection: the cursor goes to the square and the board takes the focus.
  void Select(board::CellIndex cell);
  // A screen reader's default action on an item of the promotion choice.
  void ChooseItem(size_t item);
  // A piece is picked up (lifted or selected) or the promotion choice shows, so Escape belongs to the board.
  bool HoldsPiece() const;

  // The view is there, or gone (also while a host's handler runs).
  void Attach();
  void Detach();
  // Something readers see changed (a cell's look): told when the action or operation is over.
  void Changed();
  // The host's operation is over: readers hear what it changed.
  void Settle();

  // The reader's model, made when first asked; names are announced from then on.
  AccessibleBoard& Accessible();
  // The square that shows the focus cue, or 0.
  board::CellIndex CueCell() const;

 private:
  struct Before {
    board::CellIndex cue, focus;
  };
  Before Now() const { return {CueCell(), keyboard_.FocusedCell()}; }
  // Repaints where the cue moved.
  void Follow(Before before);
  // One action, from its input's start to its end; readers hear it when the outermost one ends.
  class Action;
  // A user action begins: a piece put back before is no news any more.
  void ForgetPutBack();
  void EndAction();
  void EndMouseAction();
  // ControlObserver
  void EnabledChanged() override;
  void DescriptionChanged() override;
  void ChoiceItemFocused(size_t item) override;
  void ChoiceClosed(board::CellIndex cell) override;
  // While the promotion choice shows it takes the keys and the mouse.
  bool ChoiceKey(const KeyStroke& stroke);
  // CursorTarget
  void PutCursor(board::CellIndex cell) override;
  void PieceWentBack(board::CellIndex cell) override;
  // Hands what was queued to the view.
  void Tell();

  OvlChess& control_;
  const CellGrid& cells_;
  BoardSurface& view_;
  KeyboardInput keyboard_;
  MouseInput mouse_;
  Announcer announcer_;
  std::optional<AccessibleBoard> accessible_;
  bool attached_ = false;
  int openActions_ = 0;
  // A mouse button is down: the action lasts until the last one is released.
  bool mouseAction_ = false;
  // The press went to the promotion choice, so its release goes there too.
  bool choiceHasPress_ = false;
};

}  // namespace control
