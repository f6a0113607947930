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
  PlaceCells();
}

void OvlBoard::UserControl_WriteProperties(PropertyBag& PropBag) {
  OvlChess::UserControl_WriteProperties(PropBag);
  WriteSaved(PropBag, kSavedFlipped, view_.Flipped());
  WriteSaved(PropBag, kSavedShowCoordinates, view_.ShowCoordinates());
  WriteSaved(PropBag, kSavedAllowMoves, moves_.AllowMoves());
}

void OvlBoard::Enabled(bool New_Enabled) {
  if (!New_Enabled) moves_.Cancel();
  OvlChess::Enabled(New_Enabled);
}

void OvlBoard::NewGame() {
  moves_.BoardWritten();
  OvlChess::NewGame();
}

void OvlBoard::Clear() {
  moves_.BoardWritten();
  OvlChess::Clear();
}

void OvlBoard::Piece(int16_t col, int16_t row, int32_t New_Piece) {
  const board::Col c(col);
  const board::Row r(row);
  if (board::IsOnBoard(c, r)) moves_.SquareWritten(board::SquareIndex(c, r));
  OvlChess::Piece(col, row, New_Piece);
}

std::string OvlBoard::Position() {
  board::Placement codes{};
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell)
    codes[cell.value - 1] = board_.Board.Read(cell.value).value;
  return board::WritePlacement(codes);
}

void OvlBoard::Position(std::wstring_view New_Position) {
  if (!container_.UserMode()) throw board::NotAtDesignTimeError();
  const board::Placement codes = board::ReadPlacement(New_Position);
  moves_.BoardWritten();
  board_.SetPlacement(codes);
  platform_.Repaint();
  container_.PropertyChanged("Position");
}

void OvlBoard::Flipped(bool New_Flipped) {
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
  if (view_.Arrows().size() == before) return;
  platform_.RepaintView();
  DescriptionChanged();
}

void OvlBoard::ClearArrows() {
  if (!view_.ClearArrows()) return;
  platform_.RepaintView();
  DescriptionChanged();
}

void OvlBoard::AllowMoves(bool New_AllowMoves) {
  moves_.AllowMoves(New_AllowMoves);
  container_.PropertyChanged("AllowMoves");
}

void OvlBoard::AttachSurface(MoveSurface* surface) {
  surface_ = surface;
  if (surface) return;
  // Whatever was in hand is forgotten: its square is drawn with its piece again when next shown.
  const CellIndex lifted = moves_.Lifted(), selected = moves_.Selected();
  moves_.Detach();
  if (lifted) platform_.RefreshCell(lifted);
  if (selected) platform_.RefreshCell(selected);
}

std::string OvlBoard::NameWords(CellIndex cell) const {
  std::string words = MarkedName({}, view_.MarkOf(cell));
  words.append(moves_.PickUpWords(cell));
  return words;
}

void OvlBoard::DescriptionChanged() {
  if (surface_) surface_->DescriptionChanged();
}

// Clear leaves the store as it was; a piece it took off the screen cannot be picked up.
int32_t OvlBoard::PieceAt(CellIndex cell) {
  return board_.ShowsStore(cell) ? board_.Board.Read(cell.value).value : int32_t{board::None};
}

bool OvlBoard::UserMode() { return container_.UserMode(); }

DragMetrics OvlBoard::Metrics() { return surface_ ? surface_->Metrics() : DragMetrics{}; }

void OvlBoard::RaisePieceDrop(PieceDropArguments& arguments) { container_.RaisePieceDrop(arguments); }

void OvlBoard::MovePiece(CellIndex from, CellIndex to) { board_.MovePiece(from, to); }

void OvlBoard::PickUpChanged(CellIndex cell) { platform_.RefreshCell(cell); }

void OvlBoard::RepaintRect(PixelRect rect) {
  if (surface_) surface_->RepaintRect(rect);
}

void OvlBoard::PutCursor(CellIndex cell) {
  if (surface_) surface_->PutCursor(cell);
}

}  // namespace control
