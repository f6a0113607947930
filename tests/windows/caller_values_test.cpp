// The doors besides Invoke through which a caller's VARIANT reaches the
// control (screen readers' child ids, ambient properties, property-bag values)
// and the persisted stream and storage, each driven with seeded random hostile
// values: NULL pointers, references that refer to themselves, objects whose
// value is the object. No crash, no hang, and a refused call changes nothing.
// Usage: caller_values_test MODULE [SEED]
#include <windows.h>

#include <oleacc.h>
#include <oleauto.h>
#include <olectl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "board/text.h"
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
using test::ValueObject;

// Where a hostile value leads once followed: nowhere, Empty, a 32-bit or a
// 16-bit number, or text that reads as no number.
enum class End { Nowhere, Empty, Long, Short, Text };

struct Sample {
  VARIANT value;
  End end;
  LONG number = 0;
};

// The hostile values, and the storage their references point into: banks taken
// in turn, so that a sample stays as it was while the next ones are made (a
// bag holds one for each saved property).
class Samples {
 public:
  explicit Samples(unsigned seed) : random_(seed) {
    selfValued_.Refer(&selfValued_);
    loopA_.Refer(&loopB_);
    loopB_.Refer(&loopA_);
    holder_.Refer(&knight_);
    self_ = test::Reference(&self_);
    cycleA_ = test::Reference(&cycleB_);
    cycleB_ = test::Reference(&cycleA_);
  }

  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

  // How often the control has asked any of the samples' objects for its value.
  int ObjectCalls() const {
    int calls = 0;
    for (const ValueObject* o : {&selfValued_, &loopA_, &loopB_, &knight_, &holder_, &five_}) calls += o->calls;
    return calls;
  }

  Sample Next() {
    bank_ = (bank_ + 1) % kBanks;
    auto& chain = chain_[bank_];
    LONG& number = number_[bank_];
    IDispatch*& slot = slot_[bank_];
    VARIANT v;
    VariantInit(&v);
    const LONG n = Pick(72) - 3;
    switch (Pick(15)) {
      case 0:
        return {v, End::Empty};
      case 1:
        v.vt = VT_I4;
        v.lVal = n;
        return {v, End::Long, n};
      case 2:
        v.vt = VT_I2;
        v.iVal = static_cast<SHORT>(n);
        return {v, End::Short, n};
      case 3:
        v.vt = VT_BSTR;
        v.bstrVal = text_.get();
        return {v, End::Text};
      case 4:
        v.vt = static_cast<VARTYPE>(Pick(2) ? VT_NULL : VT_ERROR);
        v.scode = DISP_E_PARAMNOTFOUND;
        break;
      case 5: {  // a chain of references, followed to four levels and no further
        const int length = 1 + Pick(6);
        chain[length].vt = VT_I4;
        chain[length].lVal = n;
        for (int i = length - 1; i >= 0; --i) chain[i] = test::Reference(&chain[i + 1]);
        return {chain[0], length <= 4 ? End::Long : End::Nowhere, n};
      }
      case 6:
        return {Pick(2) ? self_ : cycleA_, End::Nowhere};
      case 7:
        return {test::Reference(nullptr), End::Nowhere};
      case 8:
        number = n;
        v.vt = VT_BYREF | VT_I4;
        v.plVal = Pick(3) ? &number : nullptr;
        return {v, v.plVal ? End::Long : End::Nowhere, n};
      case 9:
        return {test::ObjectArgument(&five_), End::Long, 5};
      case 10:
        return {test::ObjectArgument(&holder_), End::Long, 10};
      case 11: {
        IDispatch* objects[] = {&selfValued_, &loopA_, nullptr};
        return {test::ObjectArgument(objects[Pick(3)]), End::Nowhere};
      }
      case 12:
        slot = Pick(3) ? &five_ : nullptr;
        v.vt = VT_BYREF | VT_DISPATCH;
        v.ppdispVal = Pick(4) ? &slot : nullptr;
        return {v, v.ppdispVal && slot ? End::Long : End::Nowhere, 5};
      default: {  // types that hold no plain value, their payload zero
        const VARTYPE types[] = {VT_ARRAY | VT_I4,  VT_RECORD, VT_VARIANT, VT_VOID,
                                 VT_VECTOR | VT_I4, 0x7fff,    VT_UNKNOWN, VT_BYREF | VT_UNKNOWN};
        v.vt = types[Pick(std::size(types))];
        break;
      }
    }
    return {v, End::Nowhere};
  }

