// The library's entry points for loading, class objects and unloading. The
// registration entry points live with the registration record's routines.
#include <windows.h>

#include "component/class_factory.h"
#include "component/com/module_lock.h"
#include "control/win32/window_platform.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) noexcept {
  // At process exit (reserved set) windows are gone already.
  if (reason == DLL_PROCESS_DETACH && !reserved) control::win32::WindowPlatform::UnregisterWindowClass();
  return TRUE;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID id, REFIID iid, void** object) noexcept {
  return component::GetClassFactory(id, iid, object);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() noexcept { return com::ModuleLock::Count() == 0 ? S_OK : S_FALSE; }
