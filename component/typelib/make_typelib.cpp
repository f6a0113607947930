// Writes the control's type library with oleaut32's type library writer, so
// its type order, names and flags are exactly the ones hosts bind to.
// Usage: make_typelib OUTPUT.tlb
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "component/automation_interface.h"
#include "component/com/com_ptr.h"
#include "component/identity.h"

using com::ComPtr;

namespace {

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) {
    char message[160];
    std::snprintf(message, sizeof message, "%s failed: 0x%08lx", what, static_cast<unsigned long>(hr));
    throw std::runtime_error(message);
  }
}

using component::automation::ControlClass;
using component::automation::Type;

// Each class's four types follow the previous class's; the coclass is the
// second of them.
constexpr int kTypesPerClass = 4, kClassOffset = 1;

LPOLESTR Ole(const wchar_t* text) { return const_cast<LPOLESTR>(text); }

TYPEDESC Scalar(VARTYPE vt) {
  TYPEDESC type{};
  type.vt = vt;
  return type;
}

TYPEDESC PointerTo(TYPEDESC* target) {
  TYPEDESC type{};
  type.lptdesc = target;
  type.vt = VT_PTR;
  return type;
}

TYPEDESC UserDefined(HREFTYPE ref) {
  TYPEDESC type{};
  type.hreftype = ref;
  type.vt = VT_USERDEFINED;
  return type;
}

// A parameter's type as the writer wants it; `pointee` is what a pointer
// type points to, so the pair must stay where it is until the function is added.
struct ParameterType {
  TYPEDESC pointee{};
  TYPEDESC type{};
};

HREFTYPE Reference(ICreateTypeInfo* from, ICreateTypeInfo* to) {
  ComPtr<ITypeInfo> target;
  Check(to->QueryInterface(__uuidof(ITypeInfo), target.put_void()), "QueryInterface(ITypeInfo)");
  HREFTYPE ref = 0;
  Check(from->AddRefTypeInfo(target.get(), &ref), "AddRefTypeInfo");
  return ref;
}

// The enumerations written so far, by their record.
using Enumerations = std::map<const component::automation::Enumeration*, ICreateTypeInfo*>;

// The references a type holds to the library's enumerations, added before
// anything else and in the order its members first name them, as the first
// class's interface has always been written.
class EnumReferences {
 public:
  EnumReferences(ICreateTypeInfo* from, std::span<const component::automation::Member> members,
                 const Enumerations& enumerations) {
    for (const component::automation::Member& member : members)
      for (const component::automation::Parameter& parameter : member.parameters)
        if (const auto* enumeration = component::automation::EnumerationOf(parameter.type);
            enumeration && !refs_.contains(enumeration))
          refs_[enumeration] = Reference(from, enumerations.at(enumeration));
  }

  TYPEDESC TypeOf(Type type) const {
    const component::automation::Enumeration* enumeration = component::automation::EnumerationOf(type);
    return enumeration ? UserDefined(refs_.at(enumeration)) : Scalar(component::automation::VarTypeOf(type));
  }

 private:
  std::map<const component::automation::Enumeration*, HREFTYPE> refs_;
};

USHORT ParameterFlags(component::automation::Passing passing) {
  switch (passing) {
    case component::automation::Passing::In:
      return PARAMFLAG_FIN;
    case component::automation::Passing::InOut:
      return PARAMFLAG_FIN | PARAMFLAG_FOUT;
    case component::automation::Passing::Retval:
      return PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
  }
  return 0;
}

void AddFunction(ICreateTypeInfo* info, UINT index, FUNCKIND kind, VARTYPE result, const component::automation::Member& f,
                 const EnumReferences& enums) {
  std::vector<ParameterType> types(f.parameters.size());
  std::vector<ELEMDESC> params;
  std::vector<std::wstring> nameTexts{std::wstring(f.name)};
  for (size_t i = 0; i < f.parameters.size(); ++i) {
    const component::automation::Parameter& p = f.parameters[i];
    types[i].pointee = enums.TypeOf(p.type);
    types[i].type = p.passing == component::automation::Passing::In ? types[i].pointee : PointerTo(&types[i].pointee);
    ELEMDESC elem{};
    elem.tdesc = types[i].type;
    elem.paramdesc.wParamFlags = ParameterFlags(p.passing);
    params.push_back(elem);
    // The [retval] parameter has no name in a type library.
    if (p.passing != component::automation::Passing::Retval) nameTexts.emplace_back(p.name);
  }
  std::vector<LPOLESTR> names;
  for (std::wstring& text : nameTexts) names.push_back(text.data());
  // oleaut32 takes no name for a property put's value parameter (it rejects
  // more names than parameters), so New_* stays in the table only.
  if (f.kind == INVOKE_PROPERTYPUT) names.resize(params.size());
  FUNCDESC desc{};
  desc.memid = f.id;
  desc.lprgelemdescParam = params.data();
  desc.funckind = kind;
  desc.invkind = f.kind;
  desc.callconv = CC_STDCALL;
  desc.cParams = static_cast<SHORT>(params.size());
  desc.elemdescFunc.tdesc = Scalar(result);
  desc.wFuncFlags = f.flags;
  Check(info->AddFuncDesc(index, &desc), "AddFuncDesc");
  Check(info->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size())), "SetFuncAndParamNames");
  if (f.help) Check(info->SetFuncDocString(index, Ole(f.help)), "SetFuncDocString");
}