 private:
  std::mt19937 random_;
  com::UniqueBstr text_{SysAllocString(L"seven")};
  ValueObject selfValued_{0}, loopA_{0}, loopB_{0}, knight_{10}, holder_{0}, five_{5};
  static constexpr int kBanks = 16;
  int bank_ = 0;
  std::array<std::array<VARIANT, 8>, kBanks> chain_{};
  std::array<LONG, kBanks> number_{};
  std::array<IDispatch*, kBanks> slot_{};
  VARIANT self_{}, cycleA_{}, cycleB_{};
};

// The child a sample names, or -1 where a screen reader's call must be
// refused: only a 32-bit integer passed by value, or Empty, is a child id.
LONG ChildOf(const Sample& sample) {
  if (sample.value.vt == VT_EMPTY) return CHILDID_SELF;
  return sample.value.vt == VT_I4 && sample.number >= 0 && sample.number <= 64 ? sample.number : -1;
}

// Whether automation reads the sample as a number (Empty is 0).
bool IsNumber(const Sample& sample) {
  return sample.end == End::Empty || sample.end == End::Long || sample.end == End::Short;
}

// A value handed back to the control as the caller's own: text is copied,
// since the control frees what it is given.
void GiveAway(const VARIANT& value, VARIANT* out) {
  VariantInit(out);
  if (FAILED(VariantCopy(out, const_cast<VARIANT*>(&value)))) *out = value;  // what it refuses owns nothing
}

// A container site whose ambient properties are whatever hostile value is current.
class HostileSite final : public IOleClientSite, public IOleInPlaceSite, public IDispatch {
 public:
  HostileSite(HWND window, RECT position) : window_(window), position_(position) {}
  Sample ambient{};

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    if (iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return 2; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return 1; }

  STDMETHODIMP SaveObject() noexcept override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer**) noexcept override { return E_NOINTERFACE; }
  STDMETHODIMP ShowObject() noexcept override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() noexcept override { return E_NOTIMPL; }

  STDMETHODIMP GetWindow(HWND* window) noexcept override {
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() noexcept override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() noexcept override { return S_OK; }
  STDMETHODIMP OnUIActivate() noexcept override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO) noexcept override {
    *frame = nullptr;
    *document = nullptr;
    *position = *clip = position_;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() noexcept override { return S_OK; }
  STDMETHODIMP DiscardUndoState() noexcept override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() noexcept override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) noexcept override { return S_OK; }

  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) noexcept override {
    if (!result) return E_POINTER;
    GiveAway(ambient.value, result);
    return S_OK;
  }

 private:
  HWND window_;
  RECT position_;
};

// A property bag that holds a hostile value, or fails, for each key.
class HostileBag final : public IPropertyBag {
 public:
  struct Entry {
    Sample sample;
    HRESULT read = S_OK;  // E_INVALIDARG: the key is absent
  };
  // By key; a key not here is absent.
  std::map<std::wstring, Entry, std::less<>> entries;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IPropertyBag ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return 2; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return 1; }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) noexcept override {
    const auto found = entries.find(std::wstring_view(name));
    if (found == entries.end()) return E_INVALIDARG;
    if (FAILED(found->second.read)) return found->second.read;
    GiveAway(found->second.sample.value, value);
    return S_OK;
  }
  STDMETHODIMP Write(LPCOLESTR, VARIANT*) noexcept override { return S_OK; }
};

// The error number a script host sees for automation's type mismatch (13).
constexpr HRESULT kTypeMismatch = check::AutomationError(13);
constexpr HRESULT kInvalidValue = check::AutomationError(380);
constexpr HRESULT kNotAtDesignTime = check::AutomationError(382);

