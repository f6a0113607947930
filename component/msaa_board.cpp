#include "component/msaa_board.h"

#include "board/text.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/variant_conversion.h"

namespace component {

namespace {

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

using board::Wide;

void SetChild(VARIANT* out, long child) {
  out->vt = VT_I4;
  out->lVal = child;
}

long StateFlags(const control::AccessibleStates& states) {
  return (states.focusable ? STATE_SYSTEM_FOCUSABLE : 0) | (states.focused ? STATE_SYSTEM_FOCUSED : 0) |
         (states.unavailable ? STATE_SYSTEM_UNAVAILABLE : 0) | (states.selected ? STATE_SYSTEM_SELECTED : 0);
}

std::optional<control::Direction> DirectionOf(long navigation) {
  switch (navigation) {
    case NAVDIR_UP: return control::Direction::Up;
    case NAVDIR_DOWN: return control::Direction::Down;
    case NAVDIR_LEFT: return control::Direction::Left;
    case NAVDIR_RIGHT: return control::Direction::Right;
    case NAVDIR_NEXT: return control::Direction::Next;
    case NAVDIR_PREVIOUS: return control::Direction::Previous;
    case NAVDIR_FIRSTCHILD: return control::Direction::FirstChild;
    case NAVDIR_LASTCHILD: return control::Direction::LastChild;
    default: return std::nullopt;
  }
}

}  // namespace

template <class MakeText>
HRESULT MsaaBoard::BoardText(MakeText makeText, BSTR* out) const noexcept {
  HRESULT result = S_OK;
  const HRESULT hr = com::Guarded([&] { result = ReturnText(Wide(makeText()), out); });
  return FAILED(hr) ? hr : result;
}

void MsaaBoard::Disconnect() noexcept {
  platform_ = nullptr;
  CoDisconnectObject(Unknown(), 0);
}

HRESULT MsaaBoard::Resolve(const VARIANT& id, control::ChildId& child) const noexcept {
  if (!platform_ || !platform_->Window()) return CO_E_OBJNOTCONNECTED;
  const std::optional<control::ChildId> resolved = ChildIdOf(id);
  if (!resolved) return E_INVALIDARG;
  child = *resolved;
  return S_OK;
}

HRESULT MsaaBoard::AnswerFor(const VARIANT& id, HRESULT answer) const noexcept {
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  return answer;
}

STDMETHODIMP MsaaBoard::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP MsaaBoard::get_accParent(IDispatch** parent) noexcept {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!platform_ || !platform_->Window()) return CO_E_OBJNOTCONNECTED;
  return AccessibleObjectFromWindow(platform_->Window(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                    reinterpret_cast<void**>(parent));
}

STDMETHODIMP MsaaBoard::get_accChildCount(LONG* count) noexcept {
  if (!count) return E_POINTER;
  *count = control::AccessibleBoard::kChildCount;
  return S_OK;
}

STDMETHODIMP MsaaBoard::get_accChild(VARIANT id, IDispatch** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  // Squares are simple elements of the board, without objects of their own.
  return child.IsBoard() ? E_INVALIDARG : S_FALSE;
}

STDMETHODIMP MsaaBoard::get_accName(VARIANT id, BSTR* name) noexcept {
  if (!name) return E_POINTER;
  *name = nullptr;
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  if (child.IsBoard()) return ReturnText(boardName_, name);
  return BoardText([&] { return platform_->Accessible().Name(board::CellIndex(child.Number())); }, name);
}

// The board's value sums up the position; squares have none beyond their names.
STDMETHODIMP MsaaBoard::get_accValue(VARIANT id, BSTR* value) noexcept {
  if (!value) return E_POINTER;
  *value = nullptr;
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  if (!child.IsBoard()) return DISP_E_MEMBERNOTFOUND;
  return BoardText([&] { return platform_->Accessible().Summary(); }, value);
}

STDMETHODIMP MsaaBoard::get_accDescription(VARIANT id, BSTR* description) noexcept {
  if (!description) return E_POINTER;
  *description = nullptr;
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  return BoardText(
      [&] {
        return child.IsBoard() ? platform_->Accessible().BoardDescription()
                               : platform_->Accessible().Description(board::CellIndex(child.Number()));
      },
      description);
}

STDMETHODIMP MsaaBoard::get_accRole(VARIANT id, VARIANT* role) noexcept {
  if (!role) return E_POINTER;
  VariantInit(role);
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  SetChild(role, child.IsBoard() ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL);
  return S_OK;
}

STDMETHODIMP MsaaBoard::get_accState(VARIANT id, VARIANT* state) noexcept {
  if (!state) return E_POINTER;
  VariantInit(state);
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  return com::Guarded([&] { SetChild(state, StateFlags(platform_->Accessible().States(child.Number()))); });
}

// The board's help is its keys, for readers that speak help rather than descriptions.
STDMETHODIMP MsaaBoard::get_accHelp(VARIANT id, BSTR* help) noexcept {
  if (!help) return E_POINTER;
  *help = nullptr;
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  if (!child.IsBoard()) return S_FALSE;
  return BoardText([&] { return platform_->Accessible().KeysHelp(); }, help);
}

STDMETHODIMP MsaaBoard::get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) noexcept {
  if (file) *file = nullptr;
  if (topic) *topic = 0;
  return AnswerFor(id, S_FALSE);
}

