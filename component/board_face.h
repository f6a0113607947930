#pragma once

#include "component/automation_interface.h"
#include "component/control_object.h"
#include "control/ovl_board.h"
#include "orvel_board.h"

namespace component {

// OvlBoard as a COM object: _OvlBoard's members beyond the five every face
// starts with, each a call of the core's.
class BoardFace final : public ControlObject<control::OvlBoard, _OvlBoard> {
 public:
  BoardFace() : ControlObject(automation::kOvlBoard) {}

  STDMETHODIMP get_Position(BSTR* Position) noexcept override;
  STDMETHODIMP put_Position(BSTR New_Position) noexcept override;
  STDMETHODIMP get_Flipped(VARIANT_BOOL* Flipped) noexcept override;
  STDMETHODIMP put_Flipped(VARIANT_BOOL New_Flipped) noexcept override;
  STDMETHODIMP get_ShowCoordinates(VARIANT_BOOL* ShowCoordinates) noexcept override;
  STDMETHODIMP put_ShowCoordinates(VARIANT_BOOL New_ShowCoordinates) noexcept override;
  STDMETHODIMP get_Mark(short* col, short* row, MarkNum* Mark) noexcept override;
  STDMETHODIMP put_Mark(short* col, short* row, MarkNum New_Mark) noexcept override;
  STDMETHODIMP ClearMarks() noexcept override;
  STDMETHODIMP DrawArrow(short fromCol, short fromRow, short toCol, short toRow) noexcept override;
  STDMETHODIMP ClearArrows() noexcept override;
  STDMETHODIMP get_AllowMoves(VARIANT_BOOL* AllowMoves) noexcept override;
  STDMETHODIMP put_AllowMoves(VARIANT_BOOL New_AllowMoves) noexcept override;
  STDMETHODIMP get_MovableSide(SideNum* MovableSide) noexcept override;
  STDMETHODIMP put_MovableSide(SideNum New_MovableSide) noexcept override;
};

}  // namespace component
