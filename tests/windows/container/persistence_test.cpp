// Saving and loading through the three persistence interfaces a container uses.
#include <cstdio>
#include <vector>

#include "component/com/unique.h"
#include "component/identity.h"
#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "host/container_site/property_bag.h"
#include "tests/windows/check.h"

namespace {

// A control that is created but not yet initialised, as a form loads one.
BenchOptions Unloaded() { return {.initNew = false, .activate = false}; }

com::ComPtr<IStream> NewStream() {
  com::ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  return stream;
}

com::ComPtr<IStorage> NewStorage() {
  com::ComPtr<ILockBytes> bytes;
  com::ComPtr<IStorage> storage;
  if (SUCCEEDED(CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.put())))
    StgCreateDocfileOnILockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, storage.put());
  return storage;
}

void Rewind(IStream* stream) {
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
}

std::vector<BYTE> StreamBytes(IStream* stream) {
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
  Rewind(stream);
  ULONG read = 0;
  stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  bytes.resize(read);
  return bytes;
}

com::ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes, size_t length) {
  auto stream = NewStream();
  stream->Write(bytes.data(), static_cast<ULONG>(length), nullptr);
  Rewind(stream.get());
  return stream;
}

// The control's state after a change: Enabled False and a white king on d5.
void Change(Bench& bench) {
  CHECK_HR(bench.Board()->put_Enabled(VARIANT_FALSE), S_OK);
  CHECK_HR(bench.SetPiece(4, 5, 7), S_OK);
}

// Reads a control's properties back through a bag, whatever it was loaded from.
com::ComPtr<host::MemoryPropertyBag> SaveToBag(Bench& bench) {
  auto bag = host::Make<host::MemoryPropertyBag>();
  auto persist = bench.control->As<IPersistPropertyBag>();
  CHECK(persist);
  if (persist) CHECK_HR(persist->Save(bag.get(), TRUE, TRUE), S_OK);
  return bag;
}

void CheckBag(const host::MemoryPropertyBag& bag, bool enabled, short piece) {
  const VARIANT* enabledValue = bag.Find(L"Enabled");
  const VARIANT* pieceValue = bag.Find(L"Piece");
  CHECK(enabledValue && enabledValue->vt == VT_BOOL &&
        enabledValue->boolVal == (enabled ? VARIANT_TRUE : VARIANT_FALSE));
  CHECK(pieceValue && pieceValue->vt == VT_I2 && pieceValue->iVal == piece);
}

// A restored control: the saved properties, an empty board, no change notices.
void CheckRestored(Bench& bench) {
  VARIANT_BOOL enabled = VARIANT_TRUE;
  CHECK_HR(bench.Board()->get_Enabled(&enabled), S_OK);
  CHECK_EQ(enabled, VARIANT_FALSE);
  CheckBag(*SaveToBag(bench).get(), false, 7);
  int notEmpty = 0;
  for (short row = 1; row <= 8; ++row)
    for (short col = 1; col <= 8; ++col) notEmpty += bench.Piece(col, row) != 1;
  CHECK_EQ(notEmpty, 0);
  CHECK(bench.changes->Changes().empty());
}

// Saves a control, changed or new, to a stream and loads it into a fresh one.
com::ComPtr<IStream> StreamRoundTrip(bool changed) {
  Bench original;
  auto saved = NewStream();
  if (changed) Change(original);
  CHECK_HR(original.control->As<IPersistStreamInit>()->Save(saved.get(), TRUE), S_OK);
  Bench fresh(Unloaded());
  Rewind(saved.get());
  CHECK_HR(fresh.control->As<IPersistStreamInit>()->Load(saved.get()), S_OK);
  if (changed)
    CheckRestored(fresh);
  else
    CheckBag(*SaveToBag(fresh).get(), true, 0);
  return saved;
}

void StreamFormat() {
  check::context = "IPersistStreamInit";
  StreamRoundTrip(false);
  auto saved = StreamRoundTrip(true);

  // Every shortened copy of a saved stream is refused.
  const auto bytes = StreamBytes(saved.get());
  std::printf("    saved stream: %zu bytes\n", bytes.size());
  for (size_t length : {size_t{0}, size_t{1}, bytes.size() / 2, bytes.size() - 1}) {
    if (length >= bytes.size()) continue;
    Bench truncated(Unloaded());
    const HRESULT hr = truncated.control->As<IPersistStreamInit>()->Load(StreamOf(bytes, length).get());
    if (SUCCEEDED(hr)) std::printf("    a %zu-byte stream was accepted\n", length);
    CHECK_FAILED(hr);
  }
}

