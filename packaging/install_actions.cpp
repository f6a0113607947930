// The installers' own custom action, run by Windows Installer from the
// package's Binary table.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

// Sets HELPFOLDER to the install folder without the trailing backslash a
// folder property always carries: RegisterTypeLib records a type library's
// folder as HELPDIR that way, so the installed keys equal regsvr32's.
extern "C" __declspec(dllexport) UINT __stdcall SetHelpFolder(MSIHANDLE install) noexcept {
  wchar_t folder[MAX_PATH + 1];
  DWORD length = MAX_PATH + 1;
  if (MsiGetPropertyW(install, L"INSTALLDIR", folder, &length) != ERROR_SUCCESS) return ERROR_INSTALL_FAILURE;
  // A drive's root keeps its backslash: "C:" alone would name the drive's current folder.
  if (length > 3 && folder[length - 1] == L'\\') folder[length - 1] = L'\0';
  return MsiSetPropertyW(install, L"HELPFOLDER", folder) == ERROR_SUCCESS ? ERROR_SUCCESS : ERROR_INSTALL_FAILURE;
}
