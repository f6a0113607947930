// The type library widl makes from the shipped IDL against the shipped one:
// the same library, types, identifiers, members, dispatch ids, parameters and
// help strings, read back through ITypeLib. Each type is written out as lines
// of text and the lines compared, so a failure shows what differs.
// Usage: typelib_match_test SHIPPED.tlb FROM_IDL.tlb
#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <string>
#include <vector>

#include "component/com/com_ptr.h"
#include "component/com/unique.h"
#include "tests/windows/check.h"

using com::ComPtr;

namespace {

// Where the two writers differ in form only, left out on both sides: MIDL
// marks a coclass creatable unless told otherwise; widl refuses nonextensible
// or a version on a dispinterface (the IDL gives them to MIDL) and help strings on
// enumeration constants, and types the constants int where the shipped
// library says long (both 32 bits); oleaut32's writer lists IDispatch's
// restricted methods in a dispinterface and names neither the [retval]
// parameter nor a property put's value.
constexpr WORD kIgnoredTypeFlags = TYPEFLAG_FCANCREATE | TYPEFLAG_FNONEXTENSIBLE;

bool Unnamed(const FUNCDESC& f, SHORT parameter) {
  return (f.lprgelemdescParam[parameter].paramdesc.wParamFlags & PARAMFLAG_FRETVAL) ||
         (f.invkind == INVOKE_PROPERTYPUT && parameter == f.cParams - 1);
}

std::string Text(BSTR text) { return text ? check::Narrow(text) : ""; }

std::string Number(long long value) { return std::to_string(value); }

std::string Documentation(ITypeInfo* info, MEMBERID id) {
  com::UniqueBstr name, doc;
  info->GetDocumentation(id, name.put(), doc.put(), nullptr, nullptr);
  return Text(name.get()) + (doc ? " \"" + Text(doc.get()) + "\"" : "");
}

std::string TypeName(ITypeInfo* info, const TYPEDESC& type) {
  if (type.vt == VT_PTR) return TypeName(info, *type.lptdesc) + "*";
  if (type.vt != VT_USERDEFINED) return "vt" + Number(type.vt);
  ComPtr<ITypeInfo> referenced;
  if (FAILED(info->GetRefTypeInfo(type.hreftype, referenced.put()))) return "unresolved";
  return Documentation(referenced.get(), MEMBERID_NIL);
}

void DescribeFunctions(ITypeInfo* info, const TYPEATTR& attributes, std::vector<std::string>& lines) {
  for (UINT i = 0; i < attributes.cFuncs; ++i) {
    FUNCDESC* f = nullptr;
    if (FAILED(info->GetFuncDesc(i, &f))) {
      lines.push_back("function " + Number(i) + " unreadable");
      continue;
    }
    if (f->funckind == FUNC_DISPATCH && (f->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
      info->ReleaseFuncDesc(f);
      continue;
    }
    BSTR names[16] = {};
    UINT count = 0;
    info->GetNames(f->memid, names, 16, &count);
    std::string line = "function " + Documentation(info, f->memid) + " id " + Number(f->memid) + " invoke " +
                       Number(f->invkind) + " kind " + Number(f->funckind) + " flags " + Number(f->wFuncFlags) +
                       " returns " + TypeName(info, f->elemdescFunc.tdesc) + " (";
    for (SHORT p = 0; p < f->cParams; ++p) {
      const ELEMDESC& parameter = f->lprgelemdescParam[p];
      line += (p ? ", " : "") + TypeName(info, parameter.tdesc) + " flags " + Number(parameter.paramdesc.wParamFlags) +
              " " + (p + 1u < count && !Unnamed(*f, p) ? Text(names[p + 1]) : "");
    }
    for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
    lines.push_back(line + ")");
    info->ReleaseFuncDesc(f);
  }
}

void DescribeConstants(ITypeInfo* info, const TYPEATTR& attributes, std::vector<std::string>& lines) {
  for (UINT i = 0; i < attributes.cVars; ++i) {
    VARDESC* v = nullptr;
    if (FAILED(info->GetVarDesc(i, &v))) {
      lines.push_back("constant " + Number(i) + " unreadable");
      continue;
    }
    com::UniqueBstr name;
    UINT count = 0;
    info->GetNames(v->memid, name.put(), 1, &count);
    const bool isLong = v->varkind == VAR_CONST && v->lpvarValue && V_VT(v->lpvarValue) == VT_I4;
    lines.push_back("constant " + Text(name.get()) + " = " + (isLong ? Number(V_I4(v->lpvarValue)) : "?"));
    info->ReleaseVarDesc(v);
  }
}

void DescribeImplemented(ITypeInfo* info, const TYPEATTR& attributes, std::vector<std::string>& lines) {
  for (UINT i = 0; i < attributes.cImplTypes; ++i) {
    HREFTYPE ref = 0;
    INT flags = 0;
    ComPtr<ITypeInfo> base;
    info->GetImplTypeFlags(i, &flags);
    if (FAILED(info->GetRefTypeOfImplType(i, &ref)) || FAILED(info->GetRefTypeInfo(ref, base.put()))) {
      lines.push_back("implements " + Number(i) + " unreadable");
      continue;
    }
    lines.push_back("implements " + Documentation(base.get(), MEMBERID_NIL) + " flags " + Number(flags));
  }
}

void Describe(ITypeInfo* info, std::vector<std::string>& lines) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) {
    lines.push_back("unreadable type");
    return;
  }
  const bool dual = attributes->typekind == TKIND_DISPATCH && (attributes->wTypeFlags & TYPEFLAG_FDUAL);
  const bool dispinterface = attributes->typekind == TKIND_DISPATCH && !dual;
  lines.push_back(
      "type " + Documentation(info, MEMBERID_NIL) + " " + check::Show(attributes->guid) + " kind " +
      Number(attributes->typekind) + " flags " + Number(attributes->wTypeFlags & ~kIgnoredTypeFlags) +
      (dispinterface ? "" : " version " + Number(attributes->wMajorVerNum) + "." + Number(attributes->wMinorVerNum)));
  DescribeImplemented(info, *attributes, lines);
  DescribeFunctions(info, *attributes, lines);
  DescribeConstants(info, *attributes, lines);
  info->ReleaseTypeAttr(attributes);
  // A dual interface's vtable view, whose order fixes the slots C++ calls.
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> vtable;
  if (dual && SUCCEEDED(info->GetRefTypeOfImplType(-1, &ref)) && SUCCEEDED(info->GetRefTypeInfo(ref, vtable.put()))) {
    lines.push_back("vtable view:");
    Describe(vtable.get(), lines);
  }
}

