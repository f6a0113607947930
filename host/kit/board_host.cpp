// A complete host of OvlBoard for a chess program, built from the kit alone:
// a window holding the board, a sink for its events, and a PieceDrop handler
// that refuses a move onto the mover's own piece, promotes a pawn reaching the
// last rank to a queen, and marks the last move. It prints what it decides.
//
//   mingw-w64:   g++ -std=c++17 -I kit board_host.cpp kit/orvel_board_i.c -lole32 -loleaut32 -luuid
//   Visual C++:  cl /EHsc /I kit board_host.cpp kit\orvel_board_i.c ole32.lib oleaut32.lib uuid.lib user32.lib
//   Run:         board_host [FEN]      (the position to start from; else a new game)
#include <windows.h>

#include <ocidl.h>
#include <wrl/client.h>

#include <cstdio>

#include "orvel_board.h"

using Microsoft::WRL::ComPtr;

namespace {

// The site a control lives in: where its window goes. A site without the
// ambient properties' IDispatch is a running program's (UserMode True).
class Site final : public IOleClientSite, public IOleInPlaceSite {
 public:
  explicit Site(HWND window) : window_(window) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  // It lives on Run's stack, longer than the control's hold on it: nothing to count.
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return 2; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return 1; }

  // IOleClientSite
  STDMETHODIMP SaveObject() noexcept override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) noexcept override {
    *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** container) noexcept override {
    *container = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() noexcept override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() noexcept override { return E_NOTIMPL; }

  // IOleInPlaceSite: the control's window is a child of ours and fills its client area.
  STDMETHODIMP GetWindow(HWND* window) noexcept override {
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() noexcept override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() noexcept override { return S_OK; }
  STDMETHODIMP OnUIActivate() noexcept override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position, RECT* clip,
                                OLEINPLACEFRAMEINFO* info) noexcept override {
    *frame = nullptr, *document = nullptr;
    GetClientRect(window_, position);
    *clip = *position;
    info->fMDIApp = FALSE, info->hwndFrame = window_, info->haccel = nullptr, info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() noexcept override { return S_OK; }
  STDMETHODIMP DiscardUndoState() noexcept override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() noexcept override { return S_OK; }
  STDMETHODIMP OnPosRectChange(const RECT*) noexcept override { return S_OK; }

 private:
  HWND window_;
};

bool IsCream(PieceNum piece) { return piece >= Wpawn && piece <= Wking; }
bool IsRed(PieceNum piece) { return piece >= Bpawn && piece <= Bking; }

void Say(short fromCol, short fromRow, short toCol, short toRow, const char* what) {
  std::printf("%c%d-%c%d: %s\n", 'a' + fromCol - 1, 9 - fromRow, 'a' + toCol - 1, 9 - toRow, what);
  std::fflush(stdout);
}

// The host's rules, such as they are here. The board has not moved yet: the
// mover is still on its square. Left uncancelled and unwritten, the board moves
// the piece itself when this returns; writing either square stops that, so a
// promotion writes both.
void OnPieceDrop(_OvlBoard* board, short fromCol, short fromRow, short toCol, short toRow, VARIANT_BOOL* cancel) {
  PieceNum mover = None, target = None;
  board->get_Piece(&fromCol, &fromRow, &mover);
  board->get_Piece(&toCol, &toRow, &target);
  if ((IsCream(mover) && IsCream(target)) || (IsRed(mover) && IsRed(target))) {
    *cancel = VARIANT_TRUE;
    return Say(fromCol, fromRow, toCol, toRow, "refused, a piece of the same side is there");
  }
  if ((mover == Wpawn && toRow == 1) || (mover == Bpawn && toRow == 8)) {
    board->put_Piece(&fromCol, &fromRow, None);
    board->put_Piece(&toCol, &toRow, mover == Wpawn ? WQueen : BQueen);
    Say(fromCol, fromRow, toCol, toRow, "promoted to a queen");
  } else {
    Say(fromCol, fromRow, toCol, toRow, "moved");
  }
  board->ClearMarks();
  board->put_Mark(&fromCol, &fromRow, mkLastMove);
  board->put_Mark(&toCol, &toRow, mkLastMove);
}

// The board's events arrive through IDispatch::Invoke, their arguments in
// reverse order and every one by reference.
class BoardEvents final : public __OvlBoard {
 public:
  static constexpr DISPID kPieceDrop = 6;

  explicit BoardEvents(_OvlBoard* board) : board_(board) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID___OvlBoard) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  // It lives on Run's stack, longer than the connection: nothing to count.
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return 2; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* arguments, VARIANT*, EXCEPINFO*,
                      UINT*) noexcept override {
    if (id != kPieceDrop || arguments->cArgs != 5) return S_OK;  // Click, MouseDown, ...: not needed here
    VARIANT* a = arguments->rgvarg;                              // a[4] fromCol ... a[0] Cancel
    OnPieceDrop(board_, *a[4].piVal, *a[3].piVal, *a[2].piVal, *a[1].piVal, a[0].pboolVal);
    return S_OK;
  }

 private:
  _OvlBoard* board_;
};

