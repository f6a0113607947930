// The library's entry points for loading, class objects and unloading. The
// registration entry points live with the registration record's routines.
#include <windows.h>

#include "board/automation_error.h"
#include "board/text.h"
#include "component/class_factory.h"
#include "component/com/errors.h"
#include "component/com/module_lock.h"
#include "component/identity.h"
#include "control/win32/window_platform.h"

namespace {

std::optional<com::AutomationFault> FaultOf(const std::exception& error) {
  const auto* automation = dynamic_cast<const board::AutomationError*>(&error);
  if (!automation) return std::nullopt;
  return com::AutomationFault{automation->number(), board::Wide(automation->what())};
}

// The core's errors reach callers as errors of the control's default interface,
// from the moment the library is loaded.
const bool kErrorSourceSet = (com::SetErrorSource({component::identity::kDefaultInterfaceId,
                                                   component::identity::kProgId, &FaultOf}),
                              true);

}  // namespace

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
