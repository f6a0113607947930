#include "control/ovl_chess.h"

#include <algorithm>

#include "board/squares.h"
#include "control/device_scale.h"
#include "control/picture_set.h"
#include "control/saved_properties.h"

namespace control {

namespace {
constexpr float kPitch = kPictureSize;
}  // namespace

OvlChess::Unobserved OvlChess::unobserved_;

namespace {
constexpr std::string_view kCursorKeys =
    "Arrow keys move square by square, Home and End go to the ends of the rank, Page Up and Page Down to the ends of "
    "the file, a letter from a to h jumps to that file and a digit from 1 to 8 to that rank, ";
constexpr std::string_view kSpaceClicks = "and Space or Enter clicks the square.";
}  // namespace

// OvlChess takes no moves, and says nothing of it.
const OvlChess::KeyWords OvlChess::kClickKeys{kSpaceClicks, {}, {}};

std::string OvlChess::KeysHelp() const {
  std::string sentence(kCursorKeys);
  if (moves_.AllowMoves()) return sentence.append(keys_.movesTaken);
  return sentence.append(kSpaceClicks).append(keys_.boardMovesOff);
}

void OvlChess::UserControl_Initialize() {
  platform_.SetWidth(kBoardPixels);
  platform_.SetHeight(kBoardPixels);
  board_.Board.Write(1, board::None);
  platform_.SetCellPicture(board::kFirstCell, platform_.PictureOfImage(board::BareSquareImage(board::kFirstCell)));
  for (board::CellIndex cell{2}; cell <= board::kLastCell; ++cell) {
    board_.Board.Write(cell.value, board::None);
    platform_.CreateCell(cell);
    platform_.SetCellVisible(cell, true);
    const board::CellIndex before(static_cast<int16_t>(cell.value - 1));
    const bool startsRow = cell.value % board::kBoardSize == 1;
    platform_.SetCellTop(cell, startsRow ? static_cast<float>(cell.value / board::kBoardSize) * kPitch
                                         : platform_.CellTop(before));
    if (startsRow) {
      platform_.SetCellLeft(cell, 0);
    } else {
      platform_.SetCellLeft(cell, platform_.CellLeft(before) + kPitch);
    }
    platform_.SetCellPicture(cell, platform_.PictureOfImage(board::BareSquareImage(cell)));
  }
}

void OvlChess::UserControl_InitProperties() { board_.m_Piece = 0; }

void OvlChess::UserControl_ReadProperties(PropertyBag& PropBag) {
  MemoryPropertyBag saved = CheckedSaved(PropBag, SavedClass::OvlChess);
  SetEnabled(ToBoolean(ReadSaved(saved, kSavedEnabled)));
  board_.m_Piece = ToInteger(ReadSaved(saved, kSavedPiece));
}

void OvlChess::UserControl_WriteProperties(PropertyBag& PropBag) {
  WriteSaved(PropBag, kSavedEnabled, platform_.Enabled());
  WriteSaved(PropBag, kSavedPiece, board_.m_Piece);
}

bool OvlChess::Enabled() { return platform_.Enabled(); }

void OvlChess::Enabled(bool New_Enabled) {
  SetEnabled(New_Enabled);
  container_.PropertyChanged("Enabled");
}

void OvlChess::SetEnabled(bool enabled) {
  if (!enabled) moves_.Cancel();
  platform_.SetEnabled(enabled);
  observer_->EnabledChanged();
  if (!enabled) promotion_.Dismiss();
}

std::string OvlChess::DescriptionWords(CellIndex cell) const {
  const MarkNum mark = view_.MarkOf(cell);
  std::string words = mark == mkSelected ? std::string() : MarkedName({}, mark);
  return moves_.AllowMoves() ? words : words.append(keys_.squareMovesOff);
}

// Clear leaves the store as it was; a piece it took off the screen cannot be picked up.
board::PieceCode OvlChess::PieceAt(CellIndex cell) {
  return board_.ShowsStore(cell) ? board_.Board.Read(cell.value) : board::PieceCode(board::None);
}

void OvlChess::Placed(int width, int height, int dpi) {
  if (layout_ != BoardLayout::FillsRectangle || dpi <= 0) return;
  extent_ = {HimetricOfPixels(width, dpi), HimetricOfPixels(height, dpi)};
}

void OvlChess::LiftBegan(CellIndex cell) {
  slides_.End();
  markUnderLift_ = view_.MarkOf(cell);
  view_.SetMarkOf(cell, mkSelected);
  platform_.RefreshCell(cell);
}

void OvlChess::LiftEnded(CellIndex cell) {
  const std::vector<CellIndex> cleared = view_.ClearMarks(true);
  // The host's last move or check on the lifted square outlives the lift;
  // restored before any cell is refreshed, so none is composed without it.
  if (view_.MarkOf(cell) == mkNone && (markUnderLift_ == mkLastMove || markUnderLift_ == mkCheck))
    view_.SetMarkOf(cell, markUnderLift_);
  markUnderLift_ = mkNone;
  for (CellIndex each : cleared) platform_.RefreshCell(each);
  if (std::find(cleared.begin(), cleared.end(), cell) == cleared.end()) platform_.RefreshCell(cell);
}

void OvlChess::Refresh() { platform_.Repaint(); }

board::Placement OvlChess::Placement() const {
  board::Placement codes{};
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell)
    codes[cell.value - 1] = board_.Board.Read(cell.value);
  return codes;
}

void OvlChess::MovePiece(CellIndex from, CellIndex to, bool slide) {
  const board::Placement before = Placement();
  board_.MovePiece(from, to);
  if (slide) slides_.Slide(before, Placement());
}

void OvlChess::RaisePromotionChosen(board::Square square, board::PieceCode piece) {
  PromotionArguments arguments{square.col.value, square.row.value, piece.value};
  container_.Raise(arguments);
}

void OvlChess::SquareWritten(CellIndex cell) {
  slides_.End();
  moves_.SquareWritten(cell);
  promotion_.SquareWritten(cell);
}

void OvlChess::BoardWritten() {
  slides_.End();
  moves_.BoardWritten();
  // Every square was written, the choice's among them.
  promotion_.Dismiss();
}

void OvlChess::Raise(ControlEvent event, board::CellIndex Index, EventArguments arguments) {
  const board::Square square = board::SquareOfIndex(Index);
  arguments.col = square.col.value;
  arguments.row = square.row.value;
  container_.Raise({event, arguments});
}

void OvlChess::Check_Click(board::CellIndex Index) { Raise(ControlEvent::Click, Index); }

void OvlChess::Check_DblClick(board::CellIndex Index) { Raise(ControlEvent::DblClick, Index); }

void OvlChess::Check_MouseDown(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y) {
  Raise(ControlEvent::MouseDown, Index, {0, 0, Button, Shift, X, Y});
}

void OvlChess::Check_MouseMove(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y) {
  Raise(ControlEvent::MouseMove, Index, {0, 0, Button, Shift, X, Y});
}

void OvlChess::Check_MouseUp(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y) {
  Raise(ControlEvent::MouseUp, Index, {0, 0, Button, Shift, X, Y});
}

}  // namespace control
