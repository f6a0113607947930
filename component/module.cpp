// The library's entry points for loading, class objects and unloading. The
// registration entry points live with the registration record's routines.
#include <windows.h>

#include "component/class_factory.h"
#include "component/com/module_lock.h"
#include "control/win32/window_platform.h"

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID id, REFIID iid, void** object) noexcept {
  return component::GetClassFactory(id, iid, object);
}

// The window class goes when the library may go, not in DllMain, where user32
// must not be called under the loader lock. A window whose destruction waits
// for its thread still runs the library's code.
extern "C" HRESULT __stdcall DllCanUnloadNow() noexcept {
  if (com::ModuleLock::Count() != 0 || control::win32::WindowPlatform::WindowsExist()) return S_FALSE;
  control::win32::WindowPlatform::UnregisterWindowClass();
  return S_OK;
}
