// Mouse input on the activated control, and what its events carry.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "tests/windows/check.h"

namespace {

struct Expected {
  DISPID dispid;
  std::vector<double> arguments;  // col, row[, Button, Shift, X, Y]
};

Expected Mouse(DISPID dispid, int col, int row, int button, int shift, int x, int y) {
  return {dispid, {double(col), double(row), double(button), double(shift), double(x), double(y)}};
}
Expected Cell(DISPID dispid, int col, int row) { return {dispid, {double(col), double(row)}}; }

const char* EventName(DISPID dispid) {
  static const char* const kNames[] = {"?", "Click", "DblClick", "MouseDown", "MouseMove", "MouseUp"};
  return dispid >= 1 && dispid <= 5 ? kNames[dispid] : "?";
}

void Print(const char* label, const std::vector<host::RecordedEvent>& events) {
  std::printf("    %s:\n", label);
  for (const auto& event : events) {
    std::printf("      %s(", EventName(event.dispid));
    for (const auto& argument : event.arguments) std::printf(" %g[vt %#x]", argument.value, argument.type);
    std::printf(" )\n");
  }
}

// Every argument by reference: shorts for col, row, Button, Shift; singles for X, Y.
VARTYPE ExpectedType(size_t index) { return VT_BYREF | (index < 4 ? VT_I2 : VT_R4); }

bool Matches(const host::RecordedEvent& event, const Expected& expected) {
  if (event.dispid != expected.dispid || event.arguments.size() != expected.arguments.size()) return false;
  for (size_t i = 0; i < expected.arguments.size(); ++i)
    if (event.arguments[i].type != ExpectedType(i) || event.arguments[i].value != expected.arguments[i]) return false;
  return true;
}

void ExpectEvents(Bench& bench, const std::vector<Expected>& expected, const char* what) {
  const auto& events = bench.Events();
  bool same = events.size() == expected.size();
  for (size_t i = 0; same && i < events.size(); ++i) same = Matches(events[i], expected[i]);
  if (!same) {
    check::Fail(__LINE__, what);
    std::vector<host::RecordedEvent> wanted;
    for (const auto& e : expected) {
      host::RecordedEvent event{e.dispid, {}};
      for (size_t i = 0; i < e.arguments.size(); ++i) event.arguments.push_back({ExpectedType(i), e.arguments[i]});
      wanted.push_back(event);
    }
    Print("expected", wanted);
    Print("got", events);
  }
  bench.events->ClearEvents();
}

struct CellCase {
  int cell, x, y;
  host::Modifiers modifiers;
  int shift;
};

void EventsPerCell(Bench& bench) {
  const CellCase cases[] = {{1, 3, 30, {}, 0},
                            {8, 36, 0, {true, false, false}, 1},
                            {9, 0, 36, {false, true, false}, 2},
                            {27, 18, 5, {false, false, true}, 4},
                            {64, 35, 35, {true, true, false}, 3}};
  auto mouse = bench.Mouse();
  for (const auto& c : cases) {
    const int col = (c.cell - 1) % 8 + 1, row = (c.cell - 1) / 8 + 1;
    const POINT at = host::Mouse::InCell(col, row, c.x, c.y);
    const std::string what = "cell " + std::to_string(c.cell);
    check::context = what.c_str();
    mouse.Move(at, 0, c.modifiers);
    ExpectEvents(bench, {Mouse(kMouseMove, col, row, 0, c.shift, c.x, c.y)}, "move without a button");
    mouse.Click(at, c.modifiers);
    ExpectEvents(bench,
                 {Mouse(kMouseDown, col, row, 1, c.shift, c.x, c.y), Mouse(kMouseUp, col, row, 1, c.shift, c.x, c.y),
                  Cell(kClick, col, row)},
                 "left click");
    mouse.Press(WM_RBUTTONDOWN, at, c.modifiers);
    mouse.Release(WM_RBUTTONUP, at, c.modifiers);
    const auto& events = bench.Events();
    CHECK(events.size() >= 2 && Matches(events[0], Mouse(kMouseDown, col, row, 2, c.shift, c.x, c.y)) &&
          Matches(events[1], Mouse(kMouseUp, col, row, 2, c.shift, c.x, c.y)));
    if (events.size() > 2) Print("right click also raised", events);
    bench.events->ClearEvents();
    mouse.Press(WM_MBUTTONDOWN, at);
    mouse.Release(WM_MBUTTONUP, at);
    CHECK(bench.Events().size() >= 2 && Matches(bench.Events()[0], Mouse(kMouseDown, col, row, 4, 0, c.x, c.y)));
    bench.events->ClearEvents();
  }
  check::context = "";
}

void DoubleClickOrder(Bench& bench) {
  bench.Mouse().DoubleClick(host::Mouse::InCell(3, 4, 10, 11));
  ExpectEvents(bench,
               {Mouse(kMouseDown, 3, 4, 1, 0, 10, 11), Mouse(kMouseUp, 3, 4, 1, 0, 10, 11), Cell(kClick, 3, 4),
                Cell(kDblClick, 3, 4), Mouse(kMouseUp, 3, 4, 1, 0, 10, 11)},
               "double click: down, up, click, dblclick, up");
}

// The pressed cell keeps the mouse until release; release elsewhere is no click.
void DragKeepsPressedCell(Bench& bench) {
  auto mouse = bench.Mouse();
  mouse.Press(WM_LBUTTONDOWN, host::Mouse::InCell(1, 2, 18, 18));
  mouse.Move(host::Mouse::InCell(3, 2, 5, 6));
  mouse.Move(host::Mouse::InCell(3, 4, 20, 1));
  mouse.Release(WM_LBUTTONUP, host::Mouse::InCell(3, 4, 20, 1));
  ExpectEvents(bench,
               {Mouse(kMouseDown, 1, 2, 1, 0, 18, 18), Mouse(kMouseMove, 1, 2, 1, 0, 79, 6),
                Mouse(kMouseMove, 1, 2, 1, 0, 94, 75), Mouse(kMouseUp, 1, 2, 1, 0, 94, 75)},
               "drag from a2 cell 9 to cell 27: no click");
  mouse.Press(WM_LBUTTONDOWN, host::Mouse::InCell(8, 8, 30, 30));
  mouse.Move(host::Mouse::InCell(7, 7, 30, 30));
  mouse.Move(host::Mouse::InCell(8, 8, 2, 3));
  mouse.Release(WM_LBUTTONUP, host::Mouse::InCell(8, 8, 2, 3));
  ExpectEvents(bench,
               {Mouse(kMouseDown, 8, 8, 1, 0, 30, 30), Mouse(kMouseMove, 8, 8, 1, 0, -7, -7),
                Mouse(kMouseMove, 8, 8, 1, 0, 2, 3), Mouse(kMouseUp, 8, 8, 1, 0, 2, 3), Cell(kClick, 8, 8)},
               "drag out of cell 64 and back: click");
}

void DisabledRaisesNothing(Bench& bench) {
  auto mouse = bench.Mouse();
  const POINT at = host::Mouse::CellCentre(5, 5);
  CHECK_HR(bench.Board()->put_Enabled(VARIANT_FALSE), S_OK);
  VARIANT_BOOL enabled = VARIANT_TRUE;
  CHECK_HR(bench.Board()->get_Enabled(&enabled), S_OK);
  CHECK_EQ(enabled, VARIANT_FALSE);
  mouse.Move(at);
  mouse.Click(at);
  mouse.DoubleClick(at);
  ExpectEvents(bench, {}, "disabled: no events");
  CHECK_HR(bench.Board()->put_Enabled(VARIANT_TRUE), S_OK);
  mouse.Click(at);
  ExpectEvents(bench, {Mouse(kMouseDown, 5, 5, 1, 0, 18, 18), Mouse(kMouseUp, 5, 5, 1, 0, 18, 18), Cell(kClick, 5, 5)},
               "re-enabled: events again");
}

// The control's own frames between the window procedure and the sink, read
// off the stack (64-bit only: a 32-bit build keeps no frame chain to follow).
int ControlFramesOnStack(HWND controlWindow) {
  auto moduleOf = [](const void* address) {
    HMODULE module{};
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCWSTR>(address), &module);
    return module;
  };
  const HMODULE control = moduleOf(reinterpret_cast<void*>(GetWindowLongPtrW(controlWindow, GWLP_WNDPROC)));
  void* frames[96];
  const USHORT count = RtlCaptureStackBackTrace(0, 96, frames, nullptr);
  int inControl = 0;
  for (USHORT i = 0; i < count; ++i) {
    if (moduleOf(frames[i]) == control)
      ++inControl;
    else if (inControl)
      break;
  }
  return inControl;
}

