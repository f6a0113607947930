#pragma once

// IObjectSafety: what a container (a browser, an Office document) may be told
// before it loads saved state into the control or lets a script drive it.
#include <optional>

#include "component/control_object.h"
#include "control/ovl_board.h"

namespace component {

namespace {

std::optional<control::InterfaceUse> PersistenceUseOf(REFIID iid) {
  if (iid == IID_IPersistPropertyBag) return control::InterfaceUse::PropertyBag;
  if (iid == IID_IPersistStreamInit) return control::InterfaceUse::StreamInit;
  if (iid == IID_IPersistStorage) return control::InterfaceUse::Storage;
  return std::nullopt;
}

}  // namespace

template <class Core, class Face>
HRESULT ControlObject<Core, Face>::UseOf(REFIID iid, control::InterfaceUse& use) noexcept {
  if (const auto persistence = PersistenceUseOf(iid)) {
    use = *persistence;
    return S_OK;
  }
  com::ComPtr<IUnknown> answered;
  if (FAILED(this->QueryInterface(iid, answered.put_void()))) return E_NOINTERFACE;
  use = control::InterfaceUse::Other;
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) noexcept {
  if (!supported || !enabled) return E_POINTER;
  *supported = *enabled = 0;
  control::InterfaceUse use{};
  RETURN_IF_FAILED(UseOf(iid, use));
  *supported = control::SupportedSafety(use);
  *enabled = safety_.Enabled(use);
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) noexcept {
  control::InterfaceUse use{};
  RETURN_IF_FAILED(UseOf(iid, use));
  return safety_.Set(use, mask, enabled) ? S_OK : E_FAIL;
}


}  // namespace component
