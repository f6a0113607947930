// Checks what registering the module left in the registry, or that
// unregistering removed exactly that.
// Usage: registry_test registered MODULE | registry_test unregistered
#include <windows.h>
#include <oleauto.h>

#include <cwchar>
#include <optional>
#include <iterator>
#include <string>
#include <vector>

#include "component/com/com_ptr.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "tests/windows/check.h"

namespace {

const std::wstring kLibrary = L"{609D1FFF-9841-4F8C-BD30-B7CB2581251E}";

struct RegisteredClass {
  std::wstring name, clsid, progId, bitmap;
  GUID id;
};
const RegisteredClass kClasses[] = {
    {L"OvlChess", L"{D92AEA81-DB4C-4571-82BD-2B488F9A5458}", L"OrvelBoardLib.OvlChess", L"30000",
     component::identity::kClassId},
    {L"OvlBoard", L"{8520721F-C445-44AC-871B-52275A14BE9A}", L"OrvelBoardLib.OvlBoard", L"30001",
     component::identity::kBoardClassId},
};
const std::wstring kInterfaces[] = {L"Interface\\{56EF63B7-F129-46BA-9332-677F46CA0BFD}",
                                    L"Interface\\{2AE2D78E-5DA3-416C-8997-4248A58F40A3}",
                                    L"Interface\\{69C8E725-B9AE-473C-A8E1-77F50FE959F8}",
                                    L"Interface\\{F388C9A2-D558-4AC0-B03C-CC1E549EC6FE}"};

bool KeyExists(const std::wstring& key) {
  com::UniqueHkey handle;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.put()) == ERROR_SUCCESS;
}

std::optional<std::wstring> Value(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t data[1024];
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

void CheckValue(const std::wstring& key, const wchar_t* name, const std::wstring& expected) {
  check::context = check::Narrow(key);
  if (name) check::context.append(" ").append(check::Narrow(name));
  const auto actual = Value(key, name);
  CHECK(actual.has_value());
  if (actual) CHECK_EQ(*actual, expected);
}

std::wstring FullPath(const wchar_t* path) {
  wchar_t full[MAX_PATH];
  GetFullPathNameW(path, MAX_PATH, full, nullptr);
  return full;
}

void CheckClassRegistered(const std::wstring& module, const RegisteredClass& registered) {
  const std::wstring kClass = L"CLSID\\" + registered.clsid, kProgId = registered.progId;
  CheckValue(kClass, nullptr, registered.name);
  CheckValue(kClass + L"\\InprocServer32", nullptr, module);
  CheckValue(kClass + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  CheckValue(kClass + L"\\ProgID", nullptr, kProgId);
  CheckValue(kClass + L"\\MiscStatus", nullptr, L"131473");
  CheckValue(kClass + L"\\MiscStatus\\1", nullptr, L"131473");
  CheckValue(kClass + L"\\ToolboxBitmap32", nullptr, module + L", " + registered.bitmap);
  CheckValue(kClass + L"\\TypeLib", nullptr, kLibrary);
  CheckValue(kClass + L"\\Version", nullptr, L"1.0");
  CheckValue(kProgId, nullptr, registered.name);
  CheckValue(kProgId + L"\\CLSID", nullptr, registered.clsid);
  check::context = "class " + check::Narrow(registered.name);
  CHECK(KeyExists(kClass + L"\\Control"));
  CLSID clsid{};
  CHECK_EQ(CLSIDFromProgID(kProgId.c_str(), &clsid), S_OK);
  CHECK_EQ(clsid, registered.id);
}

void CheckLibraryRegistered(const std::wstring& module) {
  const std::wstring version = L"TypeLib\\" + kLibrary + L"\\1.0";
  CheckValue(version, nullptr, L"Orvel's ActiveX Chess Control");
  CheckValue(version + (sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32"), nullptr, module);
  // Wine's RegisterTypeLib also records the loader's disk image flag.
  check::context = "type library FLAGS";
  const auto flags = Value(version + L"\\FLAGS");
  CHECK(flags.has_value());
  if (flags) CHECK_EQ(std::wcstoul(flags->c_str(), nullptr, 10) & ~LIBFLAG_FHASDISKIMAGE, LIBFLAG_FCONTROL);
  for (const std::wstring& iface : kInterfaces) CheckValue(iface + L"\\TypeLib", nullptr, kLibrary);
  check::context = "registered type library";
  com::ComPtr<ITypeLib> library;
  CHECK_EQ(LoadRegTypeLib(component::identity::kTypeLibId, 1, 0, 0, library.put()), S_OK);
}

void CheckUnregistered() {
  check::context = "unregistered";
  std::vector<std::wstring> owned(std::begin(kInterfaces), std::end(kInterfaces));
  owned.push_back(L"TypeLib\\" + kLibrary);
  for (const RegisteredClass& registered : kClasses) {
    owned.push_back(L"CLSID\\" + registered.clsid);
    owned.push_back(registered.progId);
  }
  for (const std::wstring& key : owned) {
    if (KeyExists(key)) check::Fail(__LINE__, check::Narrow(key) + " is still there");
  }
  // Neighbours stay: only the module's own keys go.
  CHECK(KeyExists(L"CLSID"));
  CHECK(KeyExists(L"TypeLib\\{00020430-0000-0000-C000-000000000046}"));
  CHECK(KeyExists(L"Interface\\{00020400-0000-0000-C000-000000000046}"));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  CoInitialize(nullptr);
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"registered" && argc == 3) {
    const std::wstring module = FullPath(argv[2]);
    for (const RegisteredClass& registered : kClasses) CheckClassRegistered(module, registered);
    CheckLibraryRegistered(module);
  } else if (mode == L"unregistered" && argc == 2) {
    CheckUnregistered();
  } else {
    std::puts("usage: registry_test registered MODULE | registry_test unregistered");
    return 2;
  }
  CoUninitialize();
  return check::Result();
}