ComPtr<ICreateTypeInfo> CreateType(ICreateTypeLib2* lib, const wchar_t* name, TYPEKIND kind, const GUID& guid,
                                   UINT flags) {
  ComPtr<ICreateTypeInfo> info;
  Check(lib->CreateTypeInfo(Ole(name), kind, info.put()), "CreateTypeInfo");
  Check(info->SetGuid(guid), "SetGuid");
  Check(info->SetVersion(component::identity::kMajorVersion, component::identity::kMinorVersion), "SetVersion");
  if (kind != TKIND_INTERFACE) Check(info->SetTypeFlags(flags), "SetTypeFlags");
  return info;
}

void Inherit(ICreateTypeInfo* info, ITypeInfo* base) {
  HREFTYPE ref = 0;
  Check(info->AddRefTypeInfo(base, &ref), "AddRefTypeInfo(base)");
  Check(info->AddImplType(0, ref), "AddImplType(base)");
}

void DefineEnumeration(ICreateTypeInfo* info, const component::automation::Enumeration& enumeration) {
  UINT index = 0;
  for (std::wstring_view constant : enumeration.names) {
    std::wstring name(constant);
    VARIANT value;
    V_VT(&value) = VT_I4;
    V_I4(&value) = enumeration.first + static_cast<LONG>(index);
    VARDESC desc{};
    desc.memid = MEMBERID_NIL;
    desc.lpvarValue = &value;
    desc.elemdescVar.tdesc = Scalar(VT_I4);
    desc.varkind = VAR_CONST;
    Check(info->AddVarDesc(index, &desc), "AddVarDesc");
    Check(info->SetVarName(index, name.data()), "SetVarName");
    Check(info->SetVarDocString(index, name.data()), "SetVarDocString");
    ++index;
  }
}

void DefineInterface(ICreateTypeInfo* info, ITypeInfo* dispatch, const ControlClass& control,
                     const Enumerations& enumerations) {
  const EnumReferences enums(info, control.members, enumerations);
  Inherit(info, dispatch);
  UINT index = 0;
  for (const component::automation::Member& f : control.members)
    AddFunction(info, index++, FUNC_PUREVIRTUAL, VT_HRESULT, f, enums);
  Check(info->SetTypeFlags(TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION |
                           TYPEFLAG_FDISPATCHABLE),
        "SetTypeFlags(interface)");
}

void DefineEvents(ICreateTypeInfo* info, ITypeInfo* dispatch, const ControlClass& control,
                  const Enumerations& enumerations) {
  const EnumReferences enums(info, control.events, enumerations);
  Inherit(info, dispatch);
  UINT index = 0;
  for (const component::automation::Member& f : control.events) AddFunction(info, index++, FUNC_DISPATCH, VT_VOID, f, enums);
}

void DefineCoclass(ICreateTypeInfo* info, ICreateTypeInfo* defaultInterface, ICreateTypeInfo* events) {
  Check(info->AddImplType(0, Reference(info, defaultInterface)), "AddImplType(default)");
  Check(info->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT), "SetImplTypeFlags(default)");
  Check(info->AddImplType(1, Reference(info, events)), "AddImplType(source)");
  Check(info->SetImplTypeFlags(1, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE), "SetImplTypeFlags(source)");
}

