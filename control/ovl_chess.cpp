#include "control/ovl_chess.h"

#include "board/squares.h"
#include "control/device_scale.h"
#include "control/picture_set.h"

namespace control {

namespace {
constexpr float kPitch = kPictureSize;
}  // namespace

void OvlChess::UserControl_Initialize() {
  platform_.SetWidth(kBoardPixels);
  platform_.SetHeight(kBoardPixels);
  board_.Board.Write(1, board::None);
  platform_.SetCellPicture(1, platform_.PictureOfImage(board::BareSquareImage(1)));
  for (int16_t cell = 2; cell <= board::kSquareCount; ++cell) {
    board_.Board.Write(cell, board::None);
    platform_.CreateCell(cell);
    platform_.SetCellVisible(cell, true);
    const bool startsRow = cell % board::kBoardSize == 1;
    platform_.SetCellTop(cell, startsRow ? static_cast<float>(cell / board::kBoardSize) * kPitch
                                         : platform_.CellTop(cell - 1));
    if (startsRow) {
      platform_.SetCellLeft(cell, 0);
    } else {
      platform_.SetCellLeft(cell, platform_.CellLeft(cell - 1) + kPitch);
    }
    platform_.SetCellPicture(cell, platform_.PictureOfImage(board::BareSquareImage(cell)));
  }
}

void OvlChess::UserControl_InitProperties() { board_.m_Piece = 0; }

void OvlChess::UserControl_ReadProperties(PropertyBag& PropBag) {
  platform_.SetEnabled(ToBoolean(PropBag.ReadProperty("Enabled", true)));
  board_.m_Piece = ToInteger(PropBag.ReadProperty("Piece", int16_t{0}));
}

void OvlChess::UserControl_WriteProperties(PropertyBag& PropBag) {
  PropBag.WriteProperty("Enabled", platform_.Enabled(), true);
  PropBag.WriteProperty("Piece", board_.m_Piece, int16_t{0});
}

bool OvlChess::Enabled() { return platform_.Enabled(); }

void OvlChess::Enabled(bool New_Enabled) {
  platform_.SetEnabled(New_Enabled);
  platform_.PropertyChanged("Enabled");
}

void OvlChess::Refresh() { platform_.Repaint(); }

void OvlChess::Raise(ControlEvent event, int16_t Index, EventArguments arguments) {
  const board::Square square = board::SquareOfIndex(Index);
  arguments.col = square.col;
  arguments.row = square.row;
  platform_.RaiseEvent(event, arguments);
}

void OvlChess::Check_Click(int16_t Index) { Raise(ControlEvent::Click, Index); }

void OvlChess::Check_DblClick(int16_t Index) { Raise(ControlEvent::DblClick, Index); }

void OvlChess::Check_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X, float Y) {
  Raise(ControlEvent::MouseDown, Index, {0, 0, Button, Shift, X, Y});
}

void OvlChess::Check_MouseMove(int16_t Index, int16_t Button, int16_t Shift, float X, float Y) {
  Raise(ControlEvent::MouseMove, Index, {0, 0, Button, Shift, X, Y});
}

void OvlChess::Check_MouseUp(int16_t Index, int16_t Button, int16_t Shift, float X, float Y) {
  Raise(ControlEvent::MouseUp, Index, {0, 0, Button, Shift, X, Y});
}

}  // namespace control
