// The demo: the control in a window by OLE in-place activation, with New game,
// Clear and Enabled, an event log, and moves played the host's way (click a
// piece, click a target) with the mouse or the keyboard: Tab and Shift+Tab go
// between the board and the buttons, and the log says what each key did. The
// log also goes to standard output. --scripted OUT.bmp plays a few moves with
// the mouse, saves a picture of the window and exits.
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
constexpr int kLabelHeight = 16;
enum : int { kNewGameId = 101, kClearId, kEnabledId, kLogLabelId, kLogId };
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

// A key as the log names it: its modifiers, then the key ("Ctrl+C", "Shift+Tab", "Space", "E").
std::string KeyName(WPARAM key) {
  std::string name;
  if (GetKeyState(VK_CONTROL) < 0) name += "Ctrl+";
  if (GetKeyState(VK_MENU) < 0) name += "Alt+";
  if (GetKeyState(VK_SHIFT) < 0) name += "Shift+";
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return name + char(key);
  if (key >= VK_F1 && key <= VK_F24) return name + "F" + std::to_string(key - VK_F1 + 1);
  switch (key) {
    case VK_SPACE: return name + "Space";
    case VK_RETURN: return name + "Enter";
    case VK_TAB: return name + "Tab";
    case VK_ESCAPE: return name + "Esc";
    case VK_BACK: return name + "Backspace";
    case VK_DELETE: return name + "Delete";
    case VK_INSERT: return name + "Insert";
    case VK_LEFT: return name + "Left";
    case VK_RIGHT: return name + "Right";
    case VK_UP: return name + "Up";
    case VK_DOWN: return name + "Down";
    case VK_HOME: return name + "Home";
    case VK_END: return name + "End";
    case VK_PRIOR: return name + "Page Up";
    case VK_NEXT: return name + "Page Down";
  }
  // Punctuation and the rest: the layout's own name for the key.
  wchar_t text[32] = {};
  const LONG scan = static_cast<LONG>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
  GetKeyNameTextW(scan, text, 32);
  return name + (*text ? board::Narrow(text) : "key " + std::to_string(key));
}

bool IsModifier(WPARAM key) {
  return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LWIN || key == VK_RWIN;
}

class Demo {
 public:
  bool Start();
  void Close();
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void NewGame();
  void ClickSquare(Square square);
  long Piece(Square square) const;
  HWND Window() const { return window_; }
  HWND BoardWindow() const { return control_ ? control_->Window() : nullptr; }
  HWND LogWindow() const { return log_; }
  // A container's loop: the control's keys first, then the dialog manager's Tab and Shift+Tab.
  bool PreTranslate(MSG& message);
  // Runs one queued message, logging what a key press did.
  void Dispatch(MSG& message);

 private:
  HWND AddChild(const wchar_t* kind, const wchar_t* text, DWORD style, int id, RECT place);
  void OnEvent(const host::RecordedEvent& event);
  void OnSquareClicked(Square square);
  void SetPiece(Square square, long piece);
  void Log(const std::string& line);
  // One line for what the user did: "Space: Enabled off", or "Mouse: New game".
  void LogAction(const std::string& what);
  // Logs what the key did when it did nothing the log already says: where the focus went, or where
  // the board's cursor is.
  void LogKey(HWND focusBefore);
  std::string FocusedSquare() const;

  HWND window_ = nullptr;
  HWND log_ = nullptr;
  HWND enabled_ = nullptr;
  // The key being pressed, from its press to its release (a button clicks on the release), and
  // whether the log has a line for it yet.
  WPARAM keyDown_ = 0;
  std::string keyName_;
  bool keyLogged_ = false;
  Square selected_;
  com::ComPtr<host::EventSink> sink_;
  std::unique_ptr<host::EmbeddedControl> control_;
};

Demo* theDemo = nullptr;

