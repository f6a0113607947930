#pragma once

#include <cstdint>
#include <string_view>
#include <variant>

#include "board/board_platform.h"

namespace control {

// The control's events, numbered as its event interface numbers them.
enum class ControlEvent : int32_t {
  Click = 1,
  DblClick = 2,
  MouseDown = 3,
  MouseMove = 4,
  MouseUp = 5,
  PieceDrop = 6,  // a move by hand, which OvlChess never takes
  PieceLift = 7,  // a piece about to be lifted by hand
  PromotionChosen = 8,  // OvlBoard's promotion choice answered
};

// An event's arguments, passed by reference. Click and DblClick use only col and row.
// Each argument structure visits its fields in the order the event declares them.
struct EventArguments {
  int16_t col = 0;
  int16_t row = 0;
  int16_t Button = 0;
  int16_t Shift = 0;
  float X = 0;
  float Y = 0;
  template <class Visit>
  void ForEach(Visit&& visit) {
    visit(col), visit(row), visit(Button), visit(Shift), visit(X), visit(Y);
  }
};

// PieceDrop's arguments, passed by reference; the squares are board squares.
struct PieceDropArguments {
  int16_t fromCol = 0;
  int16_t fromRow = 0;
  int16_t toCol = 0;
  int16_t toRow = 0;
  bool Cancel = false;
  template <class Visit>
  void ForEach(Visit&& visit) {
    visit(fromCol), visit(fromRow), visit(toCol), visit(toRow), visit(Cancel);
  }
};

// PieceLift's arguments, passed by reference; the square is a board square.
struct PieceLiftArguments {
  int16_t col = 0;
  int16_t row = 0;
  bool Cancel = false;
  template <class Visit>
  void ForEach(Visit&& visit) {
    visit(col), visit(row), visit(Cancel);
  }
};

// PromotionChosen's arguments, passed by reference: the pawn's square and the
// piece chosen, None when the choice was dismissed.
struct PromotionArguments {
  int16_t col = 0;
  int16_t row = 0;
  int32_t Piece = 0;
  template <class Visit>
  void ForEach(Visit&& visit) {
    visit(col), visit(row), visit(Piece);
  }
};

// One event raised: which, and its arguments. The three events with arguments
// of their own are named by them, so those constructors convert implicitly.
struct EventCall {
  EventCall(ControlEvent e, EventArguments& a) : event(e), arguments(&a) {}
  EventCall(PieceDropArguments& a) : event(ControlEvent::PieceDrop), arguments(&a) {}
  EventCall(PieceLiftArguments& a) : event(ControlEvent::PieceLift), arguments(&a) {}
  EventCall(PromotionArguments& a) : event(ControlEvent::PromotionChosen), arguments(&a) {}

  ControlEvent event;
  std::variant<EventArguments*, PieceDropArguments*, PieceLiftArguments*, PromotionArguments*> arguments;
};

// What the control needs of the container that holds it. The control reaches
// its container only through this, one way down; nothing passes through the
// platform that draws it.
class Container {
 public:
  // Synchronous: returns after the host's handlers. They may write into the
  // arguments (PieceDrop's and PieceLift's Cancel), call back into the control,
  // or release it. False when the host cannot be asked (its events are frozen,
  // or the class has no such event): a move or lift nobody agreed to is refused.
  virtual bool Raise(EventCall call) = 0;
  virtual void PropertyChanged(std::string_view name) = 0;
  // The container's UserMode ambient: false at design time. Reading it may
  // call back into the control.
  virtual bool AmbientUserMode() = 0;
  // Input may make a host release the control; the control is held meanwhile.
  virtual void HoldObject() {}
  virtual void ReleaseObject() {}
  // False once the host let go of the control and only input's hold keeps it.
  virtual bool HeldByHost() { return true; }

 protected:
  ~Container() = default;
};

// The core's one path to its container. A host's ambient may call back into the
// control and read the ambient again; such a nested read takes the mode read
// before (run mode before any), so a re-entrant container cannot recurse forever.
class ContainerLink final : public board::BoardContainer {
 public:
  explicit ContainerLink(Container& container) : container_(container) {}

  bool UserMode() override;
  void PropertyChanged(std::string_view name) override { container_.PropertyChanged(name); }
  // A control its host let go of raises nothing more: it only waits for the input's end to go.
  void Raise(EventCall call) {
    if (HeldByHost()) container_.Raise(call);
  }
  bool HeldByHost() { return container_.HeldByHost(); }

  // Holds the control for the length of one input: a host's handler may release it.
  class Hold {
   public:
    explicit Hold(ContainerLink& link) : container_(link.container_) { container_.HoldObject(); }
    ~Hold() { container_.ReleaseObject(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    Container& container_;
  };

 private:
  Container& container_;
  bool readingUserMode_ = false;
  bool lastUserMode_ = true;
};

}  // namespace control
