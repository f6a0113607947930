#pragma once

#include "component/automation_interface.h"
#include "component/control_object.h"
#include "control/ovl_chess.h"
#include "orvel_board.h"

namespace component {

// OvlChess as a COM object: _OvlChess is the five members every face starts
// with, so the face adds nothing but its record.
class ChessFace final : public ControlObject<control::OvlChess, _OvlChess> {
 public:
  ChessFace() : ControlObject(automation::kOvlChess) {}
};

}  // namespace component