// The control in place in the window: it fills the client area and leaves before the window goes.
ComPtr<IOleInPlaceObject> placed;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  RECT client;
  if (message == WM_SIZE && placed && GetClientRect(window, &client)) placed->SetObjectRects(&client, &client);
  if (message == WM_CLOSE && placed) placed->InPlaceDeactivate();
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateMainWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"OrvelBoardHost";
  RegisterClassW(&windowClass);
  RECT frame{0, 0, 8 * 37, 8 * 37};  // the board's size at 96 DPI
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  return CreateWindowW(L"OrvelBoardHost", L"Orvel Board host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                       CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                       windowClass.hInstance, nullptr);
}

// A BSTR that frees itself.
struct Bstr {
  BSTR text = nullptr;
  ~Bstr() { SysFreeString(text); }
};

// The command line's text as the BSTR a string property takes.
BSTR BstrOf(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  BSTR wide = SysAllocStringLen(nullptr, length - 1);
  if (wide) MultiByteToWideChar(CP_ACP, 0, text, -1, wide, length);
  return wide;
}

HRESULT SetUp(_OvlBoard* board, const char* position) {
  if (!position) return board->NewGame();
  const Bstr text{BstrOf(position)};
  return board->put_Position(text.text);  // error 380 (0x800A017C) for a malformed position
}

// The sink joins the board's connection point for __OvlBoard, before anything can raise an event.
HRESULT Connect(IOleObject* object, __OvlBoard* sink, ComPtr<IConnectionPoint>& point, DWORD& cookie) {
  ComPtr<IConnectionPointContainer> points;
  HRESULT hr = object->QueryInterface(IID_PPV_ARGS(&points));
  if (SUCCEEDED(hr)) hr = points->FindConnectionPoint(DIID___OvlBoard, &point);
  if (SUCCEEDED(hr)) hr = point->Advise(sink, &cookie);
  return hr;
}

int Run(HWND window, const char* position) {
  Site site(window);
  ComPtr<IOleObject> object;
  ComPtr<_OvlBoard> board;
  HRESULT hr = CoCreateInstance(CLSID_OvlBoard, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
  if (SUCCEEDED(hr)) hr = object.As(&board);
  if (FAILED(hr)) {
    std::printf("cannot create OvlBoard: 0x%08lX\n", static_cast<unsigned long>(hr));
    return 1;
  }
  BoardEvents events(board.Get());
  ComPtr<IConnectionPoint> point;
  DWORD cookie = 0;
  hr = Connect(object.Get(), &events, point, cookie);
  if (SUCCEEDED(hr)) hr = object->SetClientSite(&site);
  if (SUCCEEDED(hr)) hr = SetUp(board.Get(), position);
  RECT client;
  GetClientRect(window, &client);
  if (SUCCEEDED(hr)) hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window, &client);
  if (SUCCEEDED(hr)) hr = object.As(&placed);
  if (SUCCEEDED(hr)) std::printf("ready: move the pieces; close the window to end\n");
  std::fflush(stdout);

  MSG message;
  while (SUCCEEDED(hr) && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Bstr last;
  if (SUCCEEDED(hr) && SUCCEEDED(board->get_Position(&last.text))) std::printf("position %ls\n", last.text);
  if (FAILED(hr)) std::printf("failed: 0x%08lX\n", static_cast<unsigned long>(hr));
  placed.Reset();
  if (cookie) point->Unadvise(cookie);
  object->Close(OLECLOSE_NOSAVE);
  object->SetClientSite(nullptr);
  return SUCCEEDED(hr) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (FAILED(OleInitialize(nullptr))) return 1;
  const int status = Run(CreateMainWindow(), argc > 1 ? argv[1] : nullptr);
  OleUninitialize();
  return status;
}
