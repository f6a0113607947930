#pragma once

#include "component/automation_interface.h"
#include "component/control_object.h"
#include "control/ovl_board.h"
#include "orvel_board.h"

namespace component {

// OvlBoard as a COM object: _OvlBoard's members beyond the five every face
// starts with, each a call of the core's. A plain property's pair is written
// here in two lines; the rest in board_face.cpp.
class BoardFace final : public ControlObject<control::OvlBoard, _OvlBoard> {
  using Core = control::OvlBoard;

 public:
  BoardFace() : ControlObject(automation::kOvlBoard) {}

  STDMETHODIMP get_Position(BSTR* Position) noexcept override;
  STDMETHODIMP put_Position(BSTR New_Position) noexcept override;
  STDMETHODIMP get_Flipped(VARIANT_BOOL* Flipped) noexcept override {
    return GetBoolean(Flipped, [](Core& board) { return board.Flipped(); });
  }
  STDMETHODIMP put_Flipped(VARIANT_BOOL New_Flipped) noexcept override {
    return PutBoolean(New_Flipped, [](Core& board, bool value) { board.Flipped(value); });
  }
  STDMETHODIMP get_ShowCoordinates(VARIANT_BOOL* ShowCoordinates) noexcept override {
    return GetBoolean(ShowCoordinates, [](Core& board) { return board.ShowCoordinates(); });
  }
  STDMETHODIMP put_ShowCoordinates(VARIANT_BOOL New_ShowCoordinates) noexcept override {
    return PutBoolean(New_ShowCoordinates, [](Core& board, bool value) { board.ShowCoordinates(value); });
  }
  STDMETHODIMP get_Mark(short* col, short* row, MarkNum* Mark) noexcept override;
  STDMETHODIMP put_Mark(short* col, short* row, MarkNum New_Mark) noexcept override;
  STDMETHODIMP ClearMarks() noexcept override;
  STDMETHODIMP DrawArrow(short fromCol, short fromRow, short toCol, short toRow) noexcept override;
  STDMETHODIMP ClearArrows() noexcept override;
  STDMETHODIMP get_AllowMoves(VARIANT_BOOL* AllowMoves) noexcept override {
    return GetBoolean(AllowMoves, [](Core& board) { return board.AllowMoves(); });
  }
  STDMETHODIMP put_AllowMoves(VARIANT_BOOL New_AllowMoves) noexcept override {
    return PutBoolean(New_AllowMoves, [](Core& board, bool value) { board.AllowMoves(value); });
  }
  STDMETHODIMP get_MovableSide(SideNum* MovableSide) noexcept override;
  STDMETHODIMP put_MovableSide(SideNum New_MovableSide) noexcept override;
  STDMETHODIMP get_AnimationTime(long* AnimationTime) noexcept override;
  STDMETHODIMP put_AnimationTime(long New_AnimationTime) noexcept override;
  STDMETHODIMP MovePiece(short fromCol, short fromRow, short toCol, short toRow) noexcept override;
  STDMETHODIMP ChoosePromotion(short col, short row) noexcept override;
};

}  // namespace component
