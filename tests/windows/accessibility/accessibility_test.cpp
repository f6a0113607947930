// The board in a container, read by a screen-reader-like client in another
// process (screen_reader.exe beside this program) and driven from the real
// keyboard and mouse by the driver script (accessibility.sh), through a game
// as a host plays it: the board disabled while the opponent moves.
//
// Usage: accessibility_test                  (in a folder it may write to)
//        accessibility_test opponent-moves   (what a reader says of each opponent move)
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
  // The opponent's move is heard before the board goes unavailable, as it happened.
  short col = 8, row = 1;
  CHECK_HR_OK(board->put_Piece(&col, &row, Wknight));
  CHECK_HR_OK(board->put_Enabled(VARIANT_FALSE));
  CHECK_HR_OK(board->put_Enabled(VARIANT_FALSE));
  CHECK(GetFocus() == window);
  const Lines disabled = Play("key:Home key:space key:Return key:Right",
                              {"heard name 8", "heard value 0", "heard state 0", "focus 49 a2, cream pawn",
                               "focus 50 b2, cream pawn"},
                              seen, "the move, then the state once; the keys still move and read");
  CHECK(Clicks(sink).empty());
  CHECK_EQ(std::count_if(disabled.begin(), disabled.end(), [](const auto& l) { return l.rfind("state", 0) == 0; }), 1);
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
  VARIANT cell;
  VariantInit(&cell);
  cell.vt = VT_I4;
  cell.lVal = to.Cell();
  CHECK_HR_OK(accessible->accSelect(SELFLAG_TAKEFOCUS, cell));
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
  for (const Move& move : kOpponentMoves) {
    PlayOpponentMove(board, accessible.get(), move);
    Pump();  // what the board queued for the move goes out before the move is declared complete
    NotifyWinEvent(move_made::kEvent, hostWindow, move_made::kObject, SquareOf(move.to).Cell());
    const std::string said = AwaitLine("speech.txt", "move " + std::to_string(++made) + " ");
    const size_t at = said.rfind("said ");
    const int times = at == std::string::npos ? -1 : std::atoi(said.c_str() + at + 5);
    counts += ' ';
    counts += std::to_string(times);
    once += times == 1;
  }
  std::printf("  the moved-to square's new name said per opponent move:%s\n", counts.c_str());
  if (once != made)
    check::Fail(__LINE__, "said once in " + std::to_string(once) + " of " + std::to_string(made) + " opponent moves");
}

void ReadsOpponentMoves(_OvlChess* board, HWND host, HWND window) {
  CHECK_HR_OK(board->NewGame());
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
  SaysEachOpponentMoveOnce(board, window);
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
  const bool opponentMoves = argc > 1 && std::strcmp(argv[1], "opponent-moves") == 0;
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (FAILED(OleInitialize(nullptr))) return 3;
  {
    HWND host = host::CreateHostWindow(L"Orvel accessibility host", host::kBoardPixels + 40, host::kBoardPixels + 40);
    hostWindow = host;
    // Before the board in the tab order: the board's window is made later.
    HWND button = CreateWindowW(L"BUTTON", L"Before", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, host::kBoardPixels + 4, 80,
                                30, host, nullptr, GetModuleHandleW(nullptr), nullptr);
    auto sink = host::Make<host::EventSink>(component::identity::kEventInterfaceId);
    host::EmbeddedControl control(host, RECT{0, 0, host::kBoardPixels, host::kBoardPixels});
    control.SetEventInterface(component::identity::kEventInterfaceId);
    CHECK_HR_OK(control.Create(component::identity::kClassId));
    CHECK_HR_OK(control.ConnectEvents(sink.get()));
    CHECK_HR_OK(control.InitNew());
    CHECK_HR_OK(control.Activate());
    frame = control.ControlSite() ? control.ControlSite()->InPlaceFrame() : nullptr;
    HWND window = control.Window();
    if (!control.Board() || !window) {
      std::printf("the control did not activate\n");
      return 1;
    }
    PumpFor(100);
    if (opponentMoves)
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
