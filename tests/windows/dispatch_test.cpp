// The library loaded directly, as COM loads it: its class object and unload
// answer, and the ways script hosts and C++ callers reach the automation
// interface, arguments coerced and errors reported.
#include <windows.h>

#include <oleauto.h>

#include <utility>
#include <vector>

#include "component/automation_interface.h"
#include "component/com/com_ptr.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "component/com/object_safety_uuid.h"
#include "orvel_board.h"
#include "tests/windows/check.h"
#include "tests/windows/loaded_library.h"

namespace {

using com::ComPtr;
using com::UniqueVariant;

constexpr DISPID kPiece = 0x68030000;
constexpr DISPID kEnabled = 0x68030001;

using test::Library;

VARIANT Value(VARTYPE type, LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  if (type == VT_I2) v.iVal = static_cast<SHORT>(value);
  else if (type == VT_R8) v.dblVal = value;
  else if (type == VT_BOOL) v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  else v.lVal = value;
  return v;
}

VARIANT Text(const wchar_t* text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

struct Call {
  HRESULT hr;
  UniqueVariant result;
  EXCEPINFO exception{};
  UINT argumentError = 12345;
  ~Call() {
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
  }
};

// Arguments are given in the caller's order; DISPPARAMS wants them reversed.
void Invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> arguments, Call& call) {
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{reversed.data(), &named, static_cast<UINT>(reversed.size()),
                        (flags & DISPATCH_PROPERTYPUT) ? 1u : 0u};
  call.hr = object->Invoke(id, IID_NULL, 0, flags, &parameters, call.result.put(), &call.exception,
                           &call.argumentError);
  for (VARIANT& v : arguments) VariantClear(&v);
}

LONG ReadPiece(IDispatch* object, short col, short row) {
  Call call;
  Invoke(object, kPiece, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {Value(VT_I2, col), Value(VT_I2, row)}, call);
  return SUCCEEDED(call.hr) && call.result.vt == VT_I4 ? call.result.lVal : -999;
}

void ClassObjectAndUnloading(Library& library) {
  check::context = "class object";
  ComPtr<IClassFactory> factory;
  CHECK_EQ(library.canUnload(), S_OK);
  CHECK_EQ(library.getClassObject(IID_IDispatch, IID_IClassFactory, factory.put_void()), CLASS_E_CLASSNOTAVAILABLE);
  CHECK_EQ(library.getClassObject(component::identity::kBoardClassId, IID_IClassFactory, factory.put_void()), S_OK);
  CHECK_EQ(library.getClassObject(component::identity::kClassId, IID_IClassFactory, factory.put_void()), S_OK);
  ComPtr<IUnknown> outer, created;
  CHECK_EQ(factory->CreateInstance(factory.get(), IID_IUnknown, created.put_void()), CLASS_E_NOAGGREGATION);
  CHECK_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  CHECK_EQ(library.canUnload(), S_FALSE);
  CHECK_EQ(library.getClassObject(component::identity::kClassId, IID_IClassFactory, factory.put_void()), S_OK);
  CHECK_EQ(factory->LockServer(FALSE), S_OK);
  CHECK_EQ(factory->CreateInstance(nullptr, IID_IUnknown, created.put_void()), S_OK);
  factory.reset();
  CHECK_EQ(library.canUnload(), S_FALSE);
  created.reset();
  CHECK_EQ(library.canUnload(), S_OK);
}

// Each class names its own members, its own events and class, and no other class's members.
void EachClassKnowsItsOwnNames(const Library& library) {
  using component::automation::ControlClass;
  for (const ControlClass* record : component::automation::kClasses) {
    check::context = "names of " + check::Narrow(std::wstring(record->name));
    auto object = library.Create<IDispatch>(record->classId);
    CHECK(object);
    if (!object) continue;
    for (const ControlClass* other : component::automation::kClasses) {
      for (const component::automation::Member& member : other->members) {
        DISPID id = 0;
        LPOLESTR name = const_cast<LPOLESTR>(member.name.data());
        const bool own = component::automation::IdOf(member.name, *record) != DISPID_UNKNOWN;
        CHECK_EQ(object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), own ? S_OK : DISP_E_UNKNOWNNAME);
        CHECK_EQ(id, own ? member.id : DISPID_UNKNOWN);
      }
    }
    GUID source{};
    CHECK_EQ(object.As<IProvideClassInfo2>()->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    CHECK(source == record->eventsId);
    CLSID persisted{};
    CHECK_EQ(object.As<IPersistStreamInit>()->GetClassID(&persisted), S_OK);
    CHECK(persisted == record->classId);
    ComPtr<IConnectionPoint> point;
    CHECK_EQ(object.As<IConnectionPointContainer>()->FindConnectionPoint(record->eventsId, point.put()), S_OK);
  }
}

// OvlBoard's errors carry its own ProgID and interface, whether a C++ caller
// or Invoke meets them.
void BoardErrorsNameTheBoard(const Library& library) {
  check::context = "OvlBoard's errors";
  auto board = library.Create<_OvlBoard>(component::identity::kBoardClassId);
  CHECK(board);
  if (!board) return;
  short col = 9, row = 1;
  MarkNum mark{};
  CHECK_EQ(board->get_Mark(&col, &row, &mark), check::AutomationError(381));
  ComPtr<IErrorInfo> info;
  CHECK_EQ(GetErrorInfo(0, info.put()), S_OK);
  com::UniqueBstr source;
  GUID guid{};
  if (info) {
    info->GetSource(source.put());
    info->GetGUID(&guid);
  }
  CHECK(source && std::wstring(source.get()) == component::identity::kBoardProgId);
  CHECK(guid == component::identity::kBoardInterfaceId);
  CHECK_EQ(board.As<ISupportErrorInfo>()->InterfaceSupportsErrorInfo(component::identity::kBoardInterfaceId), S_OK);

  Call refused;
  Invoke(board.As<IDispatch>().get(), 0x68030006, DISPATCH_PROPERTYPUT, {Text(L"9/8")}, refused);
  CHECK_EQ(refused.hr, DISP_E_EXCEPTION);
  CHECK_EQ(refused.exception.scode, check::AutomationError(380));
  CHECK(refused.exception.bstrSource &&
        std::wstring(refused.exception.bstrSource) == component::identity::kBoardProgId);
  com::UniqueBstr position;
  CHECK_EQ(board->get_Position(position.put()), S_OK);
  CHECK(position && std::wstring(position.get()) == L"8/8/8/8/8/8/8/8");
}

void NamesAndTypeInformation(IDispatch* object) {
  check::context = "names";
  const wchar_t* names[] = {L"enabled", L"REFRESH", L"NewGame", L"clear", L"Piece"};
  const DISPID expected[] = {kEnabled, 0x60030003, 0x60030004, 0x60030005, kPiece};
  for (int i = 0; i < 5; ++i) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(names[i]);
    CHECK_EQ(object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    CHECK_EQ(id, expected[i]);
  }
  DISPID id = 0;
  LPOLESTR unknown = const_cast<LPOLESTR>(L"Board");
  CHECK_EQ(object->GetIDsOfNames(IID_NULL, &unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
  CHECK_EQ(id, DISPID_UNKNOWN);

  auto classInfo = ComPtr<IDispatch>(object).As<IProvideClassInfo2>();
  CHECK(classInfo);
  GUID source{};
  CHECK_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
  CHECK(source == component::identity::kEventInterfaceId);
  ComPtr<ITypeInfo> info;
  CHECK_EQ(classInfo->GetClassInfo(info.put()), S_OK);
  TYPEATTR* attributes = nullptr;
  if (info && SUCCEEDED(info->GetTypeAttr(&attributes))) {
    CHECK(attributes->guid == component::identity::kClassId);
    CHECK_EQ(attributes->typekind, TKIND_COCLASS);
    info->ReleaseTypeAttr(attributes);
  }
}

void EveryWayOfPassingArguments(IDispatch* object) {
  check::context = "arguments";
  Call put;
  Invoke(object, kPiece, DISPATCH_PROPERTYPUT, {Value(VT_I2, 3), Value(VT_I2, 4), Value(VT_I4, 10)}, put);
  CHECK_EQ(put.hr, S_OK);

  short col = 3;
  VARIANT row = Value(VT_I2, 4);
  VARIANT byReferenceRow;
  byReferenceRow.vt = VT_BYREF | VT_VARIANT;
  byReferenceRow.pvarVal = &row;
  VARIANT byReferenceCol;
  byReferenceCol.vt = VT_BYREF | VT_I2;
  byReferenceCol.piVal = &col;
  const std::vector<std::vector<VARIANT>> ways = {
      {Value(VT_I4, 3), Value(VT_R8, 4)},
      {Text(L"3"), Value(VT_I2, 4)},
      {byReferenceCol, byReferenceRow},
      {Value(VT_BOOL, 0), Value(VT_I2, 4)},  // False is 0: an invalid column would show a message
  };
  for (size_t i = 0; i < 3; ++i) {
    Call call;
    Invoke(object, kPiece, DISPATCH_PROPERTYGET, ways[i], call);
    CHECK_EQ(call.hr, S_OK);
    CHECK_EQ(call.result.vt, VT_I4);
    CHECK_EQ(call.result.lVal, 10);
  }
  CHECK_EQ(col, 3);  // the member never writes its by-reference coordinates back

  VARIANT value = Value(VT_I2, 12);
  VARIANT byReferenceValue;
  byReferenceValue.vt = VT_BYREF | VT_VARIANT;
  byReferenceValue.pvarVal = &value;
  Call viaVariable;
  Invoke(object, kPiece, DISPATCH_PROPERTYPUT, {Value(VT_I2, 5), Value(VT_I2, 6), byReferenceValue}, viaVariable);
  CHECK_EQ(viaVariable.hr, S_OK);
  CHECK_EQ(ReadPiece(object, 5, 6), 12);

  Call enabled;
  Invoke(object, kEnabled, DISPATCH_PROPERTYPUT, {Text(L"False")}, enabled);
  CHECK_EQ(enabled.hr, S_OK);
  Call readEnabled;
  Invoke(object, kEnabled, DISPATCH_PROPERTYGET, {}, readEnabled);
  CHECK_EQ(readEnabled.result.vt, VT_BOOL);
  CHECK_EQ(readEnabled.result.boolVal, VARIANT_FALSE);
}

void RefusedCallsChangeNothing(IDispatch* object) {
  check::context = "refused calls";
  struct Case {
    std::vector<VARIANT> arguments;
    WORD flags;
    HRESULT expected;
    UINT argumentError;
  };
  Case cases[] = {
      {{Value(VT_I2, 3)}, DISPATCH_PROPERTYGET, DISP_E_BADPARAMCOUNT, 12345},
      {{Value(VT_I2, 3), Value(VT_I2, 4), Value(VT_I2, 1), Value(VT_I2, 1)}, DISPATCH_PROPERTYPUT,
       DISP_E_BADPARAMCOUNT, 12345},
      {{Text(L"three"), Value(VT_I2, 4), Value(VT_I4, 2)}, DISPATCH_PROPERTYPUT, DISP_E_TYPEMISMATCH, 2},
      {{Value(VT_I2, 3), Value(VT_I4, 70000), Value(VT_I4, 2)}, DISPATCH_PROPERTYPUT, DISP_E_OVERFLOW, 1},
      {{Value(VT_I2, 3), Value(VT_I2, 4), Text(L"1e12")}, DISPATCH_PROPERTYPUT, DISP_E_OVERFLOW, 0},
      {{Value(VT_I2, 3), Value(VT_I2, 4), Value(VT_UNKNOWN, 0)}, DISPATCH_PROPERTYPUT, DISP_E_TYPEMISMATCH, 0},
  };
  for (Case& k : cases) {
    Call call;
    Invoke(object, kPiece, k.flags, k.arguments, call);
    check::context = "refused call " + std::to_string(&k - cases);
    CHECK_EQ(call.hr, k.expected);
    CHECK_EQ(call.argumentError, k.argumentError);
  }
  Call unknown;
  Invoke(object, 42, DISPATCH_METHOD, {}, unknown);
  CHECK_EQ(unknown.hr, DISP_E_MEMBERNOTFOUND);

  // A put without the named value argument is not a put.
  VARIANT arguments[] = {Value(VT_I4, 2), Value(VT_I2, 4), Value(VT_I2, 3)};
  DISPPARAMS unnamed{arguments, nullptr, 3, 0};
  CHECK_EQ(object->Invoke(kPiece, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr, nullptr),
           DISP_E_PARAMNOTFOUND);
  CHECK_EQ(ReadPiece(object, 3, 4), 10);
}

void MemberErrorsReachBothKindsOfCaller(IDispatch* object) {
  check::context = "member errors";
  Call overflow;
  Invoke(object, kPiece, DISPATCH_PROPERTYPUT, {Value(VT_I2, 1), Value(VT_I2, 1), Value(VT_I4, 40000)}, overflow);
  CHECK_EQ(overflow.hr, DISP_E_EXCEPTION);
  CHECK_EQ(overflow.exception.scode, check::AutomationError(6));
  CHECK(overflow.exception.bstrDescription && std::wstring(overflow.exception.bstrDescription) == L"Overflow");
  CHECK_EQ(ReadPiece(object, 1, 1), 1);

  auto chess = ComPtr<IDispatch>(object).As<_OvlChess>();
  short col = 2, row = 2;
  CHECK_EQ(chess->put_Piece(&col, &row, static_cast<PieceNum>(15)), check::AutomationError(35600));
  auto support = chess.As<ISupportErrorInfo>();
  CHECK_EQ(support->InterfaceSupportsErrorInfo(component::identity::kDefaultInterfaceId), S_OK);
  ComPtr<IErrorInfo> info;
  CHECK_EQ(GetErrorInfo(0, info.put()), S_OK);
  com::UniqueBstr description;
  if (info) info->GetDescription(description.put());
  CHECK(description && std::wstring(description.get()) == L"Index out of bounds");
  com::UniqueBstr source;
  GUID guid{};
  if (info) {
    info->GetSource(source.put());
    info->GetGUID(&guid);
  }
  CHECK(source && std::wstring(source.get()) == component::identity::kProgId);
  CHECK(guid == component::identity::kDefaultInterfaceId);
  PieceNum piece{};
  CHECK_EQ(chess->get_Piece(&col, &row, &piece), S_OK);
  CHECK_EQ(piece, 15);
}

// Containers that quick-activate pass the user mode in the flags, with no
// ambient dispatch to ask.
void QuickActivationCarriesTheUserMode(IDispatch* object) {
  check::context = "quick activation";
  auto quick = ComPtr<IDispatch>(object).As<IQuickActivate>();
  auto chess = ComPtr<IDispatch>(object).As<_OvlChess>();
  CHECK(quick && chess);
  if (!quick || !chess) return;
  for (DWORD flags : {0ul, static_cast<DWORD>(QACONTAINER_USERMODE)}) {
    QACONTAINER container{};
    container.cbSize = sizeof container;
    container.dwAmbientFlags = flags;
    QACONTROL control{};
    control.cbSize = sizeof control;
    CHECK_EQ(quick->QuickActivate(&container, &control), S_OK);
    CHECK_EQ(control.dwMiscStatus, 131473);
    short col = 8, row = 8;
    CHECK_EQ(chess->put_Piece(&col, &row, Wrook), flags ? S_OK : check::AutomationError(382));
    CHECK_EQ(ReadPiece(object, 8, 8), flags ? Wrook : None);
  }
}

// Safe for initialization through the persistence interfaces only; never for
// scripting. An interface the control lacks is no interface to ask about.
void SafeForInitializationOnly(IDispatch* object) {
  auto safety = ComPtr<IDispatch>(object).As<IObjectSafety>();
  check::context = "IObjectSafety";
  CHECK(safety);
  if (!safety) return;
  constexpr DWORD kCaller = INTERFACESAFE_FOR_UNTRUSTED_CALLER, kData = INTERFACESAFE_FOR_UNTRUSTED_DATA;
  const struct {
    const char* name;
    const IID& iid;
    HRESULT answer;
    DWORD supported;
  } interfaces[] = {
      {"IPersistPropertyBag", IID_IPersistPropertyBag, S_OK, kData},
      {"IPersistStreamInit", IID_IPersistStreamInit, S_OK, kData},
      {"IPersistStorage", IID_IPersistStorage, S_OK, kData},
      {"IDispatch", IID_IDispatch, S_OK, 0},
      {"_OvlChess", __uuidof(_OvlChess), S_OK, 0},
      {"IPersistStream", IID_IPersistStream, E_NOINTERFACE, 0},
  };
  for (const auto& i : interfaces) {
    check::context = std::string("IObjectSafety of ") + i.name;
    DWORD supported = 99, enabled = 99;
    CHECK_EQ(safety->GetInterfaceSafetyOptions(i.iid, &supported, &enabled), i.answer);
    CHECK_EQ(supported, i.supported);
    const HRESULT refused = FAILED(i.answer) ? i.answer : E_FAIL;
    CHECK_EQ(safety->SetInterfaceSafetyOptions(i.iid, kCaller, kCaller), refused);
    CHECK_EQ(safety->SetInterfaceSafetyOptions(i.iid, kData, kData), i.supported ? S_OK : refused);
    CHECK_EQ(safety->GetInterfaceSafetyOptions(i.iid, &supported, &enabled), i.answer);
    CHECK_EQ(enabled, i.supported);
  }
  // Each interface keeps its own options: disabling them for one leaves the others'.
  check::context = "IObjectSafety per interface";
  CHECK_EQ(safety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, kData, 0), S_OK);
  for (const auto& [iid, expected] : {std::pair{&IID_IPersistPropertyBag, DWORD{0}},
                                      std::pair{&IID_IPersistStreamInit, kData}, std::pair{&IID_IPersistStorage, kData}}) {
    DWORD supported = 0, enabled = 99;
    CHECK_EQ(safety->GetInterfaceSafetyOptions(*iid, &supported, &enabled), S_OK);
    CHECK_EQ(enabled, expected);
  }
  check::context = "IObjectSafety with no out-pointers";
  DWORD options = 0;
  CHECK_EQ(safety->GetInterfaceSafetyOptions(IID_IPersistStreamInit, nullptr, &options), E_POINTER);
  CHECK_EQ(safety->GetInterfaceSafetyOptions(IID_IPersistStreamInit, &options, nullptr), E_POINTER);
}

// A sink for either connection point, counting its references.
class Sink final : public IPropertyNotifySink, public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IPropertyNotifySink) *out = static_cast<IPropertyNotifySink*>(this);
    else if (iid == IID_IDispatch || iid == component::identity::kEventInterfaceId) *out = static_cast<IDispatch*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++references; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return --references; }  // lives on the test's stack
  STDMETHODIMP OnChanged(DISPID) noexcept override { return S_OK; }
  STDMETHODIMP OnRequestEdit(DISPID) noexcept override { return S_OK; }
  STDMETHODIMP GetTypeInfoCount(UINT*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept override {
    return S_OK;
  }

  // Whether `connection` names this sink, by COM identity.
  bool Is(const CONNECTDATA& connection) {
    ComPtr<IUnknown> identity;
    if (connection.pUnk) connection.pUnk->QueryInterface(IID_IUnknown, identity.put_void());
    return identity.get() == static_cast<IPropertyNotifySink*>(this);
  }

  ULONG references = 0;
};

