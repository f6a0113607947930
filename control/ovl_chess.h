#pragma once

#include <cstdint>

#include <string>
#include <type_traits>

#include "board/chess_board.h"
#include "control/board_view.h"
#include "control/container.h"
#include "control/move_input.h"
#include "control/piece_animation.h"
#include "control/platform.h"
#include "control/promotion_choice.h"
#include "control/property_bag.h"

namespace control {

// Hears of the control's own changes that input and screen readers follow.
class ControlObserver {
 public:
  virtual void EnabledChanged() = 0;
  // The board's description changed (its arrows).
  virtual void DescriptionChanged() = 0;
  // The promotion choice has the keyboard and `item` is highlighted.
  virtual void ChoiceItemFocused(size_t item) = 0;
  // The choice is over: the keyboard is the board's again, its cursor on `cell`.
  virtual void ChoiceClosed(board::CellIndex cell) = 0;

 protected:
  ~ControlObserver() = default;
};

// The control: construction, the property handlers, the automation members and
// the cells' event handlers. It owns the board, its view and its move input,
// draws through Platform and reaches its container through Container; errors
// leave as board::AutomationError. Its view stays as made (upright, nothing
// marked, no arrows or coordinates) and it takes no moves: OvlBoard opens both.
class OvlChess : private MoveHost, private PromotionHost, private board::WriteListener {
 public:
  OvlChess(Platform& platform, Container& container)
      : platform_(platform), container_(container), board_(platform, container_, *this), slides_(platform.Time()) {
    moves_.AllowMoves(false);
  }
  // A host that is its own container (the in-memory one).
  template <class Host, class = std::enable_if_t<std::is_base_of_v<Container, Host>>>
  explicit OvlChess(Host& host) : OvlChess(static_cast<Platform&>(host), static_cast<Container&>(host)) {}
  OvlChess(const OvlChess&) = delete;
  OvlChess& operator=(const OvlChess&) = delete;

  void UserControl_Initialize();
  void UserControl_InitProperties();
  void UserControl_ReadProperties(PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag);

  bool Enabled() override;
  void Enabled(bool New_Enabled);
  void Refresh();
  void NewGame() { board_.NewGame(); }
  void Clear() { board_.Clear(); }
  // The host's integers become the core's types here.
  int32_t Piece(int16_t col, int16_t row) { return board_.Piece(board::Col(col), board::Row(row)).value; }
  void Piece(int16_t col, int16_t row, int32_t New_Piece) {
    board_.Piece(board::Col(col), board::Row(row), board::PieceCode(New_Piece));
  }

  void Check_Click(board::CellIndex Index);
  void Check_DblClick(board::CellIndex Index);
  void Check_MouseDown(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y);
  void Check_MouseMove(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y);
  void Check_MouseUp(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y);

  const board::BoardStore& Board() const { return board_.Board; }

  ContainerLink& ContainerPath() { return container_; }
  // Told of the control's changes from now on; `nullptr`: no longer.
  void Observe(ControlObserver* observer) { observer_ = observer ? observer : &unobserved_; }

  // Sliding pieces and the promotion choice; OvlChess's slide takes no time and it never opens a choice.
  SlidingPieces& Slides() { return slides_; }
  const SlidingPieces& Slides() const { return slides_; }
  PromotionPrompt& Promotion() { return promotion_; }
  const PromotionPrompt& Promotion() const { return promotion_; }

  const BoardView& View() const { return view_; }
  MoveInput& Moves() { return moves_; }
  const MoveInput& Moves() const { return moves_; }
  // What a screen reader hears of a square beyond its pieces: ", last move", ", picked up".
  std::string NameWords(CellIndex cell) const;
  // The board's description: "Arrows: e2 to e4." or "".
  std::string Description() const { return view_.ArrowsDescription(); }

 protected:
  void SetEnabled(bool enabled);
  // The handlers keep nothing after raising: a host's handler may release the control.
  void Raise(ControlEvent event, board::CellIndex Index, EventArguments arguments = {});
  // The codes the board holds, square 1 first.
  board::Placement Placement() const;
  // MoveHost's, also the host's MovePiece.
  void MovePiece(CellIndex from, CellIndex to, bool slide) override;

  Platform& platform_;
  ContainerLink container_;
  BoardView view_;
  MoveInput moves_{*this};
  board::ChessBoard board_;
  SlidingPieces slides_;
  PromotionPrompt promotion_{*this};
  ControlObserver* observer_ = &unobserved_;

 private:
  struct Unobserved final : ControlObserver {
    void EnabledChanged() override {}
    void DescriptionChanged() override {}
    void ChoiceItemFocused(size_t) override {}
    void ChoiceClosed(board::CellIndex) override {}
  };
  static Unobserved unobserved_;

  // MoveHost
  board::PieceCode PieceAt(CellIndex cell) override;
  bool UserMode() override { return container_.UserMode(); }
  bool RaisePieceDrop(PieceDropArguments& arguments) override { return container_.RaisePieceDrop(arguments); }
  // A lift ends a slide at once.
  void PickUpChanged(CellIndex cell) override {
    slides_.End();
    platform_.RefreshCell(cell);
  }
  // PromotionHost
  void RaisePromotionChosen(board::Square square, board::PieceCode piece) override;
  void ChoiceItemFocused(size_t item) override { observer_->ChoiceItemFocused(item); }
  void FocusReturned(CellIndex cell) override { observer_->ChoiceClosed(cell); }
  // WriteListener: a write ends a slide, dismisses a choice on its square, and is news to moves by hand.
  void SquareWritten(CellIndex cell) override;
  void BoardWritten() override;
};

}  // namespace control
