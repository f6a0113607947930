#include "component/msaa_promotion_list.h"

#include "board/text.h"
#include "component/com/errors.h"
#include "component/variant_conversion.h"

namespace component {

namespace {

constexpr long kItems = static_cast<long>(control::PromotionChoice::kItemCount);

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, long child) {
  out->vt = VT_I4;
  out->lVal = child;
}

// The item's child id: items are 1..4, the list itself 0.
long ChildOf(size_t item) { return static_cast<long>(item) + 1; }

// Where navigation from `item` (0 for the list) leads, or 0 for nowhere.
long Navigated(long item, long navigation) {
  switch (navigation) {
    case NAVDIR_FIRSTCHILD: return item == 0 ? 1 : 0;
    case NAVDIR_LASTCHILD: return item == 0 ? kItems : 0;
    case NAVDIR_NEXT:
    case NAVDIR_DOWN: return item > 0 && item < kItems ? item + 1 : 0;
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP: return item > 1 ? item - 1 : 0;
    default: return 0;
  }
}

}  // namespace

void MsaaPromotionList::Disconnect() noexcept {
  window_ = nullptr;
  CoDisconnectObject(Unknown(), 0);
}

HRESULT MsaaPromotionList::Resolve(const VARIANT& id, const control::PromotionChoice*& choice,
                                   long& item) const noexcept {
  choice = window_ ? window_->ShownChoice() : nullptr;
  if (!choice) return CO_E_OBJNOTCONNECTED;
  const std::optional<control::ChildId> child = ChildIdOf(id);
  if (!child || child->Number() > kItems) return E_INVALIDARG;
  item = child->Number();
  return S_OK;
}

STDMETHODIMP MsaaPromotionList::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP MsaaPromotionList::get_accParent(IDispatch** parent) noexcept {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!window_) return CO_E_OBJNOTCONNECTED;
  return AccessibleObjectFromWindow(window_->Window(), static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                    reinterpret_cast<void**>(parent));
}

STDMETHODIMP MsaaPromotionList::get_accChildCount(LONG* count) noexcept {
  if (!count) return E_POINTER;
  *count = kItems;
  return S_OK;
}

STDMETHODIMP MsaaPromotionList::get_accChild(VARIANT id, IDispatch** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  return item == 0 ? E_INVALIDARG : S_FALSE;
}

STDMETHODIMP MsaaPromotionList::get_accName(VARIANT id, BSTR* name) noexcept {
  if (!name) return E_POINTER;
  *name = nullptr;
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  return com::Guarded([&] {
    const std::string text = item == 0 ? std::string(control::PromotionChoice::kListName)
                                       : choice->ItemName(static_cast<size_t>(item - 1));
    return ReturnText(board::Wide(text), name);
  });
}

HRESULT MsaaPromotionList::NoText(const VARIANT& id, BSTR* out, HRESULT answer) const noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  return answer;
}

STDMETHODIMP MsaaPromotionList::get_accValue(VARIANT id, BSTR* value) noexcept {
  return NoText(id, value, DISP_E_MEMBERNOTFOUND);
}

STDMETHODIMP MsaaPromotionList::get_accDescription(VARIANT id, BSTR* description) noexcept {
  return NoText(id, description, S_FALSE);
}

STDMETHODIMP MsaaPromotionList::get_accRole(VARIANT id, VARIANT* role) noexcept {
  if (!role) return E_POINTER;
  VariantInit(role);
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  SetChild(role, item == 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
  return S_OK;
}

STDMETHODIMP MsaaPromotionList::get_accState(VARIANT id, VARIANT* state) noexcept {
  if (!state) return E_POINTER;
  VariantInit(state);
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  const bool highlighted = item == ChildOf(choice->Highlighted());
  SetChild(state, item == 0 ? 0
                            : STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE |
                                  (highlighted ? STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED : 0));
  return S_OK;
}

STDMETHODIMP MsaaPromotionList::get_accHelp(VARIANT id, BSTR* help) noexcept {
  if (!help) return E_POINTER;
  *help = nullptr;
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  return item == 0 ? ReturnText(L"Up and Down choose a piece, Enter takes it, Escape keeps the pawn.", help) : S_FALSE;
}

STDMETHODIMP MsaaPromotionList::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) noexcept {
  if (file) *file = nullptr;
  if (topic) *topic = 0;
  return S_FALSE;
}

STDMETHODIMP MsaaPromotionList::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) noexcept {
  if (!shortcut) return E_POINTER;
  *shortcut = nullptr;
  return S_FALSE;
}

STDMETHODIMP MsaaPromotionList::get_accFocus(VARIANT* focus) noexcept {
  if (!focus) return E_POINTER;
  VariantInit(focus);
  const control::PromotionChoice* choice = window_ ? window_->ShownChoice() : nullptr;
  if (!choice) return CO_E_OBJNOTCONNECTED;
  SetChild(focus, ChildOf(choice->Highlighted()));
  return S_OK;
}

STDMETHODIMP MsaaPromotionList::get_accSelection(VARIANT* children) noexcept { return get_accFocus(children); }

STDMETHODIMP MsaaPromotionList::get_accDefaultAction(VARIANT id, BSTR* action) noexcept {
  if (!action) return E_POINTER;
  *action = nullptr;
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  return item == 0 ? S_FALSE : ReturnText(L"Choose", action);
}

STDMETHODIMP MsaaPromotionList::accSelect(long, VARIANT id) noexcept {
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP MsaaPromotionList::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT id) noexcept {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  RECT r = window_->ChoiceItemOnScreen(item == 0 ? 0 : static_cast<size_t>(item - 1));
  if (item == 0) {
    const RECT last = window_->ChoiceItemOnScreen(kItems - 1);
    UnionRect(&r, &r, &last);
  }
  *left = r.left;
  *top = r.top;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  return S_OK;
}

STDMETHODIMP MsaaPromotionList::accNavigate(long navigation, VARIANT start, VARIANT* end) noexcept {
  if (!end) return E_POINTER;
  VariantInit(end);
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(start, choice, item));
  const long reached = Navigated(item, navigation);
  if (reached == 0) return S_FALSE;
  SetChild(end, reached);
  return S_OK;
}

STDMETHODIMP MsaaPromotionList::accHitTest(LONG left, LONG top, VARIANT* child) noexcept {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!window_ || !window_->ShownChoice()) return CO_E_OBJNOTCONNECTED;
  for (size_t item = 0; item < control::PromotionChoice::kItemCount; ++item) {
    const RECT r = window_->ChoiceItemOnScreen(item);
    if (PtInRect(&r, POINT{left, top})) {
      SetChild(child, ChildOf(item));
      return S_OK;
    }
  }
  return S_FALSE;
}

STDMETHODIMP MsaaPromotionList::accDoDefaultAction(VARIANT id) noexcept {
  const control::PromotionChoice* choice = nullptr;
  long item = 0;
  RETURN_IF_FAILED(Resolve(id, choice, item));
  if (item == 0) return DISP_E_MEMBERNOTFOUND;
  return com::Guarded([&] { window_->ChooseChoiceItem(static_cast<size_t>(item - 1)); });
}

STDMETHODIMP MsaaPromotionList::put_accName(VARIANT, BSTR) noexcept { return E_NOTIMPL; }

STDMETHODIMP MsaaPromotionList::put_accValue(VARIANT, BSTR) noexcept { return E_NOTIMPL; }

}  // namespace component
