// The demo: the control in a window by OLE in-place activation, with New game,
// Clear and Enabled, an event log, and moves played the host's way (click a
// piece, click a target) with the mouse or the keyboard: Tab and Shift+Tab go
// between the board and the buttons, and the log says what each key did.
// --scripted OUT.bmp plays a few moves with the mouse, saves a picture of the
// window and exits.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <memory>
#include <string>

#include "board/text.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"
#include "host/container_site/pixels.h"

namespace {

constexpr int kMargin = 8;
constexpr int kPanelLeft = 2 * kMargin + host::kBoardPixels;
constexpr int kPanelWidth = 260;
constexpr int kClientWidth = kPanelLeft + kPanelWidth + kMargin;
constexpr int kClientHeight = 2 * kMargin + host::kBoardPixels;
enum : int { kNewGameId = 101, kClearId, kEnabledId, kLogId };
constexpr long kNone = 1;
constexpr DISPID kClick = 1;

const char* const kEventNames[] = {"?", "Click", "DblClick", "MouseDown", "MouseMove", "MouseUp"};
const char* const kArgumentNames[] = {"col", "row", "Button", "Shift", "X", "Y"};

std::string SquareName(short col, short row) { return {char('a' + col - 1), char('0' + 9 - row)}; }

struct Square {
  short col = 0, row = 0;
  explicit operator bool() const { return col != 0; }
  bool operator==(const Square&) const = default;
};

class Demo {
 public:
  bool Start(bool echo);
  void Close();
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void NewGame();
  void ClickSquare(Square square);
  long Piece(Square square) const;
  HWND Window() const { return window_; }
  // A container's loop: the control's keys first, then the dialog manager's Tab and Shift+Tab.
  bool PreTranslate(MSG& message);
  // Logs what a key did: where the focus went, or the square the board's cursor reached.
  void LogKey(WPARAM key, HWND focusBefore);

 private:
  HWND AddChild(const wchar_t* kind, const wchar_t* text, DWORD style, int id, RECT place);
  void OnEvent(const host::RecordedEvent& event);
  void OnSquareClicked(Square square);
  void SetPiece(Square square, long piece);
  void Log(const std::string& line);
  std::string FocusedSquare() const;