// Every IAccessible method that takes a child id, called with `id`, in the
// order of kChildMethods.
constexpr const char* kChildMethods[] = {
    "get_accName",          "get_accValue",       "get_accDescription", "get_accRole",
    "get_accState",         "get_accHelp",        "get_accHelpTopic",   "get_accKeyboardShortcut",
    "get_accDefaultAction", "get_accChild",       "accSelect",          "accLocation",
    "accNavigate",          "accDoDefaultAction", "put_accName",        "put_accValue"};
std::array<HRESULT, std::size(kChildMethods)> CallEveryMethod(IAccessible* a, VARIANT id) {
  std::array<com::UniqueBstr, 7> text;
  std::array<UniqueVariant, 3> value;
  ComPtr<IDispatch> child;
  LONG left, top, width, height, topic;
  return {a->get_accName(id, text[0].put()),
          a->get_accValue(id, text[1].put()),
          a->get_accDescription(id, text[2].put()),
          a->get_accRole(id, value[0].put()),
          a->get_accState(id, value[1].put()),
          a->get_accHelp(id, text[3].put()),
          a->get_accHelpTopic(text[4].put(), id, &topic),
          a->get_accKeyboardShortcut(id, text[5].put()),
          a->get_accDefaultAction(id, text[6].put()),
          a->get_accChild(id, child.put()),
          a->accSelect(SELFLAG_TAKEFOCUS, id),
          a->accLocation(&left, &top, &width, &height, id),
          a->accNavigate(NAVDIR_NEXT, id, value[2].put()),
          a->accDoDefaultAction(id),
          a->put_accName(id, nullptr),
          a->put_accValue(id, nullptr)};
}

// A screen reader's calls with hostile child ids: a child id that is not a
// 32-bit integer from 0 to 64 passed by value (Empty for the board) is
// refused by every method, and no object passed as one is asked anything.
void ChildIds(IAccessible* accessible, _OvlChess* board, Samples& samples, int calls) {
  check::context = "no focus";
  UniqueVariant focus;
  CHECK_EQ(accessible->get_accFocus(focus.put()), S_FALSE);
  CHECK_EQ(focus.vt, VT_EMPTY);

  check::context = "null pointers";
  VARIANT cell;
  VariantInit(&cell);
  cell.vt = VT_I4;
  cell.lVal = 9;
  LONG place = 0;
  const HRESULT nulls[] = {accessible->get_accName(cell, nullptr),
                           accessible->get_accRole(cell, nullptr),
                           accessible->get_accState(cell, nullptr),
                           accessible->get_accChild(cell, nullptr),
                           accessible->get_accFocus(nullptr),
                           accessible->get_accSelection(nullptr),
                           accessible->get_accChildCount(nullptr),
                           accessible->get_accParent(nullptr),
                           accessible->accHitTest(1, 1, nullptr),
                           accessible->accNavigate(NAVDIR_NEXT, cell, nullptr),
                           accessible->accLocation(&place, nullptr, &place, nullptr, cell)};
  for (HRESULT hr : nulls) CHECK_EQ(hr, E_POINTER);
  CHECK_EQ(accessible->get_accHelpTopic(nullptr, cell, nullptr), S_FALSE);

  check::context = "an object for a child id";
  ValueObject three(3);
  for (HRESULT hr : CallEveryMethod(accessible, test::ObjectArgument(&three))) CHECK_EQ(hr, E_INVALIDARG);
  CHECK_EQ(three.calls, 0);

  int refused = 0;
  const int objectCalls = samples.ObjectCalls();
  const auto before = Snapshot(board);
  for (int i = 0; i < calls; ++i) {
    const Sample sample = samples.Next();
    const LONG child = ChildOf(sample);
    const auto results = CallEveryMethod(accessible, sample.value);
    for (size_t m = 0; m < results.size(); ++m) {
      check::context = std::string("child ids, call ") + std::to_string(i) + ", " + kChildMethods[m];
      if (child < 0) CHECK_EQ(results[m], E_INVALIDARG);
      // The board itself is no child object of its own.
      const bool selfRefused = child == CHILDID_SELF && std::string(kChildMethods[m]) == "get_accChild";
      if (child >= 0 && results[m] == E_INVALIDARG && !selfRefused) check::Fail(__LINE__, "a valid child refused");
    }
    refused += child < 0;
  }
  check::context = "child ids";
  CHECK(Snapshot(board) == before);
  CHECK_EQ(samples.ObjectCalls(), objectCalls);
  std::printf("%d child ids, %d refused by every method\n", calls, refused);
}