void StorageRoundTrip(bool changed) {
  check::context = "IPersistStorage";
  auto storage = NewStorage();
  CHECK(storage);
  if (!storage) return;
  Bench original({.initNew = false});
  auto persist = original.control->As<IPersistStorage>();
  CHECK(persist);
  if (!persist) return;
  CHECK_HR(persist->InitNew(storage.get()), S_OK);
  if (changed) Change(original);
  CHECK_HR(persist->Save(storage.get(), TRUE), S_OK);
  CHECK_HR(persist->SaveCompleted(nullptr), S_OK);
  Bench fresh(Unloaded());
  CHECK_HR(fresh.control->As<IPersistStorage>()->Load(storage.get()), S_OK);
  if (changed)
    CheckRestored(fresh);
  else
    CheckBag(*SaveToBag(fresh).get(), true, 0);
}

// A container that breaks the order of the storage calls is told so (the
// order itself is tested natively).
void StorageCallOrder() {
  check::context = "IPersistStorage, call order";
  auto storage = NewStorage();
  Bench bench(Unloaded());
  auto persist = bench.control->As<IPersistStorage>();
  CHECK_HR(persist->InitNew(nullptr), E_POINTER);
  CHECK_HR(persist->Load(nullptr), E_POINTER);
  CHECK_HR(persist->InitNew(storage.get()), S_OK);
  CHECK_HR(persist->SaveCompleted(nullptr), E_UNEXPECTED);
  CHECK_HR(persist->HandsOffStorage(), S_OK);
  CHECK_HR(persist->Save(storage.get(), TRUE), E_UNEXPECTED);
}

void PropertyBagRoundTrip() {
  check::context = "IPersistPropertyBag";
  Bench defaults(Unloaded());
  CHECK_HR(defaults.control->As<IPersistPropertyBag>()->InitNew(), S_OK);
  CheckBag(*SaveToBag(defaults).get(), true, 0);

  Bench original;
  Change(original);
  auto bag = SaveToBag(original);
  CheckBag(*bag.get(), false, 7);
  Bench fresh(Unloaded());
  CHECK_HR(fresh.control->As<IPersistPropertyBag>()->Load(bag.get(), nullptr), S_OK);
  CheckRestored(fresh);
}

void BadBagValues() {
  check::context = "IPersistPropertyBag, bad values";
  com::UniqueVariant text;
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"abc");
  com::UniqueVariant large;
  large.vt = VT_I4;
  large.lVal = 70000;
  com::UniqueVariant disabled;
  disabled.vt = VT_BOOL;
  disabled.boolVal = VARIANT_FALSE;
  for (const VARIANT* piece : {static_cast<const VARIANT*>(&text), static_cast<const VARIANT*>(&large)}) {
    auto bag = host::Make<host::MemoryPropertyBag>();
    bag->Set(L"Enabled", disabled);
    bag->Set(L"Piece", *piece);
    auto errors = host::Make<host::MemoryPropertyBag>();
    Bench bench(Unloaded());
    CHECK_FAILED(bench.control->As<IPersistPropertyBag>()->Load(bag.get(), errors.get()));
    // A refused load leaves nothing of itself behind.
    VARIANT_BOOL enabled = VARIANT_FALSE;
    CHECK_HR(bench.Board()->get_Enabled(&enabled), S_OK);
    CHECK_EQ(enabled, VARIANT_TRUE);
    // Still usable afterwards.
    CHECK_HR(bench.Board()->NewGame(), S_OK);
    CHECK_EQ(bench.Piece(1, 1), 3);
    CHECK_HR(bench.SetPiece(1, 1, 13), S_OK);
    CHECK_EQ(bench.Piece(1, 1), 13);
  }
}

// Odd values a designer's bag may hold: Empty is what a container writes for
// no value, so it reads as the default (Enabled stays True, not a board
// silently disabled), and a malformed True keeps its bits where a number is read.
void OddBagValues() {
  check::context = "IPersistPropertyBag, odd values";
  com::UniqueVariant empty;
  com::UniqueVariant malformedTrue;
  malformedTrue.vt = VT_BOOL;
  malformedTrue.boolVal = 5;
  auto bag = host::Make<host::MemoryPropertyBag>();
  bag->Set(L"Enabled", empty);
  bag->Set(L"Piece", malformedTrue);
  Bench bench(Unloaded());
  CHECK_HR(bench.control->As<IPersistPropertyBag>()->Load(bag.get(), nullptr), S_OK);
  CheckBag(*SaveToBag(bench).get(), true, 5);

  auto truthy = host::Make<host::MemoryPropertyBag>();
  truthy->Set(L"Enabled", malformedTrue);
  truthy->Set(L"Piece", empty);
  Bench other(Unloaded());
  CHECK_HR(other.control->As<IPersistPropertyBag>()->Load(truthy.get(), nullptr), S_OK);
  CheckBag(*SaveToBag(other).get(), true, 0);
}

