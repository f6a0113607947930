#include "host/container_site/site.h"

#include <olectl.h>

namespace host {
namespace {

constexpr double kHimetricPerInch = 2540;

}  // namespace

HRESULT Frame::QueryInterface(REFIID iid, void** out) noexcept {
  const HRESULT hr = ComObject::QueryInterface(iid, out);
  if (log_) log_->Queried("frame", iid, SUCCEEDED(hr));
  return hr;
}

HRESULT Frame::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return S_OK;
}

HRESULT Frame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  active_ = com::ComPtr<IOleInPlaceActiveObject>(object);
  return S_OK;
}

Site::Site(HWND window, RECT position, InterfaceLog* log)
    : window_(window), position_(position), log_(log), frame_(Make<Frame>(window, log)) {}

HRESULT Site::QueryInterface(REFIID iid, void** out) noexcept {
  const HRESULT hr = ComObject::QueryInterface(iid, out);
  if (log_) log_->Queried("site", iid, SUCCEEDED(hr));
  return hr;
}

HRESULT Site::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT Site::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT Site::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return S_OK;
}

HRESULT Site::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position, LPRECT clip,
                               LPOLEINPLACEFRAMEINFO info) {
  if (!frame || !document || !position || !clip) return E_POINTER;
  frame_->AddRef();
  *frame = frame_.get();
  *document = nullptr;
  *position = position_;
  GetClientRect(window_, clip);
  if (info) {
    info->fMDIApp = FALSE;
    info->hwndFrame = window_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT Site::OnPosRectChange(LPCRECT position) {
  if (!position) return E_POINTER;
  position_ = *position;
  return S_OK;
}

HRESULT Site::GetExtendedControl(IDispatch** control) {
  if (control) *control = nullptr;
  return E_NOTIMPL;
}

// Pixels at 96 per inch: the container works in screen pixels.
HRESULT Site::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
  if (!himetric || !container) return E_POINTER;
  const double scale = kHimetricPerInch / 96;
  if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
    container->x = static_cast<float>(himetric->x / scale);
    container->y = static_cast<float>(himetric->y / scale);
  } else {
    himetric->x = static_cast<LONG>(container->x * scale + 0.5);
    himetric->y = static_cast<LONG>(container->y * scale + 0.5);
  }
  return S_OK;
}

HRESULT Site::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT Site::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
  if (log_) log_->AmbientRead(dispid);
  const bool answered = dispid == DISPID_AMBIENT_USERMODE || (dispid == DISPID_AMBIENT_BACKCOLOR && backColor_);
  if (!answered || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (!result) return E_POINTER;
  VariantInit(result);
  if (dispid == DISPID_AMBIENT_BACKCOLOR) {
    result->vt = VT_I4;
    result->lVal = static_cast<LONG>(*backColor_);
    return S_OK;
  }
  result->vt = VT_BOOL;
  result->boolVal = userMode_ ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

}  // namespace host
