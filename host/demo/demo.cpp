// The demo: a free-play chess board, an OvlBoard in a window by OLE in-place
// activation. Pieces move by drag, by click then click, or from the keyboard
// (Space or Enter picks up and puts down); every move is accepted and marked as
// the last one. Beside the board: New game, Clear, Flip, Coordinates, Enabled,
// the position as text (Enter or Set applies it) and an event log saying what
// each key or click did. Tab and Shift+Tab go between them all. The form can be
// resized: the board fills what the panel leaves. The log also goes to standard output. --scripted OUT.bmp plays a few moves by dragging,
// saves a picture of the window and exits.
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
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
// Two lines: a refused position's reason is long.
constexpr int kStatusHeight = 2 * kLabelHeight;

// The layout is in 96-DPI units; the window takes the display's DPI as it is
// created, so a 200 % display gets a form twice the size, board and all.
int Scaled(int units) {
  static const int dpi = host::DpiOf(nullptr);
  return MulDiv(units, dpi, 96);
}

RECT Scaled(RECT place) { return {Scaled(place.left), Scaled(place.top), Scaled(place.right), Scaled(place.bottom)}; }

// A square's side in device pixels, as the control draws it: floor(37 * scale).
int SquarePixels() { return host::kCellPixels * host::DpiOf(nullptr) / 96; }
enum : int {
  kNewGameId = 101,
  kClearId,
  kFlipId,
  kCoordinatesId,
  kEnabledId,
  kPositionLabelId,
  kPositionId,
  kSetPositionId,
  kLogLabelId,
  kLogId,
  kStatusId
};
// Posted by the PieceDrop handler: the board moves the piece after the handler returns.
constexpr UINT kShowPosition = WM_APP + 1;

const char* const kArgumentNames[] = {"col", "row", "Button", "Shift", "X", "Y"};
const char* const kDropArgumentNames[] = {"fromCol", "fromRow", "toCol", "toRow", "Cancel", nullptr};
const char* const kLiftArgumentNames[] = {"col", "row", "Cancel", nullptr, nullptr, nullptr};
const char* const kPromotionArgumentNames[] = {"col", "row", "Piece", nullptr, nullptr, nullptr};

std::string SquareName(short col, short row) { return {char('a' + col - 1), char('0' + 9 - row)}; }

struct Square {
  short col = 0, row = 0;
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

  std::string Position() const;
  MarkNum Mark(Square square) const;
  HWND Child(int id) const { return GetDlgItem(window_, id); }
  // As a click on the button or check box does.
  void Click(int id) { SendMessageW(Child(id), BM_CLICK, 0, 0); }
  std::string LastLogLine() const;
  HWND Window() const { return window_; }
  HWND BoardWindow() const { return control_ ? control_->Window() : nullptr; }
  HWND LogWindow() const { return log_; }
  // A container's loop: the control's keys first, then the dialog manager's Tab and Shift+Tab.
  bool PreTranslate(MSG& message);
  // Runs one queued message, logging what a key press did.
  void Dispatch(MSG& message);

