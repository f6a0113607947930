// Moving pieces on an OvlBoard with the X server's real mouse and keyboard:
// one table of scenarios, each played from the start position by the driver
// script (moves.sh) and checked by the PieceDrop events it raised and the
// position it left. A drag is photographed mid-way at the display's scale.
// With the lifting host, PieceLift refuses red pieces and marks two targets:
// the events' order is checked, and after each gesture which marks remain and
// whether the selected square looks different on screen.
//
// Usage: moves_test   (in a folder it may write to; MOVES_BOARD=SIDE places
//   the board in a SIDE x SIDE rectangle, else at its extent)
//   prints "DO n ACTION..." for the script and waits for the file done_n; each
//   round ends with a click on a sentinel beside the board, which arrives after
//   all the input before it.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "component/com/unique.h"
#include "component/identity.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"
#include "tests/windows/check.h"

namespace {

#define CHECK_HR_OK(call) check::Equal(static_cast<HRESULT>(call), S_OK, #call, __LINE__)

constexpr wchar_t kStart[] = L"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
constexpr wchar_t kAfterE4[] = L"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR";
constexpr wchar_t kAfterNf3[] = L"rnbqkbnr/pppppppp/8/8/8/5N2/PPPPPPPP/RNBQKB1R";
constexpr wchar_t kAfterE5[] = L"rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR";
constexpr int kSentinelId = 100;

// The lifting host's scenarios that move are played flipped too.
enum class Setup { Plain, Cancelling, Disabled, NoMoves, Flipped, Lifting };
// Drag: press on `from`, stray beyond the drag distance, go by `via` (when
// given) to `to` ("off": beside the board) and release. DragEscape presses
// Escape before the release; DragShot photographs the floating piece half-way;
// DragAway activates another window half-way, then releases. DoubleClick clicks twice at once.
// Keys: `from` lists the keys pressed, as xdotool names them.
enum class Kind { Drag, DragEscape, DragShot, DragAway, Click, DoubleClick, Keys };
struct Gesture {
  Kind kind;
  const char* from;
  const char* to = nullptr;
  const char* via = nullptr;
  // With the lifting host: the gesture leaves `holds` selected (and its two targets marked); else nothing marked.
  const char* holds = nullptr;
};
struct Drop {
  int fromCol, fromRow, toCol, toRow;
  bool operator==(const Drop&) const = default;
};
struct Scenario {
  const char* name;
  Setup setup;
  std::vector<Gesture> gestures;
  std::vector<Drop> drops;
  const wchar_t* position;
  int clicks;
  // Every MouseDown, MouseMove and MouseUp with the button held names this square, the one pressed.
  const char* mouseOn = nullptr;
  // The events but MouseMove, in the order raised.
  const char* order = nullptr;
};

constexpr char kDragOrder[] = "MouseDown PieceLift MouseUp PieceDrop";
constexpr char kClickThenClickOrder[] = "MouseDown PieceLift MouseUp Click MouseDown MouseUp Click PieceDrop";
constexpr char kKeysOrder[] = "Click PieceLift Click PieceDrop";

const Scenario kScenarios[] = {
    {"drag e2 to e4", Setup::Plain, {{Kind::DragShot, "e2", "e4"}}, {{5, 7, 5, 5}}, kAfterE4, 0, "e2"},
    {"a handler cancels",
     Setup::Cancelling,
     {{Kind::Drag, "e2", "e4"}, {Kind::Click, "g1"}, {Kind::Click, "f3"}, {Kind::Keys, "d 7 Return d 5 Return"}},
     {{5, 7, 5, 5}, {7, 8, 6, 6}, {4, 2, 4, 4}},
     kStart,
     4},
    {"released on its own square", Setup::Plain, {{Kind::Drag, "e2", "e2", "e4"}}, {}, kStart, 1, "e2"},
    {"released off the board", Setup::Plain, {{Kind::Drag, "e2", "off"}}, {}, kStart, 0, "e2"},
    {"Escape before the release", Setup::Plain, {{Kind::DragEscape, "e2", "e4"}}, {}, kStart, 0, "e2"},
    {"click then click", Setup::Plain, {{Kind::Click, "g1"}, {Kind::Click, "f3"}}, {{7, 8, 6, 6}}, kAfterNf3, 2},
    {"keyboard", Setup::Plain, {{Kind::Keys, "e 7 space e 5 space"}}, {{5, 2, 5, 4}}, kAfterE5, 2},
    {"keyboard: Escape puts back", Setup::Plain, {{Kind::Keys, "e 7 Return Escape e 5 Return"}}, {}, kStart, 2},
    {"disabled",
     Setup::Disabled,
     {{Kind::Drag, "e2", "e4"}, {Kind::Click, "g1"}, {Kind::Click, "f3"}, {Kind::Keys, "e 7 space e 5 space"}},
     {},
     kStart,
     0},
    {"AllowMoves off",
     Setup::NoMoves,
     {{Kind::Drag, "e2", "e4"}, {Kind::Click, "g1"}, {Kind::Click, "f3"}, {Kind::Keys, "e 7 space e 5 space"}},
     {},
     kStart,
     4},
    {"flipped", Setup::Flipped, {{Kind::Drag, "e2", "e4"}}, {{5, 7, 5, 5}}, kAfterE4, 0, "e2"},
    {"lift: drag", Setup::Lifting, {{Kind::Drag, "e2", "e4"}}, {{5, 7, 5, 5}}, kAfterE4, 0, "e2", kDragOrder},
    {"lift: click then click",
     Setup::Lifting,
     {{Kind::Click, "g1", nullptr, nullptr, "g1"}, {Kind::Click, "f3"}},
     {{7, 8, 6, 6}},
     kAfterNf3,
     2,
     nullptr,
     kClickThenClickOrder},
    {"lift: keyboard", Setup::Lifting, {{Kind::Keys, "e 2 space e 4 space"}}, {{5, 7, 5, 5}}, kAfterE4, 2, nullptr,
     kKeysOrder},
    {"lift refused: red pieces",
     Setup::Lifting,
     {{Kind::Drag, "e7", "e5"}, {Kind::Click, "g8"}, {Kind::Click, "f6"}, {Kind::Keys, "d 7 space d 5 space"}},
     {},
     kStart,
     4,
     nullptr,
     "MouseDown PieceLift MouseUp MouseDown PieceLift MouseUp Click MouseDown MouseUp Click Click PieceLift Click"},
    {"lift ends without a move",
     Setup::Lifting,
     {{Kind::Drag, "e2", "e2", "e4"},
      {Kind::Drag, "e2", "off"},
      {Kind::DragEscape, "e2", "e4"},
      {Kind::Click, "g1", nullptr, nullptr, "g1"},
      {Kind::Click, "g1"},
      {Kind::DoubleClick, "b1"},
      {Kind::Keys, "e 2 space Escape"},
      {Kind::Click, "d2", nullptr, nullptr, "d2"},
      {Kind::Click, "e2", nullptr, nullptr, "e2"},  // switches
      {Kind::DragAway, "g1", "f3"}},
     {},
     kStart,
     7},
};

bool sentinelClicked = false;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  const WORD code = HIWORD(wParam);
  if (message == WM_COMMAND && LOWORD(wParam) == kSentinelId && (code == STN_CLICKED || code == STN_DBLCLK))
    sentinelClicked = true;
  return DefWindowProcW(window, message, wParam, lParam);
}

