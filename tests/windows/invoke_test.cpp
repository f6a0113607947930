// IDispatch::Invoke as callers outside our own code drive it: named arguments
// held against the type library's own ITypeInfo::Invoke, malformed parameter
// blocks, VARIANTs and objects that refer to themselves, and a seeded random
// fuzz. A refused call must leave the board as it was.
// Usage: invoke_test MODULE
#include <windows.h>

#include <oleauto.h>

#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "component/automation_interface.h"
#include "component/com/com_ptr.h"
#include "component/com/unique.h"
#include "orvel_board.h"
#include "tests/windows/board_state.h"
#include "tests/windows/check.h"
#include "tests/windows/hostile_values.h"
#include "tests/windows/loaded_library.h"
#include "tests/windows/refuse_dialogs.h"

namespace {

using com::ComPtr;
using com::UniqueVariant;
using test::Snapshot;
using test::ObjectArgument;
using test::Reference;
using test::ValueObject;

constexpr DISPID kPiece = 0x68030000, kEnabled = 0x68030001, kRefresh = 0x60030003, kNewGame = 0x60030004,
                 kClear = 0x60030005;
constexpr DISPID kPosition = 0x68030006, kFlipped = 0x68030007, kShowCoordinates = 0x68030008, kMark = 0x68030009,
                 kClearMarks = 0x6003000A, kDrawArrow = 0x6003000B, kClearArrows = 0x6003000C,
                 kAllowMoves = 0x6803000D;
constexpr DISPID kCol = 0, kRow = 1;

// A text no number can be read from, shared by every call and never freed.
BSTR Word() {
  static const BSTR word = SysAllocString(L"seven");
  return word;
}

// Text shared by every call and never freed.
VARIANT Text(const wchar_t* text) {
  VARIANT v{};
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

VARIANT Value(VARTYPE type, LONG value) {
  VARIANT v{};
  v.vt = type;
  if (type == VT_I2) v.iVal = static_cast<SHORT>(value);
  else if (type == VT_R8) v.dblVal = value;
  else if (type == VT_BOOL) v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  else if (type == VT_BSTR) v.bstrVal = Word();
  else v.lVal = value;
  return v;
}

// One call: positional arguments in the caller's order, then named ones.
struct Request {
  DISPID id;
  WORD flags;
  std::vector<VARIANT> positional;
  std::vector<std::pair<DISPID, VARIANT>> named;
};

// DISPPARAMS in OLE's layout: named arguments first, then the positional ones reversed.
struct Packed {
  explicit Packed(const Request& request) {
    for (const auto& [id, value] : request.named) {
      ids.push_back(id);
      arguments.push_back(value);
    }
    arguments.insert(arguments.end(), request.positional.rbegin(), request.positional.rend());
    parameters = {arguments.data(), ids.data(), static_cast<UINT>(arguments.size()), static_cast<UINT>(ids.size())};
  }
  std::vector<VARIANT> arguments;
  std::vector<DISPID> ids;
  DISPPARAMS parameters{};
};

struct Outcome {
  HRESULT hr;
  VARTYPE vt;
  LONG value;
  UINT argumentError;
  std::wstring text;
};

Outcome Read(HRESULT hr, VARIANT& result, UINT argumentError) {
  Outcome outcome{hr, result.vt, 0, argumentError, {}};
  if (result.vt == VT_BOOL) outcome.value = result.boolVal;
  else if (result.vt == VT_I4) outcome.value = result.lVal;
  else if (result.vt == VT_BSTR && result.bstrVal) outcome.text = result.bstrVal;
  VariantClear(&result);
  return outcome;
}

Outcome InvokeDispatch(IDispatch* object, const Request& request) {
  Packed packed(request);
  UniqueVariant result;
  EXCEPINFO exception{};
  UINT argumentError = ~0u;
  const HRESULT hr = object->Invoke(request.id, IID_NULL, 0, request.flags, &packed.parameters, result.put(),
                                    &exception, &argumentError);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  return Read(hr, result, argumentError);
}

Outcome InvokeTypeInfo(ITypeInfo* info, IDispatch* object, const Request& request) {
  Packed packed(request);
  UniqueVariant result;
  EXCEPINFO exception{};
  UINT argumentError = ~0u;
  const HRESULT hr = info->Invoke(object, request.id, request.flags, &packed.parameters, result.put(), &exception,
                                  &argumentError);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  return Read(hr, result, argumentError);
}

// The vtable half of the dual interface, whose Invoke calls the members directly.
ComPtr<ITypeInfo> VtableTypeInfo(IDispatch* object) {
  ComPtr<ITypeInfo> dispatchView, vtable;
  HREFTYPE ref = 0;
  if (SUCCEEDED(object->GetTypeInfo(0, 0, dispatchView.put())) &&
      SUCCEEDED(dispatchView->GetRefTypeOfImplType(-1, &ref)))
    dispatchView->GetRefTypeInfo(ref, vtable.put());
  return vtable;
}

std::string Describe(const Outcome& o) {
  char text[96];
  std::snprintf(text, sizeof text, "hr 0x%08lx, vt %u, value %ld", static_cast<unsigned long>(o.hr), o.vt,
                static_cast<long>(o.value));
  return text + check::Show(o.text);
}

// The same calls, in the same order, on two fresh boards of the class `id`:
// one through our Invoke, one through the type library's. Results and boards
// stay equal. OvlBoard takes OvlChess's calls, then its own.
template <class Board>
void NamedArgumentsAsTheTypeLibraryHasThem(const test::Library& library, const CLSID& id) {
  auto ours = library.Create<IDispatch>(id);
  auto theirs = library.Create<Board>(id);
  CHECK(ours && theirs);
  if (!ours || !theirs) return;
  auto info = VtableTypeInfo(ours.get());
  CHECK(info);
  if (!info) return;
  auto oursBoard = ours.template As<Board>();

  const WORD get = DISPATCH_PROPERTYGET, put = DISPATCH_PROPERTYPUT, method = DISPATCH_METHOD;
  const VARIANT c3 = Value(VT_I2, 3), r4 = Value(VT_I4, 4), c5 = Value(VT_R8, 5), r6 = Value(VT_I2, 6);
  const VARIANT knight = Value(VT_I4, 10), rook = Value(VT_I2, 9), off = Value(VT_BOOL, 0), on = Value(VT_BOOL, 1);
  const VARIANT empty{}, text = Value(VT_BSTR, 0);
  std::vector<Request> matrix = {
      {kPiece, put, {c3, r4}, {{DISPID_PROPERTYPUT, knight}}},
      {kPiece, get, {c3, r4}, {}},
      {kPiece, get | method, {}, {{kRow, r4}, {kCol, c3}}},
      {kPiece, get, {}, {{kCol, c3}, {kRow, r4}}},
      {kPiece, get, {c3}, {{kRow, r4}}},
      {kPiece, put, {}, {{DISPID_PROPERTYPUT, rook}, {kRow, r6}, {kCol, c5}}},
      {kPiece, get, {}, {{kCol, c5}, {kRow, r6}}},
      {kPiece, put, {c3}, {{DISPID_PROPERTYPUT, rook}, {kRow, r6}}},
      {kPiece, get, {c3, r6}, {}},
      {kPiece, put, {c3, empty}, {{DISPID_PROPERTYPUT, rook}}},
      {kPiece, get, {}, {{kRow, r4}, {kCol, empty}}},
      {kEnabled, put, {}, {{DISPID_PROPERTYPUT, off}}},
      {kEnabled, get | method, {}, {}},
      {kEnabled, put, {}, {{DISPID_PROPERTYPUT, on}}},
      {kNewGame, method, {}, {}},
      {kPiece, get, {}, {{kRow, Value(VT_I2, 2)}, {kCol, Value(VT_I2, 5)}}},
      // Refused alike: missing arguments, a put without its value, a value
      // of the wrong type, a member called as what it is not.
      {kPiece, get, {}, {{kCol, c3}}},
      {kPiece, get, {c3}, {}},
      {kPiece, put, {c3, r4, rook}, {}},
      {kPiece, put, {}, {{kRow, r4}, {kCol, c3}}},
      {kPiece, put, {}, {{DISPID_PROPERTYPUT, rook}, {kCol, c3}}},
      {kPiece, get, {}, {{kRow, r4}, {kCol, text}}},
      {kEnabled, put, {}, {{DISPID_PROPERTYPUT, text}}},
      {kRefresh, get, {}, {}},
      {kClear, put, {}, {{DISPID_PROPERTYPUT, on}}},
      {42, method, {}, {}},
  };
  if constexpr (std::is_same_v<Board, _OvlBoard>) {
    const VARIANT fen = Text(L"4k3/8/8/8/4P3/8/8/4K3"), lastMove = Value(VT_I4, 2), r9 = Value(VT_I2, 9);
    matrix.insert(matrix.end(), {
        {kPosition, put, {}, {{DISPID_PROPERTYPUT, fen}}},
        {kPosition, get | method, {}, {}},
        {kPiece, get, {Value(VT_I2, 5), r4}, {}},
        {kFlipped, put, {}, {{DISPID_PROPERTYPUT, on}}},
        {kFlipped, get, {}, {}},
        {kShowCoordinates, put, {}, {{DISPID_PROPERTYPUT, Text(L"True")}}},
        {kShowCoordinates, get, {}, {}},
        {kAllowMoves, put, {}, {{DISPID_PROPERTYPUT, off}}},
        {kAllowMoves, get, {}, {}},
        {kMark, put, {c3, r4}, {{DISPID_PROPERTYPUT, lastMove}}},
        {kMark, get, {}, {{kRow, r4}, {kCol, c3}}},
        {kDrawArrow, method, {c3, r4, c5, r6}, {}},
        {kDrawArrow, method, {}, {{3, r4}, {2, c3}, {1, r6}, {0, c5}}},
        {kClearArrows, method, {}, {}},
        {kClearMarks, method, {}, {}},
        {kMark, get, {c3, r4}, {}},
        // The core's refusals and the coercions' alike.
        {kPosition, put, {}, {{DISPID_PROPERTYPUT, text}}},
        {kPosition, put, {}, {{DISPID_PROPERTYPUT, c3}}},
        {kMark, put, {c3, r4}, {{DISPID_PROPERTYPUT, r9}}},
        {kDrawArrow, method, {c3, r4, c5, r9}, {}},
        {kDrawArrow, method, {c3, r4, c5}, {}},
        {kDrawArrow, method, {c3, r4, c5, text}, {}},
        {kFlipped, put, {}, {{DISPID_PROPERTYPUT, text}}},
        {kPosition, get, {}, {}},
    });
  }
  for (size_t i = 0; i < matrix.size(); ++i) {
    check::context = "named arguments, call " + std::to_string(i);
    const Outcome a = InvokeDispatch(ours.get(), matrix[i]);
    const Outcome b = InvokeTypeInfo(info.get(), theirs.get(), matrix[i]);
    // A failed get's result is undefined; Wine's Invoke hands back a typed zero.
    const bool bothFailed = FAILED(a.hr) && FAILED(b.hr);
    if (a.hr != b.hr || (!bothFailed && (a.vt != b.vt || a.value != b.value || a.text != b.text)))
      check::Fail(__LINE__, "ours: " + Describe(a) + "; type library's: " + Describe(b));
    CHECK(Snapshot(oursBoard.get()) == Snapshot(theirs.get()));
  }
}

// Where Wine's ITypeInfo::Invoke is laxer than OLE (it ignores surplus,
// unknown and duplicated arguments) or stricter (it wants DISPID_PROPERTYPUT
// first), our Invoke follows OLE's rules.
void NamedArgumentsFollowOleRules(IDispatch* object) {
  check::context = "OLE's rules";
  auto board = ComPtr<IDispatch>(object).As<_OvlChess>();
  const WORD get = DISPATCH_PROPERTYGET, put = DISPATCH_PROPERTYPUT, method = DISPATCH_METHOD;
  const VARIANT c3 = Value(VT_I2, 3), r4 = Value(VT_I4, 4), r6 = Value(VT_I2, 6), rook = Value(VT_I2, 9);
  const VARIANT on = Value(VT_BOOL, 1);
  // The value's name may stand anywhere among the names.
  CHECK_EQ(InvokeDispatch(object, {kPiece, put, {}, {{kRow, r6}, {DISPID_PROPERTYPUT, rook}, {kCol, c3}}}).hr, S_OK);
  CHECK_EQ(InvokeDispatch(object, {kPiece, get, {c3, r6}, {}}).value, 9);
  CHECK_EQ(InvokeDispatch(object, {kPiece, put, {c3}, {{kRow, r4}, {DISPID_PROPERTYPUT, rook}}}).hr, S_OK);
  CHECK_EQ(InvokeDispatch(object, {kPiece, get, {}, {{kRow, r4}, {kCol, c3}}}).value, 9);

  // A refused name is named back through puArgErr, by its index in rgvarg.
  const auto before = Snapshot(board.get());
  struct Refusal {
    Request request;
    HRESULT hr;
    UINT argumentError = ~0u;
  };
  const Refusal refused[] = {
      {{kPiece, get, {}, {{kCol, c3}, {kCol, c3}}}, DISP_E_PARAMNOTFOUND, 1},
      {{kPiece, get, {c3}, {{kCol, c3}}}, DISP_E_PARAMNOTFOUND, 0},
      {{kPiece, get, {}, {{kRow, r4}, {2, c3}}}, DISP_E_PARAMNOTFOUND, 1},
      {{kPiece, get, {}, {{-7, c3}, {kRow, r4}}}, DISP_E_PARAMNOTFOUND, 0},
      {{kPiece, get, {c3, r4}, {{DISPID_PROPERTYPUT, rook}}}, DISP_E_PARAMNOTFOUND, 0},
      {{kPiece, put, {}, {{DISPID_PROPERTYPUT, rook}, {kRow, r4}, {kCol, c3}, {kRow, r4}}}, DISP_E_PARAMNOTFOUND, 3},
      {{kPiece, put, {}, {{DISPID_PROPERTYPUT, rook}, {kCol, c3}, {DISPID_PROPERTYPUT, rook}, {kRow, r4}}},
       DISP_E_PARAMNOTFOUND, 2},
      {{kPiece, put, {}, {{DISPID_PROPERTYPUT, rook}, {kCol, c3}, {3, c3}, {kRow, r4}}}, DISP_E_PARAMNOTFOUND, 2},
      {{kPiece, put, {c3, r4, rook}, {{DISPID_PROPERTYPUT, rook}}}, DISP_E_BADPARAMCOUNT},
      {{kPiece, put | get, {c3, r4}, {{DISPID_PROPERTYPUT, rook}}}, DISP_E_PARAMNOTFOUND, 0},
      {{kEnabled, put, {}, {{0, on}}}, DISP_E_PARAMNOTFOUND, 0},
      {{kPiece, put, {c3, r4, rook}, {}}, DISP_E_PARAMNOTFOUND, 0},
      {{kPiece, put, {}, {}}, DISP_E_PARAMNOTFOUND},
      {{kEnabled, put, {}, {{DISPID_PROPERTYPUT, on}, {0, on}}}, DISP_E_PARAMNOTFOUND, 1},
      {{kEnabled, get, {}, {{0, on}}}, DISP_E_PARAMNOTFOUND, 0},
      {{kEnabled, put, {on}, {{DISPID_PROPERTYPUT, on}}}, DISP_E_BADPARAMCOUNT},
      {{kClear, method, {}, {{0, on}}}, DISP_E_PARAMNOTFOUND, 0},
      {{kNewGame, method, {on}, {}}, DISP_E_BADPARAMCOUNT},
  };
  for (const Refusal& refusal : refused) {
    check::context = "OLE's rules, refusal " + std::to_string(&refusal - refused);
    const Outcome outcome = InvokeDispatch(object, refusal.request);
    CHECK_EQ(outcome.hr, refusal.hr);
    CHECK_EQ(outcome.argumentError, refusal.argumentError);
  }
  CHECK(Snapshot(board.get()) == before);
}

// Parameter blocks OLE calls malformed, references that never reach a value,
// and objects whose value is an object: refused, never followed for ever.
void MalformedCallsAreRefused(IDispatch* object) {
  check::context = "malformed calls";
  auto board = ComPtr<IDispatch>(object).As<_OvlChess>();
  const auto before = Snapshot(board.get());
  VARIANT arguments[3] = {Value(VT_I4, 2), Value(VT_I2, 4), Value(VT_I2, 3)};
  DISPID named[1] = {DISPID_PROPERTYPUT};
  for (const component::automation::Member& member : component::automation::kChessMembers) {
    for (WORD flags = 1; flags <= 8; flags <<= 1) {
      check::context = "malformed calls to " + check::Narrow(std::wstring(member.name));
      const DISPPARAMS blocks[] = {{nullptr, named, 3, 1}, {arguments, named, 1, 2}, {arguments, nullptr, 3, 1}};
      for (DISPPARAMS block : blocks) {
        UINT argumentError = 77;
        CHECK_EQ(object->Invoke(member.id, IID_NULL, 0, flags, &block, nullptr, nullptr, &argumentError),
                 E_INVALIDARG);
        CHECK_EQ(argumentError, 77);
      }
      CHECK_EQ(object->Invoke(member.id, IID_NULL, 0, flags, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    }
  }

  check::context = "references";
  VARIANT self = Reference(nullptr);
  self.pvarVal = &self;
  VARIANT first = Reference(nullptr), second = Reference(&first);
  first.pvarVal = &second;
  VARIANT nowhere = Reference(nullptr);
  VARIANT nullShort;
  nullShort.vt = VT_BYREF | VT_I2;
  nullShort.piVal = nullptr;
  VARIANT array = Value(VT_ARRAY | VT_I4, 0);
  array.parray = nullptr;
  VARIANT record;
  VariantInit(&record);
  record.vt = VT_RECORD;
  ValueObject selfValued(0), loopA(0), loopB(0);
  selfValued.Refer(&selfValued);
  loopA.Refer(&loopB);
  loopB.Refer(&loopA);
  for (VARIANT bad : {self, first, nowhere, nullShort, array, record, ObjectArgument(&selfValued),
                      ObjectArgument(&loopA), ObjectArgument(nullptr)}) {
    const Outcome outcome = InvokeDispatch(object, {kPiece, DISPATCH_PROPERTYPUT, {Value(VT_I2, 3), bad},
                                                    {{DISPID_PROPERTYPUT, Value(VT_I4, 4)}}});
    CHECK_EQ(outcome.hr, DISP_E_TYPEMISMATCH);
    CHECK_EQ(outcome.argumentError, 1);
  }
  CHECK(selfValued.calls > 0 && selfValued.calls < 10);
  CHECK(Snapshot(board.get()) == before);

  check::context = "references that reach a value";
  VARIANT five = Value(VT_I2, 5), toFive = Reference(&five), toToFive = Reference(&toFive);
  ValueObject knight(10), holder(0);
  holder.Refer(&knight);
  const Outcome put = InvokeDispatch(object, {kPiece, DISPATCH_PROPERTYPUT, {toToFive, Value(VT_I2, 6)},
                                              {{DISPID_PROPERTYPUT, ObjectArgument(&holder)}}});
  CHECK_EQ(put.hr, S_OK);
  const Outcome read = InvokeDispatch(object, {kPiece, DISPATCH_PROPERTYGET, {Value(VT_I2, 5), Value(VT_I2, 6)}, {}});
  CHECK_EQ(read.value, 10);
}

// Random calls over ids, flags, counts, names and VARIANT types, by reference
// and null pointers included. Any crash or hang fails the test; every refused
// call must leave the board unchanged.
template <class Board>
void RandomCallsNeverHurt(IDispatch* object, const component::automation::ControlClass& record, unsigned seed,
                          int calls) {
  auto board = ComPtr<IDispatch>(object).As<Board>();
  std::mt19937 random(seed);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  std::vector<DISPID> ids = {kPiece, kEnabled, kRefresh, kNewGame, kClear, DISPID_VALUE, -1, 42, 0x68030002};
  if constexpr (std::is_same_v<Board, _OvlBoard>)
    ids.insert(ids.end(), {kPosition, kFlipped, kShowCoordinates, kMark, kClearMarks, kDrawArrow, kClearArrows,
                           kAllowMoves});
  const DISPID names[] = {kCol, kRow, 2, DISPID_PROPERTYPUT, DISPID_PROPERTYPUT, -1, 0x7fff};
  com::UniqueBstr digit(SysAllocString(L"3")), garbage(SysAllocString(L"no number"));
  BSTR nullText = nullptr;
  ValueObject number(4), selfValued(0);
  selfValued.Refer(&selfValued);
  short cell = 2;
  std::array<VARIANT, 8> targets{};

  auto randomValue = [&](VARIANT& v, size_t slot) {
    v = VARIANT{};
    switch (pick(20)) {
      case 0: break;
      case 1: v.vt = VT_NULL; break;
      case 2: case 3: v = Value(VT_I2, pick(12) - 2); break;
      case 4: v = Value(VT_I4, pick(16) - 2); break;
      case 5: v = Value(VT_R8, pick(10)); break;
      case 6: v = Value(VT_BOOL, pick(2)); break;
      case 7: v.vt = VT_BSTR; v.bstrVal = pick(3) == 0 ? nullptr : pick(2) ? digit.get() : garbage.get(); break;
      case 8: v = ObjectArgument(pick(3) == 0 ? nullptr : pick(2) ? &number : &selfValued); break;
      case 9: v.vt = VT_UNKNOWN; v.punkVal = pick(2) ? nullptr : &number; break;
      case 10: v.vt = VT_ERROR; v.scode = DISP_E_PARAMNOTFOUND; break;
      case 11: v.vt = VT_BYREF | VT_I2; v.piVal = pick(2) ? &cell : nullptr; break;
      case 12: v.vt = VT_BYREF | VT_BSTR; v.pbstrVal = pick(2) ? &nullText : nullptr; break;
      case 13: v.vt = VT_BYREF | VT_DISPATCH; v.ppdispVal = nullptr; break;
      case 14: v = Reference(pick(3) == 0 ? nullptr : &targets[slot]); break;
      case 15: v = Reference(&v); break;
      case 16: v.vt = static_cast<VARTYPE>(VT_ARRAY | pick(32)); break;
      case 17: v.vt = static_cast<VARTYPE>(random()); v.llVal = 0; break;
      default: v = Value(VT_I2, 1 + pick(8)); break;
    }
  };

  std::array<VARIANT, 8> arguments{};
  std::array<DISPID, 8> named{};
  int accepted = 0, refused = 0;
  for (int call = 0; call < calls; ++call) {
    check::context = "random call " + std::to_string(call) + " of seed " + std::to_string(seed);
    for (size_t i = 0; i < targets.size(); ++i) randomValue(targets[i], i);
    for (size_t i = 0; i < arguments.size(); ++i) randomValue(arguments[i], i);
    for (DISPID& name : named) name = names[pick(std::size(names))];
    UINT count = static_cast<UINT>(pick(5));
    DISPPARAMS parameters{arguments.data(), named.data(), count, static_cast<UINT>(pick(count + 2))};
    if (pick(20) == 0) parameters.rgvarg = nullptr;
    if (pick(20) == 0) parameters.rgdispidNamedArgs = nullptr;
    DISPID id = ids[pick(static_cast<int>(ids.size()))];
    WORD flags = static_cast<WORD>(pick(16));
    if (pick(2)) {  // half the calls well formed but for their values, to reach the coercions
      const component::automation::Member& member = record.members[pick(static_cast<int>(record.members.size()))];
      id = member.id;
      flags = static_cast<WORD>(member.kind);
      count = static_cast<UINT>(member.parameters.size());
      const bool put = member.kind == INVOKE_PROPERTYPUT;
      if (!put && count > 0 && member.parameters.back().passing == component::automation::Passing::Retval) --count;
      named[0] = DISPID_PROPERTYPUT;
      parameters = {arguments.data(), named.data(), count, put ? 1u : 0u};
    }
    const auto before = Snapshot(board.get());
    UniqueVariant result;
    EXCEPINFO exception{};
    UINT argumentError = ~0u;
    const bool blamed = pick(2);
    const HRESULT hr = object->Invoke(id, IID_NULL, 0, flags, &parameters, pick(4) ? result.put() : nullptr,
                                      pick(2) ? &exception : nullptr, blamed ? &argumentError : nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    // A member's own error means it ran (an unknown piece is stored, then
    // reported); any other failure is Invoke's refusal, which changes nothing.
    const bool memberFailed = hr == DISP_E_EXCEPTION || HRESULT_FACILITY(hr) == FACILITY_CONTROL;
    if (FAILED(hr) && !memberFailed && Snapshot(board.get()) != before)
      check::Fail(__LINE__, "refused with " + check::Show(hr) + ", yet the board changed");
    // A name or value that fits nowhere is named back, for a put as for a get.
    const bool blames = hr == DISP_E_PARAMNOTFOUND || hr == DISP_E_TYPEMISMATCH;
    if (blames && blamed && parameters.rgvarg && parameters.cArgs > 0 && argumentError >= parameters.cArgs)
      check::Fail(__LINE__, "refused with " + check::Show(hr) + " naming no argument");
    ++(SUCCEEDED(hr) ? accepted : refused);
  }
  std::printf("%d random calls to %ls of seed %u: %d accepted, %d refused\n", calls, record.name.data(), seed, accepted,
              refused);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  CoInitialize(nullptr);
  const HHOOK hook = SetWindowsHookExW(WH_CBT, test::RefuseDialogs, nullptr, GetCurrentThreadId());
  {
    test::Library library(argv[1]);
    auto object = library.Create<IDispatch>();
    CHECK(object);
    if (!object) return check::Result();
    NamedArgumentsAsTheTypeLibraryHasThem<_OvlChess>(library, component::identity::kClassId);
    NamedArgumentsAsTheTypeLibraryHasThem<_OvlBoard>(library, component::identity::kBoardClassId);
    NamedArgumentsFollowOleRules(object.get());
    MalformedCallsAreRefused(object.get());
    RandomCallsNeverHurt<_OvlChess>(object.get(), component::automation::kOvlChess, 20261207, 4000);
    auto board = library.Create<IDispatch>(component::identity::kBoardClassId);
    CHECK(board);
    if (board) RandomCallsNeverHurt<_OvlBoard>(board.get(), component::automation::kOvlBoard, 20261207, 4000);
  }
  UnhookWindowsHookEx(hook);
  CoUninitialize();
  return check::Result();
}
