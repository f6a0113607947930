#include "control/ovl_board.h"

#include "board/automation_error.h"
#include "board/fen.h"
#include "control/saved_properties.h"

namespace control {

const OvlChess::KeyWords OvlBoard::kMoveKeys{
    "Space or Enter picks up the square's piece and puts it down on another square, and Escape puts it back.",
    " Moves are off.", ", moves off"};

void OvlBoard::UserControl_ReadProperties(PropertyBag& PropBag) {
  MemoryPropertyBag saved = CheckedSaved(PropBag, SavedClass::OvlBoard);
  OvlChess::UserControl_ReadProperties(saved);
  view_.SetFlipped(ToBoolean(ReadSaved(saved, kSavedFlipped)));
  view_.SetShowCoordinates(ToBoolean(ReadSaved(saved, kSavedShowCoordinates)));
  moves_.AllowMoves(ToBoolean(ReadSaved(saved, kSavedAllowMoves)));
  moves_.MovableSide(SideOf(ToInteger(ReadSaved(saved, kSavedMovableSide))));
  SetExtent({ToLong(ReadSaved(saved, kSavedExtentX)), ToLong(ReadSaved(saved, kSavedExtentY))});
  slides_.SetAnimationTime(ToInteger(ReadSaved(saved, kSavedAnimationTime)));
  observer_->DescriptionChanged();
  PlaceCells();
}

void OvlBoard::UserControl_WriteProperties(PropertyBag& PropBag) {
  OvlChess::UserControl_WriteProperties(PropBag);
  WriteSaved(PropBag, kSavedFlipped, view_.Flipped());
  WriteSaved(PropBag, kSavedShowCoordinates, view_.ShowCoordinates());
  WriteSaved(PropBag, kSavedAllowMoves, moves_.AllowMoves());
  WriteSaved(PropBag, kSavedMovableSide, static_cast<int16_t>(moves_.MovableSide()));
  WriteSaved(PropBag, kSavedExtentX, Extent().width);
  WriteSaved(PropBag, kSavedExtentY, Extent().height);
  WriteSaved(PropBag, kSavedAnimationTime, static_cast<int16_t>(slides_.AnimationTime()));
}

// A chess program starts each game from the start position, whatever the last one left.
void OvlBoard::NewGame() {
  board_.SetPlacement(board::StartingPlacement());
  view_.ClearMarks();
  const bool hadArrows = view_.ClearArrows();
  platform_.RepaintView();
  if (hadArrows) observer_->DescriptionChanged();
}

// A program can handle an error where a message box would stop it.
int32_t OvlBoard::Piece(int16_t col, int16_t row) {
  CheckedSquare(col, row);
  return OvlChess::Piece(col, row);
}

void OvlBoard::Piece(int16_t col, int16_t row, int32_t New_Piece) {
  CheckedSquare(col, row);
  OvlChess::Piece(col, row, New_Piece);
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
  const CellIndex from = CheckedSquare(fromCol, fromRow), to = CheckedSquare(toCol, toRow);
  const board::PieceCode piece = board_.Board.Read(from.value);
  if (from == to || !board::IsPiece(piece))
    throw board::InvalidArgumentError(from == to ? "A piece cannot move to its own square" : "The square is empty");
  MovePiece(from, to, true);
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
  if (view_.Arrows().size() != before) ArrowsChanged(view_.Arrows().last(1));
}

void OvlBoard::ClearArrows() {
  const std::vector<BoardArrow> cleared(view_.Arrows().begin(), view_.Arrows().end());
  if (view_.ClearArrows()) ArrowsChanged(cleared);
}

// Only the squares under the arrows change.
void OvlBoard::ArrowsChanged(std::span<const BoardArrow> changed) {
  platform_.RepaintArrows(view_, changed);
  observer_->DescriptionChanged();
}

void OvlBoard::AllowMoves(bool New_AllowMoves) {
  moves_.AllowMoves(New_AllowMoves);
  observer_->DescriptionChanged();
  container_.PropertyChanged("AllowMoves");
}

}  // namespace control

namespace control {

void OvlBoard::MovableSide(int32_t New_MovableSide) {
  moves_.MovableSide(SideOf(New_MovableSide));
  container_.PropertyChanged("MovableSide");
}

}  // namespace control
