#include "component/board_face.h"

#include <string>
#include <string_view>

#include "board/text.h"
#include "component/com/errors.h"

namespace component {

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

STDMETHODIMP BoardFace::get_MovableSide(SideNum* MovableSide) noexcept {
  if (!MovableSide) return E_POINTER;
  return Guard([&] { *MovableSide = static_cast<SideNum>(Control().MovableSide()); });
}

STDMETHODIMP BoardFace::put_MovableSide(SideNum New_MovableSide) noexcept {
  return Guard([&] { Control().MovableSide(static_cast<int32_t>(New_MovableSide)); });
}

STDMETHODIMP BoardFace::get_AnimationTime(long* AnimationTime) noexcept {
  if (!AnimationTime) return E_POINTER;
  return Guard([&] { *AnimationTime = Control().AnimationTime(); });
}

STDMETHODIMP BoardFace::put_AnimationTime(long New_AnimationTime) noexcept {
  return Guard([&] { Control().AnimationTime(New_AnimationTime); });
}

STDMETHODIMP BoardFace::MovePiece(short fromCol, short fromRow, short toCol, short toRow) noexcept {
  return Guard([&] { Control().MovePiece(fromCol, fromRow, toCol, toRow); });
}

STDMETHODIMP BoardFace::ChoosePromotion(short col, short row) noexcept {
  return Guard([&] { Control().ChoosePromotion(col, row); });
}

}  // namespace component