// Ambients the site answers with hostile values: one that does not convert is
// absent, so the control keeps running; one that reads as False is design time.
void Ambients(IOleControl* control, _OvlChess* board, HostileSite& site, Samples& samples, int calls) {
  const DISPID ambients[] = {DISPID_AMBIENT_BACKCOLOR, DISPID_UNKNOWN, DISPID_AMBIENT_DISPLAYNAME,
                             DISPID_AMBIENT_USERMODE};
  short col = 2, row = 3;
  for (int i = 0; i < calls; ++i) {
    check::context = "ambients, call " + std::to_string(i);
    site.ambient = samples.Next();
    CHECK_EQ(control->OnAmbientPropertyChange(ambients[samples.Pick(std::size(ambients))]), S_OK);
    const bool designTime = IsNumber(site.ambient) && site.ambient.number == 0;
    const auto before = Snapshot(board);
    const HRESULT hr = board->put_Piece(&col, &row, static_cast<PieceNum>(1 + i % 12));
    CHECK_EQ(hr, designTime ? kNotAtDesignTime : S_OK);
    if (FAILED(hr)) CHECK(Snapshot(board) == before);
  }
  site.ambient = {};
}

// An ambient whose value writes a square as it is read, as a script's object might.
class WritingAmbient final : public test::StackDispatch {
 public:
  explicit WritingAmbient(_OvlChess* board) : board_(board) {}
  int depth = 0, deepest = 0;

  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                      UINT*) noexcept override {
    if (id != DISPID_VALUE || !result) return DISP_E_MEMBERNOTFOUND;
    deepest = std::max(deepest, ++depth);
    short col = 4, row = 4;
    // A control that asked again each time would recurse until the stack ran out: stop well before.
    if (board_ && depth < 50) board_->put_Piece(&col, &row, static_cast<PieceNum>(1 + depth % 12));
    --depth;
    VariantInit(result);
    result->vt = VT_I4;
    result->lVal = 1;
    return S_OK;
  }

 private:
  _OvlChess* board_;
};

ComPtr<IAccessible> AccessibleOf(IOleObject* object);

// Every member that reads an ambient, with one that writes a square as it is read: each ends.
void ReentrantAmbients(const test::Library& library, HWND window, const RECT& position) {
  check::context = "re-entrant ambients";
  HostileSite site(window, position);
  auto object = library.Create<IOleObject>();
  CHECK(object);
  if (!object) return;
  auto board = object.As<_OvlChess>();
  WritingAmbient writer(board.get());
  site.ambient = {test::ObjectArgument(&writer), End::Long, 1};
  object->SetClientSite(&site);
  object.As<IPersistStreamInit>()->InitNew();
  CHECK_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window, &position), S_OK);
  short col = 2, row = 2;
  CHECK_EQ(board->put_Piece(&col, &row, static_cast<PieceNum>(3)), S_OK);
  CHECK_EQ(object.As<IOleControl>()->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
  auto accessible = AccessibleOf(object.get());
  CHECK(accessible);
  CHECK(writer.deepest > 0 && writer.deepest < 4);
  short at = 4;
  PieceNum written{};
  CHECK_EQ(board->get_Piece(&at, &at, &written), S_OK);
  CHECK(written != 0);
  accessible.reset();
  site.ambient = {};
  object->Close(OLECLOSE_NOSAVE);
  object->SetClientSite(nullptr);
}

