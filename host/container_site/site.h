#pragma once

#include <ocidl.h>
#include <oleidl.h>

#include <optional>

#include "component/com/com_object.h"
#include "component/com/com_ptr.h"
#include "host/container_site/interface_log.h"

namespace host {

template <class T, class... Args>
com::ComPtr<T> Make(Args&&... args) {
  return com::ComPtr<T>(new T(std::forward<Args>(args)...));
}

// The in-place frame: the container's top-level window, with no menus,
// toolbars or status line to share.
class Frame : public com::ComObject<Frame, IOleInPlaceFrame> {
 public:
  Frame(HWND window, InterfaceLog* log) : window_(window), log_(log) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override;

  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override;
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  IOleInPlaceActiveObject* ActiveObject() const { return active_.get(); }

 private:
  HWND window_;
  InterfaceLog* log_;
  com::ComPtr<IOleInPlaceActiveObject> active_;
};

// The control's site: client site, in-place site, control site, and the
// ambient properties through IDispatch, with a switchable UserMode.
class Site : public com::ComObject<Site, IOleClientSite, IOleInPlaceSite, IOleControlSite, IDispatch> {
 public:
  Site(HWND window, RECT position, InterfaceLog* log);

  void SetUserMode(bool userMode) { userMode_ = userMode; }
  // An ambient BackColor for the control, which the site otherwise does not answer.
  void SetBackColor(OLE_COLOR colour) { backColor_ = colour; }
  // Forgets the frame's hold on the active object, so nothing outlives the control.
  void Detach() { frame_->SetActiveObject(nullptr, nullptr); }
  Frame* InPlaceFrame() const { return frame_.get(); }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override;

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceSite
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT position) override;

  // IOleControlSite
  STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
  STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
  STDMETHODIMP GetExtendedControl(IDispatch** control) override;
  STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
  STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
  STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

  // IDispatch: the ambient properties
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                      UINT*) override;

 private:
  HWND window_;
  RECT position_;
  InterfaceLog* log_;
  bool userMode_ = true;
  std::optional<OLE_COLOR> backColor_;
  com::ComPtr<Frame> frame_;
};

}  // namespace host
