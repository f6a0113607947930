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

// Which side's pieces may be lifted by hand; numbered as the automation enumeration SideNum.
enum SideNum : int32_t { sdNone = 0, sdCream = 1, sdRed = 2, sdBoth = 3 };
// Error 380 outside SideNum.
SideNum SideOf(int32_t value);

// What moving pieces by hand needs of the board and its host.
class MoveHost {
 public:
  // The code the board holds for the square, None where the square shows bare.
  virtual board::PieceCode PieceAt(CellIndex cell) = 0;
  // Moves are taken only while the control is enabled and the container runs in user mode.
  virtual bool Enabled() = 0;
  virtual bool UserMode() = 0;
  // The lift began on `cell`: mark it selected. It ended: clear every selected and target
  // mark, and repaint `cell` whatever it shows now (its name lost the pick-up words).
  virtual void LiftBegan(CellIndex cell) = 0;
  virtual void LiftEnded(CellIndex cell) = 0;
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

// The keyboard cursor of the window showing the board: it goes where a dragged
// piece was put down, before the host is asked, and where a piece went back.
class CursorTarget {
 public:
  virtual void PutCursor(CellIndex cell) = 0;
  // A refused or cancelled move: the cursor goes to the piece's square and readers hear it put back there.
  virtual void PieceWentBack(CellIndex cell) = 0;

 protected:
  ~CursorTarget() = default;
};

// Moving pieces by hand: drag, click then click, and Space or Enter as a click.
// Nothing is picked up or asked unless AllowMoves, Enabled and UserMode all hold.
// All squares are board cells: the caller's hit test maps drawn squares to
// board squares, so a flipped view needs nothing here.
//
// A lift holds one piece from PieceLift to its end. It begins on a left press
// on a piece of a side that may move (after MouseDown), or on a Click from the
// keyboard there, once the host's PieceLift left it uncancelled; the host marks
// destinations meanwhile. It ends, its marks cleared, on a drop (before
// PieceDrop is asked), on a second click on its square, on Escape, on a release
// on its square after a drag or off the board, on a lost capture, focus or
// activation, on disabling or AllowMoves False, and on a write to its square.
// A press that lifts nothing is an ordinary press; with a piece held, its click
// asks to move the held piece there. A press on another piece that may move
// ends the lift and begins the next.
//
// A press goes Idle -> Pressed -> Dragging (once the pointer strays beyond the
// drag distance with the held piece pressed) -> Idle on the left release. A
// second button, Escape or a write to the held square make it Spent: it lifts
// nothing more and ends in no move.
//
// Wiring: the window attaches its PieceSurface and calls Press, Move and Release
// after MouseInput's (so MouseDown, MouseMove, MouseUp and Click come first), and
// this object observes KeyboardInput's clicks (a mouse click acts at its release,
// so the second press of a double click counts too). Escape goes to Escape, a
// lost capture to CaptureLost, disabling and lost focus to Cancel, the window's
// end to Detach; the board reports each write it made.
// A square's accessible name gets PickUpWords appended.
class MoveInput final : public ClickObserver, public board::WriteListener {
 public:
  static constexpr std::string_view kPickedUpWords = ", picked up";
  static constexpr std::string_view kPutBackWords = ", put back";

  // PieceLift and PieceDrop go to `asked` directly: a handler may write into the
  // arguments, write the board, disable the control or release it.
  MoveInput(MoveHost& host, Container& asked) : host_(host), asked_(asked) {}

  bool AllowMoves() const { return allowMoves_; }
  void AllowMoves(bool allow);
  SideNum MovableSide() const { return movableSide_; }
  // A held piece of a side no longer movable is put back.
  void MovableSide(SideNum side);

  // `cell` is the board cell under the pointer, 0 off the board; positions are device pixels.
  void Press(MouseButton button, CellIndex cell, PointerPosition at);
  void Move(PointerPosition at);
  // `buttonsHeld` are the buttons still down after this release, as MouseInput takes them.
  void Release(MouseButton button, int16_t buttonsHeld, CellIndex cell);
  void Clicked(CellIndex cell) override;

  // The square's size changed (the board was resized, or its window's DPI):
  // a piece in hand takes the new size, round the pointer.
  void SquareChanged();
  // True when it put something back, so an Escape with nothing picked up can go to the dialog.
  bool Escape();
  void CaptureLost();
  // Disabled, deactivated, focus lost: put back and end the lift.
  void Cancel();
  // The window shows the board from now on.
  void Attach(PieceSurface& surface, CursorTarget& cursor) { surface_ = &surface, cursor_ = &cursor; }
  // The window is gone: forget everything, asking nothing, and move nothing a pending PieceDrop asked about.
  void Detach();