std::vector<std::string> DescribeLibrary(ITypeLib* library) {
  std::vector<std::string> lines;
  TLIBATTR* attributes = nullptr;
  if (SUCCEEDED(library->GetLibAttr(&attributes))) {
    com::UniqueBstr name, doc;
    library->GetDocumentation(-1, name.put(), doc.put(), nullptr, nullptr);
    lines.push_back("library " + Text(name.get()) + " \"" + Text(doc.get()) + "\" " + check::Show(attributes->guid) +
                    " version " + Number(attributes->wMajorVerNum) + "." + Number(attributes->wMinorVerNum) +
                    " locale " + Number(attributes->lcid) + " flags " + Number(attributes->wLibFlags));
    library->ReleaseTLibAttr(attributes);
  }
  // In the shipped library's order; the IDL may define them in another.
  lines.push_back("types " + Number(library->GetTypeInfoCount()));
  return lines;
}

std::vector<std::string> DescribeTypes(ITypeLib* shipped, ITypeLib* library) {
  std::vector<std::string> lines;
  for (UINT i = 0; i < shipped->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> ordered, info;
    TYPEATTR* attributes = nullptr;
    if (FAILED(shipped->GetTypeInfo(i, ordered.put())) || FAILED(ordered->GetTypeAttr(&attributes))) continue;
    const GUID guid = attributes->guid;
    ordered->ReleaseTypeAttr(attributes);
    if (FAILED(library->GetTypeInfoOfGuid(guid, info.put()))) {
      lines.push_back("no type " + check::Show(guid));
      continue;
    }
    Describe(info.get(), lines);
  }
  return lines;
}

void CompareLines(const std::vector<std::string>& shipped, const std::vector<std::string>& fromIdl) {
  const size_t count = std::max(shipped.size(), fromIdl.size());
  for (size_t i = 0; i < count; ++i) {
    const std::string expected = i < shipped.size() ? shipped[i] : "(nothing)";
    const std::string actual = i < fromIdl.size() ? fromIdl[i] : "(nothing)";
    check::context = "line " + std::to_string(i + 1);
    CHECK_EQ(actual, expected);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  CoInitialize(nullptr);
  {
    ComPtr<ITypeLib> shipped, fromIdl;
    CHECK_EQ(LoadTypeLibEx(argv[1], REGKIND_NONE, shipped.put()), S_OK);
    CHECK_EQ(LoadTypeLibEx(argv[2], REGKIND_NONE, fromIdl.put()), S_OK);
    if (shipped && fromIdl) {
      const std::vector<std::string> expected = DescribeTypes(shipped.get(), shipped.get());
      CompareLines(DescribeLibrary(shipped.get()), DescribeLibrary(fromIdl.get()));
      CompareLines(expected, DescribeTypes(shipped.get(), fromIdl.get()));
      std::printf("%zu lines of type information alike\n", expected.size());
    }
  }
  CoUninitialize();
  return check::Result();
}
