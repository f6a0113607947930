#pragma once

// Focus, keys from the container, and the board's accessible object.
#include <oleacc.h>
#include <olectl.h>

#include "component/control_object.h"
#include "control/ovl_board.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/com/window_context.h"

namespace component {

namespace {
constexpr wchar_t kDefaultBoardName[] = L"Chess board";
}  // namespace

template <class Core, class Face>
void ControlObject<Core, Face>::UIActivate() {
  if (uiActive_ || !inPlaceSite_) return;
  uiActive_ = true;
  inPlaceSite_->OnUIActivate();
  auto context = com::WindowContextOf(*inPlaceSite_);
  if (!context) return;
  // The frame sends its keys through TranslateAccelerator from now on.
  auto* self = static_cast<IOleInPlaceActiveObject*>(this);
  if (context->frame) context->frame->SetActiveObject(self, nullptr);
  if (context->document) context->document->SetActiveObject(self, nullptr);
  activeFrame_ = std::move(context->frame);
  activeDocument_ = std::move(context->document);
}

template <class Core, class Face>
void ControlObject<Core, Face>::FocusChanged(bool focused) noexcept {
  Guard([&] {
    if (focused) UIActivate();
    if (auto site = clientSite_.As<IOleControlSite>()) site->OnFocus(focused);
  });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::TranslateAccelerator(LPMSG message) noexcept {
  HWND window = platform_.Window();
  if (!message || !window || message->hwnd != window || message->message != WM_KEYDOWN ||
      !platform_.TakesKey(message->wParam))
    return S_FALSE;
  SendMessageW(window, message->message, message->wParam, message->lParam);
  return S_OK;
}

template <class Core, class Face>
std::wstring ControlObject<Core, Face>::AmbientDisplayName() {
  com::UniqueVariant name;
  if (ReadAmbient(DISPID_AMBIENT_DISPLAYNAME, VT_BSTR, name) && name.bstrVal && *name.bstrVal) return name.bstrVal;
  return kDefaultBoardName;
}

template <class Core, class Face>
LRESULT ControlObject<Core, Face>::AccessibleObject(WPARAM flags) noexcept {
  LRESULT result = 0;
  com::Guarded([&] {
    if (!accessible_) accessible_ = com::ComPtr<MsaaBoard>(new MsaaBoard(platform_, AmbientDisplayName()));
    result = LresultFromObject(IID_IAccessible, flags, accessible_->Unknown());
  });
  return result;
}

template <class Core, class Face>
LRESULT ControlObject<Core, Face>::PromotionListObject(WPARAM flags) noexcept {
  LRESULT result = 0;
  com::Guarded([&] {
    if (!promotionList_) promotionList_ = com::ComPtr<MsaaPromotionList>(new MsaaPromotionList(platform_));
    result = LresultFromObject(IID_IAccessible, flags, promotionList_->Unknown());
  });
  return result;
}

template <class Core, class Face>
void ControlObject<Core, Face>::DisconnectAccessible() {
  if (auto accessible = std::move(accessible_)) accessible->Disconnect();
  if (auto list = std::move(promotionList_)) list->Disconnect();
}


}  // namespace component
