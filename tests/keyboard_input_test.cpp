#include "control/keyboard_input.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/headless_control.h"

using control::BoardKey;
using control::ControlEvent;

namespace {

struct Keyboard {
  HeadlessControl c;
  control::KeyboardInput keys{c.control};
  std::vector<std::pair<ControlEvent, board::Square>> events;

  Keyboard() {
    c.platform.onEvent = [this](ControlEvent event, control::EventArguments& a) {
      events.push_back({event, {board::Col(a.col), board::Row(a.row)}});
    };
  }
  board::Square After(std::initializer_list<BoardKey> pressed) {
    for (BoardKey key : pressed) keys.Press(key);
    return keys.Cursor();
  }
};

TEST(KeyboardInput, CursorStartsBottomLeftAndArrowsStopAtTheEdges) {
  Keyboard k;
  EXPECT_EQ(k.keys.Cursor(), (board::Square{1_col, 8_row}));
  EXPECT_EQ(k.keys.CursorCell(), 57_cell);
  EXPECT_EQ(k.After({BoardKey::Left, BoardKey::Down}), (board::Square{1_col, 8_row}));
  EXPECT_EQ(k.After({BoardKey::Up, BoardKey::Right, BoardKey::Right}), (board::Square{3_col, 7_row}));
  for (int n = 0; n < 10; ++n) k.After({BoardKey::Up, BoardKey::Right});
  EXPECT_EQ(k.keys.Cursor(), (board::Square{8_col, 1_row}));
  EXPECT_EQ(k.keys.CursorCell(), 8_cell);
  EXPECT_TRUE(k.events.empty());
}

TEST(KeyboardInput, HomeEndGoAlongTheRowPageKeysAlongTheColumn) {
  Keyboard k;
  EXPECT_EQ(k.After({BoardKey::Up, BoardKey::Up, BoardKey::End}), (board::Square{8_col, 6_row}));
  EXPECT_EQ(k.After({BoardKey::Home}), (board::Square{1_col, 6_row}));
  EXPECT_EQ(k.After({BoardKey::Right, BoardKey::PageUp}), (board::Square{2_col, 1_row}));
  EXPECT_EQ(k.After({BoardKey::PageDown}), (board::Square{2_col, 8_row}));
}

TEST(KeyboardInput, SpaceAndEnterRaiseOnlyClickForTheCursorSquare) {
  Keyboard k;
  k.After({BoardKey::Space, BoardKey::Up, BoardKey::Right, BoardKey::Enter});
  ASSERT_EQ(k.events.size(), 2u);
  EXPECT_EQ(k.events[0].first, ControlEvent::Click);
  EXPECT_EQ(k.events[0].second, (board::Square{1_col, 8_row}));
  EXPECT_EQ(k.events[1].first, ControlEvent::Click);
  EXPECT_EQ(k.events[1].second, (board::Square{2_col, 7_row}));
}

TEST(KeyboardInput, DisabledStillMovesTheCursorButClicksNothing) {
  Keyboard k;
  k.c.control.Enabled(false);
  for (BoardKey key : {BoardKey::Up, BoardKey::End, BoardKey::Space, BoardKey::Enter}) EXPECT_TRUE(k.keys.Press(key));
  EXPECT_TRUE(k.keys.Jump('c'));
  EXPECT_FALSE(k.keys.Activate(5_cell));
  EXPECT_EQ(k.keys.Cursor(), (board::Square{3_col, 7_row}));
  EXPECT_TRUE(k.events.empty());
  k.c.control.Enabled(true);
  EXPECT_TRUE(k.keys.Activate(5_cell));
  EXPECT_FALSE(k.keys.Activate(0_cell));
  EXPECT_FALSE(k.keys.Activate(65_cell));
  ASSERT_EQ(k.events.size(), 1u);
  EXPECT_EQ(k.events[0].second, (board::Square{5_col, 1_row}));
}

TEST(KeyboardInput, LettersPickTheFileDigitsTheRankAsTheNamesRead) {
  struct Case {
    const char* typed;
    board::Square reached;  // from a1, the start
  };
  const Case cases[] = {{"e", {5_col, 8_row}},  {"4", {1_col, 5_row}},  {"c7", {3_col, 2_row}},
                        {"8h", {8_col, 1_row}}, {"1a", {1_col, 8_row}}, {"i09A ", {1_col, 8_row}}};
  for (const Case& c : cases) {
    Keyboard k;
    for (const char* typed = c.typed; *typed; ++typed) {
      const bool jump = (*typed >= 'a' && *typed <= 'h') || (*typed >= '1' && *typed <= '8');
      EXPECT_EQ(k.keys.Jump(*typed), jump) << c.typed;
    }
    EXPECT_EQ(k.keys.Cursor(), c.reached) << c.typed;
    EXPECT_TRUE(k.events.empty());
  }
}

TEST(KeyboardInput, FocusCueOnlyWhileFocusedAfterKeyboardUse) {
  Keyboard k;
  EXPECT_FALSE(k.keys.ShowsFocusCue());
  k.keys.SetFocused(true);  // as a mouse click gives focus
  EXPECT_FALSE(k.keys.ShowsFocusCue());
  k.keys.Press(BoardKey::Right);
  EXPECT_TRUE(k.keys.ShowsFocusCue());
  k.keys.SetFocused(false);
  EXPECT_FALSE(k.keys.ShowsFocusCue());
  k.keys.SetFocused(true);
  EXPECT_TRUE(k.keys.ShowsFocusCue());
  k.keys.SetCuesShown(false);  // the platform hides keyboard cues again
  EXPECT_FALSE(k.keys.ShowsFocusCue());
  k.keys.MoveTo(37_cell);  // a mouse press moves the cursor without showing the cue
  EXPECT_EQ(k.keys.CursorCell(), 37_cell);
  EXPECT_FALSE(k.keys.ShowsFocusCue());
  k.keys.SetFocused(false);
  k.keys.SetFocused(true, true);  // arriving by Tab
  EXPECT_TRUE(k.keys.ShowsFocusCue());
  k.keys.MoveTo(0_cell);
  EXPECT_EQ(k.keys.CursorCell(), 37_cell);
}

TEST(KeyboardInput, EveryKeyTheBoardTakesShowsTheCueOnAMouseFocusedBoard) {
  struct Case {
    const char* what;
    bool (*press)(control::KeyboardInput&);
    bool cue;
  };
  const Case cases[] = {{"Right", [](control::KeyboardInput& k) { return k.Press(BoardKey::Right); }, true},
                        {"Space", [](control::KeyboardInput& k) { return k.Press(BoardKey::Space); }, true},
                        {"c", [](control::KeyboardInput& k) { return k.Jump('c'); }, true},
                        {"4", [](control::KeyboardInput& k) { return k.Jump('4'); }, true},
                        {"x", [](control::KeyboardInput& k) { return k.Jump('x'); }, false}};
  for (const Case& c : cases) {
    Keyboard k;
    k.keys.SetFocused(true);
    EXPECT_EQ(c.press(k.keys), c.cue) << c.what;
    EXPECT_EQ(k.keys.ShowsFocusCue(), c.cue) << c.what;
  }
}

}  // namespace
