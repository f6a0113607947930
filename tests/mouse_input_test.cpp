#include "control/mouse_input.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "control/keyboard_input.h"
#include "tests/headless_control.h"

using control::CellOffset;
using control::ControlEvent;
using control::MouseButton;
using control::PointerPosition;

namespace {

// A surface over the headless cells that records what it was asked to do with the mouse.
struct RecordingSurface : control::MouseSurface {
  const control::CellGrid& cells;
  bool captured = false;
  int captures = 0;

  explicit RecordingSurface(const control::CellGrid& grid) : cells(grid) {}
  board::CellIndex CellAt(PointerPosition p) const override { return cells.CellAt(p.x, p.y); }
  CellOffset OffsetIn(board::CellIndex cell, PointerPosition p) const override {
    const control::PixelRect r = cells.Bounds(cell);
    return {float(p.x - r.left), float(p.y - r.top)};
  }
  void CaptureMouse() override {
    captured = true;
    ++captures;
  }
  void ReleaseMouse() override { captured = false; }
  void TakeFocus() override {
    ++focusTaken;
    if (onFocus) onFocus();
  }
  int focusTaken = 0;
  std::function<void()> onFocus;
};

// A control, its surface and its mouse rules; events are written as short strings.
struct Mouse {
  HeadlessControl c;
  RecordingSurface surface{c.platform.Cells()};
  control::KeyboardInput keys{c.control};
  control::MouseInput input{c.control, surface, &keys};
  std::vector<std::string> events;

  Mouse() {
    c.platform.onEvent = [this](ControlEvent event, control::EventArguments& a) {
      static const char* const kNames[] = {"", "Click", "DblClick", "Down", "Move", "Up"};
      std::string text = std::string(kNames[int(event)]) + " " + std::to_string(a.col) + "," + std::to_string(a.row);
      if (event >= ControlEvent::MouseDown)
        text += " b" + std::to_string(a.Button) + " s" + std::to_string(a.Shift) + " " +
                std::to_string(int(a.X)) + "," + std::to_string(int(a.Y));
      events.push_back(text);
    };
  }

  // A point `x`, `y` pixels into the square at col, row.
  static PointerPosition At(int col, int row, int x, int y) { return {(col - 1) * 37 + x, (row - 1) * 37 + y}; }

  std::vector<std::string> Take() { return std::exchange(events, {}); }
};

using Events = std::vector<std::string>;

TEST(MouseInput, ClickIsDownUpClickOnTheSquareWithOffsetsAndShift) {
  Mouse m;
  m.input.Move(0, 2, Mouse::At(3, 4, 10, 11));
  m.input.Press(MouseButton::Left, false, 1, Mouse::At(3, 4, 10, 11));
  EXPECT_TRUE(m.surface.captured);
  m.input.Release(MouseButton::Left, 0, 1, Mouse::At(3, 4, 36, 0));
  EXPECT_FALSE(m.surface.captured);
  EXPECT_EQ(m.Take(), (Events{"Move 3,4 b0 s2 10,11", "Down 3,4 b1 s1 10,11", "Up 3,4 b1 s1 36,0", "Click 3,4"}));
}

TEST(MouseInput, OnlyTheLeftButtonClicks) {
  Mouse m;
  for (MouseButton button : {MouseButton::Right, MouseButton::Middle}) {
    m.input.Press(button, false, 0, Mouse::At(8, 8, 1, 2));
    m.input.Release(button, 0, 0, Mouse::At(8, 8, 1, 2));
  }
  EXPECT_EQ(m.Take(), (Events{"Down 8,8 b2 s0 1,2", "Up 8,8 b2 s0 1,2", "Down 8,8 b4 s0 1,2", "Up 8,8 b4 s0 1,2"}));
}

TEST(MouseInput, ThePressedSquareKeepsTheMouseOffItAndBack) {
  Mouse m;
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(8, 8, 30, 30));
  m.input.Move(1, 0, Mouse::At(7, 7, 30, 30));
  m.input.Move(1, 0, {400, 500});  // beyond the board
  m.input.Move(1, 0, Mouse::At(8, 8, 2, 3));
  m.input.Release(MouseButton::Left, 0, 0, Mouse::At(8, 8, 2, 3));
  EXPECT_EQ(m.Take(), (Events{"Down 8,8 b1 s0 30,30", "Move 8,8 b1 s0 -7,-7", "Move 8,8 b1 s0 141,241",
                              "Move 8,8 b1 s0 2,3", "Up 8,8 b1 s0 2,3", "Click 8,8"}));
}

