#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "board/chess_board.h"
#include "board/squares.h"
#include "control/cell_grid.h"
#include "control/click_observer.h"
#include "control/container.h"
#include "control/mouse_input.h"

namespace control {

// Device pixels: how far the pointer may stray either side of a press before
// it drags (the system's drag distance at the window's DPI), and a square's side.
struct DragMetrics {
  int dragX = 4;
  int dragY = 4;
  int square = kPictureSize;
};

// The lifted piece as it is drawn over the board, centred on the pointer.
struct FloatingPiece {
  ImageNumber image;
  PixelRect rect;
};

// What moving pieces by hand needs of the board and its host.
class MoveHost {
 public:
  // The code the board holds for the square, None where the square shows bare.
  virtual board::PieceCode PieceAt(CellIndex cell) = 0;
  // Moves are taken only while the control is enabled and the container runs in user mode.
  virtual bool Enabled() = 0;
  virtual bool UserMode() = 0;
  // Synchronous; false when the host could not be asked (its events frozen).
  // Handlers may write into the arguments, write the board, disable the control or release it.
  virtual bool RaisePieceDrop(PieceDropArguments& arguments) = 0;
  // The accepted move, as ChessBoard::MovePiece carries it out; screen readers then
  // hear the two squares' names and the board's value change. A dragged piece is
  // already where it lands; one moved by clicks or keys slides there.
  virtual void MovePiece(CellIndex from, CellIndex to, bool slide) = 0;
  // The square was picked up or put back: repaint it, and tell screen readers its name changed.
  virtual void PickUpChanged(CellIndex cell) = 0;

 protected:
  ~MoveHost() = default;
};

// What moving pieces by hand needs of the window showing the board: the drag
// distance and square in device pixels, and repainting where the floating piece was and goes.
class PieceSurface {
 public:
  virtual DragMetrics Metrics() = 0;
  virtual void RepaintRect(PixelRect rect) = 0;

 protected:
  ~PieceSurface() = default;
};

// The keyboard cursor of the window showing the board: it goes where a dragged piece was put down.
class CursorTarget {
 public:
  virtual void PutCursor(CellIndex cell) = 0;

 protected:
  ~CursorTarget() = default;
};

// Moving pieces by hand: drag, click then click, and Space or Enter as a click.
// Every attempt asks the host through PieceDrop; left uncancelled, the board
// moves the piece itself. All squares are board cells: the caller's hit test
// maps drawn squares to board squares, so a flipped view needs nothing here.
// Nothing is picked up or asked unless AllowMoves, Enabled and UserMode all hold.
//
// A press goes Idle -> Pressed (left, on a cell) -> Lifted (on a piece, once
// the pointer strays beyond the drag distance) -> Idle on the left release,
// asking when it lands on another square; anything else puts the piece back.
// Escape, a second button or a write to the lifted square make it Spent: it
// lifts nothing more and its Click is no move. Beside it, the selection: a Click
// on a piece selects it; a Click on another square asks to move the selected
// piece there; a Click on the selected square, Escape, a write to it, disabling
// or a lift elsewhere deselect it.
//
// Wiring: the window attaches its PieceSurface and calls Press, Move and Release
// after MouseInput's (so MouseDown, MouseMove, MouseUp and Click come first), and
// this object observes MouseInput's and KeyboardInput's clicks. Escape goes to
// Escape, a lost capture to CaptureLost, disabling and deactivation to Cancel, the
// window's end to Detach; the board reports each write it made.
// A square's accessible name gets PickUpWords appended.
class MoveInput final : public ClickObserver, public board::WriteListener {
 public:
  static constexpr std::string_view kPickedUpWords = ", picked up";

  explicit MoveInput(MoveHost& host) : host_(host) {}

  bool AllowMoves() const { return allowMoves_; }
  void AllowMoves(bool allow);

  // `cell` is the board cell under the pointer, 0 off the board; positions are device pixels.
  void Press(MouseButton button, CellIndex cell, PointerPosition at);
  void Move(PointerPosition at);
  // `buttonsHeld` are the buttons still down after this release, as MouseInput takes them.
  void Release(MouseButton button, int16_t buttonsHeld, CellIndex cell);
  void Clicked(CellIndex cell) override;

  // True when it put something back, so an Escape with nothing picked up can go to the dialog.
  bool Escape();
  void CaptureLost();
  // Disabled, deactivated: put back and deselect.
  void Cancel();
  // The window shows the board from now on.
  void Attach(PieceSurface& surface, CursorTarget& cursor) { surface_ = &surface, cursor_ = &cursor; }
  // The window is gone: forget everything, asking nothing, and move nothing a pending PieceDrop asked about.
  void Detach();

  // A picked-up piece written over is put back, and a PieceDrop whose squares the handler wrote moves nothing.
  void SquareWritten(CellIndex cell) override;
  void BoardWritten() override;

  // For the view and the screen reader.
  CellIndex Selected() const { return selected_.cell; }
  CellIndex Lifted() const { return press_.state == PressState::Lifted ? press_.cell : CellIndex{}; }
  // A piece is lifted or selected, so Escape belongs to the board.
  bool HoldsPiece() const { return Lifted() || selected_.cell; }
  std::optional<FloatingPiece> Floating() const;
  // Appended to a square's name: ", picked up" for the lifted or selected square.
  std::string_view PickUpWords(CellIndex cell) const;

 private:
  // Spent: this press lifts nothing more, and its Click is not a move.
  enum class PressState : uint8_t { Idle, Pressed, Lifted, Spent };
  struct PressRecord {
    PressState state = PressState::Idle;
    CellIndex cell;
    board::PieceCode code;
    PointerPosition at;
    PixelRect picture{};
  };
  struct Selection {
    CellIndex cell;
    board::PieceCode code;
  };
  struct Question {
    CellIndex from, to;
    bool written = false;
  };

  bool Accepting();
  bool BeyondDragDistance(PointerPosition at);
  void Lift(PointerPosition at);
  void Follow(PointerPosition at);
  void PutBack(PressState after);
  void Select(CellIndex cell, board::PieceCode code);
  void Deselect();
  void Drop(CellIndex from, board::PieceCode code, CellIndex to, bool slide);
  PixelRect PictureAt(PointerPosition at);

  // No window shows the board: nothing to repaint, no cursor.
  struct Unseen final : PieceSurface, CursorTarget {
    DragMetrics Metrics() override { return {}; }
    void RepaintRect(PixelRect) override {}
    void PutCursor(CellIndex) override {}
  };
  static inline Unseen unseen_;

  MoveHost& host_;
  PieceSurface* surface_ = &unseen_;
  CursorTarget* cursor_ = &unseen_;
  bool allowMoves_ = true;
  PressRecord press_;
  Selection selected_;
  // Set while PieceDrop is raised: nothing is picked up meanwhile, and writes are noted.
  std::optional<Question> asking_;
  unsigned detachments_ = 0;
};
}  // namespace control
