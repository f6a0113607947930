#pragma once

#include <cstdint>

#include "board/chess_board.h"
#include "control/platform.h"
#include "control/property_bag.h"

namespace control {

// The control: construction, the property handlers, the automation members and
// the cells' event handlers. It owns the board and knows its host only through
// Platform; errors leave as board::AutomationError.
class OvlChess {
 public:
  explicit OvlChess(Platform& platform) : platform_(platform), board_(platform) {}

  void UserControl_Initialize();
  void UserControl_InitProperties();
  void UserControl_ReadProperties(PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag);

  bool Enabled();
  void Enabled(bool New_Enabled);
  void Refresh();
  void NewGame() { board_.NewGame(); }
  void Clear() { board_.Clear(); }
  int32_t Piece(int16_t col, int16_t row) { return board_.Piece(col, row); }
  void Piece(int16_t col, int16_t row, int32_t New_Piece) { board_.Piece(col, row, New_Piece); }

  void Check_Click(board::CellIndex Index);
  void Check_DblClick(board::CellIndex Index);
  void Check_MouseDown(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y);
  void Check_MouseMove(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y);
  void Check_MouseUp(board::CellIndex Index, int16_t Button, int16_t Shift, float X, float Y);

  const board::BoardStore& Board() const { return board_.Board; }
  int16_t m_Piece() const { return board_.m_Piece; }

 private:
  // The handlers keep nothing after raising: a host's handler may release the control.
  void Raise(ControlEvent event, board::CellIndex Index, EventArguments arguments = {});

  Platform& platform_;
  board::ChessBoard board_;
};

}  // namespace control