// The board's side when MOVES_BOARD gives it, else 0.
int GivenSide() {
  char text[16] = {};
  return GetEnvironmentVariableA("MOVES_BOARD", text, sizeof text) ? std::atoi(text) : 0;
}

// A square's side in device pixels: a fill of the given side, else floor(37 * DPI / 96).
int SquareAt(int dpi) { return GivenSide() ? GivenSide() / 8 : host::kCellPixels * dpi / 96; }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Where the scenarios' points are: the board as it is drawn at its scale, on the screen.
class Screen {
 public:
  Screen(HWND board, HWND sentinel, int square) : board_(board), sentinel_(sentinel), square_(square) {}

  // The centre of a board square ("e2") as drawn, or a point beside the board ("off").
  POINT Centre(const char* name, bool flipped) const {
    if (std::string(name) == "off") return Client(8 * square_ + square_, square_ / 2);
    int col = name[0] - 'a' + 1, row = 9 - (name[1] - '0');
    if (flipped) col = 9 - col, row = 9 - row;
    return Client((col - 1) * square_ + square_ / 2, (row - 1) * square_ + square_ / 2);
  }
  POINT Sentinel() const {
    RECT rect{};
    GetWindowRect(sentinel_, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  int Square() const { return square_; }

 private:
  POINT Client(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(board_, &point);
    return point;
  }
  HWND board_;
  HWND sentinel_;
  int square_;
};

std::string At(POINT point) { return std::to_string(point.x) + "," + std::to_string(point.y); }
POINT Between(POINT a, POINT b, int step, int steps) {
  return {a.x + (b.x - a.x) * step / steps, a.y + (b.y - a.y) * step / steps};
}

// The driver's actions for one gesture, in rounds: a DragShot's first round
// ends with the piece half-way, where the photograph is taken.
std::vector<std::string> Actions(const Gesture& gesture, const Screen& screen, bool flipped) {
  if (gesture.kind == Kind::Keys) {
    std::string actions = "focus";
    for (const char* key = gesture.from; *key;) {
      const size_t length = std::strcspn(key, " ");
      actions.append(" key:").append(key, length);
      key += length + (key[length] == ' ');
    }
    return {actions};
  }
  const POINT from = screen.Centre(gesture.from, flipped);
  if (gesture.kind == Kind::Click) return {"click:" + At(from)};
  if (gesture.kind == Kind::DoubleClick) return {"dblclick:" + At(from)};
  const POINT to = screen.Centre(gesture.to, flipped);
  if (gesture.kind == Kind::DragShot || gesture.kind == Kind::DragAway) {
    const POINT half = Between(from, to, 3, 4);
    const std::string shot = gesture.kind == Kind::DragShot ? "shot:SHOT " : "";
    return {"press:" + At(from) + " move:" + At(Between(from, half, 1, 2)) + " move:" + At(half),
            shot + "move:" + At(to) + " release:" + At(to)};
  }
  // Within the drag distance first: a press that strays this little lifts nothing.
  std::string actions = "press:" + At(from) + " move:" + At({from.x + 1, from.y - 1});
  std::vector<POINT> path;
  if (gesture.via) path.push_back(screen.Centre(gesture.via, flipped));
  path.push_back(to);
  POINT at = from;
  for (const POINT& next : path) {
    for (int step = 1; step <= 4; ++step) actions += " move:" + At(Between(at, next, step, 4));
    at = next;
  }
  if (gesture.kind == Kind::DragEscape) actions = "focus " + actions + " key:Escape";
  return {actions + " release:" + At(to)};
}

class Driver {
 public:
  // Gives the script one round of actions and waits until it has played them.
  void Play(const std::string& actions) {
    const std::string done = "done_" + std::to_string(round_);
    DeleteFileA(done.c_str());
    std::printf("DO %d %s\n", round_++, actions.c_str());
    if (!host::PumpUntil([&] { return FileExists(done); }, 60000)) check::Fail(__LINE__, "no " + done);
  }
  // Plays the round, then a click on the sentinel, and waits for it to arrive.
  void PlayAndSettle(const std::string& actions, const Screen& screen) {
    sentinelClicked = false;
    Play(actions + " click:" + At(screen.Sentinel()));
    if (!host::PumpUntil([] { return sentinelClicked; }, 20000)) check::Fail(__LINE__, "the sentinel never arrived");
  }

 private:
  int round_ = 0;
};

struct Fixture {
  HWND window = nullptr;
  HWND sentinel = nullptr;
  HWND other = nullptr;  // a second top-level window, activated in the middle of a drag
  com::ComPtr<host::EventSink> sink;
  std::unique_ptr<host::EmbeddedControl> control;
  int dpi = 96;
};

std::wstring Position(_OvlBoard* board) {
  com::UniqueBstr position;
  CHECK_HR_OK(board->get_Position(position.put()));
  return position.get() ? position.get() : L"";
}


// The lifting host: red pieces stay put; a cream piece's two squares ahead are its targets.
void OnPieceLift(_OvlBoard* board, const host::RecordedEvent& event, DISPPARAMS& parameters) {
  short col = static_cast<short>(event.arguments[0].value), row = static_cast<short>(event.arguments[1].value);
  PieceNum piece{};
  CHECK_HR_OK(board->get_Piece(&col, &row, &piece));
  if (piece >= Bpawn && piece <= Bking) return host::SetCancel(parameters);
  for (short ahead : {1, 2}) {
    short targetCol = col, targetRow = static_cast<short>(row - ahead);
    CHECK_HR_OK(board->put_Mark(&targetCol, &targetRow, mkTarget));
  }
}

// What the board's marks are: "g1 selected, g3 target, g2 target" in board order, or "".
std::string LiftMarks(_OvlBoard* board) {
  std::string marks;
  for (short row = 1; row <= 8; ++row)
    for (short col = 1; col <= 8; ++col) {
      short c = col, r = row;
      MarkNum mark{};
      CHECK_HR_OK(board->get_Mark(&c, &r, &mark));
      if (mark != mkSelected && mark != mkTarget) continue;
      marks += std::string(marks.empty() ? "" : ", ") + char('a' + col - 1) + char('0' + 9 - row) +
               (mark == mkSelected ? " selected" : " target");
    }
  return marks;
}

std::string ExpectedMarks(const char* holds) {
  if (!holds) return "";
  const char file = holds[0], rank = holds[1];
  // Board order: row 1 (rank 8) first, so the farther target comes first.
  return std::string{file, char(rank + 2)} + " target, " + std::string{file, char(rank + 1)} + " target, " + holds +
         " selected";
}

void Prepare(const Fixture& fixture, Setup setup, bool flipped) {
  _OvlBoard* board = fixture.control->MoveBoard();
  com::UniqueBstr start(SysAllocString(kStart));
  CHECK_HR_OK(board->put_Position(start.get()));
  CHECK_HR_OK(board->put_Enabled(setup == Setup::Disabled ? VARIANT_FALSE : VARIANT_TRUE));
  CHECK_HR_OK(board->put_AllowMoves(setup == Setup::NoMoves ? VARIANT_FALSE : VARIANT_TRUE));
  CHECK_HR_OK(board->put_Flipped(flipped ? VARIANT_TRUE : VARIANT_FALSE));
  fixture.sink->SetHandler([setup, board](const host::RecordedEvent& event, DISPPARAMS& parameters) {
    if (setup == Setup::Cancelling && event.dispid == host::kPieceDropEvent) host::SetCancel(parameters);
    if (setup == Setup::Lifting && event.dispid == host::kPieceLiftEvent) OnPieceLift(board, event, parameters);
  });
  // The keys go to the board; a press gives it the focus anyway.
  SetFocus(fixture.control->Window());
  host::PumpMessages();
  fixture.sink->ClearEvents();
}

// The piece lifted and half-way: the pointer's last MouseMove has arrived, and
// the board is painted before the driver photographs it.
void AwaitHalfWay(const Fixture& fixture, const Screen& screen, const Gesture& gesture) {
  const POINT from = screen.Centre(gesture.from, false), half = Between(from, screen.Centre(gesture.to, false), 3, 4);
  // A square is 37 units wide at every size.
  const double scale = screen.Square() / 37.0;
  const double x = (screen.Square() / 2 + half.x - from.x) / scale, y = (screen.Square() / 2 + half.y - from.y) / scale;
  const auto arrived = [&] {
    for (const auto& event : fixture.sink->Events())
      if (event.dispid == host::kMouseMoveEvent && std::fabs(event.arguments[4].value - x) <= 1 &&
          std::fabs(event.arguments[5].value - y) <= 1)
        return true;
    return false;
  };
  if (!host::PumpUntil(arrived, 20000)) check::Fail(__LINE__, "the pointer never arrived half-way");
  UpdateWindow(fixture.control->Window());
  GdiFlush();
  // Waiting idle hands what was painted to the X server.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

bool IsMouseEvent(DISPID dispid) { return dispid >= host::kMouseDownEvent && dispid <= host::kMouseUpEvent; }

void CheckEvents(const Scenario& scenario, const std::vector<host::RecordedEvent>& events) {
  std::vector<Drop> drops;
  int clicks = 0;
  bool typesRight = true, mouseOnPressed = true;
  const int pressedCol = scenario.mouseOn ? scenario.mouseOn[0] - 'a' + 1 : 0;
  const int pressedRow = scenario.mouseOn ? 9 - (scenario.mouseOn[1] - '0') : 0;
  for (const auto& event : events) {
    const auto& a = event.arguments;
    if (event.dispid == host::kClickEvent) ++clicks;
    if (IsMouseEvent(event.dispid) && a[2].value != 0 && scenario.mouseOn)
      mouseOnPressed = mouseOnPressed && a[0].value == pressedCol && a[1].value == pressedRow;
    if (event.dispid != host::kPieceDropEvent) continue;
    typesRight = typesRight && a.size() == 5 && a[4].type == (VT_BYREF | VT_BOOL) && a[4].value == 0 &&
                 std::count_if(events.begin(), events.end(), [](const host::RecordedEvent& e) {
                   return e.dispid == host::kPieceLiftEvent &&
                          (e.arguments.size() != 3 || e.arguments[2].type != (VT_BYREF | VT_BOOL) ||
                           e.arguments[0].type != (VT_BYREF | VT_I2));
                 }) == 0;
    for (size_t i = 0; i < 4 && i < a.size(); ++i) typesRight = typesRight && a[i].type == (VT_BYREF | VT_I2);
    if (a.size() == 5) drops.push_back({int(a[0].value), int(a[1].value), int(a[2].value), int(a[3].value)});
  }
  if (scenario.order) {
    std::string order;
    for (const auto& event : events)
      if (event.dispid != host::kMouseMoveEvent) order += std::string(order.empty() ? "" : " ") + host::EventName(event.dispid);
    if (order != scenario.order) check::Fail(__LINE__, "the events came as " + order);
  }
  CHECK(drops == scenario.drops);
  CHECK(typesRight);
  CHECK_EQ(clicks, scenario.clicks);
  CHECK(mouseOnPressed);
  if (scenario.setup == Setup::Disabled) CHECK(events.empty());
}

// The square's pixels as the display shows them.
std::vector<uint32_t> ShownPixels(const Fixture& fixture, const Screen& screen, const char* square, bool flipped) {
  UpdateWindow(fixture.control->Window());
  GdiFlush();
  const POINT centre = screen.Centre(square, flipped);
  const int side = screen.Square(), left = centre.x - side / 2, top = centre.y - side / 2;
  std::vector<uint32_t> pixels(side * side);
  HDC display = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(display);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(display, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ before = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, side, side, display, left, top, SRCCOPY);
  GdiFlush();
  std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
  SelectObject(memory, before);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, display);
  return pixels;
}

// After each gesture of the lifting host: the lift's marks as `holds` says, and a held square seen changed.
void CheckLift(const Fixture& fixture, const Screen& screen, Driver& driver, const Gesture& gesture, bool flipped,
               const std::vector<uint32_t>& before) {
  const std::string marks = LiftMarks(fixture.control->MoveBoard());
  if (marks != ExpectedMarks(gesture.holds)) check::Fail(__LINE__, "after " + std::string(gesture.from) + ": " + marks);
  if (!gesture.holds) return;
  const std::vector<uint32_t> after = ShownPixels(fixture, screen, gesture.holds, flipped);
  size_t changed = 0;
  for (size_t i = 0; i < after.size(); ++i) changed += (after[i] & 0xFFFFFF) != (before[i] & 0xFFFFFF);
  // The piece keeps its pixels; the wood round it takes the selection's colour.
  if (changed < after.size() / 4) check::Fail(__LINE__, "the selection changed " + std::to_string(changed) + " pixels");
  driver.Play("shot:selected_" + std::to_string(fixture.dpi) + (flipped ? "_flipped" : "") + ".png");
}

void PlayScenario(const Fixture& fixture, const Screen& screen, Driver& driver, const Scenario& scenario,
                  bool flipped) {
  check::context = std::string(scenario.name) + (flipped ? " (flipped)" : "");
  Prepare(fixture, scenario.setup, flipped);
  const std::string shot = "mid_drag_" + std::to_string(fixture.dpi) + "_" + std::to_string(8 * screen.Square()) + ".png";
  for (const Gesture& gesture : scenario.gestures) {
    const std::vector<uint32_t> before =
        gesture.holds ? ShownPixels(fixture, screen, gesture.holds, flipped) : std::vector<uint32_t>{};
    std::vector<std::string> rounds = Actions(gesture, screen, flipped);
    for (size_t i = 0; i + 1 < rounds.size(); ++i) {
      driver.Play(rounds[i]);
      AwaitHalfWay(fixture, screen, gesture);
      if (gesture.kind == Kind::DragAway) SetForegroundWindow(fixture.other);
    }
    std::string& last = rounds.back();
    if (const size_t at = last.find("SHOT"); at != std::string::npos) last.replace(at, 4, shot);
    driver.PlayAndSettle(last, screen);
    if (scenario.setup == Setup::Lifting) CheckLift(fixture, screen, driver, gesture, flipped, before);
  }
  const auto& events = fixture.sink->Events();
  std::printf("%s:", check::context.c_str());
  for (const auto& event : events)
    if (event.dispid == host::kPieceDropEvent || event.dispid == host::kClickEvent)
      std::printf(" [%s]", host::Describe(event).c_str());
  std::printf("\n");
  const int failuresBefore = check::failures;
  CheckEvents(scenario, events);
  if (check::failures != failuresBefore)
    for (const auto& event : events) std::printf("    %s\n", host::Describe(event).c_str());
  const std::wstring position = Position(fixture.control->MoveBoard());
  if (position != scenario.position)
    check::Fail(__LINE__,
                "the position is " + check::Narrow(position) + ", expected " + check::Narrow(scenario.position));
}

bool Open(Fixture& fixture) {
  fixture.dpi = host::DpiOf(nullptr);
  const int square = SquareAt(fixture.dpi), side = 8 * square;
  fixture.window =
      host::CreateHostWindow(L"Orvel moves host", side + 2 * square, side + 40, HostProcedure, L"OrvelMovesHost");
  fixture.other = host::CreateHostWindow(L"Orvel other window", 120, 60, DefWindowProcW, L"OrvelOtherWindow");
  fixture.sentinel =
      CreateWindowW(L"STATIC", L"sentinel", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 8, side + 8, 80, 24, fixture.window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSentinelId)), GetModuleHandleW(nullptr), nullptr);
  fixture.sink = host::Make<host::EventSink>(component::identity::kBoardEventInterfaceId);
  fixture.control = std::make_unique<host::EmbeddedControl>(fixture.window, RECT{0, 0, side, side});
  fixture.control->SetEventInterface(component::identity::kBoardEventInterfaceId);
  HRESULT hr = fixture.control->Create(component::identity::kBoardClassId);
  if (SUCCEEDED(hr)) hr = fixture.control->ConnectEvents(fixture.sink.get());
  if (SUCCEEDED(hr)) hr = fixture.control->InitNew();
  if (SUCCEEDED(hr) && !GivenSide()) hr = fixture.control->SizeFromExtent();
  if (SUCCEEDED(hr)) hr = fixture.control->Activate();
  if (FAILED(hr) || !fixture.control->MoveBoard() || !fixture.control->Window()) {
    std::printf("cannot place an OvlBoard: 0x%08lX\n", static_cast<unsigned long>(hr));
    return false;
  }
  SetForegroundWindow(fixture.window);
  std::printf("at %d DPI: squares of %d pixels\n", fixture.dpi, square);
  return true;
}

}  // namespace

int main() {
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (FAILED(OleInitialize(nullptr))) return 3;
  {
    Fixture fixture;
    if (Open(fixture)) {
      host::PumpMessages();
      const Screen screen(fixture.control->Window(), fixture.sentinel, SquareAt(fixture.dpi));
      Driver driver;
      for (const Scenario& scenario : kScenarios) {
        PlayScenario(fixture, screen, driver, scenario, scenario.setup == Setup::Flipped);
        if (scenario.setup == Setup::Lifting && !scenario.drops.empty())
          PlayScenario(fixture, screen, driver, scenario, true);
      }
    } else {
      check::Fail(__LINE__, "no board");
    }
    std::printf("END\n");
    fixture.control.reset();
    if (fixture.window) DestroyWindow(fixture.window);
    if (fixture.other) DestroyWindow(fixture.other);
    host::PumpMessages();
  }
  OleUninitialize();
  return check::Result();
}
