#include "component/board_face.h"

#include <string>
#include <string_view>

#include "board/text.h"
#include "component/com/errors.h"

namespace component {

namespace {

VARIANT_BOOL AsVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace

STDMETHODIMP BoardFace::get_Position(BSTR* Position) noexcept {
  if (!Position) return E_POINTER;
  *Position = nullptr;
  return Guard([&] {
    const std::wstring text = board::Wide(Control().Position());
    *Position = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *Position ? S_OK : E_OUTOFMEMORY;
  });
}

// A null BSTR is the empty text, as automation has it.
STDMETHODIMP BoardFace::put_Position(BSTR New_Position) noexcept {
  return Guard([&] { Control().Position(std::wstring_view(New_Position, SysStringLen(New_Position))); });
}

STDMETHODIMP BoardFace::get_Flipped(VARIANT_BOOL* Flipped) noexcept {
  if (!Flipped) return E_POINTER;
  return Guard([&] { *Flipped = AsVariantBool(Control().Flipped()); });
}

STDMETHODIMP BoardFace::put_Flipped(VARIANT_BOOL New_Flipped) noexcept {
  return Guard([&] { Control().Flipped(New_Flipped != VARIANT_FALSE); });
}

STDMETHODIMP BoardFace::get_ShowCoordinates(VARIANT_BOOL* ShowCoordinates) noexcept {
  if (!ShowCoordinates) return E_POINTER;
  return Guard([&] { *ShowCoordinates = AsVariantBool(Control().ShowCoordinates()); });
}

STDMETHODIMP BoardFace::put_ShowCoordinates(VARIANT_BOOL New_ShowCoordinates) noexcept {
  return Guard([&] { Control().ShowCoordinates(New_ShowCoordinates != VARIANT_FALSE); });
}

STDMETHODIMP BoardFace::get_Mark(short* col, short* row, MarkNum* Mark) noexcept {
  if (!col || !row || !Mark) return E_POINTER;
  return Guard([&] { *Mark = static_cast<MarkNum>(Control().Mark(*col, *row)); });
}

STDMETHODIMP BoardFace::put_Mark(short* col, short* row, MarkNum New_Mark) noexcept {
  if (!col || !row) return E_POINTER;
  return Guard([&] { Control().Mark(*col, *row, static_cast<int32_t>(New_Mark)); });
}

STDMETHODIMP BoardFace::ClearMarks() noexcept {
  return Guard([&] { Control().ClearMarks(); });
}

STDMETHODIMP BoardFace::DrawArrow(short fromCol, short fromRow, short toCol, short toRow) noexcept {
  return Guard([&] { Control().DrawArrow(fromCol, fromRow, toCol, toRow); });
}

STDMETHODIMP BoardFace::ClearArrows() noexcept {
  return Guard([&] { Control().ClearArrows(); });
}

STDMETHODIMP BoardFace::get_AllowMoves(VARIANT_BOOL* AllowMoves) noexcept {
  if (!AllowMoves) return E_POINTER;
  return Guard([&] { *AllowMoves = AsVariantBool(Control().AllowMoves()); });
}

STDMETHODIMP BoardFace::put_AllowMoves(VARIANT_BOOL New_AllowMoves) noexcept {
  return Guard([&] { Control().AllowMoves(New_AllowMoves != VARIANT_FALSE); });
}

STDMETHODIMP BoardFace::get_MovableSide(SideNum* MovableSide) noexcept {
  if (!MovableSide) return E_POINTER;
  return Guard([&] { *MovableSide = static_cast<SideNum>(Control().MovableSide()); });
}

STDMETHODIMP BoardFace::put_MovableSide(SideNum New_MovableSide) noexcept {
  return Guard([&] { Control().MovableSide(static_cast<int32_t>(New_MovableSide)); });
}

}  // namespace component
