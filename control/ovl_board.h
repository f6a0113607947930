#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "control/ovl_chess.h"

namespace control {

// The control for chess programs: OvlChess's board, members and events, with
// its view opened (orientation, marks, arrows, coordinates) and moves made by
// hand that ask the host through PieceDrop.
class OvlBoard : public OvlChess {
 public:
  // Its board fills the rectangle it is given.
  OvlBoard(Platform& platform, Container& container)
      : OvlChess(platform, container, BoardLayout::FillsRectangle) {
    moves_.AllowMoves(true);
    slides_.SetAnimationTime(kDefaultAnimationTime);
    SetKeyWords(kMoveKeys);
  }
  template <class Host, class = std::enable_if_t<std::is_base_of_v<Container, Host>>>
  explicit OvlBoard(Host& host) : OvlBoard(static_cast<Platform&>(host), static_cast<Container&>(host)) {}

  void UserControl_ReadProperties(PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag);

  // The whole starting position: the other 32 squares emptied, marks and arrows cleared, one repaint.
  void NewGame();
  // Off the board: error 381, as Mark; no message box.
  int32_t Piece(int16_t col, int16_t row);
  void Piece(int16_t col, int16_t row, int32_t New_Piece);

  // The placement field of FEN for what the board holds.
  std::string Position();
  // At design time error 382; malformed text error 380, nothing changed;
  // otherwise every square written as Piece writes it, one repaint, one "Position" notification.
  void Position(std::wstring_view New_Position);

  bool Flipped() { return view_.Flipped(); }
  void Flipped(bool New_Flipped);
  bool ShowCoordinates() { return view_.ShowCoordinates(); }
  void ShowCoordinates(bool New_ShowCoordinates);
  // Off the board: error 381; an unknown kind: error 380. No message box.
  int32_t Mark(int16_t col, int16_t row);
  void Mark(int16_t col, int16_t row, int32_t New_Mark);
  void ClearMarks();
  // Error 5 off the board.
  void DrawArrow(int16_t fromCol, int16_t fromRow, int16_t toCol, int16_t toRow);
  void ClearArrows();
  bool AllowMoves() { return moves_.AllowMoves(); }
  void AllowMoves(bool New_AllowMoves);
  int32_t MovableSide() { return moves_.MovableSide(); }
  // Error 380 outside SideNum.
  void MovableSide(int32_t New_MovableSide);
  int32_t AnimationTime() { return slides_.AnimationTime(); }
  // Outside 0..2000 milliseconds: error 380.
  void AnimationTime(int32_t New_AnimationTime);
  // Moves the piece as an accepted drop does, without asking PieceDrop, and slides it.
  // Off the board: error 381; an empty source or the same square: error 5.
  void MovePiece(int16_t fromCol, int16_t fromRow, int16_t toCol, int16_t toRow);
  // Shows the pieces the pawn on the square may become; the answer comes as PromotionChosen.
  // Off the board: error 381; no pawn there: error 5.
  void ChoosePromotion(int16_t col, int16_t row) { promotion_.Open(col, row); }

 private:
  static const KeyWords kMoveKeys;

  void PlaceCells();
  void ArrowsChanged(std::span<const BoardArrow> changed);
  // A user's accepted move, or the host's MovePiece, changes Position, which OvlChess does not have.
  void MovePiece(CellIndex from, CellIndex to, bool slide) override {
    OvlChess::MovePiece(from, to, slide);
    container_.PropertyChanged("Position");
  }
};

}  // namespace control
