// A C++ client built from the release zip alone: orvel_board.h and the
// identifiers of orvel_board_i.c (compiled as C++), against the registered
// control, its events taken by a sink of __OvlChess.
#include <windows.h>

#include <cstdio>

#include "orvel_board.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::printf("FAILED: %s\n", what);
    ++failures;
  }
}

// Answers the event interface only; counts what the connection point asks of it.
class EventSink final : public __OvlChess {
 public:
  int askedForEvents = 0;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    *out = nullptr;
    if (iid == DIID___OvlChess) ++askedForEvents;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID___OvlChess) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return --references_; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept override {
    return S_OK;
  }
  ULONG References() const { return references_; }

 private:
  ULONG references_ = 1;  // on the stack: this function's own
};

void Identifiers() {
  Check(__uuidof(OvlChess) == CLSID_OvlChess, "__uuidof(OvlChess) is CLSID_OvlChess");
  Check(__uuidof(_OvlChess) == IID__OvlChess, "__uuidof(_OvlChess) is IID__OvlChess");
  Check(__uuidof(__OvlChess) == DIID___OvlChess, "__uuidof(__OvlChess) is DIID___OvlChess");
  ITypeLib* library = nullptr;
  Check(LoadRegTypeLib(LIBID_OrvelBoardLib, 1, 0, 0, &library) == S_OK, "LIBID_OrvelBoardLib is registered");
  if (library) library->Release();
}

void Members(_OvlChess* board) {
  Check(board->NewGame() == S_OK, "NewGame");
  short col = 7, row = 8;
  PieceNum piece = None;
  Check(board->get_Piece(&col, &row, &piece) == S_OK && piece == Wknight, "g1 holds the cream knight");
}

void Events(_OvlChess* board) {
  IConnectionPointContainer* container = nullptr;
  IConnectionPoint* point = nullptr;
  board->QueryInterface(IID_PPV_ARGS(&container));
  Check(container && container->FindConnectionPoint(DIID___OvlChess, &point) == S_OK, "the events' connection point");
  if (container) container->Release();
  if (!point) return;
  EventSink sink;
  DWORD cookie = 0;
  Check(point->Advise(&sink, &cookie) == S_OK && sink.askedForEvents > 0, "a __OvlChess sink connects");
  Check(point->Unadvise(cookie) == S_OK && sink.References() == 1, "and lets go");
  point->Release();
}

}  // namespace

int main() {
  if (FAILED(CoInitialize(nullptr))) return 1;
  Identifiers();
  _OvlChess* board = nullptr;
  Check(CoCreateInstance(CLSID_OvlChess, nullptr, CLSCTX_INPROC_SERVER, IID__OvlChess,
                         reinterpret_cast<void**>(&board)) == S_OK,
        "CoCreateInstance(CLSID_OvlChess, IID__OvlChess)");
  if (board) {
    Members(board);
    Events(board);
    board->Release();
  }
  CoUninitialize();
  std::printf("C++ client: %s\n", failures ? "failed" : "passed");
  return failures ? 1 : 0;
}