STDMETHODIMP MsaaBoard::get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) noexcept {
  if (!shortcut) return E_POINTER;
  *shortcut = nullptr;
  return AnswerFor(id, S_FALSE);
}

STDMETHODIMP MsaaBoard::get_accFocus(VARIANT* focus) noexcept {
  if (!focus) return E_POINTER;
  VariantInit(focus);
  if (!platform_ || !platform_->Window()) return CO_E_OBJNOTCONNECTED;
  return com::Guarded([&] {
    if (const int16_t cell = platform_->Accessible().FocusedChild())
      SetChild(focus, cell);
    else if (GetFocus() == platform_->Window())
      SetChild(focus, CHILDID_SELF);
    return focus->vt == VT_EMPTY ? S_FALSE : S_OK;
  });
}

STDMETHODIMP MsaaBoard::get_accSelection(VARIANT* children) noexcept {
  if (!children) return E_POINTER;
  VariantInit(children);
  return S_FALSE;
}

STDMETHODIMP MsaaBoard::get_accDefaultAction(VARIANT id, BSTR* action) noexcept {
  if (!action) return E_POINTER;
  *action = nullptr;
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  return child.IsBoard() ? S_FALSE : ReturnText(L"Click", action);
}

// Only focus is selected: the board has no selection of squares.
STDMETHODIMP MsaaBoard::accSelect(long flags, VARIANT id) noexcept {
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  if (flags != SELFLAG_TAKEFOCUS) return flags == SELFLAG_NONE ? S_OK : E_INVALIDARG;
  return com::Guarded([&] { platform_->SelectCell(board::CellIndex(child.Number())); });
}

STDMETHODIMP MsaaBoard::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT id) noexcept {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  RECT r{};
  if (child.IsBoard()) {
    GetWindowRect(platform_->Window(), &r);
  } else {
    RETURN_IF_FAILED(com::Guarded([&] { r = platform_->CellOnScreen(board::CellIndex(child.Number())); }));
  }
  *left = r.left;
  *top = r.top;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  return S_OK;
}

STDMETHODIMP MsaaBoard::accNavigate(long navigation, VARIANT start, VARIANT* end) noexcept {
  if (!end) return E_POINTER;
  VariantInit(end);
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(start, child));
  const std::optional<control::Direction> direction = DirectionOf(navigation);
  if (!direction) return E_INVALIDARG;
  int16_t reached = 0;
  // The reader's model may be made here, and making it may fail.
  RETURN_IF_FAILED(com::Guarded([&] { reached = platform_->Accessible().NavigateAsSeen(child.Number(), *direction); }));
  if (reached == 0) return S_FALSE;
  SetChild(end, reached);
  return S_OK;
}

STDMETHODIMP MsaaBoard::accHitTest(LONG left, LONG top, VARIANT* child) noexcept {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!platform_ || !platform_->Window()) return CO_E_OBJNOTCONNECTED;
  int16_t hit = -1;
  RETURN_IF_FAILED(com::Guarded([&] { hit = platform_->ChildAtScreenPoint(POINT{left, top}); }));
  if (hit < 0) return S_FALSE;
  SetChild(child, hit);
  return S_OK;
}

STDMETHODIMP MsaaBoard::accDoDefaultAction(VARIANT id) noexcept {
  control::ChildId child = control::ChildId::Board();
  RETURN_IF_FAILED(Resolve(id, child));
  if (child.IsBoard()) return DISP_E_MEMBERNOTFOUND;
  bool clicked = false;
  RETURN_IF_FAILED(com::Guarded([&] { clicked = platform_->ActivateCell(board::CellIndex(child.Number())); }));
  // A disabled board is read but not played: the action is refused.
  return clicked ? S_OK : E_ACCESSDENIED;
}

STDMETHODIMP MsaaBoard::put_accName(VARIANT id, BSTR) noexcept { return AnswerFor(id, E_NOTIMPL); }

STDMETHODIMP MsaaBoard::put_accValue(VARIANT id, BSTR) noexcept { return AnswerFor(id, E_NOTIMPL); }

}  // namespace component