// Property bags with hostile values for each key the class saves: a value that
// does not convert fails the load with automation's type mismatch, and what it
// was to set stays as it was. The board's squares are never loaded.
template <class Board>
void PropertyBags(const test::Library& library, const component::automation::ControlClass& record, Samples& samples,
                  int calls) {
  HostileBag bag;
  // Empty is what a container writes for no value: "Enabled" keeps its default.
  check::context = "property bag of Empty values";
  if (auto persist = library.Create<IPersistPropertyBag>(record.classId)) {
    for (const control::SavedProperty* saved : control::SavedIn(record.saved))
      bag.entries[board::Wide(saved->name)] = {Sample{VARIANT{}, End::Empty}};
    CHECK_EQ(persist->Load(&bag, nullptr), S_OK);
    VARIANT_BOOL enabled = VARIANT_FALSE;
    persist.template As<Board>()->get_Enabled(&enabled);
    CHECK_EQ(enabled, VARIANT_TRUE);
  }
  int loaded = 0;
  const HRESULT reads[] = {S_OK, S_OK, S_OK, E_INVALIDARG, E_FAIL};
  auto outcome = [](const HostileBag::Entry& entry, const control::SavedProperty& property) {
    if (entry.read == E_FAIL) return E_FAIL;
    if (entry.read == E_INVALIDARG || entry.sample.end == End::Empty) return S_OK;
    if (!IsNumber(entry.sample)) return kTypeMismatch;
    const bool inRange = property.kind == control::SavedKind::Boolean ||
                         (entry.sample.number >= property.least && entry.sample.number <= property.most);
    return inRange ? S_OK : kInvalidValue;
  };
  for (int i = 0; i < calls; ++i) {
    check::context = "property bags of " + check::Narrow(std::wstring(record.name)) + ", call " + std::to_string(i);
    auto persist = library.Create<IPersistPropertyBag>(record.classId);
    auto board = persist.template As<Board>();
    if (!board) return check::Fail(__LINE__, "no control");
    // Read in the order saved: the first that fails fails the load.
    HRESULT expected = S_OK;
    const std::vector<const control::SavedProperty*> saved = control::SavedIn(record.saved);
    for (const control::SavedProperty* property : saved) {
      HostileBag::Entry& entry = bag.entries[board::Wide(property->name)];
      entry = {samples.Next(), reads[samples.Pick(std::size(reads))]};
      if (SUCCEEDED(expected)) expected = outcome(entry, *property);
    }
    const HRESULT firstRead = outcome(bag.entries[board::Wide(saved.front()->name)], *saved.front());
    const auto before = Snapshot(board.get());
    const HRESULT hr = persist->Load(samples.Pick(10) ? &bag : nullptr, nullptr);
    if (hr == E_POINTER) continue;
    CHECK_EQ(hr, expected);
    const auto after = Snapshot(board.get());
    // Enabled is read first: a load that fails later has set it.
    if (FAILED(hr) && FAILED(firstRead)) CHECK(after == before);
    CHECK(std::equal(before.begin(), before.begin() + 64, after.begin()));
    loaded += SUCCEEDED(hr);
  }
  std::printf("%d property bags of %ls, %d loaded\n", calls, record.name.data(), loaded);
}

