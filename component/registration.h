#pragma once

#include <windows.h>

// Self-registration, from the registration record in identity.h: the type
// library embedded in this module and the class under CLSID and its ProgID.
namespace component {

// The bodies of DllRegisterServer and DllUnregisterServer. The platform headers
// declare the exports without noexcept, so each export only forwards here.
HRESULT RegisterServer() noexcept;
HRESULT UnregisterServer() noexcept;

}  // namespace component
