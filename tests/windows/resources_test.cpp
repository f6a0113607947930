// Checks the resources built into the module: version information (with the
// OLESelfRegister marker setup tools look for), the type library and the
// toolbox bitmap the registration points at.
// Usage: resources_test MODULE
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "component/identity.h"
#include "tests/windows/check.h"

namespace {

// "1.00" for 1.0, "2.13" for 2.13: what a VB-era host shows in its properties.
std::wstring ResourceVersionText() {
  wchar_t text[16];
  std::swprintf(text, 16, L"%u.%02u", component::identity::kMajorVersion, component::identity::kMinorVersion);
  return text;
}

void CheckVersion(const wchar_t* module) {
  check::context = "version";
  const DWORD size = GetFileVersionInfoSizeW(module, nullptr);
  CHECK(size > 0);
  std::vector<BYTE> info(size);
  CHECK(GetFileVersionInfoW(module, 0, size, info.data()));
  auto query = [&](const wchar_t* path, void** value, UINT* length) {
    return VerQueryValueW(info.data(), path, value, length) != FALSE;
  };
  void* value = nullptr;
  UINT length = 0;
  CHECK(query(L"\\", &value, &length));
  if (length == sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    // The release number, as the type library and the class registration carry it.
    const DWORD majorMinor = MAKELONG(component::identity::kMinorVersion, component::identity::kMajorVersion);
    CHECK_EQ(fixed->dwFileVersionMS, majorMinor);
    CHECK_EQ(HIWORD(fixed->dwFileVersionLS), ORVEL_VERSION_PATCH);
    CHECK_EQ(fixed->dwProductVersionMS, majorMinor);
    CHECK_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    CHECK_EQ(fixed->dwFileOS, VOS__WINDOWS32);
    CHECK_EQ(fixed->dwFileType, VFT_DLL);
  }
  CHECK(query(L"\\VarFileInfo\\Translation", &value, &length));
  if (length == 4) {
    CHECK_EQ(static_cast<const WORD*>(value)[0], 0x409);
    CHECK_EQ(static_cast<const WORD*>(value)[1], 1200);
  }
  const std::wstring releaseText = ResourceVersionText();
  const struct {
    const wchar_t* name;
    const wchar_t* value;
  } strings[] = {{L"FileVersion", releaseText.c_str()},
                 {L"ProductVersion", releaseText.c_str()},
                 {L"FileDescription", L"Orvel's ActiveX Chess Control"},
                 {L"OriginalFilename", L"OrvelBoard.ocx"},
                 {L"OLESelfRegister", L""}};
  for (const auto& s : strings) {
    check::context = "version string " + check::Narrow(s.name);
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + s.name;
    value = nullptr;
    CHECK(query(path.c_str(), &value, &length));
    if (value) CHECK_EQ(std::wstring(static_cast<const wchar_t*>(value)), s.value);
  }
}

void CheckEmbedded(const wchar_t* module) {
  check::context = "embedded";
  HMODULE library = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  CHECK(library != nullptr);
  if (!library) return;
  CHECK(FindResourceW(library, MAKEINTRESOURCEW(1), L"TYPELIB") != nullptr);
  // Each class has a toolbox button of its own, at the size a toolbox shows.
  const int ids[] = {component::identity::kToolboxBitmapId, component::identity::kBoardToolboxBitmapId};
  std::string pictures[2];
  for (int i = 0; i < 2; ++i) {
    check::context = "toolbox bitmap " + std::to_string(ids[i]);
    HANDLE bitmap = LoadImageW(library, MAKEINTRESOURCEW(ids[i]), IMAGE_BITMAP, 0, 0, 0);
    CHECK(bitmap != nullptr);
    BITMAP shape{};
    if (bitmap) CHECK(GetObjectW(bitmap, sizeof shape, &shape) == sizeof shape);
    CHECK_EQ(shape.bmWidth, 16);
    CHECK_EQ(shape.bmHeight, 15);
    if (bitmap) DeleteObject(bitmap);
    if (HRSRC found = FindResourceW(library, MAKEINTRESOURCEW(ids[i]), MAKEINTRESOURCEW(2)))  // RT_BITMAP
      pictures[i].assign(static_cast<const char*>(LockResource(LoadResource(library, found))),
                         SizeofResource(library, found));
  }
  check::context = "toolbox bitmaps";
  CHECK(!pictures[0].empty() && pictures[0] != pictures[1]);
  FreeLibrary(library);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  CheckVersion(argv[1]);
  CheckEmbedded(argv[1]);
  return check::Result();
}