TEST(MouseInput, ReleaseOffThePressedSquareIsNoClick) {
  Mouse m;
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(1, 2, 18, 18));
  m.input.Release(MouseButton::Left, 0, 0, Mouse::At(3, 4, 20, 1));
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(1, 1, 0, 0));
  m.input.Release(MouseButton::Left, 0, 0, {-5, 3});  // outside the control
  EXPECT_EQ(m.Take(), (Events{"Down 1,2 b1 s0 18,18", "Up 1,2 b1 s0 94,75", "Down 1,1 b1 s0 0,0",
                              "Up 1,1 b1 s0 -5,3"}));
  EXPECT_FALSE(m.surface.captured);
  // Nothing is pressed any more: the pointer names the square it is over again.
  m.input.Move(0, 0, Mouse::At(2, 2, 4, 4));
  EXPECT_EQ(m.Take(), Events{"Move 2,2 b0 s0 4,4"});
}

TEST(MouseInput, PointerOutsideEverySquareWithNothingPressedRaisesNothing) {
  Mouse m;
  m.input.Move(0, 0, {296, 10});
  m.input.Press(MouseButton::Left, false, 0, {10, 296});
  m.input.Release(MouseButton::Left, 0, 0, {10, 296});
  EXPECT_TRUE(m.Take().empty());
  EXPECT_EQ(m.surface.captures, 0);
}

TEST(MouseInput, TwoButtonsStayOnTheFirstSquareAndCancelTheClick) {
  Mouse m;
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(2, 2, 5, 5));
  m.input.Press(MouseButton::Right, false, 0, Mouse::At(5, 5, 1, 1));
  m.input.Release(MouseButton::Right, 1, 0, Mouse::At(2, 2, 6, 6));
  EXPECT_TRUE(m.surface.captured);
  m.input.Release(MouseButton::Left, 0, 0, Mouse::At(2, 2, 6, 6));
  EXPECT_FALSE(m.surface.captured);
  EXPECT_EQ(m.surface.captures, 1);
  EXPECT_EQ(m.Take(), (Events{"Down 2,2 b1 s0 5,5", "Down 2,2 b2 s0 112,112", "Up 2,2 b2 s0 6,6",
                              "Up 2,2 b1 s0 6,6"}));
  // A left press while the right is held clicks on neither.
  m.input.Press(MouseButton::Right, false, 0, Mouse::At(4, 4, 5, 5));
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(4, 4, 5, 5));
  m.input.Release(MouseButton::Left, 2, 0, Mouse::At(4, 4, 5, 5));
  m.input.Release(MouseButton::Right, 0, 0, Mouse::At(4, 4, 5, 5));
  EXPECT_EQ(m.Take().size(), 4u);
}

TEST(MouseInput, DoubleClickRaisesDblClickInPlaceOfDownAndClick) {
  Mouse m;
  const PointerPosition at = Mouse::At(3, 4, 10, 11);
  m.input.Press(MouseButton::Left, false, 0, at);
  m.input.Release(MouseButton::Left, 0, 0, at);
  m.input.Press(MouseButton::Left, true, 0, at);
  m.input.Release(MouseButton::Left, 0, 0, at);
  EXPECT_EQ(m.Take(), (Events{"Down 3,4 b1 s0 10,11", "Up 3,4 b1 s0 10,11", "Click 3,4", "DblClick 3,4",
                              "Up 3,4 b1 s0 10,11"}));
  // The right button's double click is a plain press.
  m.input.Press(MouseButton::Right, true, 0, at);
  m.input.Release(MouseButton::Right, 0, 0, at);
  EXPECT_EQ(m.Take(), (Events{"Down 3,4 b2 s0 10,11", "Up 3,4 b2 s0 10,11"}));
}

TEST(MouseInput, LostCaptureEndsThePressWithoutAClick) {
  Mouse m;
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(1, 1, 5, 5));
  m.input.CaptureLost();
  m.input.Move(1, 0, Mouse::At(2, 1, 5, 5));
  m.input.Release(MouseButton::Left, 0, 0, Mouse::At(1, 1, 5, 5));
  EXPECT_EQ(m.Take(), (Events{"Down 1,1 b1 s0 5,5", "Move 2,1 b1 s0 5,5", "Up 1,1 b1 s0 5,5"}));
}

TEST(MouseInput, DisabledMidDragRaisesNothingAndLetsTheMouseGo) {
  Mouse m;
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(6, 6, 5, 5));
  m.c.control.Enabled(false);
  m.input.Move(1, 0, Mouse::At(6, 6, 6, 6));
  EXPECT_FALSE(m.surface.captured);
  m.input.Release(MouseButton::Left, 0, 0, Mouse::At(6, 6, 6, 6));
  m.input.Press(MouseButton::Left, true, 0, Mouse::At(6, 6, 6, 6));
  m.c.control.Enabled(true);
  m.input.Release(MouseButton::Left, 0, 0, Mouse::At(6, 6, 6, 6));
  EXPECT_EQ(m.Take(), (Events{"Down 6,6 b1 s0 5,5", "Up 6,6 b1 s0 6,6"}));
}

TEST(MouseInput, CancelLetsTheMouseGoAndForgetsThePress) {
  Mouse m;
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(6, 6, 5, 5));
  m.input.Cancel();
  EXPECT_FALSE(m.surface.captured);
  m.input.Release(MouseButton::Left, 0, 0, Mouse::At(6, 6, 5, 5));
  EXPECT_EQ(m.Take(), (Events{"Down 6,6 b1 s0 5,5", "Up 6,6 b1 s0 5,5"}));
}