  HWND window_ = nullptr;
  HWND log_ = nullptr;
  HWND enabled_ = nullptr;
  bool echo_ = false;
  Square selected_;
  com::ComPtr<host::EventSink> sink_;
  std::unique_ptr<host::EmbeddedControl> control_;
};

Demo* theDemo = nullptr;

LRESULT CALLBACK DemoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (theDemo) return theDemo->Handle(window, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Demo::Start(bool echo) {
  echo_ = echo;
  window_ = host::CreateHostWindow(L"OrvelBoard demo", kClientWidth, kClientHeight, DemoProcedure, L"OrvelDemo");
  AddChild(L"BUTTON", L"New game", BS_PUSHBUTTON, kNewGameId, {kPanelLeft, kMargin, kPanelLeft + 120, 34});
  AddChild(L"BUTTON", L"Clear", BS_PUSHBUTTON, kClearId, {kPanelLeft + 130, kMargin, kPanelLeft + 250, 34});
  enabled_ = AddChild(L"BUTTON", L"Enabled", BS_AUTOCHECKBOX, kEnabledId, {kPanelLeft, 42, kPanelLeft + 120, 62});
  SendMessageW(enabled_, BM_SETCHECK, BST_CHECKED, 0);
  log_ = AddChild(L"LISTBOX", L"", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, kLogId,
                  {kPanelLeft, 70, kPanelLeft + kPanelWidth, kClientHeight - kMargin});

  sink_ = host::Make<host::EventSink>(component::identity::kEventInterfaceId);
  sink_->SetHandler([this](const host::RecordedEvent& event, DISPPARAMS&) { OnEvent(event); });
  const RECT place{kMargin, kMargin, kMargin + host::kBoardPixels, kMargin + host::kBoardPixels};
  control_ = std::make_unique<host::EmbeddedControl>(window_, place);
  control_->SetEventInterface(component::identity::kEventInterfaceId);
  HRESULT hr = control_->Create(component::identity::kClassId);
  if (SUCCEEDED(hr)) hr = control_->ConnectEvents(sink_.get());
  if (SUCCEEDED(hr)) hr = control_->InitNew();
  if (SUCCEEDED(hr)) hr = control_->Activate();
  if (FAILED(hr)) {
    std::printf("cannot place the control: 0x%08lX\n", static_cast<unsigned long>(hr));
    return false;
  }
  NewGame();
  // The board comes first in the tab order, and starts with the focus.
  SetWindowPos(control_->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetFocus(control_->Window());
  return true;
}

void Demo::Close() {
  control_.reset();
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
}

HWND Demo::AddChild(const wchar_t* kind, const wchar_t* text, DWORD style, int id, RECT place) {
  HWND child = CreateWindowW(kind, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return child;
}

LRESULT Demo::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    switch (LOWORD(wParam)) {
      case kNewGameId:
        NewGame();
        return 0;
      case kClearId:
        selected_ = {};
        if (control_ && control_->Board()) control_->Board()->Clear();
        return 0;
      case kEnabledId: {
        const bool on = SendMessageW(enabled_, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (control_ && control_->Board()) control_->Board()->put_Enabled(on ? VARIANT_TRUE : VARIANT_FALSE);
        return 0;
      }
    }
  }
  if (message == WM_CLOSE) {
    Close();
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

void Demo::NewGame() {
  selected_ = {};
  if (control_ && control_->Board()) control_->Board()->NewGame();
  Log("New game");
}

void Demo::OnEvent(const host::RecordedEvent& event) {
  std::string line = event.dispid >= 1 && event.dispid <= 5 ? kEventNames[event.dispid] : "?";
  line += "(";
  for (size_t i = 0; i < event.arguments.size() && i < 6; ++i) {
    char value[32];
    std::snprintf(value, sizeof value, "%s%s=%g", i ? ", " : "", kArgumentNames[i], event.arguments[i].value);
    line += value;
  }
  Log(line + ")");
  if (event.dispid == kClick && event.arguments.size() == 2)
    OnSquareClicked({static_cast<short>(event.arguments[0].value), static_cast<short>(event.arguments[1].value)});
}

// First click picks a piece up, the second puts it down; the same square again drops the choice.
void Demo::OnSquareClicked(Square square) {
  if (!selected_) {
    if (Piece(square) <= kNone) return;
    selected_ = square;
    Log(std::string("picked up on ").append(SquareName(square.col, square.row)));
    return;
  }
  const Square from = selected_;
  selected_ = {};
  if (from == square) return Log("put back");
  SetPiece(square, Piece(from));
  SetPiece(from, kNone);
  Log(std::string("move ")
          .append(SquareName(from.col, from.row))
          .append("-")
          .append(SquareName(square.col, square.row)));
}

long Demo::Piece(Square square) const {
  PieceNum piece{};
  short col = square.col, row = square.row;
  return SUCCEEDED(control_->Board()->get_Piece(&col, &row, &piece)) ? static_cast<long>(piece) : -1;
}

void Demo::SetPiece(Square square, long piece) {
  short col = square.col, row = square.row;
  const HRESULT hr = control_->Board()->put_Piece(&col, &row, static_cast<PieceNum>(piece));
  if (FAILED(hr)) Log("Piece write refused: 0x" + std::to_string(static_cast<unsigned long>(hr)));
}

bool Demo::PreTranslate(MSG& message) {
  const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
  host::Site* site = control_ ? control_->ControlSite() : nullptr;
  IOleInPlaceActiveObject* active = site && site->InPlaceFrame() ? site->InPlaceFrame()->ActiveObject() : nullptr;
  if (key && active && active->TranslateAccelerator(&message) == S_OK) return true;
  return window_ && IsDialogMessageW(window_, &message);
}

std::string WindowName(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return *text ? board::Narrow(text) : "the log";
}

void Demo::LogKey(WPARAM key, HWND focusBefore) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return;
  wchar_t keyName[32] = {};
  const LONG scan = static_cast<LONG>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
  GetKeyNameTextW(scan | (key >= VK_PRIOR && key <= VK_DOWN ? 1 << 24 : 0), keyName, 32);
  const std::string name = (GetKeyState(VK_SHIFT) < 0 ? "Shift+" : "") + board::Narrow(keyName);
  HWND focus = GetFocus();
  HWND board = control_ ? control_->Window() : nullptr;
  if (focus != focusBefore)
    Log(name + ": focus to " + (focus && focus == board ? "the board, " + FocusedSquare() : WindowName(focus)));
  else if (focus && focus == board)
    Log(name + ": " + FocusedSquare());
}

// The square the board reports focused, read as a screen reader reads it.
std::string Demo::FocusedSquare() const {
  com::ComPtr<IAccessible> accessible;
  HWND board = control_ ? control_->Window() : nullptr;
  if (!board || FAILED(AccessibleObjectFromWindow(board, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                  accessible.put_void())))
    return "?";
  com::UniqueVariant focus;
  com::UniqueBstr name;
  if (accessible->get_accFocus(&focus) != S_OK || FAILED(accessible->get_accName(focus, name.put())) || !name.get())
    return "?";
  return board::Narrow(name.get());
}

void Demo::Log(const std::string& line) {
  const std::wstring wide = board::Wide(line);
  const LRESULT index = SendMessageW(log_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  SendMessageW(log_, LB_SETTOPINDEX, index, 0);
  if (echo_) std::printf("%s\n", line.c_str()), std::fflush(stdout);
}

// A short opening played with the mouse on the control's squares.
bool PlayScripted(Demo& demo, const std::string& picture) {
  const Square moves[][2] = {{{5, 7}, {5, 5}}, {{5, 2}, {5, 4}}, {{7, 8}, {6, 6}}, {{2, 1}, {3, 3}}};
  HWND board = nullptr;
  for (HWND child = GetWindow(demo.Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[32] = {};
    GetClassNameW(child, kind, 32);
    if (_wcsicmp(kind, L"BUTTON") && _wcsicmp(kind, L"LISTBOX")) board = child;
  }
  if (!board) return false;
  host::Mouse mouse(board);
  for (const auto& move : moves)
    for (const Square& square : move) {
      mouse.Move(host::Mouse::CellCentre(square.col, square.row));
      mouse.Click(host::Mouse::CellCentre(square.col, square.row));
      host::PumpMessages();
    }
  // Where the pieces should stand now: pawns on e4 and e5, knights on f3 and c6.
  const bool played = demo.Piece({5, 5}) == 8 && demo.Piece({5, 7}) == kNone && demo.Piece({5, 4}) == 2 &&
                      demo.Piece({6, 6}) == 10 && demo.Piece({7, 8}) == kNone && demo.Piece({3, 3}) == 4;
  RedrawWindow(demo.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  host::PumpMessages();
  const bool saved = host::SaveBmp(picture, host::CaptureWindow(demo.Window(), kClientWidth, kClientHeight));
  std::printf("scripted game %s, picture %s\n", played ? "played" : "NOT played", saved ? "saved" : "NOT saved");
  return played && saved;
}

}  // namespace

int main(int argc, char** argv) {
  const bool scripted = argc == 3 && std::string(argv[1]) == "--scripted";
  if (FAILED(OleInitialize(nullptr))) return 3;
  Demo demo;
  theDemo = &demo;
  int result = demo.Start(scripted) ? 0 : 1;
  if (result == 0 && scripted) {
    host::PumpMessages();
    result = PlayScripted(demo, argv[2]) ? 0 : 1;
    demo.Close();
  } else if (result == 0) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      const HWND focusBefore = GetFocus();
      if (!demo.PreTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      if (message.message == WM_KEYDOWN) demo.LogKey(message.wParam, focusBefore);
    }
  }
  demo.Close();
  theDemo = nullptr;
  OleUninitialize();
  return result;
}