 private:
  HWND AddChild(const wchar_t* kind, const wchar_t* text, DWORD style, int id, RECT place);
  // The board takes the client area left of the panel; the panel keeps to the right edge, its log to the bottom.
  void Layout(int width, int height);
  bool OnCommand(int id);
  void OnEvent(const host::RecordedEvent& event);
  void OnPieceDrop(const host::RecordedEvent& event);
  void OnPieceLift(const host::RecordedEvent& event);
  bool ReachesLastRow(Square from, Square to) const;
  void Promote(Square from, Square to);
  void OnPromotionChosen(const host::RecordedEvent& event);
  void NewGame();
  void Flip();
  void ShowPosition();
  void SetPositionFromBox();
  bool Checked(HWND box) const { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  _OvlBoard* Board() const { return control_ ? control_->MoveBoard() : nullptr; }
  void Log(const std::string& line);
  // One line for what the user did: "Space: Enabled off", or "Mouse: New game".
  void LogAction(const std::string& what);
  // Shows `what` in the status line and alerts screen readers, which speak an
  // alert's name whatever has the focus: the log list alone is read only when visited.
  void Tell(const std::string& what);
  // Logs what the key did when it did nothing the log already says: where the focus went, or where
  // the board's cursor is.
  void LogKey(HWND focusBefore);
  // The board with its cursor square, a box by its label, else the window's text.
  std::string FocusName(HWND focus) const;
  std::string FocusedSquare() const;

  HWND window_ = nullptr;
  // Where the panel's left edge is now.
  int panelLeft_ = Scaled(kPanelLeft);
  HWND log_ = nullptr;
  HWND status_ = nullptr;
  HWND coordinates_ = nullptr;
  HWND enabled_ = nullptr;
  HWND position_ = nullptr;
  // The key being pressed, from its press to its release (a button clicks on the release), and
  // whether the log has a line for it yet.
  WPARAM keyDown_ = 0;
  std::string keyName_;
  bool keyLogged_ = false;
  // A pawn's move made while its promotion is chosen: where it came from and what it took.
  struct {
    Square from;
    PieceNum taken = None;
  } promotion_;
  com::ComPtr<host::EventSink> sink_;
  std::unique_ptr<host::EmbeddedControl> control_;
};

Demo* theDemo = nullptr;

LRESULT CALLBACK DemoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (theDemo) return theDemo->Handle(window, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Demo::Start() {
  window_ = host::CreateHostWindow(L"OrvelBoard demo", Scaled(kClientWidth), Scaled(kClientHeight), DemoProcedure,
                                   L"OrvelDemo");
  const int left = kPanelLeft, middle = kPanelLeft + 130, right = kPanelLeft + kPanelWidth;
  AddChild(L"BUTTON", L"New game", BS_PUSHBUTTON, kNewGameId, {left, kMargin, left + 120, 34});
  AddChild(L"BUTTON", L"Clear", BS_PUSHBUTTON, kClearId, {middle, kMargin, middle + 120, 34});
  AddChild(L"BUTTON", L"Flip", BS_PUSHBUTTON, kFlipId, {left, 42, left + 120, 68});
  coordinates_ = AddChild(L"BUTTON", L"Coordinates", BS_AUTOCHECKBOX, kCoordinatesId, {middle, 45, middle + 120, 65});
  enabled_ = AddChild(L"BUTTON", L"Enabled", BS_AUTOCHECKBOX, kEnabledId, {left, 76, left + 120, 96});
  SendMessageW(enabled_, BM_SETCHECK, BST_CHECKED, 0);
  // A screen reader names the box and the list after the label before each (Windows) or after their own text (Wine).
  AddChild(L"STATIC", L"Position:", 0, kPositionLabelId, {left, 104, right, 104 + kLabelHeight});
  position_ = AddChild(L"EDIT", L"Position", WS_BORDER | ES_AUTOHSCROLL, kPositionId, {left, 122, right - 60, 144});
  AddChild(L"BUTTON", L"Set", BS_PUSHBUTTON, kSetPositionId, {right - 54, 121, right, 145});
  AddChild(L"STATIC", L"Event log:", 0, kLogLabelId, {left, 154, right, 154 + kLabelHeight});
  log_ = AddChild(L"LISTBOX", L"Event log", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, kLogId,
                  {left, 154 + kLabelHeight, right, kClientHeight - kMargin - kStatusHeight - 4});
  status_ = AddChild(L"STATIC", L"", 0, kStatusId, {left, kClientHeight - kMargin - kStatusHeight, right,
                                                    kClientHeight - kMargin});

  sink_ = host::Make<host::EventSink>(component::identity::kBoardEventInterfaceId);
  sink_->SetHandler([this](const host::RecordedEvent& event, DISPPARAMS&) { OnEvent(event); });
  const int side = 8 * SquarePixels();
  const RECT place{Scaled(kMargin), Scaled(kMargin), Scaled(kMargin) + side, Scaled(kMargin) + side};
  control_ = std::make_unique<host::EmbeddedControl>(window_, place);
  control_->SetEventInterface(component::identity::kBoardEventInterfaceId);
  HRESULT hr = control_->Create(component::identity::kBoardClassId);
  if (SUCCEEDED(hr)) hr = control_->ConnectEvents(sink_.get());
  if (SUCCEEDED(hr)) hr = control_->InitNew();
  if (SUCCEEDED(hr)) hr = control_->Activate();
  if (SUCCEEDED(hr) && !Board()) hr = E_NOINTERFACE;
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
  place = Scaled(place);
  HWND child = CreateWindowW(kind, text, WS_CHILD | WS_VISIBLE | tabStop | style, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return child;
}

void Demo::Layout(int width, int height) {
  const int margin = Scaled(kMargin), shift = width - Scaled(kClientWidth);
  if (control_) control_->Place({margin, margin, std::max(margin, width - Scaled(kPanelWidth) - 2 * margin),
                                 std::max(margin, height - margin)});
  // The log takes the height the window gains; the status line stays under it.
  const int statusTop = height - margin - Scaled(kStatusHeight);
  for (int id = kNewGameId; id <= kStatusId; ++id) {
    HWND child = Child(id);
    if (!child) continue;
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    const int left = Scaled(kPanelLeft) + shift + (place.left - panelLeft_);
    const int top = id == kStatusId ? statusTop : place.top;
    const int bottom = id == kLogId ? statusTop - Scaled(4) : id == kStatusId ? height - margin : place.bottom;
    MoveWindow(child, left, top, place.right - place.left, bottom - top, TRUE);
  }
  panelLeft_ = Scaled(kPanelLeft) + shift;
}

LRESULT Demo::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE && wParam != SIZE_MINIMIZED && window_) {
    Layout(LOWORD(lParam), HIWORD(lParam));
    return 0;
  }
  if (message == WM_GETMINMAXINFO) {
    // Room for the panel and a small board.
    RECT frame{0, 0, Scaled(kPanelLeft - host::kBoardPixels + kPanelWidth + 2 * kMargin + 64),
               Scaled(kClientHeight)};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
    return 0;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && OnCommand(LOWORD(wParam))) return 0;
  if (message == kShowPosition) {
    ShowPosition();
    return 0;
  }
  if (message == WM_CLOSE) {
    Close();
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Demo::OnCommand(int id) {
  _OvlBoard* board = Board();
  if (!board) return false;
  switch (id) {
    case kNewGameId:
      NewGame();
      LogAction("New game");
      return true;
    case kClearId:
      board->ClearMarks();
      board->Clear();
      ShowPosition();
      LogAction("Clear");
      return true;
    case kFlipId:
      Flip();
      return true;
    case kCoordinatesId: {
      const bool on = Checked(coordinates_);
      board->put_ShowCoordinates(on ? VARIANT_TRUE : VARIANT_FALSE);
      LogAction(on ? "Coordinates shown" : "Coordinates hidden");
      return true;
    }
    case kEnabledId: {
      const bool on = Checked(enabled_);
      board->put_Enabled(on ? VARIANT_TRUE : VARIANT_FALSE);
      LogAction(on ? "Enabled on, the board plays" : "Enabled off, the board only reads");
      return true;
    }
    case kSetPositionId:
      SetPositionFromBox();
      return true;
  }
  return false;
}

void Demo::NewGame() {
  if (!Board()) return;
  Board()->ClearMarks();
  Board()->ClearArrows();
  Board()->NewGame();
  ShowPosition();
}

void Demo::Flip() {
  VARIANT_BOOL flipped = VARIANT_FALSE;
  Board()->get_Flipped(&flipped);
  flipped = flipped ? VARIANT_FALSE : VARIANT_TRUE;
  Board()->put_Flipped(flipped);
  const char* const seen = flipped ? "Flip, red at the bottom" : "Flip, cream at the bottom";
  LogAction(seen);
  Tell(seen);
}

std::string Demo::Position() const {
  com::UniqueBstr text;
  if (!Board() || FAILED(Board()->get_Position(text.put())) || !text.get()) return "";
  return board::Narrow(text.get());
}

MarkNum Demo::Mark(Square square) const {
  MarkNum mark = mkNone;
  Board()->get_Mark(&square.col, &square.row, &mark);
  return mark;
}

void Demo::ShowPosition() {
  if (!position_) return;
  SetWindowTextW(position_, board::Wide(Position()).c_str());
}

// The control's own words for what was wrong, from its error object.
std::string ErrorText(HRESULT hr) {
  com::ComPtr<IErrorInfo> info;
  com::UniqueBstr description;
  if (GetErrorInfo(0, info.put()) == S_OK && info && SUCCEEDED(info->GetDescription(description.put())) &&
      description.get())
    return board::Narrow(description.get());
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  return code;
}

void Demo::SetPositionFromBox() {
  const int length = GetWindowTextLengthW(position_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(position_, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  com::UniqueBstr value(SysAllocString(text.c_str()));
  const HRESULT hr = Board()->put_Position(value.get());
  if (FAILED(hr)) {
    const std::string refused = "position refused: " + ErrorText(hr);
    LogAction(refused);
    return Tell(refused);
  }
  Board()->ClearMarks();
  ShowPosition();
  LogAction("position set to " + Position());
}

void Demo::OnEvent(const host::RecordedEvent& event) {
  // Moves in a drag come by the dozen; the other events tell the story.
  if (event.dispid == host::kMouseMoveEvent) return;
  const bool drop = event.dispid == host::kPieceDropEvent;
  const bool lift = event.dispid == host::kPieceLiftEvent;
  const bool promotion = event.dispid == host::kPromotionChosenEvent;
  const auto& names = drop        ? kDropArgumentNames
                      : lift      ? kLiftArgumentNames
                      : promotion ? kPromotionArgumentNames
                                  : kArgumentNames;
  std::string line = host::EventName(event.dispid);
  line += "(";
  for (size_t i = 0; i < event.arguments.size() && i < std::size(names) && names[i]; ++i) {
    char value[48];
    std::snprintf(value, sizeof value, "%s%s=%g", i ? ", " : "", names[i], event.arguments[i].value);
    line += value;
  }
  Log(line + ")");
  if (drop) OnPieceDrop(event);
  if (lift) OnPieceLift(event);
  if (promotion) OnPromotionChosen(event);
}

// The lifted piece's destinations by a toy rule, any empty square or enemy
// piece, marked where nothing else is: the board clears them when the lift ends.
void Demo::OnPieceLift(const host::RecordedEvent& event) {
  if (event.arguments.size() != 3) return;
  short col = static_cast<short>(event.arguments[0].value), row = static_cast<short>(event.arguments[1].value);
  _OvlBoard* board = Board();
  PieceNum lifted{};
  board->get_Piece(&col, &row, &lifted);
  const bool cream = lifted >= Wpawn;
  for (short r = 1; r <= 8; ++r)
    for (short c = 1; c <= 8; ++c) {
      Square square{c, r};
      PieceNum piece{};
      board->get_Piece(&square.col, &square.row, &piece);
      const bool enemy = piece != None && (piece >= Wpawn) != cream;
      if ((piece == None || enemy) && Mark(square) == mkNone) board->put_Mark(&square.col, &square.row, mkTarget);
    }
}

// Free play: every move is accepted, and marked as the last one.
void Demo::OnPieceDrop(const host::RecordedEvent& event) {
  if (event.arguments.size() != 5) return;
  const auto argument = [&](int i) { return static_cast<short>(event.arguments[i].value); };
  const Square from{argument(0), argument(1)}, to{argument(2), argument(3)};
  _OvlBoard* board = Board();
  if (ReachesLastRow(from, to)) return Promote(from, to);
  board->ClearMarks();
  for (Square square : {from, to}) board->put_Mark(&square.col, &square.row, mkLastMove);
  LogAction("move " + SquareName(from.col, from.row) + "-" + SquareName(to.col, to.row));
  PostMessageW(window_, kShowPosition, 0, 0);
}

// The toy rule: a pawn reaching the far row is promoted.
bool Demo::ReachesLastRow(Square from, Square to) const {
  PieceNum piece = None;
  Board()->get_Piece(&from.col, &from.row, &piece);
  return (piece == Wpawn && to.row == 1) || (piece == Bpawn && to.row == 8);
}

// The handler makes the pawn's move itself, so the board moves nothing more, and asks what it becomes.
void Demo::Promote(Square from, Square to) {
  _OvlBoard* board = Board();
  PieceNum pawn = None;
  board->get_Piece(&from.col, &from.row, &pawn);
  board->get_Piece(&to.col, &to.row, &promotion_.taken);
  promotion_.from = from;
  board->put_Piece(&to.col, &to.row, pawn);
  board->put_Piece(&from.col, &from.row, None);
  board->ChoosePromotion(to.col, to.row);
}

// The chosen piece is written; a dismissed choice takes the move back.
void Demo::OnPromotionChosen(const host::RecordedEvent& event) {
  if (event.arguments.size() != 3) return;
  Square to{static_cast<short>(event.arguments[0].value), static_cast<short>(event.arguments[1].value)};
  const auto piece = static_cast<PieceNum>(event.arguments[2].value);
  _OvlBoard* board = Board();
  if (piece == None) {
    PieceNum pawn = None;
    board->get_Piece(&to.col, &to.row, &pawn);
    board->put_Piece(&promotion_.from.col, &promotion_.from.row, pawn);
    board->put_Piece(&to.col, &to.row, promotion_.taken);
    LogAction("promotion dismissed, the pawn goes back");
  } else {
    board->put_Piece(&to.col, &to.row, piece);
    board->ClearMarks();
    for (Square square : {promotion_.from, to}) board->put_Mark(&square.col, &square.row, mkLastMove);
    LogAction("promoted on " + SquareName(to.col, to.row));
  }
  PostMessageW(window_, kShowPosition, 0, 0);
}

bool Demo::PreTranslate(MSG& message) {
  const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && message.hwnd == position_) {
    SetPositionFromBox();
    return true;
  }
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

void Demo::Tell(const std::string& what) {
  SetWindowTextW(status_, board::Wide(what).c_str());
  NotifyWinEvent(EVENT_SYSTEM_ALERT, status_, OBJID_CLIENT, CHILDID_SELF);
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
  if (focus != focusBefore)
    LogAction("focus to " + FocusName(focus));
  else if (focus && focus == BoardWindow())
    LogAction(FocusedSquare());
}

std::string Demo::FocusName(HWND focus) const {
  if (focus && focus == BoardWindow()) return "the board, " + FocusedSquare();
  // The box's text is the position itself: it goes by its label.
  if (focus && focus == position_) return "Position";
  return WindowName(focus);
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

std::string Demo::LastLogLine() const {
  const LRESULT last = SendMessageW(log_, LB_GETCOUNT, 0, 0) - 1;
  const LRESULT length = last < 0 ? LB_ERR : SendMessageW(log_, LB_GETTEXTLEN, last, 0);
  if (length == LB_ERR) return "";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(log_, LB_GETTEXT, last, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return board::Narrow(text);
}

void Demo::Log(const std::string& line) {
  const std::wstring wide = board::Wide(line);
  const LRESULT index = SendMessageW(log_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  SendMessageW(log_, LB_SETTOPINDEX, index, 0);
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// Presses, strays beyond the drag distance in steps, and releases over the target.
POINT CellCentre(Square square) {
  const int side = SquarePixels();
  return {(square.col - 1) * side + side / 2, (square.row - 1) * side + side / 2};
}

void Drag(host::Mouse& mouse, Square from, Square to) {
  const POINT start = CellCentre(from), end = CellCentre(to);
  mouse.Move(start);
  mouse.Press(WM_LBUTTONDOWN, start);
  for (int step = 1; step <= 4; ++step)
    mouse.Move({start.x + (end.x - start.x) * step / 4, start.y + (end.y - start.y) * step / 4});
  mouse.Release(WM_LBUTTONUP, end);
  host::PumpMessages();
}

// A bad position refused with the control's words, then a short opening dragged
// on the control's squares with the coordinates shown.
bool PlayScripted(Demo& demo, const std::string& picture) {
  const HWND board = demo.BoardWindow();
  if (!board) return false;
  SetWindowTextW(demo.Child(kPositionId), L"rnbqkbnr/pppppppp/9");
  demo.Click(kSetPositionId);
  const std::string refusal = demo.LastLogLine();
  demo.Click(kNewGameId);
  host::Mouse mouse(board);
  const Square moves[][2] = {{{5, 7}, {5, 5}}, {{5, 2}, {5, 4}}, {{7, 8}, {6, 6}}, {{2, 1}, {3, 3}}};
  for (const auto& move : moves) Drag(mouse, move[0], move[1]);
  demo.Click(kCoordinatesId);
  host::PumpMessages();
  const bool refused = refusal.rfind("Mouse: position refused: ", 0) == 0;
  const bool played = demo.Position() == "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R" &&
                      demo.Mark({2, 1}) == mkLastMove && demo.Mark({3, 3}) == mkLastMove &&
                      demo.Mark({7, 8}) == mkNone;
  RedrawWindow(demo.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  host::PumpMessages();
  const bool saved = host::SaveBmp(picture, host::CaptureWindow(demo.Window(), Scaled(kClientWidth), Scaled(kClientHeight)));
  const std::string logName = AccessibleName(demo.LogWindow(), false);
  std::printf("bad position %s (\"%s\"), scripted game %s, picture %s, the log read as \"%s\"\n",
              refused ? "refused" : "NOT refused", refusal.c_str(), played ? "played" : "NOT played",
              saved ? "saved" : "NOT saved", logName.c_str());
  return refused && played && saved && logName != "?";
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
