#include "control/ovl_board.h"

#include "board/automation_error.h"
#include "board/fen.h"
#include "control/saved_properties.h"

namespace control {

void OvlBoard::UserControl_ReadProperties(PropertyBag& PropBag) {
  OvlChess::UserControl_ReadProperties(PropBag);
  view_.SetFlipped(ToBoolean(ReadSaved(PropBag, kSavedFlipped)));
  view_.SetShowCoordinates(ToBoolean(ReadSaved(PropBag, kSavedShowCoordinates)));
  moves_.AllowMoves(ToBoolean(ReadSaved(PropBag, kSavedAllowMoves)));
  slides_.SetAnimationTime(ToInteger(ReadSaved(PropBag, kSavedAnimationTime)));
  PlaceCells();
}

void OvlBoard::UserControl_WriteProperties(PropertyBag& PropBag) {
  OvlChess::UserControl_WriteProperties(PropBag);
  WriteSaved(PropBag, kSavedFlipped, view_.Flipped());
  WriteSaved(PropBag, kSavedShowCoordinates, view_.ShowCoordinates());
  WriteSaved(PropBag, kSavedAllowMoves, moves_.AllowMoves());
  WriteSaved(PropBag, kSavedAnimationTime, static_cast<int16_t>(slides_.AnimationTime()));
}

std::string OvlBoard::Position() { return board::WritePlacement(Placement()); }

void OvlBoard::Position(std::wstring_view New_Position) {
  if (!container_.UserMode()) throw board::NotAtDesignTimeError();
  const board::Placement codes = board::ReadPlacement(New_Position);
  const board::Placement before = Placement();
  board_.SetPlacement(codes);
  platform_.Repaint();
  slides_.Slide(before, codes);
  container_.PropertyChanged("Position");
}

void OvlBoard::MovePiece(int16_t fromCol, int16_t fromRow, int16_t toCol, int16_t toRow) {
  const board::Col fc(fromCol), tc(toCol);
  const board::Row fr(fromRow), tr(toRow);
  if (!board::IsOnBoard(fc, fr) || !board::IsOnBoard(tc, tr)) throw board::InvalidPropertyArrayIndexError();
  const CellIndex from = board::SquareIndex(fc, fr), to = board::SquareIndex(tc, tr);
  const board::PieceCode piece = board_.Board.Read(from.value);
  if (from == to || !board::IsPiece(piece))
    throw board::InvalidArgumentError(from == to ? "A piece cannot move to its own square" : "The square is empty");
  OvlChess::MovePiece(from, to, true);
}

void OvlBoard::AnimationTime(int32_t New_AnimationTime) {
  slides_.SetAnimationTime(New_AnimationTime);
  container_.PropertyChanged("AnimationTime");
}

void OvlBoard::Flipped(bool New_Flipped) {
  // Both ride on the drawn squares: they end before the board turns.
  slides_.End();
  promotion_.Dismiss();
  view_.SetFlipped(New_Flipped);
  PlaceCells();
  container_.PropertyChanged("Flipped");
}

void OvlBoard::PlaceCells() {
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell) {
    const CellPlacement at = view_.Placement(cell);
    if (platform_.CellLeft(cell) == at.left && platform_.CellTop(cell) == at.top) continue;
    platform_.SetCellLeft(cell, at.left);
    platform_.SetCellTop(cell, at.top);
  }
  platform_.RepaintView();
}

void OvlBoard::ShowCoordinates(bool New_ShowCoordinates) {
  if (New_ShowCoordinates != view_.ShowCoordinates()) {
    view_.SetShowCoordinates(New_ShowCoordinates);
    for (CellIndex cell : view_.LabelledCells()) platform_.RefreshCell(cell);
  }
  container_.PropertyChanged("ShowCoordinates");
}

int32_t OvlBoard::Mark(int16_t col, int16_t row) { return view_.Mark(col, row); }

void OvlBoard::Mark(int16_t col, int16_t row, int32_t New_Mark) {
  if (view_.SetMark(col, row, New_Mark)) platform_.RefreshCell(board::SquareIndex(board::Col(col), board::Row(row)));
}

void OvlBoard::ClearMarks() {
  for (CellIndex cell : view_.ClearMarks()) platform_.RefreshCell(cell);
}

void OvlBoard::DrawArrow(int16_t fromCol, int16_t fromRow, int16_t toCol, int16_t toRow) {
  const size_t before = view_.Arrows().size();
  view_.DrawArrow(fromCol, fromRow, toCol, toRow);
  if (view_.Arrows().size() != before) ArrowsChanged();
}

void OvlBoard::ClearArrows() {
  if (view_.ClearArrows()) ArrowsChanged();
}

void OvlBoard::ArrowsChanged() {
  platform_.RepaintView();
  observer_->DescriptionChanged();
}

void OvlBoard::AllowMoves(bool New_AllowMoves) {
  moves_.AllowMoves(New_AllowMoves);
  container_.PropertyChanged("AllowMoves");
}

}  // namespace control