LRESULT CALLBACK DemoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (theDemo) return theDemo->Handle(window, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Demo::Start() {
  window_ = host::CreateHostWindow(L"OrvelBoard demo", kClientWidth, kClientHeight, DemoProcedure, L"OrvelDemo");
  AddChild(L"BUTTON", L"New game", BS_PUSHBUTTON, kNewGameId, {kPanelLeft, kMargin, kPanelLeft + 120, 34});
  AddChild(L"BUTTON", L"Clear", BS_PUSHBUTTON, kClearId, {kPanelLeft + 130, kMargin, kPanelLeft + 250, 34});
  enabled_ = AddChild(L"BUTTON", L"Enabled", BS_AUTOCHECKBOX, kEnabledId, {kPanelLeft, 42, kPanelLeft + 120, 62});
  SendMessageW(enabled_, BM_SETCHECK, BST_CHECKED, 0);
  // A screen reader names the list after the label before it (Windows) or after its own text (Wine).
  AddChild(L"STATIC", L"Event log:", 0, kLogLabelId, {kPanelLeft, 70, kPanelLeft + kPanelWidth, 70 + kLabelHeight});
  log_ = AddChild(L"LISTBOX", L"Event log", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, kLogId,
                  {kPanelLeft, 70 + kLabelHeight, kPanelLeft + kPanelWidth, kClientHeight - kMargin});

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
  Log("New game");
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
  const DWORD tabStop = _wcsicmp(kind, L"STATIC") ? WS_TABSTOP : 0;
  HWND child = CreateWindowW(kind, text, WS_CHILD | WS_VISIBLE | tabStop | style, place.left, place.top,
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
        LogAction("New game");
        return 0;
      case kClearId:
        selected_ = {};
        if (control_ && control_->Board()) control_->Board()->Clear();
        LogAction("Clear");
        return 0;
      case kEnabledId: {
        const bool on = SendMessageW(enabled_, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (control_ && control_->Board()) control_->Board()->put_Enabled(on ? VARIANT_TRUE : VARIANT_FALSE);
        LogAction(on ? "Enabled on, the board plays" : "Enabled off, the board only reads");
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
  return *text ? board::Narrow(text) : "?";
}

void Demo::Dispatch(MSG& message) {
  const bool press = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  const bool release = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
  const bool logged = press && !IsModifier(message.wParam);
  const HWND focusBefore = GetFocus();
  if (logged) {
    keyDown_ = message.wParam;
    keyName_ = KeyName(message.wParam);
    keyLogged_ = false;
  }
  // A key whose release went elsewhere must not claim the next mouse click.
  if (message.message == WM_LBUTTONDOWN) keyDown_ = 0;
  if (!PreTranslate(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (logged) LogKey(focusBefore);
  if (release && message.wParam == keyDown_) keyDown_ = 0;
}

void Demo::LogAction(const std::string& what) {
  if (!keyDown_) return Log("Mouse: " + what);
  keyLogged_ = true;
  Log(keyName_ + ": " + what);
}

void Demo::LogKey(HWND focusBefore) {
  // Alt+F4 leaves no window to log in.
  if (keyLogged_ || !window_) return;
  const HWND focus = GetFocus();
  const HWND board = BoardWindow();
  if (focus != focusBefore)
    LogAction("focus to " + (focus && focus == board ? "the board, " + FocusedSquare() : WindowName(focus)));
  else if (focus && focus == board)
    LogAction(FocusedSquare());
}

// What a screen reader calls the window's client area, or a part of it; "?" when it has no name.
std::string AccessibleName(HWND window, bool focusedPart) {
  com::ComPtr<IAccessible> accessible;
  if (!window || FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                   accessible.put_void())))
    return "?";
  com::UniqueVariant part;
  part.vt = VT_I4;
  part.lVal = CHILDID_SELF;
  com::UniqueBstr name;
  if (focusedPart && accessible->get_accFocus(part.put()) != S_OK) return "?";
  if (accessible->get_accName(part, name.put()) != S_OK || !name.get()) return "?";
  return board::Narrow(name.get());
}

// The square the board reports focused, read as a screen reader reads it.
std::string Demo::FocusedSquare() const { return AccessibleName(BoardWindow(), true); }

void Demo::Log(const std::string& line) {
  const std::wstring wide = board::Wide(line);
  const LRESULT index = SendMessageW(log_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  SendMessageW(log_, LB_SETTOPINDEX, index, 0);
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// A short opening played with the mouse on the control's squares.
bool PlayScripted(Demo& demo, const std::string& picture) {
  const Square moves[][2] = {{{5, 7}, {5, 5}}, {{5, 2}, {5, 4}}, {{7, 8}, {6, 6}}, {{2, 1}, {3, 3}}};
  const HWND board = demo.BoardWindow();
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
  const std::string logName = AccessibleName(demo.LogWindow(), false);
  std::printf("scripted game %s, picture %s, the log read as \"%s\"\n", played ? "played" : "NOT played",
              saved ? "saved" : "NOT saved", logName.c_str());
  return played && saved && logName != "?";
}

}  // namespace

int main(int argc, char** argv) {
  const bool scripted = argc == 3 && std::string(argv[1]) == "--scripted";
  if (FAILED(OleInitialize(nullptr))) return 3;
  Demo demo;
  theDemo = &demo;
  int result = demo.Start() ? 0 : 1;
  if (result == 0 && scripted) {
    host::PumpMessages();
    result = PlayScripted(demo, argv[2]) ? 0 : 1;
    demo.Close();
  } else if (result == 0) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) demo.Dispatch(message);
  }
  demo.Close();
  theDemo = nullptr;
  OleUninitialize();
  return result;
}
