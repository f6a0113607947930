#include "component/registration.h"

#include <olectl.h>

#include <optional>
#include <string>
#include <vector>

#include "component/com/com_ptr.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "control/win32/this_module.h"

namespace component::registration {

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

std::vector<Entry> ClassEntries(const automation::ControlClass& control, const std::wstring& module) {
  const std::wstring clsid = ClassKey(control), progId(control.progId), name(control.name);
  const std::wstring misc = std::to_wstring(component::identity::kMiscStatus);
  return {
      {clsid, nullptr, name},
      {clsid + L"\\InprocServer32", nullptr, module},
      {clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {clsid + L"\\ProgID", nullptr, progId},
      {clsid + L"\\Control", nullptr, std::nullopt},
      {clsid + L"\\MiscStatus", nullptr, misc},
      {clsid + L"\\MiscStatus\\1", nullptr, misc},
      {clsid + L"\\ToolboxBitmap32", nullptr, module + L", " + std::to_wstring(control.toolboxBitmapId)},
      {clsid + L"\\TypeLib", nullptr, GuidText(component::identity::kTypeLibId)},
      {clsid + L"\\Version", nullptr, component::identity::kVersion},
      {progId, nullptr, name},
      {progId + L"\\CLSID", nullptr, GuidText(control.classId)},
  };
}

std::vector<Entry> ClassEntries(const std::wstring& module) {
  std::vector<Entry> entries;
  for (const automation::ControlClass* control : automation::kClasses) {
    std::vector<Entry> own = ClassEntries(*control, module);
    entries.insert(entries.end(), own.begin(), own.end());
  }
  return entries;
}

std::wstring ClassKey(const automation::ControlClass& control) { return L"CLSID\\" + GuidText(control.classId); }

}  // namespace component::registration

namespace {

using component::registration::ClassEntries;
using component::registration::ClassKey;
using component::registration::Entry;
using component::registration::GuidText;

HRESULT Write(const Entry& entry) {
  com::UniqueHkey key;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                   key.put(), nullptr);
  if (status == ERROR_SUCCESS && entry.value) {
    const auto bytes = static_cast<DWORD>((entry.value->size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key.get(), entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.value->c_str()),
                            bytes);
  }
  return HRESULT_FROM_WIN32(status);
}

// A tree that is already gone is not an error: unregistering is repeatable.
HRESULT DeleteTree(const std::wstring& key) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT RegisterTypeLibrary(const std::wstring& module) {
  com::ComPtr<ITypeLib> library;
  if (FAILED(LoadTypeLibEx(module.c_str(), REGKIND_NONE, library.put()))) return SELFREG_E_TYPELIB;
  std::wstring path = module;
  return SUCCEEDED(RegisterTypeLib(library.get(), path.data(), nullptr)) ? S_OK : SELFREG_E_TYPELIB;
}

bool KeyExists(const std::wstring& key) {
  com::UniqueHkey handle;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.put()) != ERROR_FILE_NOT_FOUND;
}

HRESULT UnregisterTypeLibrary() {
  // With nothing registered there is nothing to do; UnRegisterTypeLib would
  // fail, with an error that differs between Windows and Wine.
  if (!KeyExists(L"TypeLib\\" + GuidText(component::identity::kTypeLibId) + L"\\" + component::identity::kVersion)) return S_OK;
  const HRESULT hr = UnRegisterTypeLib(component::identity::kTypeLibId, component::identity::kMajorVersion, component::identity::kMinorVersion,
                                       component::identity::kLocale, component::identity::kSysKind);
  return SUCCEEDED(hr) ? S_OK : SELFREG_E_TYPELIB;
}

}  // namespace

namespace component {

HRESULT RegisterServer() noexcept {
  const HRESULT hr = com::Guarded([]() -> HRESULT {
    const std::wstring module = control::win32::ThisModulePath();
    if (module.empty()) return SELFREG_E_CLASS;
    HRESULT written = RegisterTypeLibrary(module);
    for (const Entry& entry : ClassEntries(module)) {
      if (FAILED(written)) break;
      written = Write(entry);
    }
    return written;
  });
  if (FAILED(hr)) UnregisterServer();  // leave nothing half-written
  return hr;
}

HRESULT UnregisterServer() noexcept {
  return com::Guarded([]() -> HRESULT {
    // Every tree is removed even when one fails; the first failure is reported.
    HRESULT result = S_OK;
    auto keep = [&result](HRESULT hr) {
      if (SUCCEEDED(result)) result = hr;
    };
    for (const automation::ControlClass* control : automation::kClasses) {
      keep(DeleteTree(ClassKey(*control)));
      keep(DeleteTree(std::wstring(control->progId)));
    }
    keep(UnregisterTypeLibrary());
    return result;
  });
}

}  // namespace component

extern "C" HRESULT __stdcall DllRegisterServer() { return component::RegisterServer(); }
extern "C" HRESULT __stdcall DllUnregisterServer() { return component::UnregisterServer(); }
