#pragma once

#include <cstdint>

#include <string>
#include <string_view>
#include <type_traits>

#include "board/chess_board.h"
#include "control/board_geometry.h"
#include "control/board_view.h"
#include "control/container.h"
#include "control/extent.h"
#include "control/input_events.h"
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
  // A description changed (the board's arrows, whether moves are taken).
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
class OvlChess : public InputEvents, private MoveHost, private PromotionHost, private board::WriteListener {
 public:
  // Its squares keep to the display scale, at the top-left of whatever rectangle it is given.
  OvlChess(Platform& platform, Container& container) : OvlChess(platform, container, BoardLayout::FixedAtScale) {}
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

  bool HeldByHost() override { return container_.HeldByHost(); }
  void Check_Click(board::CellIndex Index) override;
  void Check_DblClick(board::CellIndex Index) override;
  void Check_MouseDown(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y) override;
  void Check_MouseMove(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y) override;
  void Check_MouseUp(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y) override;

  const board::BoardStore& Board() const { return board_.Board; }

  // The size the container gave the control, kept for it to ask again (and to save).
  HimetricSize Extent() const { return extent_; }
  void SetExtent(HimetricSize extent) { extent_ = extent; }
  BoardLayout Layout() const { return layout_; }
  // The container placed the control in a rectangle of device pixels at `dpi`:
  // a board that fills its rectangle takes that for its extent.
  void Placed(int width, int height, int dpi);

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
  // What a screen reader hears of a square beyond its pieces: ", picked up", ", put back".
  std::string NameWords(CellIndex cell) const { return std::string(moves_.PickUpWords(cell)); }
  // What its description adds to the square's colour: its mark (", last move"), and whether moves are off.
  std::string DescriptionWords(CellIndex cell) const;
  // Marked mkSelected: the square's selected state.
  bool Selected(CellIndex cell) const { return view_.MarkOf(cell) == mkSelected; }
  // The board's keys in one sentence, as this class takes them.
  std::string KeysHelp() const;
  // The board's description: "Arrows: e2 to e4." or "".
  std::string Description() const { return view_.ArrowsDescription(); }

 protected:
  OvlChess(Platform& platform, Container& container, BoardLayout layout)
      : platform_(platform),
        container_(container),
        moves_(*this, container),
        board_(platform, container_, *this),
        slides_(platform.Time()),
        layout_(layout) {
    moves_.AllowMoves(false);
  }
  void SetEnabled(bool enabled);
  // The handlers keep nothing after raising: a host's handler may release the control.
  void Raise(ControlEvent event, board::CellIndex Index, EventArguments arguments = {});
  // The codes the board holds, square 1 first.
  board::Placement Placement() const;
  // MoveHost's, also the host's MovePiece.
  void MovePiece(CellIndex from, CellIndex to, bool slide) override;

  // What readers are told of Space and Enter while moves are taken, and of moves
  // being off (on the board and on each square): a class's own words.
  struct KeyWords {
    std::string_view movesTaken, boardMovesOff, squareMovesOff;
  };
  static const KeyWords kClickKeys;
  void SetKeyWords(const KeyWords& words) { keys_ = words; }

  Platform& platform_;
  ContainerLink container_;
  BoardView view_;
  MoveInput moves_;
  board::ChessBoard board_;
  SlidingPieces slides_;
  PromotionPrompt promotion_{*this};
  ControlObserver* observer_ = &unobserved_;
  const BoardLayout layout_;
  HimetricSize extent_ = kDefaultExtent;
  MarkNum markUnderLift_ = mkNone;

 private:
  KeyWords keys_ = kClickKeys;

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
  // A lift ends a slide at once.
  void LiftBegan(CellIndex cell) override;
  void LiftEnded(CellIndex cell) override;
  void PickUpChanged(CellIndex cell) override { platform_.RefreshCell(cell); }
  // PromotionHost
  void RaisePromotionChosen(board::Square square, board::PieceCode piece) override;
  void ChoiceItemFocused(size_t item) override { observer_->ChoiceItemFocused(item); }
  void FocusReturned(CellIndex cell) override { observer_->ChoiceClosed(cell); }
  // WriteListener: a write ends a slide, dismisses a choice on its square, and is news to moves by hand.
  void SquareWritten(CellIndex cell) override;
  void BoardWritten() override;
};

}  // namespace control
