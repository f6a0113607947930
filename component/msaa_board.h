#pragma once

#include <oleacc.h>

#include <string>

#include "component/com/com_object.h"
#include "control/caller_value.h"
#include "control/win32/window_platform.h"

namespace component {

// The board's IAccessible: the board as a table of 64 cells, each named from
// what it shows. It reads the window's accessible model and geometry; once the
// window is gone it answers that it is disconnected.
class MsaaBoard final : public com::ComObject<MsaaBoard, IAccessible> {
 public:
  MsaaBoard(control::win32::WindowPlatform& platform, std::wstring boardName)
      : platform_(&platform), boardName_(std::move(boardName)) {}

  // The window went away: every later call fails, and proxies let go of the object.
  void Disconnect() noexcept;

  // IDispatch: clients of IAccessible call through the vtable.
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept override {
    return E_NOTIMPL;
  }

  // IAccessible
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
  // Checks the connection and the child id: S_OK with `child` set, or the failure to return.
  HRESULT Resolve(const VARIANT& id, control::ChildId& child) const noexcept;
  // Text made by the accessible model, with its exceptions as HRESULTs.
  template <class MakeText>
  HRESULT BoardText(MakeText makeText, BSTR* out) const noexcept;
  // `answer` for a valid child id; else why the id is refused.
  HRESULT AnswerFor(const VARIANT& id, HRESULT answer) const noexcept;

  control::win32::WindowPlatform* platform_;
  std::wstring boardName_;
};

}  // namespace component