// OvlBoard asks before a move: PieceDrop with the two squares and Cancel
// False; a handler's True keeps the piece where it was, else it moves.
void PieceDropAsksTheHost() {
  check::context = "PieceDrop";
  Bench bench({.moveBoard = true});
  _OvlBoard* board = bench.control->MoveBoard();
  if (!bench.ready || !board) return;
  host::EventSink* sink = bench.events.get();
  HWND controlWindow = bench.control->Window();
  CHECK_HR(board->NewGame(), S_OK);
  std::vector<VARIANT_BOOL> cancelSeen;
  bool cancel = true;
  int frames = 0;
  sink->SetHandler([&](const host::RecordedEvent& event, DISPPARAMS& parameters) {
    if (event.dispid != 6 || parameters.cArgs != 5 || parameters.rgvarg[0].vt != (VT_BYREF | VT_BOOL)) return;
    frames = ControlFramesOnStack(controlWindow);
    cancelSeen.push_back(*parameters.rgvarg[0].pboolVal);
    *parameters.rgvarg[0].pboolVal = cancel ? VARIANT_TRUE : VARIANT_FALSE;
  });
  auto pieceAt = [&](short col, short row) {
    PieceNum piece{};
    board->get_Piece(&col, &row, &piece);
    return static_cast<long>(piece);
  };
  host::Mouse mouse(controlWindow);
  for (bool refused : {true, false}) {
    cancel = refused;
    sink->ClearEvents();
    mouse.Click(host::Mouse::CellCentre(5, 7));
    mouse.Click(host::Mouse::CellCentre(5, 5));
    PumpMessages();
    std::vector<double> drop;
    for (const auto& event : sink->Events())
      if (event.dispid == 6)
        for (const auto& argument : event.arguments) drop.push_back(argument.value);
    CHECK(drop == (std::vector<double>{5, 7, 5, 5, 0}));
    CHECK_EQ(pieceAt(5, 7), refused ? Wpawn : None);
    CHECK_EQ(pieceAt(5, 5), refused ? None : Wpawn);
  }
  [[maybe_unused]] const int clickFrames = frames;
  mouse.Press(WM_LBUTTONDOWN, host::Mouse::CellCentre(4, 7));
  mouse.Move(host::Mouse::CellCentre(4, 6), MK_LBUTTON);
  mouse.Move(host::Mouse::CellCentre(4, 5), MK_LBUTTON);
  mouse.Release(WM_LBUTTONUP, host::Mouse::CellCentre(4, 5));
  CHECK_EQ(pieceAt(4, 5), Wpawn);
#if defined(_WIN64) && defined(NDEBUG)
  std::printf("  PieceDrop's frames of the control on the stack: by click %d, by drag %d\n", clickFrames, frames);
  // A relay put back on the path from the window to the host shows here.
  CHECK(clickFrames > 0 && clickFrames <= 6 && frames > 0 && frames <= 6);
#endif
  CHECK(cancelSeen == (std::vector<VARIANT_BOOL>{VARIANT_FALSE, VARIANT_FALSE, VARIANT_FALSE}));
}

}  // namespace

