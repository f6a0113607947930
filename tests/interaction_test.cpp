#include "control/interaction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/draw_bounds.h"
#include "tests/headless_control.h"

using control::Announcement;
using control::BoardKey;
using control::KeyStroke;
using Kind = control::Announcement::Kind;

namespace {

// A view over the headless cells that gives itself the focus as a window does
// and writes down what it is asked to repaint and announce.
struct RecordingView : control::BoardSurface {
  const control::CellGrid& cells;
  control::Interaction* input = nullptr;
  bool captured = false;
  std::vector<int16_t> repainted;
  std::vector<Announcement> heard;
  int settlesScheduled = 0;

  explicit RecordingView(const control::CellGrid& grid) : cells(grid) {}
  board::CellIndex CellAt(control::PointerPosition p) const override { return cells.CellAt(p.x, p.y); }
  control::CellOffset OffsetIn(board::CellIndex, control::PointerPosition) const override { return {}; }
  void CaptureMouse() override { captured = true; }
  void ReleaseMouse() override { captured = false; }
  void TakeFocus() override { input->FocusChanged(true, false); }
  void RepaintCell(board::CellIndex cell) override { repainted.push_back(cell.value); }
  void ScheduleSettle() override { ++settlesScheduled; }
  void Announce(const std::vector<Announcement>& a) override { heard.insert(heard.end(), a.begin(), a.end()); }
  control::DragMetrics Metrics() override { return {}; }
  void RepaintRect(control::PixelRect) override {}
  control::DrawnBoard Drawn() override { return {}; }
};

struct Shown {
  HeadlessControl c;
  RecordingView view{c.platform.Cells()};
  control::Interaction input{c.control, c.platform.Cells(), view};
  std::vector<std::string> events;