TEST(MouseInput, ASurfaceRemovedByTheMouseUpHandlerRaisesNoClick) {
  Mouse m;
  m.c.platform.onEvent = [&](ControlEvent event, control::EventArguments&) {
    m.events.push_back(std::to_string(int(event)));
    if (event == ControlEvent::MouseUp) m.input.Detach();
  };
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(2, 3, 5, 5));
  m.input.Release(MouseButton::Left, 0, 0, Mouse::At(2, 3, 5, 5));
  EXPECT_EQ(m.Take(), (Events{"3", "5"}));
  // A surface that comes back clicks again.
  m.c.platform.onEvent = [&](ControlEvent event, control::EventArguments&) { m.events.push_back(std::to_string(int(event))); };
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(2, 3, 5, 5));
  m.input.Release(MouseButton::Left, 0, 0, Mouse::At(2, 3, 5, 5));
  EXPECT_EQ(m.Take(), (Events{"3", "5", "1"}));
}

// A handler that disables the control or lets go of it ends what the input raises.
TEST(MouseInput, AControlDisabledOrLetGoByAHandlerRaisesNothingMore) {
  struct Case {
    const char* what;
    ControlEvent during;
    void (*act)(HeadlessControl&);
    Events raised;
  };
  const Case cases[] = {
      {"disabled in MouseUp", ControlEvent::MouseUp, [](HeadlessControl& c) { c.control.Enabled(false); },
       {"Down 2,3 b1 s0 5,5", "Up 2,3 b1 s0 5,5"}},
      {"let go in MouseUp", ControlEvent::MouseUp, [](HeadlessControl& c) { c.platform.heldByHost = false; },
       {"Down 2,3 b1 s0 5,5", "Up 2,3 b1 s0 5,5"}},
      {"disabled in MouseDown", ControlEvent::MouseDown, [](HeadlessControl& c) { c.control.Enabled(false); },
       {"Down 2,3 b1 s0 5,5"}},
      {"written in MouseUp", ControlEvent::MouseUp, [](HeadlessControl& c) { c.control.Piece(2, 3, 1); },
       {"Down 2,3 b1 s0 5,5", "Up 2,3 b1 s0 5,5", "Click 2,3"}},
  };
  for (const Case& c : cases) {
    Mouse m;
    auto record = m.c.platform.onEvent;
    m.c.platform.onEvent = [&](ControlEvent event, control::EventArguments& a) {
      record(event, a);
      if (event == c.during) c.act(m.c);
    };
    m.input.Press(MouseButton::Left, false, 0, Mouse::At(2, 3, 5, 5));
    m.input.Release(MouseButton::Left, 0, 0, Mouse::At(2, 3, 5, 5));
    EXPECT_EQ(m.Take(), c.raised) << c.what;
  }
}

TEST(MouseInput, ALeftPressPutsTheKeyboardCursorOnItsSquareBeforeTakingTheFocus) {
  struct Case {
    MouseButton button;
    bool doubleClick;
    bool enabled;
    board::CellIndex cursor;  // the cursor's cell after a press on e4 (cell 37); a1 is 57
    int focusTaken;
  };
  const Case cases[] = {{MouseButton::Left, false, true, 37_cell, 1},
                        {MouseButton::Left, true, true, 37_cell, 1},
                        {MouseButton::Right, false, true, 57_cell, 1},
                        {MouseButton::Middle, false, true, 57_cell, 1},
                        {MouseButton::Left, false, false, 57_cell, 0}};
  for (const Case& c : cases) {
    Mouse m;
    m.c.control.Enabled(c.enabled);
    board::CellIndex cursorWhenFocused;
    m.surface.onFocus = [&] { cursorWhenFocused = m.keys.CursorCell(); };
    m.input.Press(c.button, c.doubleClick, 0, Mouse::At(5, 5, 3, 3));
    EXPECT_EQ(m.keys.CursorCell(), c.cursor) << int(c.button) << c.doubleClick << c.enabled;
    EXPECT_EQ(m.surface.focusTaken, c.focusTaken) << int(c.button) << c.enabled;
    EXPECT_EQ(cursorWhenFocused, c.focusTaken ? c.cursor : 0_cell);
    EXPECT_FALSE(m.keys.ShowsFocusCue());
  }
}

TEST(MouseInput, APressWhoseFocusHandlersRemoveTheSurfaceRaisesNothing) {
  Mouse m;
  m.surface.onFocus = [&] { m.input.Detach(); };
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(2, 2, 1, 1));
  EXPECT_FALSE(m.surface.captured);
  EXPECT_TRUE(m.Take().empty());
  m.surface.onFocus = nullptr;
  m.input.Press(MouseButton::Left, false, 0, Mouse::At(2, 2, 1, 1));
  EXPECT_EQ(m.Take(), (Events{"Down 2,2 b1 s0 1,1"}));
}

}  // namespace