void ReleaseAll(CONNECTDATA* data, ULONG count) {
  for (ULONG i = 0; i < count; ++i)
    if (data[i].pUnk) data[i].pUnk->Release();
}

// Both connection points list their sinks, each with its cookie and a
// reference of its own; the list is a snapshot, its clones keep their place.
void ConnectionsAreEnumerated(IDispatch* object) {
  auto container = ComPtr<IDispatch>(object).As<IConnectionPointContainer>();
  CHECK(container);
  if (!container) return;
  for (const IID& iid : {component::identity::kEventInterfaceId, IID_IPropertyNotifySink}) {
    check::context = iid == IID_IPropertyNotifySink ? "property notifications" : "events";
    ComPtr<IConnectionPoint> point;
    CHECK_EQ(container->FindConnectionPoint(iid, point.put()), S_OK);
    if (!point) continue;
    Sink first, second;
    DWORD firstCookie = 0, secondCookie = 0;
    CHECK_EQ(point->Advise(static_cast<IPropertyNotifySink*>(&first), &firstCookie), S_OK);
    CHECK_EQ(point->Advise(static_cast<IPropertyNotifySink*>(&second), &secondCookie), S_OK);
    CHECK(firstCookie != secondCookie);

    ComPtr<IEnumConnections> connections;
    CHECK_EQ(point->EnumConnections(connections.put()), S_OK);
    if (!connections) continue;
    const ULONG held = first.references;
    CONNECTDATA data[3]{};
    ULONG fetched = 0;
    CHECK_EQ(connections->Next(3, data, &fetched), S_FALSE);
    CHECK_EQ(fetched, 2);
    CHECK(first.Is(data[0]) && second.Is(data[1]));
    CHECK_EQ(data[0].dwCookie, firstCookie);
    CHECK_EQ(data[1].dwCookie, secondCookie);
    CHECK_EQ(first.references, held + 1);
    ReleaseAll(data, fetched);
    CHECK_EQ(first.references, held);
    CHECK_EQ(connections->Next(2, data, nullptr), E_POINTER);

    CHECK_EQ(connections->Reset(), S_OK);
    CHECK_EQ(connections->Skip(1), S_OK);
    ComPtr<IEnumConnections> clone;
    CHECK_EQ(connections->Clone(clone.put()), S_OK);
    CHECK_EQ(connections->Next(1, data, nullptr), S_OK);
    CHECK(second.Is(data[0]));
    ReleaseAll(data, 1);
    CHECK_EQ(connections->Next(1, data, &fetched), S_FALSE);
    CHECK_EQ(fetched, 0);
    if (clone) {
      CHECK_EQ(clone->Next(1, data, &fetched), S_OK);
      CHECK(second.Is(data[0]));
      ReleaseAll(data, fetched);
      CHECK_EQ(clone->Skip(1), S_FALSE);
    }

    CHECK_EQ(point->Unadvise(firstCookie), S_OK);
    CHECK_EQ(connections->Reset(), S_OK);
    CHECK_EQ(connections->Next(3, data, &fetched), S_FALSE);
    CHECK_EQ(fetched, 2);  // the list as it stood when enumerated
    ReleaseAll(data, fetched);
    ComPtr<IEnumConnections> after;
    CHECK_EQ(point->EnumConnections(after.put()), S_OK);
    if (after) {
      CHECK_EQ(after->Next(3, data, &fetched), S_FALSE);
      CHECK(fetched == 1 && second.Is(data[0]));
      ReleaseAll(data, fetched);
    }
    CHECK_EQ(point->Unadvise(secondCookie), S_OK);
    connections.reset();
    clone.reset();
    after.reset();
    CHECK_EQ(first.references, 0);
    CHECK_EQ(second.references, 0);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  CoInitialize(nullptr);
  {
    Library library(argv[1]);
    CHECK(library.module && library.getClassObject && library.canUnload);
    if (!library.module) return check::Result();
    ClassObjectAndUnloading(library);

    ComPtr<IClassFactory> factory;
    library.getClassObject(component::identity::kClassId, IID_IClassFactory, factory.put_void());
    ComPtr<IDispatch> object;
    CHECK_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.put_void()), S_OK);
    NamesAndTypeInformation(object.get());
    EveryWayOfPassingArguments(object.get());
    RefusedCallsChangeNothing(object.get());
    MemberErrorsReachBothKindsOfCaller(object.get());
    QuickActivationCarriesTheUserMode(object.get());
    ConnectionsAreEnumerated(object.get());
    SafeForInitializationOnly(object.get());
    EachClassKnowsItsOwnNames(library);
    BoardErrorsNameTheBoard(library);
  }
  CoUninitialize();
  return check::Result();
}
