#pragma once

#include <cstdint>

#include "board/board_platform.h"

namespace control {

// The control's events, numbered as its event interface numbers them.
enum class ControlEvent : int32_t { Click = 1, DblClick = 2, MouseDown = 3, MouseMove = 4, MouseUp = 5 };

// An event's arguments, passed by reference. Click and DblClick use only col and row.
struct EventArguments {
  int16_t col = 0;
  int16_t row = 0;
  int16_t Button = 0;
  int16_t Shift = 0;
  float X = 0;
  float Y = 0;
};

// Everything the control asks of its hosting platform: the board's operations
// plus the control's own size, enabled state, repaint, events and the cells'
// creation and placement. Operations may throw board::AutomationError.
class Platform : public board::BoardPlatform {
 public:
  // A size request, in the unit of the cells' positions (pixels).
  virtual void SetWidth(float width) = 0;
  virtual void SetHeight(float height) = 0;

  // While disabled, neither the control nor a cell receives mouse input.
  virtual bool Enabled() = 0;
  virtual void SetEnabled(bool enabled) = 0;

  virtual void Repaint() = 0;

  // Synchronous: returns after the host's handlers. They may write into the
  // arguments, call back into the control, or release it.
  virtual void RaiseEvent(ControlEvent event, EventArguments& arguments) = 0;

  // A new cell copies the settings of cell 1 and starts hidden.
  virtual void CreateCell(board::CellIndex cell) = 0;
  virtual void SetCellVisible(board::CellIndex cell, bool visible) = 0;
  virtual float CellLeft(board::CellIndex cell) = 0;
  virtual void SetCellLeft(board::CellIndex cell, float left) = 0;
  virtual float CellTop(board::CellIndex cell) = 0;
  virtual void SetCellTop(board::CellIndex cell, float top) = 0;

 protected:
  ~Platform() = default;
};

}  // namespace control