// OvlBoard keeps its view beside OvlChess's two properties through each of
// the three interfaces, and a bag without the view's keys gives their defaults.
com::ComPtr<_OvlBoard> NewBoard() {
  com::ComPtr<_OvlBoard> board;
  CoCreateInstance(component::identity::kBoardClassId, nullptr, CLSCTX_INPROC_SERVER, __uuidof(_OvlBoard),
                   board.put_void());
  CHECK(board);
  return board;
}

struct BoardView {
  VARIANT_BOOL flipped, coordinates, allowMoves;
  friend bool operator==(const BoardView&, const BoardView&) = default;
};

BoardView ViewOf(_OvlBoard* board) {
  BoardView view{};
  board->get_Flipped(&view.flipped);
  board->get_ShowCoordinates(&view.coordinates);
  board->get_AllowMoves(&view.allowMoves);
  return view;
}

void BoardRoundTrips() {
  check::context = "OvlBoard, bag";
  auto original = NewBoard();
  if (!original) return;
  CHECK_HR(original.As<IPersistPropertyBag>()->InitNew(), S_OK);
  const BoardView defaults = ViewOf(original.get());
  CHECK(defaults == (BoardView{VARIANT_FALSE, VARIANT_FALSE, VARIANT_TRUE}));
  CHECK_HR(original->put_Flipped(VARIANT_TRUE), S_OK);
  CHECK_HR(original->put_ShowCoordinates(VARIANT_TRUE), S_OK);
  CHECK_HR(original->put_AllowMoves(VARIANT_FALSE), S_OK);
  const BoardView changed{VARIANT_TRUE, VARIANT_TRUE, VARIANT_FALSE};
  auto bag = host::Make<host::MemoryPropertyBag>();
  CHECK_HR(original.As<IPersistPropertyBag>()->Save(bag.get(), TRUE, TRUE), S_OK);
  for (const wchar_t* key : {L"Enabled", L"Piece", L"Flipped", L"ShowCoordinates", L"AllowMoves"})
    CHECK(bag->Find(key) != nullptr);
  auto fromBag = NewBoard();
  CHECK_HR(fromBag.As<IPersistPropertyBag>()->Load(bag.get(), nullptr), S_OK);
  CHECK(ViewOf(fromBag.get()) == changed);

  check::context = "OvlBoard, bag of OvlChess's keys";
  auto chessBag = host::Make<host::MemoryPropertyBag>();
  chessBag->Set(L"Enabled", *bag->Find(L"Enabled"));
  chessBag->Set(L"Piece", *bag->Find(L"Piece"));
  auto fromChessBag = NewBoard();
  CHECK_HR(fromChessBag.As<IPersistPropertyBag>()->Load(chessBag.get(), nullptr), S_OK);
  CHECK(ViewOf(fromChessBag.get()) == defaults);

  check::context = "OvlBoard, stream";
  auto stream = NewStream();
  CHECK_HR(original.As<IPersistStreamInit>()->Save(stream.get(), TRUE), S_OK);
  ULARGE_INTEGER size{};
  CHECK_HR(original.As<IPersistStreamInit>()->GetSizeMax(&size), S_OK);
  CHECK_EQ(StreamBytes(stream.get()).size(), size.QuadPart);
  Rewind(stream.get());
  auto fromStream = NewBoard();
  CHECK_HR(fromStream.As<IPersistStreamInit>()->Load(stream.get()), S_OK);
  CHECK(ViewOf(fromStream.get()) == changed);

  check::context = "OvlBoard, storage";
  auto storage = NewStorage();
  auto persist = original.As<IPersistStorage>();
  CHECK_HR(persist->Save(storage.get(), FALSE), S_OK);
  CHECK_HR(persist->SaveCompleted(nullptr), S_OK);
  auto fromStorage = NewBoard();
  CHECK_HR(fromStorage.As<IPersistStorage>()->Load(storage.get()), S_OK);
  CHECK(ViewOf(fromStorage.get()) == changed);
}

}  // namespace

void TestPersistence() {
  StreamFormat();
  StorageRoundTrip(false);
  StorageRoundTrip(true);
  StorageCallOrder();
  PropertyBagRoundTrip();
  BadBagValues();
  OddBagValues();
  BoardRoundTrips();
  check::context = "";
}
