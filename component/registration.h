#pragma once

#include <windows.h>

// Self-registration, from the registration record in identity.h: the type
// library embedded in this module and the class under CLSID and its ProgID.
extern "C" HRESULT __stdcall DllRegisterServer();
extern "C" HRESULT __stdcall DllUnregisterServer();
