// Loads the type library embedded in the built module with the platform's
// loader and checks every attribute hosts bind to.
// Usage: typelib_test MODULE
#include <windows.h>
#include <oleauto.h>

#include <iterator>
#include <string>
#include <vector>

#include "component/com/com_ptr.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "tests/windows/check.h"

using com::ComPtr;

namespace {

// {00020430-0000-0000-C000-000000000046}
constexpr GUID kStdOleId = {0x00020430, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr USHORT kIn = PARAMFLAG_FIN, kInOut = PARAMFLAG_FIN | PARAMFLAG_FOUT;
constexpr USHORT kRetval = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
constexpr wchar_t kEnabledHelp[] =
    L"Returns/sets a value that determines whether an object can respond to user-generated events.";

struct Param {
  VARTYPE vt;
  VARTYPE pointee;  // for VT_PTR
  USHORT flags;
  const wchar_t* userType = L"PieceNum";  // for VT_USERDEFINED
};
constexpr Param kShortRef{VT_PTR, VT_I2, kInOut}, kFloatRef{VT_PTR, VT_R4, kInOut};
constexpr Param kShortIn{VT_I2, VT_EMPTY, kIn};

struct Function {
  MEMBERID id;
  INVOKEKIND invoke;
  std::vector<Param> params;
  WORD flags = 0;
};

struct Member {
  MEMBERID id;
  std::vector<std::wstring> names;  // the member's, then its parameters'
  const wchar_t* help = L"";
};

std::wstring Text(const com::UniqueBstr& text) { return text ? text.get() : L""; }

struct Documentation {
  std::wstring name, help;
  DWORD context = 0;
  std::wstring file;
};

template <class Owner>
Documentation Document(Owner* owner, MEMBERID id) {
  com::UniqueBstr name, help, file;
  Documentation doc;
  CHECK_EQ(owner->GetDocumentation(id, name.put(), help.put(), &doc.context, file.put()), S_OK);
  doc.name = Text(name);
  doc.help = Text(help);
  doc.file = Text(file);
  return doc;
}

std::wstring NameOf(ITypeInfo* info) { return Document(info, MEMBERID_NIL).name; }

// Type attributes, released with the type info that lent them.
class Attributes {
 public:
  explicit Attributes(ITypeInfo* info) : info_(info) { CHECK_EQ(info->GetTypeAttr(&attr_), S_OK); }
  ~Attributes() { info_->ReleaseTypeAttr(attr_); }
  Attributes(const Attributes&) = delete;
  Attributes& operator=(const Attributes&) = delete;
  const TYPEATTR* operator->() const { return attr_; }

 private:
  ITypeInfo* info_;
  TYPEATTR* attr_ = nullptr;
};

void CheckType(ITypeInfo* info, const GUID& guid, TYPEKIND kind, WORD flags) {
  Attributes attr(info);
  CHECK_EQ(attr->guid, guid);
  CHECK_EQ(attr->typekind, kind);
  CHECK_EQ(attr->wTypeFlags, flags);
  CHECK_EQ(attr->wMajorVerNum, 1);
  CHECK_EQ(attr->wMinorVerNum, 0);
  CHECK_EQ(attr->lcid, component::identity::kLocale);
  CHECK_EQ(Document(info, MEMBERID_NIL).help, L"");
}

ComPtr<ITypeInfo> ImplType(ITypeInfo* info, UINT index) {
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> result;
  CHECK_EQ(info->GetRefTypeOfImplType(index, &ref), S_OK);
  CHECK_EQ(info->GetRefTypeInfo(ref, result.put()), S_OK);
  return result;
}

void CheckInheritsDispatch(ITypeInfo* info) {
  CHECK_EQ(Attributes(info)->cImplTypes, 1);
  auto base = ImplType(info, 0);
  if (!base) return;
  CHECK_EQ(Attributes(base.get())->guid, IID_IDispatch);
  ComPtr<ITypeLib> stdole;
  UINT index = 0;
  CHECK_EQ(base->GetContainingTypeLib(stdole.put(), &index), S_OK);
  if (!stdole) return;
  TLIBATTR* attr = nullptr;
  CHECK_EQ(stdole->GetLibAttr(&attr), S_OK);
  CHECK_EQ(attr->guid, kStdOleId);
  CHECK_EQ(attr->wMajorVerNum, 2);
  CHECK_EQ(attr->wMinorVerNum, 0);
  stdole->ReleaseTLibAttr(attr);
}

void CheckTypeDesc(ITypeInfo* owner, const TYPEDESC& type, VARTYPE vt, VARTYPE pointee,
                   const wchar_t* userType = L"PieceNum") {
  CHECK_EQ(type.vt, vt);
  if (type.vt != vt) return;
  const TYPEDESC* target = &type;
  if (vt == VT_PTR) {
    target = type.lptdesc;
    CHECK_EQ(target->vt, pointee);
  }
  if (target->vt == VT_USERDEFINED) {
    ComPtr<ITypeInfo> referenced;
    CHECK_EQ(owner->GetRefTypeInfo(target->hreftype, referenced.put()), S_OK);
    if (referenced) CHECK_EQ(NameOf(referenced.get()), userType);
  }
}

// One function as its FUNCDESC reads, with the result type a caller sees.
void CheckFunction(ITypeInfo* info, UINT index, const Function& expected, FUNCKIND kind, VARTYPE result,
                   VARTYPE resultPointee, size_t paramCount) {
  FUNCDESC* desc = nullptr;
  CHECK_EQ(info->GetFuncDesc(index, &desc), S_OK);
  if (!desc) return;
  CHECK_EQ(desc->memid, expected.id);
  CHECK_EQ(desc->invkind, expected.invoke);
  CHECK_EQ(desc->funckind, kind);
  CHECK_EQ(desc->callconv, CC_STDCALL);
  CHECK_EQ(desc->wFuncFlags, expected.flags);
  CHECK_EQ(desc->cParamsOpt, 0);
  const bool userResult = result == VT_USERDEFINED && !expected.params.empty();
  CheckTypeDesc(info, desc->elemdescFunc.tdesc, result, resultPointee,
                userResult ? expected.params.back().userType : L"PieceNum");
  CHECK_EQ(static_cast<size_t>(desc->cParams), paramCount);
  for (size_t i = 0; i < paramCount && i < static_cast<size_t>(desc->cParams); ++i) {
    const ELEMDESC& param = desc->lprgelemdescParam[i];
    CheckTypeDesc(info, param.tdesc, expected.params[i].vt, expected.params[i].pointee, expected.params[i].userType);
    CHECK_EQ(param.paramdesc.wParamFlags, expected.params[i].flags);
  }
  info->ReleaseFuncDesc(desc);
}

void CheckMembers(ITypeInfo* info, const std::vector<Member>& members) {
  for (const Member& member : members) {
    check::context = check::Narrow(NameOf(info) + L"." + member.names[0]);
    BSTR names[8] = {};
    UINT count = 0;
    CHECK_EQ(info->GetNames(member.id, names, 8, &count), S_OK);
    std::vector<std::wstring> actual;
    for (UINT i = 0; i < count; ++i) {
      actual.emplace_back(names[i]);
      SysFreeString(names[i]);
    }
    CHECK_EQ(actual.size(), member.names.size());
    for (size_t i = 0; i < actual.size() && i < member.names.size(); ++i) CHECK_EQ(actual[i], member.names[i]);
    const Documentation doc = Document(info, member.id);
    CHECK_EQ(doc.name, member.names[0]);
    CHECK_EQ(doc.help, member.help);
  }
}

const std::vector<Function> kDefaultFunctions = {
    {0x68030001, INVOKE_PROPERTYGET, {{VT_PTR, VT_BOOL, kRetval}}},
    {0x68030001, INVOKE_PROPERTYPUT, {{VT_BOOL, VT_EMPTY, kIn}}},
    {0x60030003, INVOKE_FUNC, {}},
    {0x60030004, INVOKE_FUNC, {}},
    {0x60030005, INVOKE_FUNC, {}},
    {0x68030000, INVOKE_PROPERTYGET, {kShortRef, kShortRef, {VT_PTR, VT_USERDEFINED, kRetval}}, FUNCFLAG_FNONBROWSABLE},
    {0x68030000, INVOKE_PROPERTYPUT, {kShortRef, kShortRef, {VT_USERDEFINED, VT_EMPTY, kIn}},
     FUNCFLAG_FNONBROWSABLE},
};

const std::vector<Member> kDefaultMembers = {
    {0x68030001, {L"Enabled"}, kEnabledHelp},
    {0x60030003, {L"Refresh"}, L"Forces a complete repaint of a object."},
    {0x60030004, {L"NewGame"}},
    {0x60030005, {L"Clear"}},
    {0x68030000, {L"Piece", L"col", L"row"}},
};

// _OvlBoard: _OvlChess's members, then the view's and the moves'.
std::vector<Function> BoardFunctions() {
  constexpr Param kMarkRetval{VT_PTR, VT_USERDEFINED, kRetval, L"MarkNum"}, kMarkIn{VT_USERDEFINED, VT_EMPTY, kIn, L"MarkNum"};
  std::vector<Function> functions = kDefaultFunctions;
  const auto property = [&](MEMBERID id, VARTYPE vt) {
    functions.push_back({id, INVOKE_PROPERTYGET, {{VT_PTR, vt, kRetval}}});
    functions.push_back({id, INVOKE_PROPERTYPUT, {{vt, VT_EMPTY, kIn}}});
  };
  property(0x68030006, VT_BSTR);
  property(0x68030007, VT_BOOL);
  property(0x68030008, VT_BOOL);
  functions.push_back({0x68030009, INVOKE_PROPERTYGET, {kShortRef, kShortRef, kMarkRetval}});
  functions.push_back({0x68030009, INVOKE_PROPERTYPUT, {kShortRef, kShortRef, kMarkIn}});
  functions.push_back({0x6003000A, INVOKE_FUNC, {}});
  functions.push_back({0x6003000B, INVOKE_FUNC, {kShortIn, kShortIn, kShortIn, kShortIn}});
  functions.push_back({0x6003000C, INVOKE_FUNC, {}});
  property(0x6803000D, VT_BOOL);
  functions.push_back({0x6803000E, INVOKE_PROPERTYGET, {{VT_PTR, VT_USERDEFINED, kRetval, L"SideNum"}}});
  functions.push_back({0x6803000E, INVOKE_PROPERTYPUT, {{VT_USERDEFINED, VT_EMPTY, kIn, L"SideNum"}}});
  property(0x6803000F, VT_I4);
  functions.push_back({0x60030010, INVOKE_FUNC, {kShortIn, kShortIn, kShortIn, kShortIn}});
  functions.push_back({0x60030011, INVOKE_FUNC, {kShortIn, kShortIn}});
  return functions;
}

std::vector<Member> BoardMembers() {
  std::vector<Member> members = kDefaultMembers;
  members.insert(members.end(),
                 {{0x68030006, {L"Position"}, L"Returns/sets the position as the piece-placement field of FEN."},
                  {0x68030007, {L"Flipped"},
                   L"Returns/sets a value that determines whether the board is shown turned round, row 8 at the top."},
                  {0x68030008, {L"ShowCoordinates"},
                   L"Returns/sets a value that determines whether the columns and rows are labelled along the board's "
                   L"edges."},
                  {0x68030009, {L"Mark", L"col", L"row"}, L"Returns/sets the mark shown on a square."},
                  {0x6003000A, {L"ClearMarks"}, L"Removes every mark from the board."},
                  {0x6003000B, {L"DrawArrow", L"fromCol", L"fromRow", L"toCol", L"toRow"},
                   L"Draws an arrow from one square to another."},
                  {0x6003000C, {L"ClearArrows"}, L"Removes every arrow from the board."},
                  {0x6803000D, {L"AllowMoves"},
                   L"Returns/sets a value that determines whether the user can move pieces on the board."},
                  {0x6803000E, {L"MovableSide"}, L"Returns/sets which side's pieces the user can pick up."},
                  {0x6803000F, {L"AnimationTime"},
                   L"Returns/sets how many milliseconds a moved piece takes to slide to its square, 0 for none."},
                  {0x60030010, {L"MovePiece", L"fromCol", L"fromRow", L"toCol", L"toRow"},
                   L"Moves a piece from one square to another, sliding it there."},
                  {0x60030011, {L"ChoosePromotion", L"col", L"row"},
                   L"Shows over a pawn's square the pieces it may become, for the user to choose."}});
  return members;
}

// What one class's types must read as.
struct Expected {
  const wchar_t* interfaceName;
  const wchar_t* className;
  const wchar_t* eventsName;
  GUID classId, interfaceId, eventsId;
  std::vector<Function> functions;
  std::vector<Member> members;
};

const Expected& Chess() {
  static const Expected expected{L"_OvlChess",
                                 L"OvlChess",
                                 L"__OvlChess",
                                 component::identity::kClassId,
                                 component::identity::kDefaultInterfaceId,
                                 component::identity::kEventInterfaceId,
                                 kDefaultFunctions,
                                 kDefaultMembers};
  return expected;
}

const Expected& Board() {
  static const Expected expected{L"_OvlBoard",
                                 L"OvlBoard",
                                 L"__OvlBoard",
                                 component::identity::kBoardClassId,
                                 component::identity::kBoardInterfaceId,
                                 component::identity::kBoardEventInterfaceId,
                                 BoardFunctions(),
                                 BoardMembers()};
  return expected;
}

constexpr WORD kDefaultFlags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                               TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

// A dispatch view lists IDispatch's methods first, restricted; the type's own
// functions are the rest.
std::vector<UINT> OwnFunctions(ITypeInfo* info) {
  std::vector<UINT> own;
  for (UINT i = 0; i < Attributes(info)->cFuncs; ++i) {
    FUNCDESC* desc = nullptr;
    CHECK_EQ(info->GetFuncDesc(i, &desc), S_OK);
    if (desc && !(desc->wFuncFlags & FUNCFLAG_FRESTRICTED)) own.push_back(i);
    if (desc) info->ReleaseFuncDesc(desc);
  }
  return own;
}

// The vtable half of the dual interface: HRESULT methods with [retval] last.
void CheckVtableInterface(ITypeInfo* dispatchView, const Expected& expected) {
  HREFTYPE ref = 0;
  CHECK_EQ(dispatchView->GetRefTypeOfImplType(-1, &ref), S_OK);
  ComPtr<ITypeInfo> info;
  CHECK_EQ(dispatchView->GetRefTypeInfo(ref, info.put()), S_OK);
  if (!info) return;
  const std::string name = check::Narrow(expected.interfaceName);
  check::context = name + " (vtable)";
  CheckType(info.get(), expected.interfaceId, TKIND_INTERFACE, kDefaultFlags);
  CheckInheritsDispatch(info.get());
  Attributes attr(info.get());
  CHECK_EQ(attr->cFuncs, expected.functions.size());
  CHECK_EQ(attr->cVars, 0);
  for (UINT i = 0; i < attr->cFuncs && i < expected.functions.size(); ++i) {
    check::context = name + " (vtable) function " + std::to_string(i);
    const Function& f = expected.functions[i];
    CheckFunction(info.get(), i, f, FUNC_PUREVIRTUAL, VT_HRESULT, VT_EMPTY, f.params.size());
    FUNCDESC* desc = nullptr;
    info->GetFuncDesc(i, &desc);
    CHECK_EQ(desc->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));  // after IUnknown's and IDispatch's 7
    info->ReleaseFuncDesc(desc);
  }
  CheckMembers(info.get(), expected.members);
}

// The dispatch half: the same members as a caller of Invoke sees them, the
// [retval] parameter turned into the result.
void CheckDefaultInterface(ITypeInfo* info, const Expected& expected) {
  const std::string name = check::Narrow(expected.interfaceName);
  check::context = name;
  // The loader reports a dispatch view without the oleautomation flag, as Windows does.
  CheckType(info, expected.interfaceId, TKIND_DISPATCH, kDefaultFlags & ~TYPEFLAG_FOLEAUTOMATION);
  CheckInheritsDispatch(info);
  const std::vector<UINT> own = OwnFunctions(info);
  CHECK_EQ(own.size(), expected.functions.size());
  for (size_t i = 0; i < own.size() && i < expected.functions.size(); ++i) {
    check::context = name + " function " + std::to_string(i);
    const Function& f = expected.functions[i];
    const bool retval = !f.params.empty() && (f.params.back().flags & PARAMFLAG_FRETVAL);
    if (retval)
      CheckFunction(info, own[i], f, FUNC_DISPATCH, f.params.back().pointee, VT_EMPTY, f.params.size() - 1);
    else
      CheckFunction(info, own[i], f, FUNC_DISPATCH, VT_VOID, VT_EMPTY, f.params.size());
  }
  CheckMembers(info, expected.members);
  CheckVtableInterface(info, expected);
}

void CheckClass(ITypeInfo* info, const Expected& expected) {
  check::context = check::Narrow(expected.className);
  CheckType(info, expected.classId, TKIND_COCLASS, TYPEFLAG_FCONTROL);
  CHECK_EQ(Attributes(info)->cImplTypes, 2);
  const struct {
    const wchar_t* name;
    INT flags;
  } implemented[] = {{expected.interfaceName, IMPLTYPEFLAG_FDEFAULT},
                     {expected.eventsName, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
  for (UINT i = 0; i < 2; ++i) {
    auto type = ImplType(info, i);
    if (type) CHECK_EQ(NameOf(type.get()), implemented[i].name);
    INT flags = 0;
    CHECK_EQ(info->GetImplTypeFlags(i, &flags), S_OK);
    CHECK_EQ(flags, implemented[i].flags);
  }
}

// OvlChess's five events; OvlBoard's add PieceDrop, PieceLift and PromotionChosen.
void CheckEvents(ITypeInfo* info, const Expected& expected) {
  const std::string name = check::Narrow(expected.eventsName);
  const bool drop = expected.classId == component::identity::kBoardClassId;
  check::context = name;
  CheckType(info, expected.eventsId, TKIND_DISPATCH, TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE);
  CheckInheritsDispatch(info);
  const std::vector<Param> cell{kShortRef, kShortRef};
  const std::vector<Param> mouse{kShortRef, kShortRef, kShortRef, kShortRef, kFloatRef, kFloatRef};
  std::vector<Function> functions = {
      {1, INVOKE_FUNC, cell}, {2, INVOKE_FUNC, cell}, {3, INVOKE_FUNC, mouse},
      {4, INVOKE_FUNC, mouse}, {5, INVOKE_FUNC, mouse},
  };
  if (drop) functions.push_back({6, INVOKE_FUNC, {kShortRef, kShortRef, kShortRef, kShortRef, {VT_PTR, VT_BOOL, kInOut}}});
  if (drop) functions.push_back({7, INVOKE_FUNC, {kShortRef, kShortRef, {VT_PTR, VT_BOOL, kInOut}}});
  if (drop) functions.push_back({8, INVOKE_FUNC, {kShortRef, kShortRef, {VT_PTR, VT_USERDEFINED, kInOut}}});
  const std::vector<UINT> own = OwnFunctions(info);
  CHECK_EQ(own.size(), functions.size());
  for (UINT i = 0; i < functions.size() && i < own.size(); ++i) {
    check::context = name + " function " + std::to_string(i);
    CheckFunction(info, own[i], functions[i], FUNC_DISPATCH, VT_VOID, VT_EMPTY, functions[i].params.size());
  }
  const std::vector<std::wstring> mouseNames{L"col", L"row", L"Button", L"Shift", L"X", L"Y"};
  auto named = [](const wchar_t* name, std::vector<std::wstring> params) {
    params.insert(params.begin(), name);
    return params;
  };
  std::vector<Member> members = {{1, named(L"Click", {L"col", L"row"})},
                                 {2, named(L"DblClick", {L"col", L"row"})},
                                 {3, named(L"MouseDown", mouseNames)},
                                 {4, named(L"MouseMove", mouseNames)},
                                 {5, named(L"MouseUp", mouseNames)}};
  if (drop) members.push_back({6, named(L"PieceDrop", {L"fromCol", L"fromRow", L"toCol", L"toRow", L"Cancel"})});
  if (drop) members.push_back({7, named(L"PieceLift", {L"col", L"row", L"Cancel"})});
  if (drop) members.push_back({8, named(L"PromotionChosen", {L"col", L"row", L"Piece"})});
  CheckMembers(info, members);
}

// An enumeration whose constants count up from `first`.
void CheckEnumeration(ITypeInfo* info, const std::wstring& enumeration, const GUID& id, LONG first,
                      const std::vector<std::wstring>& names) {
  check::context = check::Narrow(enumeration);
  CheckType(info, id, TKIND_ENUM, 0);
  CHECK_EQ(Attributes(info)->cVars, names.size());
  for (UINT i = 0; i < names.size(); ++i) {
    check::context = check::Narrow(enumeration + L"." + names[i]);
    VARDESC* desc = nullptr;
    CHECK_EQ(info->GetVarDesc(i, &desc), S_OK);
    if (!desc) continue;
    CHECK_EQ(desc->varkind, VAR_CONST);
    CHECK_EQ(desc->elemdescVar.tdesc.vt, VT_I4);
    CHECK_EQ(V_VT(desc->lpvarValue), VT_I4);
    CHECK_EQ(V_I4(desc->lpvarValue), first + static_cast<LONG>(i));
    const Documentation doc = Document(info, desc->memid);
    CHECK_EQ(doc.name, names[i]);
    CHECK_EQ(doc.help, names[i]);
    info->ReleaseVarDesc(desc);
  }
}

void CheckPieceNum(ITypeInfo* info) {
  CheckEnumeration(info, L"PieceNum", component::identity::kPieceNumId, 1,
                   {L"None", L"Bpawn", L"Brook", L"Bknight", L"Bbishop", L"BQueen", L"Bking", L"Wpawn", L"Wrook",
                    L"Wknight", L"Wbishop", L"WQueen", L"Wking"});
}

void CheckMarkNum(ITypeInfo* info) {
  CheckEnumeration(info, L"MarkNum", component::identity::kMarkNumId, 0,
                   {L"mkNone", L"mkSelected", L"mkLastMove", L"mkCheck", L"mkTarget"});
}

void CheckSideNum(ITypeInfo* info) {
  CheckEnumeration(info, L"SideNum", component::identity::kSideNumId, 0, {L"sdNone", L"sdCream", L"sdRed", L"sdBoth"});
}

void CheckLibrary(ITypeLib* library) {
  check::context = "library";
  TLIBATTR* attr = nullptr;
  CHECK_EQ(library->GetLibAttr(&attr), S_OK);
  if (attr) {
    CHECK_EQ(attr->guid, component::identity::kTypeLibId);
    CHECK_EQ(attr->lcid, component::identity::kLocale);
    CHECK_EQ(attr->syskind, component::identity::kSysKind);
    CHECK_EQ(attr->wMajorVerNum, 1);
    CHECK_EQ(attr->wMinorVerNum, 0);
    // The loader adds the disk image flag to a library read from a file.
    CHECK_EQ(attr->wLibFlags, LIBFLAG_FCONTROL | LIBFLAG_FHASDISKIMAGE);
    library->ReleaseTLibAttr(attr);
  }
  const Documentation doc = Document(library, -1);
  CHECK_EQ(doc.name, L"OrvelBoardLib");
  CHECK_EQ(doc.help, L"Orvel's ActiveX Chess Control");
  CHECK_EQ(doc.context, 0);
  CHECK_EQ(doc.file, L"");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  CoInitialize(nullptr);
  {
    ComPtr<ITypeLib> library;
    CHECK_EQ(LoadTypeLibEx(argv[1], REGKIND_NONE, library.put()), S_OK);
    if (!library) return check::Result();
    CheckLibrary(library.get());

    const struct {
      const wchar_t* name;
      TYPEKIND kind;
      void (*check)(ITypeInfo*);
    } types[] = {{L"_OvlChess", TKIND_DISPATCH, [](ITypeInfo* info) { CheckDefaultInterface(info, Chess()); }},
                 {L"OvlChess", TKIND_COCLASS, [](ITypeInfo* info) { CheckClass(info, Chess()); }},
                 {L"__OvlChess", TKIND_DISPATCH, [](ITypeInfo* info) { CheckEvents(info, Chess()); }},
                 {L"PieceNum", TKIND_ENUM, CheckPieceNum},
                 // The second class follows, so the first one's indexes stay.
                 {L"_OvlBoard", TKIND_DISPATCH, [](ITypeInfo* info) { CheckDefaultInterface(info, Board()); }},
                 {L"OvlBoard", TKIND_COCLASS, [](ITypeInfo* info) { CheckClass(info, Board()); }},
                 {L"__OvlBoard", TKIND_DISPATCH, [](ITypeInfo* info) { CheckEvents(info, Board()); }},
                 {L"MarkNum", TKIND_ENUM, CheckMarkNum},
                 {L"SideNum", TKIND_ENUM, CheckSideNum}};
    CHECK_EQ(library->GetTypeInfoCount(), std::size(types));
    for (UINT i = 0; i < std::size(types) && i < library->GetTypeInfoCount(); ++i) {
      check::context = "type " + std::to_string(i);
      CHECK_EQ(Document(library.get(), i).name, types[i].name);
      TYPEKIND kind{};
      CHECK_EQ(library->GetTypeInfoType(i, &kind), S_OK);
      CHECK_EQ(kind, types[i].kind);
      ComPtr<ITypeInfo> info;
      CHECK_EQ(library->GetTypeInfo(i, info.put()), S_OK);
      if (info) types[i].check(info.get());
    }
  }
  CoUninitialize();
  return check::Result();
}
