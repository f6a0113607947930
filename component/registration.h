#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "component/automation_interface.h"

// Self-registration, from the class records in automation_interface.h: the
// type library embedded in this module and each class under CLSID and its ProgID.
namespace component {

// The bodies of DllRegisterServer and DllUnregisterServer. The platform headers
// declare the exports without noexcept, so each export only forwards here.
HRESULT RegisterServer() noexcept;
HRESULT UnregisterServer() noexcept;

}  // namespace component

// The classes' part of the record, also read by the installer's build, so an
// installed control and a self-registered one carry the same keys.
namespace component::registration {

// One registry value under HKEY_CLASSES_ROOT; no value means the key alone.
struct Entry {
  std::wstring key;
  const wchar_t* name;
  std::optional<std::wstring> value;
};

// MODULE is the control's path as the registry records it.
std::vector<Entry> ClassEntries(const automation::ControlClass& control, const std::wstring& module);
// Every class's, in the library's order.
std::vector<Entry> ClassEntries(const std::wstring& module);
std::wstring ClassKey(const automation::ControlClass& control);
std::wstring GuidText(const GUID& guid);

}  // namespace component::registration