  Shown() {
    view.input = &input;
    input.Attach();
    input.Accessible();
    c.platform.onEvent = [this](control::ControlEvent e, control::EventArguments& a) {
      events.push_back(std::to_string(int(e)) + "@" + std::to_string(a.col) + "," + std::to_string(a.row));
    };
  }
  std::vector<Announcement> Heard() { return std::exchange(view.heard, {}); }
  static control::PointerPosition Centre(int cell) { return {(cell - 1) % 8 * 37 + 18, (cell - 1) / 8 * 37 + 18}; }
};

KeyStroke Stroke(BoardKey key, bool repeated = false) { return {key, 0, false, false, false, repeated}; }
KeyStroke Typed(char c, bool shift = false, bool ctrl = false, bool alt = false) {
  return {std::nullopt, c, shift, ctrl, alt, false};
}

const Announcement kValue{Kind::ValueChanged, 0}, kState{Kind::StateChanged, 0};
Announcement Name(int16_t cell) { return {Kind::NameChanged, cell}; }
Announcement Focus(int16_t cell) { return {Kind::FocusMoved, cell}; }

TEST(Announcer, FocusIsToldOnlyWhereItLandsOnAnotherSquare) {
  struct Case {
    int16_t before, after;
    bool due;
  };
  for (const Case& c : {Case{0, 0, false}, {0, 5, true}, {5, 5, false}, {5, 6, true}, {5, 0, false}}) {
    control::Announcer announcer;
    announcer.Settle(board::CellIndex(c.before));
    announcer.Take();
    announcer.Settle(board::CellIndex(c.after));
    EXPECT_EQ(announcer.Take(), c.due ? std::vector<Announcement>{Focus(c.after)} : std::vector<Announcement>{})
        << c.before << "->" << c.after;
  }
}

// A host's operation is settled once, when the platform says it is over.
// Changes made while no window showed the board are scheduled once it shows again.
TEST(Interaction, TheSettleScheduleStartsAfreshWithTheWindow) {
  Shown s;
  s.input.Changed();
  s.input.Changed();
  EXPECT_EQ(s.view.settlesScheduled, 1);
  s.input.Detach();
  s.input.Attach();
  s.input.Changed();
  EXPECT_EQ(s.view.settlesScheduled, 2);
}

// OvlChess's side of the rule (OvlBoard's moves: ovl_board_test): the focused
// square is told once, first, after everything the operation did.
TEST(Interaction, AHostOperationIsHeardOnceSettledTheFocusedSquareFirst) {
  struct Case {
    const char* what;
    bool focused;
    void (*act)(Shown&);
    std::vector<Announcement> heard;
  };
  const Case cases[] = {
      {"write, then disable", false,
       [](Shown& s) {
         s.c.control.Piece(5, 5, board::Wpawn);
         s.c.control.Enabled(false);
       },
       {Name(37), kValue, kState}},
      {"write, then select the square", false,
       [](Shown& s) {
         s.c.control.Piece(5, 5, board::Wpawn);
         s.input.Select(37_cell);
       },
       {Focus(37), kValue}},
      {"write, then select it twice", true,
       [](Shown& s) {
         s.c.control.Piece(5, 5, board::Wpawn);
         s.input.Select(37_cell);
         s.input.Select(37_cell);
       },
       {Focus(37), kValue}},
      {"select, then write the square", true,
       [](Shown& s) {
         s.input.Select(37_cell);
         s.c.control.Piece(5, 5, board::Wpawn);
       },
       {Focus(37), kValue}},
      {"disable under the focus", true, [](Shown& s) { s.c.control.Enabled(false); },
       {{Kind::StateChanged, 57}, kState}},
      {"write and disable the focused square", true,
       [](Shown& s) {
         s.c.control.Piece(1, 8, board::Wrook);
         s.c.control.Enabled(false);
         s.c.control.Enabled(false);
       },
       {Name(57), kValue, kState}},
      {"a click whose handler writes and disables, then Up", true,
       [](Shown& s) {
         s.c.platform.onEvent = [&s](control::ControlEvent, control::EventArguments&) {
           s.c.control.Piece(1, 8, board::Wrook);
           s.c.control.Enabled(false);
         };
         s.input.Key(Stroke(BoardKey::Space));
         s.input.Key(Stroke(BoardKey::Up));
       },
       {Name(57), kValue, kState, Focus(49)}},
  };
  for (const Case& c : cases) {
    Shown s;
    if (c.focused) s.input.FocusChanged(true, false);
    s.Heard();
    c.act(s);
    s.input.Settle();  // the host's operation is over
    EXPECT_EQ(s.Heard(), c.heard) << c.what;
  }
}

TEST(Interaction, TheBoardTakesItsKeysJumpsOnlyWithoutModifiersAndAHeldSpaceClicksOnce) {
  struct Case {
    KeyStroke stroke;
    bool boardKey, fromDialog, taken;
    int clicks;
  };
  const Case cases[] = {
      {Stroke(BoardKey::Enter), true, true, true, 1},   {Stroke(BoardKey::Space), true, false, true, 1},
      {Stroke(BoardKey::Enter, true), true, true, true, 0}, {Stroke(BoardKey::Space, true), true, false, true, 0},
      {Stroke(BoardKey::Left, true), true, false, true, 0}, {Typed('c'), true, false, true, 0},
      {Typed('8'), true, false, true, 0},                {Typed('i'), false, false, false, 0},
      {Typed('0'), false, false, false, 0},              {Typed('c', true), false, false, false, 0},
      {Typed('c', false, true), false, false, false, 0}, {Typed('4', false, false, true), false, false, false, 0},
      {Typed(0), false, false, false, 0},
  };
  for (const Case& c : cases) {
    Shown s;
    EXPECT_EQ(control::IsBoardKey(c.stroke, false), c.boardKey) << c.stroke.typed << int(c.stroke.key.value_or(BoardKey{}));
    EXPECT_EQ(control::WantedFromDialog(c.stroke, false), c.fromDialog);
    EXPECT_EQ(s.input.Key(c.stroke), c.taken) << c.stroke.typed;
    EXPECT_EQ(int(s.events.size()), c.clicks) << c.stroke.typed;
  }
  // Escape is the board's only while a piece is picked up; otherwise a dialog's Cancel keeps it.
  KeyStroke escape;
  escape.escape = true;
  for (bool holds : {false, true}) {
    EXPECT_EQ(control::IsBoardKey(escape, holds), holds);
    EXPECT_EQ(control::WantedFromDialog(escape, holds), holds);
    EXPECT_EQ(control::TakesEscape(escape, holds), holds);
  }
  EXPECT_FALSE(Shown().input.Key(escape));
}

TEST(Interaction, DisablingLetsGoOfThePressedMouseAndTheCueFollowsTheKeys) {
  Shown s;
  s.input.MousePress(control::MouseButton::Left, false, 0, Shown::Centre(10));
  EXPECT_TRUE(s.view.captured);
  s.c.control.Enabled(false);
  EXPECT_FALSE(s.view.captured);
  // The cue shows on the keyboard's arrival, and each step repaints the square left and the one reached.
  s.view.repainted.clear();
  s.input.Key(Stroke(BoardKey::Right));
  EXPECT_EQ(s.view.repainted, (std::vector<int16_t>{11}));
  s.input.Key(Typed('e'));
  EXPECT_EQ(s.view.repainted, (std::vector<int16_t>{11, 11, 13}));
  EXPECT_EQ(s.input.CueCell(), 13_cell);
}

TEST(DrawBounds, RefusesCoordinatesAndSidesBeyondGdi) {
  using control::DrawBounds;
  struct Case {
    control::Corners corners;
    bool wmf, logical, device;
  };
  constexpr int64_t far = DrawBounds::kFarthestCoordinate, side = DrawBounds::kLargestSide;
  const Case cases[] = {
      {{0, 0, 296, 296}, false, true, true},
      {{-far, -far, -far + side, -far + side}, false, true, true},
      {{0, 0, far + 1, 10}, false, false, false},
      {{0, 0, side + 1, 10}, false, false, false},
      {{10, side + 10, 20, 10}, false, true, true},
      {{0, 0, 32767, 32767}, true, true, true},
      {{0, 0, 32768, 10}, true, false, true},
      {{-32768, 0, 0, 10}, true, false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DrawBounds::LogicalAccepted(c.corners, c.wmf), c.logical) << c.corners.right;
    EXPECT_EQ(DrawBounds::DeviceAccepted(c.corners), c.device) << c.corners.right;
  }
}

// Corners in any order land on the same pixels; the order says which axes mirror.
TEST(DrawBounds, TargetsThePixelsBetweenTheCornersAndMirrorsReversedAxes) {
  struct Case {
    control::Corners device;
    bool mirrorX, mirrorY;
    std::vector<uint32_t> shown;  // a 2x2 picture 1 2 / 3 4 as it lands
  };
  const Case cases[] = {
      {{10, 20, 14, 26}, false, false, {1, 2, 3, 4}},
      {{14, 20, 10, 26}, true, false, {2, 1, 4, 3}},
      {{10, 26, 14, 20}, false, true, {3, 4, 1, 2}},
      {{14, 26, 10, 20}, true, true, {4, 3, 2, 1}},
  };
  for (const Case& c : cases) {
    const auto target = control::DeviceTarget::Of(c.device);
    EXPECT_EQ((std::vector<int64_t>{target.left, target.top, target.width, target.height}),
              (std::vector<int64_t>{10, 20, 4, 6}));
    EXPECT_EQ(std::pair(target.mirrorX, target.mirrorY), std::pair(c.mirrorX, c.mirrorY));
    std::vector<uint32_t> pixels{1, 2, 3, 4};
    control::Mirror(pixels, 2, target);
    EXPECT_EQ(pixels, c.shown) << c.device.left << "," << c.device.top;
  }
}

// A container whose UserMode ambient writes a square while it is read.
TEST(ContainerLink, AReEntrantUserModeReadEndsWithTheModeReadBefore) {
  struct Case {
    bool mode;
    int readsBefore;  // plain reads of `mode` before the re-entrant one
    bool nestedWritten, outerWritten;
  };
  for (const Case& c : {Case{true, 0, true, true}, {false, 0, true, false}, {false, 1, false, false},
                        {true, 1, true, true}}) {
    HeadlessControl h;
    h.platform.userMode = c.mode;
    for (int i = 0; i < c.readsBefore; ++i) h.control.ContainerPath().UserMode();
    int reads = 0;
    bool nestedWritten = false;
    h.platform.onUserMode = [&] {
      if (++reads < 100) {
        try {
          h.control.Piece(2, 2, board::Bking);
          nestedWritten = true;
        } catch (const board::AutomationError&) {
        }
      }
      return c.mode;
    };
    bool outerWritten = true;
    try {
      h.control.Piece(3, 3, board::Wking);
    } catch (const board::AutomationError&) {
      outerWritten = false;
    }
    EXPECT_EQ(reads, 1) << c.mode << c.readsBefore;
    EXPECT_EQ(nestedWritten, c.nestedWritten) << c.mode << c.readsBefore;
    EXPECT_EQ(outerWritten, c.outerWritten) << c.mode << c.readsBefore;
  }
}

}  // namespace