// The control's stream, whole, cut short or scrambled, alone and inside a
// storage. OvlBoard reads OvlChess's stream as well as its own.
template <class Board>
void StreamsAndStorages(const test::Library& library, const CLSID& id, Samples& samples, int calls) {
  const std::vector<BYTE> chessStream = {'O', 'V', 'L', 'B', 1, 0, 4, 0, 0, 0, 7, 0};
  const std::vector<BYTE> boardStream = {'O', 'V', 'L', 'B', 2, 0, 10, 0, 0, 0, 7, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF};
  const bool board = std::is_same_v<Board, _OvlBoard>;
  int loaded = 0;
  for (int i = 0; i < calls; ++i) {
    check::context = "streams, call " + std::to_string(i);
    const std::vector<BYTE>& saved = board && samples.Pick(2) ? boardStream : chessStream;
    std::vector<BYTE> bytes = saved;
    bytes.resize(samples.Pick(static_cast<int>(saved.size()) + 4));
    for (int flips = samples.Pick(3); flips > 0 && !bytes.empty(); --flips) bytes[samples.Pick(bytes.size())] ^= 1;
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);

    auto object = library.Create<IPersistStreamInit>(id);
    auto control = object.template As<Board>();
    if (!control) return check::Fail(__LINE__, "no control");
    const auto before = Snapshot(control.get());
    HRESULT hr;
    if (samples.Pick(2)) {
      hr = object->Load(samples.Pick(10) ? stream.get() : nullptr);
    } else {
      ComPtr<ILockBytes> bytesOnMemory;
      ComPtr<IStorage> storage;
      CreateILockBytesOnHGlobal(nullptr, TRUE, bytesOnMemory.put());
      StgCreateDocfileOnILockBytes(bytesOnMemory.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                   storage.put());
      ComPtr<IStream> contents;
      if (samples.Pick(4)) {
        storage->CreateStream(L"Contents", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, contents.put());
        ULARGE_INTEGER all;
        all.QuadPart = bytes.size();
        stream->CopyTo(contents.get(), all, nullptr, nullptr);
        contents.reset();
      }
      hr = object.template As<IPersistStorage>()->Load(samples.Pick(10) ? storage.get() : nullptr);
    }
    // The values may be any; the header and the length may not.
    const bool readable = bytes.size() >= saved.size() && std::equal(saved.begin(), saved.begin() + 8, bytes.begin());
    if (SUCCEEDED(hr) && !readable) check::Fail(__LINE__, "a damaged stream loaded");
    if (FAILED(hr)) CHECK(Snapshot(control.get()) == before);
    loaded += SUCCEEDED(hr);
  }
  std::printf("%d streams and storages, %d loaded\n", calls, loaded);
}

// The board's accessible object, as a client in this process asks the window for it.
ComPtr<IAccessible> AccessibleOf(IOleObject* object) {
  HWND window = nullptr;
  ComPtr<IAccessible> accessible;
  if (auto ole = ComPtr<IOleObject>(object).As<IOleWindow>(); ole && SUCCEEDED(ole->GetWindow(&window))) {
    const LRESULT result = SendMessageW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    if (result > 0) ObjectFromLresult(result, IID_IAccessible, 0, accessible.put_void());
  }
  return accessible;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::wcstoul(argv[2], nullptr, 10)) : 20261208;
  std::printf("seed %u\n", seed);
  OleInitialize(nullptr);
  const HHOOK hook = SetWindowsHookExW(WH_CBT, test::RefuseDialogs, nullptr, GetCurrentThreadId());
  {
    test::Library library(argv[1]);
    Samples samples(seed);
    const RECT position{0, 0, 296, 296};
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CallerValuesHost";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"caller values", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                  0, 320, 340, nullptr, nullptr, windowClass.hInstance, nullptr);
    CHECK(window);
    HostileSite site(window, position);
    auto object = library.Create<IOleObject>();
    CHECK(object);
    if (!object) return check::Result();
    auto board = object.As<_OvlChess>();
    object->SetClientSite(&site);
    object.As<IPersistStreamInit>()->InitNew();
    CHECK_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window, &position), S_OK);
    SetFocus(window);
    // Its name is the ambient DisplayName, read when a screen reader first asks: let it be hostile too.
    site.ambient = {test::Reference(nullptr), End::Nowhere};
    auto accessible = AccessibleOf(object.get());
    CHECK(accessible);
    site.ambient = {};
    com::UniqueBstr name;
    VARIANT self;
    VariantInit(&self);
    if (accessible && SUCCEEDED(accessible->get_accName(self, name.put())))
      CHECK_EQ(std::wstring(name.get()), std::wstring(L"Chess board"));
    if (accessible) ChildIds(accessible.get(), board.get(), samples, 600);
    ReentrantAmbients(library, window, position);
    Ambients(object.As<IOleControl>().get(), board.get(), site, samples, 600);
    PropertyBags<_OvlChess>(library, component::automation::kOvlChess, samples, 400);
    StreamsAndStorages<_OvlChess>(library, component::identity::kClassId, samples, 400);
    PropertyBags<_OvlBoard>(library, component::automation::kOvlBoard, samples, 400);
    StreamsAndStorages<_OvlBoard>(library, component::identity::kBoardClassId, samples, 400);
    accessible.reset();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    DestroyWindow(window);
  }
  UnhookWindowsHookEx(hook);
  OleUninitialize();
  return check::Result();
}