void TestEvents() {
  PieceDropAsksTheHost();
  Bench bench;
  if (!bench.ready) return;
  EventsPerCell(bench);
  DoubleClickOrder(bench);
  DragKeepsPressedCell(bench);
  DisabledRaisesNothing(bench);
}

// Handlers that call back into the control, or drop it, while it raises Click.
void TestReentrancy() {
  {
    Bench bench;
    if (!bench.ready) return;
    long seenInside = -1;
    bench.events->SetHandler([&](const host::RecordedEvent& event, DISPPARAMS&) {
      if (event.dispid != kClick) return;
      const short col = short(event.arguments[0].value), row = short(event.arguments[1].value);
      CHECK_HR(bench.SetPiece(col, row, 12), S_OK);
      seenInside = bench.Piece(col, row);
    });
    bench.Mouse().Click(host::Mouse::CellCentre(4, 6));
    CHECK_EQ(seenInside, 12);
    CHECK_EQ(bench.Piece(4, 6), 12);
  }
  {
    Bench bench;
    if (!bench.ready) return;
    HWND controlWindow = bench.control->Window();
    bench.events->SetHandler([&](const host::RecordedEvent& event, DISPPARAMS&) {
      if (event.dispid == kClick) bench.control->Remove();
    });
    bench.Mouse().Click(host::Mouse::CellCentre(2, 2));
    PumpMessages();
    CHECK(bench.control->Board() == nullptr);
    CHECK(!IsWindow(controlWindow) || !IsWindowVisible(controlWindow));
  }
  {
    // Disabled by the MouseUp handler: the press ends there, without a Click.
    Bench bench;
    if (!bench.ready) return;
    bench.events->SetHandler([&](const host::RecordedEvent& event, DISPPARAMS&) {
      if (event.dispid == kMouseUp) CHECK_HR(bench.Board()->put_Enabled(VARIANT_FALSE), S_OK);
    });
    bench.Mouse().Click(host::Mouse::CellCentre(3, 5));
    CHECK_EQ(bench.Events().size(), 2u);
  }
  // The process is still sound: a new control works as before.
  Bench after;
  if (!after.ready) return;
  after.Mouse().Click(host::Mouse::CellCentre(1, 1));
  CHECK_EQ(after.Events().size(), 3u);
}