// The class's types, each created first and filled in afterwards:
// creation order is the order in the file. `types` keeps them alive until the
// library is saved.
void WriteClass(ICreateTypeLib2* lib, ITypeInfo* dispatch, const ControlClass& control, Enumerations& enumerations,
                std::vector<ComPtr<ICreateTypeInfo>>& types) {
  const std::wstring interfaceName(control.interfaceName), className(control.name), eventsName(control.eventsName);
  auto iface = CreateType(lib, interfaceName.c_str(), TKIND_INTERFACE, control.interfaceId, 0);
  auto coclass = CreateType(lib, className.c_str(), TKIND_COCLASS, control.classId, TYPEFLAG_FCONTROL);
  auto events = CreateType(lib, eventsName.c_str(), TKIND_DISPATCH, control.eventsId,
                           TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE);
  std::vector<ComPtr<ICreateTypeInfo>> introduced;
  for (const component::automation::Enumeration* enumeration : control.enumerations) {
    const std::wstring name(enumeration->name);
    introduced.push_back(CreateType(lib, name.c_str(), TKIND_ENUM, enumeration->id, 0));
    DefineEnumeration(introduced.back().get(), *enumeration);
    enumerations[enumeration] = introduced.back().get();
  }
  DefineInterface(iface.get(), dispatch, control, enumerations);
  DefineEvents(events.get(), dispatch, control, enumerations);
  DefineCoclass(coclass.get(), iface.get(), events.get());
  for (auto* type : {&iface, &coclass, &events}) types.push_back(std::move(*type));
  for (auto& type : introduced) types.push_back(std::move(type));
}

void WriteLibrary(const wchar_t* path) {
  ComPtr<ICreateTypeLib2> lib;
  Check(CreateTypeLib2(component::identity::kSysKind, path, lib.put()), "CreateTypeLib2");
  Check(lib->SetName(Ole(component::identity::kLibraryName)), "SetName");
  Check(lib->SetGuid(component::identity::kTypeLibId), "SetGuid");
  Check(lib->SetDocString(Ole(component::identity::kLibraryDescription)), "SetDocString");
  Check(lib->SetHelpContext(0), "SetHelpContext");
  Check(lib->SetVersion(component::identity::kMajorVersion, component::identity::kMinorVersion), "SetVersion");
  Check(lib->SetLcid(component::identity::kLocale), "SetLcid");
  Check(lib->SetLibFlags(LIBFLAG_FCONTROL), "SetLibFlags");

  ComPtr<ITypeLib> stdole;
  Check(LoadTypeLib(L"stdole2.tlb", stdole.put()), "LoadTypeLib(stdole2)");
  ComPtr<ITypeInfo> dispatch;
  Check(stdole->GetTypeInfoOfGuid(IID_IDispatch, dispatch.put()), "GetTypeInfoOfGuid(IDispatch)");

  Enumerations enumerations;
  std::vector<ComPtr<ICreateTypeInfo>> types;
  for (const ControlClass* control : component::automation::kClasses)
    WriteClass(lib.get(), dispatch.get(), *control, enumerations, types);
  Check(lib->SaveAllChanges(), "SaveAllChanges");
}

// The writer marks a coclass dispatchable on its own; the class must carry the
// control flag alone, so the flag word of its record is rewritten in the file.
void ClearTypeFlag(const wchar_t* path, int typeIndex, UINT flag) {
  constexpr std::streamoff kHeaderSize = 0x54, kFlagsOffset = 0x30;
  constexpr INT kHelpDllFlag = 0x100;
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  auto readInt = [&](std::streamoff at) {
    INT value = 0;
    file.seekg(at);
    file.read(reinterpret_cast<char*>(&value), sizeof value);
    return value;
  };
  if (readInt(0) != 0x5446534D) throw std::runtime_error("not an MSFT type library");
  // The header is followed by an optional help DLL offset, the offset of each
  // type's record within the record table, then the segment directory whose
  // first entry locates that table.
  const std::streamoff offsets = kHeaderSize + ((readInt(0x14) & kHelpDllFlag) ? 4 : 0);
  const std::streamoff directory = offsets + 4 * readInt(0x20);
  const std::streamoff flagsAt = readInt(directory) + readInt(offsets + 4 * typeIndex) + kFlagsOffset;
  const INT flags = readInt(flagsAt) & ~static_cast<INT>(flag);
  file.seekp(flagsAt);
  file.write(reinterpret_cast<const char*>(&flags), sizeof flags);
  if (!file) throw std::runtime_error("patching the type library failed");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: make_typelib OUTPUT.tlb\n", stderr);
    return 2;
  }
  try {
    Check(CoInitialize(nullptr), "CoInitialize");
    WriteLibrary(argv[1]);
    CoUninitialize();
    for (int i = 0; i < static_cast<int>(std::size(component::automation::kClasses)); ++i)
      ClearTypeFlag(argv[1], i * kTypesPerClass + kClassOffset, TYPEFLAG_FDISPATCHABLE);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_typelib: %s\n", e.what());
    return 1;
  }
  return 0;
}
