// The board in a container, read by a screen-reader-like client in another
// process (screen_reader.exe beside this program) and driven from the real
// keyboard and mouse by the driver script (accessibility.sh), through a game
// as a host plays it: the board disabled while the opponent moves.
//
// Usage: accessibility_test                  (in a folder it may write to)
//        accessibility_test opponent-moves   (what a reader says of each opponent move)
//        accessibility_test games            (whole games on an OvlBoard, each step said once)
//   prints "DO n ACTION..." for the script and waits for the file done_n.
#include <windows.h>
#include <ocidl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "component/identity.h"
#include "host/container_site/core_reference.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"
#include "host/container_site/pixels.h"
#include "host/container_site/sinks.h"
#include "orvel_board.h"
#include "tests/windows/accessibility/child_id.h"
#include "tests/windows/accessibility/move_made.h"
#include "tests/windows/check.h"

namespace {

#define CHECK_HR_OK(call) check::Equal(static_cast<HRESULT>(call), S_OK, #call, __LINE__)

using Lines = std::vector<std::string>;
constexpr DISPID kClick = 1;

host::Frame* frame = nullptr;
HWND hostWindow = nullptr;

// A container's loop: keys go to the UI-active object's TranslateAccelerator
// first, then to the dialog manager, which moves the focus on Tab.
void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    IOleInPlaceActiveObject* active = frame ? frame->ActiveObject() : nullptr;
    const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    if (key && active && active->TranslateAccelerator(&message) == S_OK) continue;
    if (hostWindow && IsDialogMessageW(hostWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

template <class Done>
bool PumpUntil(Done done, DWORD deadlineMs) {
  return host::PumpUntil(done, deadlineMs, Pump);
}

void PumpFor(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  PumpUntil([&] { return GetTickCount64() >= end; }, ms + 1000);
}

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

Lines ReadLines(const char* path) {
  Lines lines;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string ReaderPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + "screen_reader.exe";
}

// Starts the reader on the board's window; the host keeps pumping, since every
// call the reader makes arrives here as a message.
HANDLE StartReader(HWND board, const char* outFile, const std::string& command) {
  DeleteFileA(outFile);
  std::string line = "\"";
  line += ReaderPath();
  line += "\" " + std::to_string(reinterpret_cast<uintptr_t>(board));
  line += std::string(" ") + outFile + " " + command;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    check::Fail(__LINE__, "cannot start " + line);
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

bool Finished(HANDLE process, DWORD deadlineMs) {
  if (!process) return false;
  const bool ended = PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, deadlineMs);
  if (!ended) TerminateProcess(process, 1);
  CloseHandle(process);
  return ended;
}

Lines Read(HWND board, const std::string& command) {
  if (!Finished(StartReader(board, "reader.txt", command), 30000)) check::Fail(__LINE__, "reader hung: " + command);
  return ReadLines("reader.txt");
}

void ExpectText(const std::string& got, const std::string& expected, int line) {
  if (got != expected) check::Fail(line, "read \"" + got + "\", expected \"" + expected + "\"");
}

std::string NameLine(const Lines& names, int cell) {
  return cell < static_cast<int>(names.size()) ? names[cell] : "<missing>";
}

void ExpectName(const Lines& names, int cell, const std::string& name) {
  ExpectText(NameLine(names, cell), std::to_string(cell) + " " + name, __LINE__);
}

void ExpectLines(const Lines& got, const Lines& expected, const char* what) {
  if (got == expected) return;
  check::Fail(__LINE__, what);
  for (const auto& line : got) std::printf("    got: %s\n", line.c_str());
  for (const auto& line : expected) std::printf("    expected: %s\n", line.c_str());
}

// `wanted` appear in `got` in this order, other lines between them allowed.
void ExpectInOrder(const Lines& got, const Lines& wanted, const char* what) {
  auto at = got.begin();
  for (const auto& line : wanted) {
    at = std::find(at, got.end(), line);
    if (at == got.end()) {
      check::Fail(__LINE__, std::string(what) + ": missing or out of order: " + line);
      for (const auto& l : got) std::printf("    got: %s\n", l.c_str());
      return;
    }
    ++at;
  }
}

std::vector<std::pair<int, int>> Clicks(host::EventSink& sink) {
  std::vector<std::pair<int, int>> clicks;
  for (const auto& event : sink.Events())
    if (event.dispid == kClick) clicks.push_back({int(event.arguments[0].value), int(event.arguments[1].value)});
  sink.ClearEvents();
  return clicks;
}

void SetPiece(_OvlChess* board, short col, short row, PieceNum piece) {
  CHECK_HR_OK(board->put_Piece(&col, &row, piece));
}

void ReadsNames(_OvlChess* board, HWND window) {
  check::context = "names after NewGame";
  CHECK_HR_OK(board->NewGame());
  Lines names = Read(window, "names");
  ExpectText(NameLine(names, 0), "board Chess board, 64 children", __LINE__);
  const char* const kFirstRank[] = {"a1, cream rook", "b1, cream knight", "c1, cream bishop", "d1, cream queen",
                                    "e1, cream king", "f1, cream bishop", "g1, cream knight", "h1, cream rook"};
  std::printf("  the first rank as read:\n");
  for (int col = 1; col <= 8; ++col) {
    std::printf("    %s\n", NameLine(names, 56 + col).c_str());
    ExpectName(names, 56 + col, kFirstRank[col - 1]);
  }
  ExpectName(names, 53, "e2, cream pawn");
  ExpectName(names, 37, "e4, empty");
  ExpectName(names, 5, "e8, red king");

  check::context = "names after moves";
  SetPiece(board, 5, 5, Wpawn);
  SetPiece(board, 5, 7, None);
  names = Read(window, "names");
  ExpectName(names, 37, "e4, cream pawn");
  ExpectName(names, 53, "e2, empty");

  check::context = "names after Clear";
  CHECK_HR_OK(board->Clear());
  names = Read(window, "names");
  for (int cell = 1; cell <= 64; ++cell)
    if (NameLine(names, cell).find(", empty") == std::string::npos) ExpectName(names, cell, "?, empty");
  CHECK_HR_OK(board->NewGame());
}

void ReadsDetailsAndActivates(host::EventSink& sink, HWND window) {
  check::context = "details";
  ExpectLines(Read(window, "details"),
              {"board role 24 state focusable", "53 role 29 state focusable action Click description light square",
               "53 size 37x37 hit at its far corner 53", "up from 53 45, first child 1"},
              "roles, states, action, location, hit test, navigation");
  check::context = "accDoDefaultAction";
  sink.ClearEvents();
  ExpectLines(Read(window, "activate 53"), {"activate 0x00000000"}, "the call succeeds");
  const auto clicks = Clicks(sink);
  CHECK(clicks == (std::vector<std::pair<int, int>>{{5, 7}}));
}

// One round of the driver script's real input; returns when it was given.
void Do(const std::string& actions) {
  static int round = 0;
  const std::string done = "done_" + std::to_string(round);
  DeleteFileA(done.c_str());
  std::printf("DO %d %s\n", round++, actions.c_str());
  if (!PumpUntil([&] { return FileExists(done.c_str()); }, 60000)) check::Fail(__LINE__, "no " + done);
}

// What the following reader wrote since the previous call.
Lines Followed(size_t& seen) {
  const Lines all = ReadLines("follow.txt");
  Lines fresh(all.begin() + std::min(seen, all.size()), all.end());
  seen = all.size();
  return fresh;
}

// Waits for the reader to write a line starting with `start` to `file`; returns that line.
std::string AwaitLine(const char* file, const std::string& start) {
  std::string found;
  const auto written = [&] {
    for (const auto& line : ReadLines(file))
      if (line.rfind(start, 0) == 0) return found = line, true;
    return false;
  };
  if (!PumpUntil(written, 10000)) check::Fail(__LINE__, "the reader never wrote: " + start);
  return found;
}

// Waits for the following reader to write `line`.
void AwaitFollowed(const std::string& line) {
  const bool seen = PumpUntil(
      [&] {
        const Lines all = ReadLines("follow.txt");
        return std::find(all.begin(), all.end(), line) != all.end();
      },
      10000);
  if (!seen) check::Fail(__LINE__, "the reader never heard: " + line);
}

// Plays `actions` and waits for the reader to hear the last of `heard`, all of them in order.
Lines Play(const std::string& actions, const Lines& heard, size_t& seen, const char* what) {
  Do(actions);
  AwaitFollowed(heard.back());
  const Lines fresh = Followed(seen);
  ExpectInOrder(fresh, heard, what);
  return fresh;
}

void FocusOn(HWND window) {
  SetFocus(window);
  CHECK(PumpUntil([&] { return GetFocus() == window; }, 5000));
}

POINT CellCentreOnScreen(HWND window, int col, int row) {
  POINT centre{(col - 1) * host::kCellPixels + host::kCellPixels / 2,
               (row - 1) * host::kCellPixels + host::kCellPixels / 2};
  ClientToScreen(window, &centre);
  return centre;
}

std::string At(POINT point) { return std::to_string(point.x) + "," + std::to_string(point.y); }

// A reader that listens to WinEvents from the start, as screen readers do.
HANDLE StartFollowing(HWND window, const char* file = "follow.txt", const char* mode = "follow") {
  DeleteFileA("stop.flag");
  HANDLE reader = StartReader(window, file, std::string(mode) + " stop.flag");
  if (!PumpUntil([&] { return !ReadLines(file).empty(); }, 20000)) check::Fail(__LINE__, "reader never hooked");
  return reader;
}

// Focus made the control UI-active: the frame holds it as the active object,
// whose TranslateAccelerator takes the board's keys only.
void CheckContainerSide(HWND window) {
  check::context = "UI activation";
  IOleInPlaceActiveObject* active = frame ? frame->ActiveObject() : nullptr;
  CHECK(active != nullptr);
  if (!active) return;
  MSG tab{window, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  MSG other{nullptr, WM_KEYDOWN, VK_LEFT, 0, 0, {}};
  CHECK_EQ(active->TranslateAccelerator(&tab), S_FALSE);
  CHECK_EQ(active->TranslateAccelerator(&other), S_FALSE);
  com::ComPtr<IOleControl> control;
  active->QueryInterface(IID_IOleControl, control.put_void());
  CONTROLINFO info{};
  info.cb = sizeof info;
  CHECK(control && SUCCEEDED(control->GetControlInfo(&info)) && info.dwFlags == CTRLINFO_EATS_RETURN);
}

// The board's pixels now, saved as `file`, checked to differ from `reference` on h2 only.
host::Pixels ExpectCueOnH2(const host::Pixels& reference, HWND window, const char* file) {
  const host::Pixels shot = host::CaptureWindow(window, host::kBoardPixels, host::kBoardPixels);
  int inside = 0, outside = 0;
  const RECT h2{7 * host::kCellPixels, 6 * host::kCellPixels, 8 * host::kCellPixels, 7 * host::kCellPixels};
  for (int y = 0; y < host::kBoardPixels; ++y)
    for (int x = 0; x < host::kBoardPixels; ++x)
      if (shot.At(x, y) != reference.At(x, y)) ++(PtInRect(&h2, POINT{x, y}) ? inside : outside);
  host::SavePpm(file, shot);
  std::printf("  %s: %d pixels changed on h2, %d elsewhere\n", file, inside, outside);
  CHECK(inside > 0 && outside == 0);
  return shot;
}

// The focus cue is drawn on the cursor square only, and only while the board has the focus.
void CheckFocusCue(HWND host, HWND window) {
  check::context = "focus cue";
  const host::Pixels reference = host::CoreRender(host::CoreBoard::NewGame);
  const host::Pixels focused = ExpectCueOnH2(reference, window, "focus_cue.ppm");
  // The platform hides keyboard cues again, then shows them.
  SendMessageW(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  UpdateWindow(window);
  CHECK_EQ(host::Compare(reference, host::CaptureWindow(window, host::kBoardPixels, host::kBoardPixels)).count, 0);
  SendMessageW(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  UpdateWindow(window);
  CHECK(host::CaptureWindow(window, host::kBoardPixels, host::kBoardPixels) == focused);
  SetFocus(host);
  UpdateWindow(window);
  const host::Difference unfocused =
      host::Compare(reference, host::CaptureWindow(window, host::kBoardPixels, host::kBoardPixels));
  CHECK_EQ(unfocused.count, 0);
  SetFocus(window);
  UpdateWindow(window);
}

void FollowsTheKeyboard(_OvlChess* board, host::EventSink& sink, HWND host, HWND window, size_t& seen) {
  check::context = "keyboard and WinEvents";
  SetForegroundWindow(host);
  SetFocus(host);
  FocusOn(window);
  CheckContainerSide(window);
  sink.ClearEvents();
  Play("point:" + At(CellCentreOnScreen(window, 4, 4)) + " key:Up key:Right key:Right key:space key:End key:Return",
       {"hooked yes", "focus 57 a1, cream rook", "focus 49 a2, cream pawn", "focus 50 b2, cream pawn",
        "focus 51 c2, cream pawn", "focus 56 h2, cream pawn"},
       seen, "focus follows the keys");
  PumpUntil([&] { return sink.Events().size() >= 2; }, 5000);
  CHECK(Clicks(sink) == (std::vector<std::pair<int, int>>{{3, 7}, {8, 7}}));
  CheckFocusCue(host, window);
  ExpectLines(Read(window, "focus"), {"focus 56"}, "the focused child is the cursor square");
  SetPiece(board, 4, 5, BQueen);
  AwaitFollowed("name 36 d4, red queen");
}

// Arriving by Tab from the control before the board shows the cue at once, without an arrow.
void TabInShowsTheCue(HWND button, HWND window) {
  check::context = "Tab in";
  SendMessageW(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);  // as a mouse user left it
  FocusOn(button);
  UpdateWindow(window);
  const host::Pixels before = host::CaptureWindow(window, host::kBoardPixels, host::kBoardPixels);
  Do("key:Tab");
  CHECK(PumpUntil([&] { return GetFocus() == window; }, 5000));
  UpdateWindow(window);
  ExpectCueOnH2(before, window, "tab_cue.ppm");
}

// The host disables the focused board while the opponent moves: the player keeps
// the focus and explores, and nothing is clicked; enabled again, Space clicks.
void DisabledKeepsThePlayersPlace(_OvlChess* board, host::EventSink& sink, HWND window, size_t& seen) {
  check::context = "disabled while focused";
  sink.ClearEvents();
  // One operation: the focused square is told first, then the rest.
  short col = 8, row = 1;
  CHECK_HR_OK(board->put_Piece(&col, &row, Wknight));
  CHECK_HR_OK(board->put_Enabled(VARIANT_FALSE));
  CHECK_HR_OK(board->put_Enabled(VARIANT_FALSE));
  CHECK(GetFocus() == window);
  const Lines disabled = Play("key:Home key:space key:Return key:Right",
                              {"heard state 56", "heard name 8", "heard value 0", "heard state 0",
                               "focus 49 a2, cream pawn", "focus 50 b2, cream pawn"},
                              seen, "the focused square, then the move and the board's state; the keys still read");
  CHECK(Clicks(sink).empty());
  // Once for the focused square, once for the board.
  CHECK_EQ(std::count_if(disabled.begin(), disabled.end(), [](const auto& l) { return l.rfind("state", 0) == 0; }), 2);
  ExpectLines(Read(window, "focus"), {"focus 50"}, "the focus is kept");

  check::context = "enabled again";
  CHECK_HR_OK(board->put_Enabled(VARIANT_TRUE));
  Do("key:space");
  PumpUntil([&] { return !sink.Events().empty(); }, 5000);
  CHECK(Clicks(sink) == (std::vector<std::pair<int, int>>{{2, 7}}));
  AwaitFollowed("state 0 focusable");
}

// A real click moves the cursor; the letter and digit keys jump.
void CursorFollowsTheMouseAndJumps(host::EventSink& sink, HWND window, size_t& seen) {
  check::context = "mouse click, then Right";
  sink.ClearEvents();
  Play("click:" + At(CellCentreOnScreen(window, 5, 5)) + " key:Right", {"focus 37 e4, empty", "focus 38 f4, empty"},
       seen, "the cursor went to the click");
  CHECK(Clicks(sink) == (std::vector<std::pair<int, int>>{{5, 5}}));
  check::context = "c then 7";
  Play("key:c key:7", {"focus 35 c4, empty", "focus 11 c7, red pawn"}, seen, "file, then rank");
}

// A reader's accSelect takes the focus to a square from elsewhere.
void SelectTakesTheFocus(HWND button, HWND window) {
  check::context = "accSelect";
  FocusOn(button);
  ExpectLines(Read(window, "select 20"), {"select 0x00000000 focus 20"}, "the cursor and the focus on d6");
  CHECK(GetFocus() == window);
  AwaitFollowed("focus 20 d6, empty");
}

// The board's value sums the position up, and tells readers when it changes.
void SummarisesThePosition(_OvlChess* board, HWND window) {
  check::context = "summary";
  const std::string start =
      "Cream: king e1, queen d1, rooks a1 h1, bishops c1 f1, knights b1 g1, pawns a2 b2 c2 d2 e2 f2 g2 h2. "
      "Red: king e8, queen d8, rooks a8 h8, bishops c8 f8, knights b8 g8, pawns a7 b7 c7 d7 e7 f7 g7 h7.";
  CHECK_HR_OK(board->Clear());
  CHECK_HR_OK(board->NewGame());
  AwaitFollowed("value 0 " + start);
  const Lines read = Read(window, "value");
  std::printf("  the start position's summary as read: %s\n", read.empty() ? "" : read[0].c_str());
  ExpectText(read.empty() ? "" : read[0], "value " + start, __LINE__);
  CHECK(read.size() == 3 && read[1].rfind("description Arrow keys", 0) == 0 && read[2] == "help" + read[1].substr(11));
}

void StopReader(HANDLE reader) {
  CloseHandle(CreateFileA("stop.flag", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!Finished(reader, 20000)) check::Fail(__LINE__, "reader did not stop");
}

void StopFollowing(HANDLE reader) {
  StopReader(reader);
  std::printf("  the reader followed:\n");
  for (const auto& line : ReadLines("follow.txt"))
    if (line.rfind("name", 0) != 0) std::printf("    %s\n", line.c_str());
}

void DisabledIsUnavailable(_OvlChess* board, host::EventSink& sink, HWND window) {
  check::context = "disabled";
  CHECK_HR_OK(board->put_Enabled(VARIANT_FALSE));
  const Lines details = Read(window, "details");
  ExpectText(details.empty() ? std::string() : details[0], "board role 24 state focusable unavailable", __LINE__);
  CHECK(details.size() > 1 && details[1].find("state focusable unavailable action") != std::string::npos);
  sink.ClearEvents();
  ExpectLines(Read(window, "activate 53"), {"activate 0x80070005"}, "the default action is refused");
  CHECK(Clicks(sink).empty());
}


struct Square {
  short col, row;
  long Cell() const { return (row - 1) * 8 + col; }
};

Square SquareOf(const char* name) { return {static_cast<short>(name[0] - 'a' + 1), static_cast<short>('9' - name[1])}; }

struct Move {
  const char* from;
  const char* to;
};

// Red's side of a game, as a host receives it from the opponent; the knight on
// d4 moves again at once, from the square the reader is on.
constexpr Move kOpponentMoves[] = {
    {"e7", "e5"}, {"b8", "c6"}, {"g8", "f6"}, {"f8", "c5"}, {"d7", "d6"}, {"c8", "g4"}, {"d8", "e7"},
    {"e8", "d8"}, {"h7", "h6"}, {"g4", "h5"}, {"a7", "a5"}, {"f6", "d7"}, {"c6", "d4"}, {"d4", "e6"},
    {"c5", "b4"}, {"h8", "f8"}, {"e7", "g5"}, {"b4", "c3"}, {"d7", "c5"}, {"g7", "g6"}};

// As the README's host does it: the squares written, then the reader taken to the moved-to square.
void PlayOpponentMove(_OvlChess* board, IAccessible* accessible, const Move& move) {
  Square from = SquareOf(move.from), to = SquareOf(move.to);
  PieceNum piece = None;
  CHECK_HR_OK(board->get_Piece(&from.col, &from.row, &piece));
  SetPiece(board, from.col, from.row, None);
  SetPiece(board, to.col, to.row, piece);
  CHECK_HR_OK(accessible->accSelect(SELFLAG_TAKEFOCUS, Child(to.Cell())));
}

// Declares a step complete once what the board queued for it went out; returns
// the reader's line for it: "step n: said k | what was said | ...".
std::string CompleteStep(int step) {
  Pump();
  NotifyWinEvent(move_made::kEvent, hostWindow, move_made::kObject, step);
  return AwaitLine("speech.txt", "step " + std::to_string(step) + ":");
}

int TimesSaid(const std::string& stepLine) {
  const size_t at = stepLine.find("said ");
  return at == std::string::npos ? -1 : std::atoi(stepLine.c_str() + at + 5);
}

// A reader following the focus says each opponent move once: the moved-to
// square's new name, either on the focus or on the name change, not on both.
void SaysEachOpponentMoveOnce(_OvlChess* board, HWND window) {
  check::context = "opponent moves";
  com::ComPtr<IAccessible> accessible;
  CHECK_HR_OK(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, accessible.put_void()));
  if (!accessible) return;
  std::string counts;
  int once = 0, made = 0;
  CompleteStep(1);  // the focus arriving on the board is no opponent's move
  for (const Move& move : kOpponentMoves) {
    PlayOpponentMove(board, accessible.get(), move);
    const int times = TimesSaid(CompleteStep(++made + 1));
    counts += ' ';
    counts += std::to_string(times);
    once += times == 1;
  }
  std::printf("  the moved-to square's new name said per opponent move:%s\n", counts.c_str());
  if (once != made)
    check::Fail(__LINE__, "said once in " + std::to_string(once) + " of " + std::to_string(made) + " opponent moves");
}

// A square's side in device pixels at the display's scale: floor(37 * DPI / 96).
int SquareAtDisplayScale() { return host::kCellPixels * host::DpiOf(nullptr) / 96; }

// ---- Whole games on an OvlBoard, played with the X server's keyboard and mouse
// at the display's scale, by a host that marks the last move and check, locks
// the board while it thinks, answers as the README advises and hints at the
// user's next move with an arrow. Every step must be said exactly once.

enum class Way { Keys, Drag, Clicks };
const char* const kWayNames[] = {"keyboard", "drag", "click then click"};

// A user's move, made or refused by the host; an Escape that puts the piece
// picked up on `from` back, from `to` (the keyboard's cursor goes there first);
// or the opponent's answer.
struct GameStep {
  enum Kind { Made, Refused, Escape, Opponent } kind;
  const char* from;
  const char* to;
  const char* checks = nullptr;  // the king's square the move checks
};

// Scholar's mate, with a move the host refuses and an Escape on the way.
const GameStep kGame[] = {
    {GameStep::Made, "e2", "e4"},    {GameStep::Opponent, "e7", "e5"}, {GameStep::Refused, "d2", "d5"},
    {GameStep::Escape, "g1", "f3"},  {GameStep::Made, "f1", "c4"},     {GameStep::Opponent, "b8", "c6"},
    {GameStep::Made, "d1", "h5"},    {GameStep::Opponent, "g8", "f6"}, {GameStep::Made, "h5", "f7", "e8"},
};

struct GameHost {
  _OvlBoard* board = nullptr;
  HWND window = nullptr;
  int square = 0;                  // device pixels
  const GameStep* expected = nullptr;  // the user's move the host accepts
  Square cursor{1, 8};             // where the keyboard's cursor is
  int steps = 0;
  int says = 0;  // lines the reader said so far
  std::string counts;
  int once = 0;
  std::vector<std::string> arrivals;  // what was said arriving on a marked square
};

void MarkMove(_OvlBoard* board, const GameStep& move) {
  CHECK_HR_OK(board->ClearMarks());
  for (const char* name : {move.from, move.to}) {
    Square at = SquareOf(name);
    CHECK_HR_OK(board->put_Mark(&at.col, &at.row, mkLastMove));
  }
  if (!move.checks) return;
  Square king = SquareOf(move.checks);
  CHECK_HR_OK(board->put_Mark(&king.col, &king.row, mkCheck));
}

// PieceDrop: the expected move is marked and the board locked while the host
// thinks (the board then moves the piece); any other is refused.
void OnPieceDrop(GameHost& host, const host::RecordedEvent& event, DISPPARAMS& parameters) {
  if (event.dispid != host::kPieceDropEvent || event.arguments.size() != 5) return;
  const GameStep* move = host.expected;
  const Square from = move ? SquareOf(move->from) : Square{}, to = move ? SquareOf(move->to) : Square{};
  const bool expected = move && event.arguments[0].value == from.col && event.arguments[1].value == from.row &&
                        event.arguments[2].value == to.col && event.arguments[3].value == to.row;
  if (!expected) return host::SetCancel(parameters);
  MarkMove(host.board, *move);
  CHECK_HR_OK(host.board->ClearArrows());
  CHECK_HR_OK(host.board->put_Enabled(VARIANT_FALSE));
}

// The opponent's move: written, marked, the hint for the user's next move drawn,
// the board unlocked and the reader taken to the moved-to square.
void AnswerAsTheOpponent(GameHost& host, const GameStep& move, const GameStep* next, IAccessible* accessible) {
  Square from = SquareOf(move.from), to = SquareOf(move.to);
  PieceNum piece = None;
  CHECK_HR_OK(host.board->get_Piece(&from.col, &from.row, &piece));
  CHECK_HR_OK(host.board->put_Piece(&from.col, &from.row, None));
  CHECK_HR_OK(host.board->put_Piece(&to.col, &to.row, piece));
  MarkMove(host.board, move);
  if (next) {
    const Square hintFrom = SquareOf(next->from), hintTo = SquareOf(next->to);
    CHECK_HR_OK(host.board->DrawArrow(hintFrom.col, hintFrom.row, hintTo.col, hintTo.row));
  }
  CHECK_HR_OK(host.board->put_Enabled(VARIANT_TRUE));
  CHECK_HR_OK(accessible->accSelect(SELFLAG_TAKEFOCUS, Child(to.Cell())));
  host.cursor = to;
}

// A square's centre on the screen; `aside`, a quarter square from it, so that two
// clicks on one square in a row are never taken for a double click.
POINT SquareOnScreen(const GameHost& host, const char* name, bool aside = false) {
  const Square at = SquareOf(name);
  const int offset = host.square / 2 + (aside ? host.square / 4 : 0);
  POINT point{(at.col - 1) * host.square + offset, (at.row - 1) * host.square + offset};
  ClientToScreen(host.window, &point);
  return point;
}

// The jumps that take the keyboard's cursor to a square: one key per coordinate that differs.
std::vector<std::string> KeysTo(GameHost& host, const char* name) {
  const Square at = SquareOf(name);
  std::vector<std::string> keys;
  if (at.col != host.cursor.col) keys.push_back(std::string("key:") + name[0]);
  if (at.row != host.cursor.row) keys.push_back(std::string("key:") + name[1]);
  host.cursor = at;
  return keys;
}

int SaysSoFar() {
  const Lines lines = ReadLines("speech.txt");
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.rfind("say ", 0) == 0; }));
}

// The real input arrives when it does: the step is declared complete once the
// reader said something of it (a second thing said later counts in the next step).
std::string CountStep(GameHost& host, const char* what) {
  if (!PumpUntil([&] { return SaysSoFar() > host.says; }, 10000)) check::Fail(__LINE__, std::string(what) + ": nothing said");
  const std::string line = CompleteStep(++host.steps);
  host.says = SaysSoFar();
  const int times = TimesSaid(line);
  host.counts += " " + std::to_string(times);
  host.once += times == 1;
  if (times != 1) check::Fail(__LINE__, std::string(what) + " said " + std::to_string(times) + " times: " + line);
  return line;
}

// Plays `actions`, one user action, which must be said once.
void Said(GameHost& host, const std::string& actions, const char* what) {
  Do(actions);
  CountStep(host, what);
}

// Each key that moves the cursor is one action, said once.
void WalkTo(GameHost& host, const char* name) {
  for (const std::string& key : KeysTo(host, name)) Said(host, key, "a cursor key");
}

void PlayUserStep(GameHost& host, Way way, const GameStep& step) {
  const std::string from = At(SquareOnScreen(host, step.from)), to = At(SquareOnScreen(host, step.to, true));
  const char* what = step.kind == GameStep::Escape ? "Escape" : step.kind == GameStep::Refused ? "a refused move"
                                                                                             : "a move";
  if (way == Way::Keys) {
    WalkTo(host, step.from);
    Said(host, "key:space", "a pick-up");
    WalkTo(host, step.to);
    Said(host, step.kind == GameStep::Escape ? "key:Escape" : "key:space", what);
  } else if (way == Way::Clicks) {
    Said(host, "click:" + from, "a click that picks up");
    Said(host, step.kind == GameStep::Escape ? "key:Escape" : "click:" + to, what);
  } else {
    const POINT a = SquareOnScreen(host, step.from), b = SquareOnScreen(host, step.to);
    std::string drag = "press:" + from;
    for (int i = 1; i <= 4; ++i) drag += " move:" + At({a.x + (b.x - a.x) * i / 4, a.y + (b.y - a.y) * i / 4});
    if (step.kind == GameStep::Escape) drag += " key:Escape";
    Said(host, drag + " release:" + to, what);
  }
  // Where the reader's cursor is now: the moved-to square, or the one the piece went back to.
  host.cursor = SquareOf(step.kind == GameStep::Made ? step.to : step.from);
}

const GameStep* NextUserMove(const GameStep* step, const GameStep* end) {
  for (; step != end; ++step)
    if (step->kind == GameStep::Made) return step;
  return nullptr;
}

void PlayGame(GameHost& host, Way way, IAccessible* accessible) {
  check::context = kWayNames[static_cast<int>(way)];
  CHECK_HR_OK(host.board->NewGame());
  CHECK_HR_OK(host.board->ClearMarks());
  CHECK_HR_OK(host.board->ClearArrows());
  CHECK_HR_OK(host.board->put_Enabled(VARIANT_TRUE));
  CHECK_HR_OK(accessible->accSelect(SELFLAG_TAKEFOCUS, Child(SquareOf("a1").Cell())));
  host.cursor = SquareOf("a1");
  CompleteStep(++host.steps);  // the new game is no step of the count
  host.says = SaysSoFar();
  const GameStep* end = std::end(kGame);
  for (const GameStep* step = std::begin(kGame); step != end; ++step) {
    if (step->kind != GameStep::Opponent) {
      host.expected = NextUserMove(step, end);
      PlayUserStep(host, way, *step);
      continue;
    }
    AnswerAsTheOpponent(host, *step, NextUserMove(step, end), accessible);
    const std::string line = CountStep(host, "an opponent's move");
    host.arrivals.push_back(line.substr(line.find('|') == std::string::npos ? 0 : line.find('|') + 2));
  }
  wchar_t* position = nullptr;
  host.board->get_Position(&position);
  const std::string reached = position ? check::Narrow(position) : "";
  SysFreeString(position);
  ExpectText(reached, "r1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR", __LINE__);
}

void PlaysGames(HWND window, _OvlBoard* board, host::EventSink& sink) {
  com::ComPtr<IAccessible> accessible;
  CHECK_HR_OK(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, accessible.put_void()));
  if (!accessible) return;
  GameHost host;
  host.board = board, host.window = window, host.square = SquareAtDisplayScale();
  sink.SetHandler([&host](const host::RecordedEvent& event, DISPPARAMS& parameters) {
    OnPieceDrop(host, event, parameters);
  });
  std::printf("  at %d DPI: squares of %d pixels\n", host::DpiOf(nullptr), host.square);
  for (Way way : {Way::Keys, Way::Drag, Way::Clicks}) {
    host.counts.clear();
    const int before = host.once;
    PlayGame(host, way, accessible.get());
    std::printf("  %s: said per step:%s (%d of them once)\n", kWayNames[static_cast<int>(way)], host.counts.c_str(),
                host.once - before);
  }
  std::printf("  arriving on the opponent's moves, a reader said:\n");
  for (const std::string& said : host.arrivals) std::printf("    %s\n", said.c_str());
  sink.SetHandler(nullptr);
  if (host.once != host.steps - 3)  // a new game's setup is no step of the count
    check::Fail(__LINE__, "said once in " + std::to_string(host.once) + " of " + std::to_string(host.steps - 3));
}

// The speaking reader listens; the script has focused the host, and the board has the focus.
HANDLE StartSpeaking(HWND host, HWND window) {
  HANDLE reader = StartFollowing(window, "speech.txt", "speak");
  // Wine tells this thread of the reader's new hook with the next message it
  // fetches; until then its WinEvents go nowhere.
  PostMessageW(host, WM_NULL, 0, 0);
  Pump();
  NotifyWinEvent(move_made::kEvent, host, move_made::kObject, move_made::kHello);
  AwaitLine("speech.txt", "heard the host");
  Do("");  // the script focuses the host
  SetForegroundWindow(host);
  SetFocus(host);
  FocusOn(window);
  return reader;
}

void ReadsOpponentMoves(_OvlChess* board, HWND host, HWND window) {
  CHECK_HR_OK(board->NewGame());
  HANDLE reader = StartSpeaking(host, window);
  SaysEachOpponentMoveOnce(board, window);
  StopReader(reader);
}

void ReadsGames(_OvlBoard* board, host::EventSink& sink, HWND host, HWND window) {
  HANDLE reader = StartSpeaking(host, window);
  PlaysGames(window, board, sink);
  StopReader(reader);
}

void ReadsAGame(_OvlChess* board, host::EventSink& sink, HWND host, HWND button, HWND window) {
  HANDLE reader = StartFollowing(window);
  ReadsNames(board, window);
  ReadsDetailsAndActivates(sink, window);
  size_t seen = 0;
  FollowsTheKeyboard(board, sink, host, window, seen);
  TabInShowsTheCue(button, window);
  DisabledKeepsThePlayersPlace(board, sink, window, seen);
  CursorFollowsTheMouseAndJumps(sink, window, seen);
  SelectTakesTheFocus(button, window);
  SummarisesThePosition(board, window);
  StopFollowing(reader);
  DisabledIsUnavailable(board, sink, window);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const bool games = mode == "games";
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (FAILED(OleInitialize(nullptr))) return 3;
  {
    const int side = 8 * (games ? SquareAtDisplayScale() : host::kCellPixels);
    HWND host = host::CreateHostWindow(L"Orvel accessibility host", side + 40, side + 40);
    hostWindow = host;
    // Before the board in the tab order: the board's window is made later.
    HWND button = CreateWindowW(L"BUTTON", L"Before", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, side + 4, 80, 30, host,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    const IID& events = games ? component::identity::kBoardEventInterfaceId : component::identity::kEventInterfaceId;
    auto sink = host::Make<host::EventSink>(events);
    host::EmbeddedControl control(host, RECT{0, 0, side, side});
    control.SetEventInterface(events);
    CHECK_HR_OK(control.Create(games ? component::identity::kBoardClassId : component::identity::kClassId));
    CHECK_HR_OK(control.ConnectEvents(sink.get()));
    CHECK_HR_OK(control.InitNew());
    CHECK_HR_OK(control.Activate());
    frame = control.ControlSite() ? control.ControlSite()->InPlaceFrame() : nullptr;
    HWND window = control.Window();
    if (!(games ? static_cast<IUnknown*>(control.MoveBoard()) : control.Board()) || !window) {
      std::printf("the control did not activate\n");
      return 1;
    }
    PumpFor(100);
    if (games)
      ReadsGames(control.MoveBoard(), *sink.get(), host, window);
    else if (mode == "opponent-moves")
      ReadsOpponentMoves(control.Board(), host, window);
    else
      ReadsAGame(control.Board(), *sink.get(), host, button, window);
    control.Remove();
    frame = nullptr;
    hostWindow = nullptr;
    DestroyWindow(host);
    PumpFor(50);
  }
  OleUninitialize();
  return check::Result();
}
