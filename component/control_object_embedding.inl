#pragma once

// What containers ask of a control to place, activate, draw and size it.
#include <olectl.h>

#include "component/control_object.h"
#include "control/ovl_board.h"
#include "component/com/errors.h"
#include "component/com/window_context.h"
#include "component/identity.h"

namespace component {

// A host that lets go of the object while input runs leaves it to the input's
// end to go. A container that lets go of an object still active in place hears
// it leave as from InPlaceDeactivate.
template <class Core, class Face>
bool ControlObject<Core, Face>::FinalRelease() noexcept {
  if (inputHolds_ > 0) {
    releasedByHost_ = true;
    return false;
  }
  if (inPlaceSite_) InPlaceDeactivate();
  return true;
}

// IOleObject

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::SetClientSite(IOleClientSite* site) noexcept {
  clientSite_ = com::ComPtr<IOleClientSite>(site);
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetClientSite(IOleClientSite** site) noexcept {
  if (!site) return E_POINTER;
  return clientSite_.CopyTo(site);
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Close(DWORD) noexcept {
  InPlaceDeactivate();
  if (adviseHolder_) adviseHolder_->SendOnClose();
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                  LPCRECT position) noexcept {
  if (site && !clientSite_) clientSite_ = com::ComPtr<IOleClientSite>(site);
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return Guard([&] { return InPlaceActivate(verb, parent, position); });
    case OLEIVERB_HIDE:
      if (platform_.Window()) ShowWindow(platform_.Window(), SW_HIDE);
      return S_OK;
    default:
      return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
  }
}

template <class Core, class Face>
HRESULT ControlObject<Core, Face>::InPlaceActivate(LONG verb, HWND parent, LPCRECT position) {
  if (!clientSite_) return E_UNEXPECTED;
  if (!inPlaceSite_) {
    auto site = clientSite_.template As<IOleInPlaceSite>();
    if (!site) return E_NOINTERFACE;
    if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
    RETURN_IF_FAILED(site->OnInPlaceActivate());
    inPlaceSite_ = std::move(site);
  }
  if (!platform_.Window()) {
    HWND siteWindow = nullptr;
    if (SUCCEEDED(inPlaceSite_->GetWindow(&siteWindow))) parent = siteWindow;
    const auto context = com::WindowContextOf(*inPlaceSite_);
    const RECT placed = context ? context->position : position ? *position : RECT{};
    if (!platform_.Create(parent, placed)) return HRESULT_FROM_WIN32(GetLastError());
    FollowAmbientBackColor();
  }
  ShowWindow(platform_.Window(), SW_SHOW);
  if ((verb == OLEIVERB_UIACTIVATE || verb == OLEIVERB_PRIMARY) && !uiActive_) {
    UIActivate();
    SetFocus(platform_.Window());
  }
  clientSite_->ShowObject();
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::EnumVerbs(IEnumOLEVERB** verbs) noexcept {
  return OleRegEnumVerbs(record_.classId, verbs);
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetUserType(DWORD form, LPOLESTR* type) noexcept {
  return OleRegGetUserType(record_.classId, form, type);
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::SetExtent(DWORD aspect, SIZEL* size) noexcept {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  control_.SetExtent({size->cx, size->cy});
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetExtent(DWORD aspect, SIZEL* size) noexcept {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  const control::HimetricSize extent = control_.Extent();
  *size = {extent.width, extent.height};
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Advise(IAdviseSink* sink, DWORD* cookie) noexcept {
  if (!adviseHolder_) RETURN_IF_FAILED(CreateOleAdviseHolder(adviseHolder_.put()));
  return adviseHolder_->Advise(sink, cookie);
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Unadvise(DWORD cookie) noexcept {
  return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::EnumAdvise(IEnumSTATDATA** advises) noexcept {
  if (!advises) return E_POINTER;
  *advises = nullptr;
  return adviseHolder_ ? adviseHolder_->EnumAdvise(advises) : S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetMiscStatus(DWORD, DWORD* status) noexcept {
  if (!status) return E_POINTER;
  *status = identity::kMiscStatus;
  return S_OK;
}

// IOleWindow, IOleInPlaceObject

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetWindow(HWND* window) noexcept {
  if (!window) return E_POINTER;
  *window = platform_.Window();
  return *window ? S_OK : E_FAIL;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::InPlaceDeactivate() noexcept {
  if (!inPlaceSite_) return S_OK;
  UIDeactivate();
  // The window's procedure is cut off before it goes: tell the site of the focus it takes along.
  if (platform_.Window() && GetFocus() == platform_.Window()) FocusChanged(false);
  DisconnectAccessible();
  const HRESULT hr = Guard([&] { platform_.Destroy(); });
  auto site = std::move(inPlaceSite_);
  site->OnInPlaceDeactivate();
  return hr;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::UIDeactivate() noexcept {
  if (uiActive_ && inPlaceSite_) {
    uiActive_ = false;
    if (auto frame = std::move(activeFrame_)) frame->SetActiveObject(nullptr, nullptr);
    if (auto document = std::move(activeDocument_)) document->SetActiveObject(nullptr, nullptr);
    inPlaceSite_->OnUIDeactivate(FALSE);
  }
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::SetObjectRects(LPCRECT position, LPCRECT) noexcept {
  if (!position) return E_POINTER;
  return Guard([&] { platform_.SetPosition(*position); });
}

// IOleControl

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetControlInfo(CONTROLINFO* info) noexcept {
  if (!info) return E_POINTER;
  info->hAccel = nullptr;
  info->cAccel = 0;
  // Enter clicks the cursor square, so a dialog's default button must not take it.
  info->dwFlags = CTRLINFO_EATS_RETURN;
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::OnAmbientPropertyChange(DISPID id) noexcept {
  if (id == DISPID_AMBIENT_BACKCOLOR || id == DISPID_UNKNOWN) FollowAmbientBackColor();
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::FreezeEvents(BOOL freeze) noexcept {
  frozenEvents_ += freeze ? 1 : (frozenEvents_ > 0 ? -1 : 0);
  return S_OK;
}

// IViewObject2

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Draw(DWORD aspect, LONG part, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                                BOOL(STDMETHODCALLTYPE* keepGoing)(ULONG_PTR), ULONG_PTR keepGoingArgument) noexcept {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (part != -1) return DV_E_LINDEX;  // the content aspect has no parts
  if (!dc || !bounds) return E_INVALIDARG;
  return Guard([&] {
    const auto drawing = platform_.DrawTo(dc, RECT{bounds->left, bounds->top, bounds->right, bounds->bottom},
                                          [&] { return !keepGoing || keepGoing(keepGoingArgument); });
    using Drawing = control::win32::WindowPlatform::Drawing;
    return drawing == Drawing::Done ? S_OK : drawing == Drawing::Stopped ? E_ABORT : E_INVALIDARG;
  });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) noexcept {
  viewAspects_ = aspects;
  viewAdviseFlags_ = flags;
  viewSink_ = com::ComPtr<IAdviseSink>(sink);
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) noexcept {
  if (aspects) *aspects = viewAspects_;
  if (flags) *flags = viewAdviseFlags_;
  return sink ? viewSink_.CopyTo(sink) : S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) noexcept {
  return GetExtent(aspect, size);
}

// IQuickActivate

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::QuickActivate(QACONTAINER* container, QACONTROL* control) noexcept {
  if (!container || !control || container->cbSize < sizeof(QACONTAINER) || control->cbSize < sizeof(QACONTROL))
    return E_INVALIDARG;
  quickActivateUserMode_ = (container->dwAmbientFlags & QACONTAINER_USERMODE) != 0;
  RETURN_IF_FAILED(SetClientSite(container->pClientSite));
  if (container->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
  control->dwMiscStatus = identity::kMiscStatus;
  control->dwViewStatus = VIEWSTATUS_OPAQUE;
  control->dwPointerActivationPolicy = 0;
  control->dwEventCookie = 0;
  control->dwPropNotifyCookie = 0;
  if (container->pUnkEventSink) events_.Advise(container->pUnkEventSink, &control->dwEventCookie);
  if (container->pPropertyNotifySink)
    propertyNotifications_.Advise(container->pPropertyNotifySink, &control->dwPropNotifyCookie);
  return S_OK;
}


}  // namespace component