  // A picked-up piece written over is put back, and a PieceDrop whose squares the handler wrote moves nothing.
  void SquareWritten(CellIndex cell) override;
  void BoardWritten() override;

  // For the view and the screen reader: the held square, and the square whose piece is being dragged.
  CellIndex Selected() const { return held_.cell; }
  CellIndex Lifted() const { return press_.state == PressState::Dragging ? press_.cell : CellIndex{}; }
  // A piece is held, so Escape belongs to the board.
  bool HoldsPiece() const { return bool(held_.cell); }
  std::optional<FloatingPiece> Floating() const;
  // Appended to a square's name: ", picked up" for the lifted or selected square,
  // ", put back" where a refused or cancelled move left its piece, until ForgetPutBack.
  std::string_view PickUpWords(CellIndex cell) const;
  void ForgetPutBack() { putBack_ = {}; }

 private:
  // Spent: this press lifts nothing more, and its Click is not a move.
  enum class PressState : uint8_t { Idle, Pressed, Dragging, Spent };
  struct Holding {
    CellIndex cell;
    board::PieceCode code;
  };
  struct PressRecord {
    PressState state = PressState::Idle;
    CellIndex cell;
    PointerPosition at;
    PixelRect picture{};
    // Pressed on the piece held before the press: its click ends the lift.
    bool onHeld = false;
    // The piece a click on this square asks to move here, held when the press came.
    Holding mover;
  };
  // Set while PieceDrop or PieceLift is raised: any write during a lift's question, or to either
  // square during a drop's, leaves the board as the handler made it.
  struct Question {
    CellIndex from, to;
    bool lift = false;
    bool written = false;
  };

  bool Accepting();
  bool Movable(board::PieceCode code) const;
  bool Lifts(board::PieceCode code, Holding before) const;
  // The held piece, or none once its square shows something else (the lift then ends).
  Holding StillHolding();
  // Asks the host and, left uncancelled, holds the piece; false when nothing was lifted.
  bool Lift(CellIndex cell);
  void EndLift();
  void ClickAt(CellIndex cell, Holding mover, bool onHeld);
  bool BeyondDragDistance(PointerPosition at);
  void StartDrag(PointerPosition at);
  void Follow(PointerPosition at);
  void PutBack(PressState after);
  // Ends the lift, then asks the host whether `mover` goes to `to`; an agreed move slides there when `slide`.
  void Drop(Holding mover, CellIndex to, bool slide);
  // Whether a question's answer may be acted on.
  // Overtaken: the handler wrote the board or the window went, and its own state stands.
  enum class Answer : uint8_t { Agreed, Refused, Overtaken };
  // A question open while its event is raised. The caller raises the event
  // itself, so the host's handler runs no deeper than the caller.
  class Asking {
   public:
    Asking(MoveInput& input, Question question);
    ~Asking() { input_.asking_.reset(); }
    Asking(const Asking&) = delete;
    Asking& operator=(const Asking&) = delete;
    // Closes the question. A control its host let go of, before or while asking, only waits for the input's end.
    Answer Given(bool asked, bool cancelled);

   private:
    MoveInput& input_;
    unsigned detachmentsBefore_;
  };
  void WentBack(CellIndex cell);
  PixelRect PictureAt(PointerPosition at);

  // No window shows the board: nothing to repaint, no cursor.
  struct Unseen final : PieceSurface, CursorTarget {
    DragMetrics Metrics() override { return {}; }
    void RepaintRect(PixelRect) override {}
    void PutCursor(CellIndex) override {}
    void PieceWentBack(CellIndex) override {}
  };
  static inline Unseen unseen_;

  MoveHost& host_;
  Container& asked_;
  PieceSurface* surface_ = &unseen_;
  CursorTarget* cursor_ = &unseen_;
  bool allowMoves_ = true;
  SideNum movableSide_ = sdBoth;
  PressRecord press_;
  Holding held_;
  CellIndex putBack_;
  // Nothing is picked up while the host is asked.
  std::optional<Question> asking_;
  unsigned detachments_ = 0;
  // Counts what ends a lift from outside (Escape, Cancel), so one coming while PieceLift is asked lifts nothing.
  unsigned interruptions_ = 0;
};
}  // namespace control
