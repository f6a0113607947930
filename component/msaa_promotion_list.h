#pragma once

#include <oleacc.h>

#include "component/com/com_object.h"
#include "control/promotion_choice.h"
#include "control/win32/win_events.h"
#include "control/win32/window_platform.h"

namespace component {

// The promotion choice as screen readers see it: a list "Promote to" of four
// items named by their pieces ("cream knight"), the highlighted one focused and
// selected. The window hands it out for its own object id while the choice shows.
class MsaaPromotionList final : public com::ComObject<MsaaPromotionList, IAccessible> {
 public:
  // The object id the window answers WM_GETOBJECT with this list for, and raises the items' focus events on.
  static constexpr LONG kObjectId = control::win32::kPromotionListObject;

  explicit MsaaPromotionList(control::win32::WindowPlatform& window) : window_(&window) {}
  // The window went away: every later call fails.
  void Disconnect() noexcept;

  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept override {
    return E_NOTIMPL;
  }

  STDMETHODIMP get_accParent(IDispatch** parent) noexcept override;
  STDMETHODIMP get_accChildCount(LONG* count) noexcept override;
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) noexcept override;
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) noexcept override;
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) noexcept override;
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) noexcept override;
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) noexcept override;
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) noexcept override;
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) noexcept override;
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) noexcept override;
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) noexcept override;
  STDMETHODIMP get_accFocus(VARIANT* child) noexcept override;
  STDMETHODIMP get_accSelection(VARIANT* children) noexcept override;
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) noexcept override;
  STDMETHODIMP accSelect(long flags, VARIANT child) noexcept override;
  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) noexcept override;
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) noexcept override;
  STDMETHODIMP accHitTest(LONG left, LONG top, VARIANT* child) noexcept override;
  STDMETHODIMP accDoDefaultAction(VARIANT child) noexcept override;
  STDMETHODIMP put_accName(VARIANT child, BSTR name) noexcept override;
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) noexcept override;

 private:
  // S_OK with the choice and `item` (0 for the list, else 1..4), or why the call is refused.
  HRESULT Resolve(const VARIANT& id, const control::PromotionChoice*& choice, long& item) const noexcept;
  // A text neither the list nor its items have: `answer` once the call is checked as every member's is.
  HRESULT NoText(const VARIANT& id, BSTR* out, HRESULT answer) const noexcept;

  control::win32::WindowPlatform* window_;
};

}  // namespace component
