#pragma once

#include <cstdint>
#include <span>

#include "board/board_platform.h"
#include "control/board_view.h"
#include "control/container.h"
#include "control/piece_animation.h"

namespace control {

// Everything the control asks of its hosting platform: the board's operations
// plus the control's own size, enabled state, repaint and the cells' creation
// and placement. The container is not reached through it (Container).
// Operations may throw board::AutomationError.
class Platform : public board::BoardPlatform {
 public:
  // A size request, in the unit of the cells' positions (pixels).
  virtual void SetWidth(float width) = 0;
  virtual void SetHeight(float height) = 0;

  // While disabled, neither the control nor a cell receives mouse input.
  virtual bool Enabled() = 0;
  virtual void SetEnabled(bool enabled) = 0;

  virtual void Repaint() = 0;
  // Where sliding pieces take their time from.
  virtual const Clock& Time() = 0;
  // What is drawn over the cells changed (OvlBoard's arrows): compose all of it again and repaint.
  virtual void RepaintView() { Repaint(); }
  // Arrows of `view` were drawn or cleared: compose again and repaint what they cover.
  virtual void RepaintArrows(const BoardView&, std::span<const BoardArrow>) { RepaintView(); }

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
