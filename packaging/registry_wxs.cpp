// Writes the installer's registry entries as a WiX include: the class and
// ProgID from the registration record the control itself writes, and the
// type library's keys as RegisterTypeLib derives them from the library.
// Usage: registry_wxs [--per-user] OCX MODULE_VALUE FOLDER_VALUE OUTPUT [OTHER_VIEW_OUTPUT]
//   MODULE_VALUE and FOLDER_VALUE are the installer's formatted references to
//   the installed control and its folder, e.g. [#OrvelBoardOcx] [INSTALLDIR].
//   OTHER_VIEW_OUTPUT, for a 64-bit control: the type library's keys again,
//   for the 32-bit registry view.
//   --per-user: the same keys under HKCU\Software\Classes, the 32-bit view's
//   under its Wow6432Node spelled out, each include's first value the key path
//   of its component (a per-user component keeps its key path in HKCU).
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "component/com/com_ptr.h"
#include "component/com/unique.h"
#include "component/registration.h"

namespace {

using component::registration::Entry;
using component::registration::GuidText;

// The universal marshalers RegisterTypeLib names for automation interfaces.
constexpr const wchar_t* kTypeLibMarshaler = L"{00020424-0000-0000-C000-000000000046}";
constexpr const wchar_t* kDispatchMarshaler = L"{00020420-0000-0000-C000-000000000046}";

std::wstring Hex(unsigned value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%x", value);
  return text;
}

std::wstring LibraryDescription(ITypeLib* library) {
  com::UniqueBstr name, doc;
  library->GetDocumentation(-1, name.put(), doc.put(), nullptr, nullptr);
  if (doc && *doc.get()) return doc.get();
  return name ? name.get() : L"";
}

std::vector<Entry> LibraryEntries(ITypeLib* library, const TLIBATTR& attr, const std::wstring& module,
                                  const std::wstring& folder) {
  const std::wstring version = Hex(attr.wMajorVerNum) + L"." + Hex(attr.wMinorVerNum);
  const std::wstring key = L"TypeLib\\" + GuidText(attr.guid) + L"\\" + version;
  const wchar_t* platform = attr.syskind == SYS_WIN64 ? L"win64" : L"win32";
  // In hexadecimal, as the library declares them: the loader's disk-image flag
  // says how the library was read, not what it declares.
  const unsigned flags = attr.wLibFlags & ~LIBFLAG_FHASDISKIMAGE;
  return {
      {key, nullptr, LibraryDescription(library)},
      {key + L"\\" + Hex(attr.lcid) + L"\\" + platform, nullptr, module},
      {key + L"\\FLAGS", nullptr, Hex(flags)},
      {key + L"\\HELPDIR", nullptr, folder},
  };
}

// One interface's keys, bound to its marshaler and to the library.
void AddInterface(ITypeInfo* info, const TYPEATTR& attr, const TLIBATTR& library, std::vector<Entry>& entries) {
  const bool vtable = attr.typekind == TKIND_INTERFACE || (attr.wTypeFlags & TYPEFLAG_FDUAL);
  const wchar_t* marshaler = vtable ? kTypeLibMarshaler : kDispatchMarshaler;
  com::UniqueBstr name;
  info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
  const std::wstring key = L"Interface\\" + GuidText(attr.guid);
  entries.push_back({key, nullptr, std::wstring(name ? name.get() : L"")});
  entries.push_back({key + L"\\ProxyStubClsid", nullptr, marshaler});
  entries.push_back({key + L"\\ProxyStubClsid32", nullptr, marshaler});
  entries.push_back({key + L"\\TypeLib", nullptr, GuidText(library.guid)});
  entries.push_back({key + L"\\TypeLib", L"Version", Hex(library.wMajorVerNum) + L"." + Hex(library.wMinorVerNum)});
}

// Dispinterfaces and automation-compatible interfaces, as RegisterTypeLib lists them.
void AddInterfaceEntries(ITypeLib* library, const TLIBATTR& libraryAttr, std::vector<Entry>& entries) {
  for (UINT index = 0; index < library->GetTypeInfoCount(); ++index) {
    com::ComPtr<ITypeInfo> info;
    TYPEATTR* attr = nullptr;
    if (FAILED(library->GetTypeInfo(index, info.put())) || FAILED(info->GetTypeAttr(&attr))) continue;
    const bool automation = attr->typekind == TKIND_DISPATCH ||
                            (attr->typekind == TKIND_INTERFACE && (attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION));
    if (automation) AddInterface(info.get(), *attr, libraryAttr, entries);
    info->ReleaseTypeAttr(attr);
  }
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::string XmlAttribute(const std::wstring& text) {
  std::string escaped;
  for (char c : Utf8(text)) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// Where the entries go: HKEY_CLASSES_ROOT, or a spelled-out root and key.
struct Placement {
  const char* root;
  std::wstring keyPrefix;
  bool firstIsKeyPath;
};

// A key without a value is the Registry table's name "*" with no value:
// created on install and removed on uninstall. Values go with the component.
std::string WixElement(const Entry& entry, const Placement& placement, bool keyPath) {
  std::string element = std::string("    <RegistryValue Root=\"") + placement.root + "\" Key=\"" +
                        XmlAttribute(placement.keyPrefix + entry.key) + "\"";
  if (keyPath) element += " KeyPath=\"yes\"";
  if (!entry.value) return element + " Name=\"*\" Type=\"string\" Value=\"\"/>\n";
  if (entry.name) element += " Name=\"" + XmlAttribute(entry.name) + "\"";
  return element + " Type=\"string\" Value=\"" + XmlAttribute(*entry.value) + "\"/>\n";
}

bool WriteInclude(const wchar_t* path, const std::vector<Entry>& entries, const Placement& placement) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
         "<!-- Generated at build time from the control's registration record and type library. -->\n"
         "<Include>\n";
  bool keyPath = placement.firstIsKeyPath;
  for (const Entry& entry : entries) {
    out << WixElement(entry, placement, keyPath && entry.value);
    if (entry.value) keyPath = false;
  }
  out << "</Include>\n";
  return out.good();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool perUser = argc > 1 && std::wstring(argv[1]) == L"--per-user";
  if (perUser) --argc, ++argv;
  if (argc != 5 && argc != 6) {
    std::puts("usage: registry_wxs [--per-user] OCX MODULE_VALUE FOLDER_VALUE OUTPUT [OTHER_VIEW_OUTPUT]");
    return 2;
  }
  const std::wstring module = argv[2], folder = argv[3];
  com::ComPtr<ITypeLib> library;
  if (FAILED(LoadTypeLibEx(argv[1], REGKIND_NONE, library.put()))) {
    std::puts("registry_wxs: cannot load the type library");
    return 1;
  }
  TLIBATTR* attr = nullptr;
  if (FAILED(library->GetLibAttr(&attr))) return 1;
  std::vector<Entry> libraryEntries = LibraryEntries(library.get(), *attr, module, folder);
  AddInterfaceEntries(library.get(), *attr, libraryEntries);
  library->ReleaseTLibAttr(attr);

  std::vector<Entry> entries = component::registration::ClassEntries(module);
  entries.insert(entries.end(), libraryEntries.begin(), libraryEntries.end());
  const Placement machine{"HKCR", L"", false};
  const Placement user{"HKCU", L"Software\\Classes\\", true};
  if (!WriteInclude(argv[4], entries, perUser ? user : machine)) return 1;
  // A 64-bit RegisterTypeLib also lists the library and its interfaces in the
  // 32-bit registry view, so 32-bit clients can marshal them.
  const Placement userOtherView{"HKCU", L"Software\\Classes\\Wow6432Node\\", true};
  return argc == 6 && !WriteInclude(argv[5], libraryEntries, perUser ? userOtherView : machine) ? 1 : 0;
}
