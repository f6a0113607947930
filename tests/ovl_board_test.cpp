#include "control/ovl_board.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "board/automation_error.h"
#include "control/interaction.h"
#include "tests/headless_control.h"

using board::CellIndex;
using control::Announcement;
using control::BoardKey;
using control::MouseButton;
using control::PointerPosition;
using Kind = control::Announcement::Kind;

namespace {

constexpr char kStart[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

CellIndex Cell(const char* name) {
  return board::SquareIndex(static_cast<int16_t>(name[0] - 'a' + 1), static_cast<int16_t>('8' - name[1] + 1));
}

// An OvlBoard on the headless host, shown through an Interaction as a window shows it.
struct ShownBoard : control::BoardSurface {
  control::headless::HeadlessPlatform platform;
  control::OvlBoard control{platform};
  control::Interaction input{control, platform.Cells(), *this};
  std::vector<Announcement> heard;
  std::vector<std::string> rects;
  std::function<void(control::PieceDropArguments&)> onDrop;

  explicit ShownBoard(bool userMode = true) {
    platform.userMode = userMode;
    platform.view = &control.View();
    platform.moves = &control.Moves();
    control.UserControl_Initialize();
    control.UserControl_InitProperties();
    input.Attach();
    input.Accessible();
    if (userMode) control.NewGame();
    platform.onPieceDrop = [this](control::PieceDropArguments& a) {
      if (onDrop) onDrop(a);
    };
    Reset();
  }
  void Reset() {
    input.FlushNames();
    heard.clear(), rects.clear(), platform.changedProperties.clear(), platform.refreshedCells.clear();
    platform.repaints = 0;
  }
  PointerPosition Centre(CellIndex cell) const {
    const control::PixelRect r = platform.Cells().Bounds(cell);
    return {r.left + 18, r.top + 18};
  }
  void Drag(const char* from, const char* to) {
    input.MousePress(MouseButton::Left, false, 0, Centre(Cell(from)));
    input.MouseMove(1, 0, Centre(Cell(to)));
    input.MouseRelease(MouseButton::Left, 0, 0, Centre(Cell(to)));
  }
  void Click(const char* square) {
    input.MousePress(MouseButton::Left, false, 0, Centre(Cell(square)));
    input.MouseRelease(MouseButton::Left, 0, 0, Centre(Cell(square)));
  }

  board::CellIndex CellAt(PointerPosition p) const override { return platform.Cells().CellAt(p.x, p.y); }
  control::CellOffset OffsetIn(board::CellIndex, PointerPosition) const override { return {}; }
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  void RepaintCell(board::CellIndex) override {}
  void Announce(const std::vector<Announcement>& a) override { heard.insert(heard.end(), a.begin(), a.end()); }
  void RepaintRect(control::PixelRect r) override {
    rects.push_back(std::to_string(r.left) + "," + std::to_string(r.top));
  }
};

int ErrorOf(const std::function<void()>& act) {
  try {
    act();
  } catch (const board::AutomationError& e) {
    return e.number();
  }
  return 0;
}

TEST(OvlBoard, PositionPutWritesEverySquareWithOneRepaintAndOneNotificationOrChangesNothing) {
  struct Case {
    const wchar_t* text;
    bool userMode;
    int error;
    const char* after;
  };
  const Case cases[] = {
      {L"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", true, 0, "4k3/8/8/8/8/8/4P3/4K3"},
      {L"8/8/8/8/8/8/8/8", true, 0, "8/8/8/8/8/8/8/8"},
      {L"4k3/8/8/8/8/8/4P3", true, 380, kStart},
      {L"4k3/8/8/8/8/8/4X3/4K3", true, 380, kStart},
      {L"8/8/8/8/8/8/8/8", false, 382, kStart},
  };
  for (const Case& c : cases) {
    ShownBoard b;
    b.platform.userMode = c.userMode;
    const std::vector<uint32_t> before = b.platform.Render();
    EXPECT_EQ(ErrorOf([&] { b.control.Position(c.text); }), c.error);
    EXPECT_EQ(b.control.Position(), c.after);
    EXPECT_TRUE(b.platform.refreshedCells.empty());
    EXPECT_TRUE(b.platform.messages.empty());
    if (c.error) {
      EXPECT_EQ(b.platform.Render(), before);
      EXPECT_TRUE(b.platform.changedProperties.empty());
      EXPECT_EQ(b.platform.repaints, 0);
      continue;
    }
    EXPECT_EQ(b.platform.changedProperties, std::vector<std::string>{"Position"});
    EXPECT_EQ(b.platform.repaints, 1);
    b.input.FlushNames();
    ASSERT_FALSE(b.heard.empty());
    EXPECT_EQ(b.heard.back(), (Announcement{Kind::ValueChanged, 0}));
  }
  // Each square shows its piece over its bare picture, as a Piece write draws it.
  ShownBoard b;
  b.control.Position(L"8/8/8/8/8/8/4P3/8");
  HeadlessControl drawn;
  drawn.control.Piece(5, 7, board::Wpawn);
  EXPECT_EQ(b.platform.Render(), drawn.platform.Render());
}

TEST(OvlBoard, FlippedMovesPixelsHitTestsAndArrowKeysAsTheEyeSees) {
  ShownBoard b;
  const std::vector<uint32_t> upright = b.platform.Render();
  b.control.Flipped(true);
  EXPECT_EQ(b.platform.changedProperties, std::vector<std::string>{"Flipped"});
  const std::vector<uint32_t> flipped = b.platform.Render();
  // Squares trade places; each keeps its own pixels.
  for (int y : {0, 18, 295})
    for (int x : {0, 40, 295}) {
      const int mirroredX = (7 - x / 37) * 37 + x % 37, mirroredY = (7 - y / 37) * 37 + y % 37;
      EXPECT_EQ(flipped[y * 296 + x], upright[mirroredY * 296 + mirroredX]) << x << "," << y;
    }
  EXPECT_EQ(b.platform.Cells().CellAt(5, 5), Cell("h1"));
  // The cursor starts on a1, drawn top-left when flipped: Left goes to b1, Down to b2.
  b.input.FocusChanged(true, true);
  b.input.Key({BoardKey::Left});
  b.input.Key({BoardKey::Down});
  b.input.Key({BoardKey::Space});
  EXPECT_EQ(b.control.Moves().Selected(), Cell("b2"));
  b.input.Key({std::nullopt, 'e'});
  EXPECT_EQ(b.input.CueCell(), Cell("e2"));
  EXPECT_EQ(b.input.Accessible().NavigateAsSeen(Cell("e2").value, control::Direction::Up), Cell("e1").value);
}

TEST(OvlBoard, CoordinatesRepaintAndChangeOnlyTheLabelledSquares) {
  ShownBoard b;
  const std::vector<uint32_t> plain = b.platform.Render();
  b.control.ShowCoordinates(true);
  EXPECT_EQ(b.platform.refreshedCells.size(), 15u);
  const std::vector<uint32_t> labelled = b.platform.Render();
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell) {
    const board::Square s = board::SquareOfIndex(cell);
    const bool edge = s.col == 1 || s.row == 8;
    bool differs = false;
    const control::PixelRect r = b.platform.Cells().Bounds(cell);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) differs |= plain[y * 296 + x] != labelled[y * 296 + x];
    EXPECT_EQ(differs, edge) << control::ChessName(cell);
  }
}

TEST(OvlBoard, MarksAndArrowsAreNamedDescribedAndRefusedWithoutAMessage) {
  ShownBoard b;
  b.control.Piece(5, 5, board::Wpawn);
  b.Reset();
  b.control.Mark(5, 5, control::mkLastMove);
  EXPECT_EQ(b.platform.refreshedCells, std::vector<int16_t>{Cell("e4").value});
  EXPECT_EQ(b.input.Accessible().Name(Cell("e4")), "e4, cream pawn, last move");
  b.input.FlushNames();
  EXPECT_EQ(b.heard, (std::vector<Announcement>{{Kind::NameChanged, Cell("e4").value}}));
  b.Reset();
  b.control.DrawArrow(5, 7, 5, 5);
  EXPECT_NE(b.input.Accessible().BoardDescription().find("Arrows: e2 to e4."), std::string::npos);
  EXPECT_EQ(b.heard, (std::vector<Announcement>{{Kind::DescriptionChanged, 0}}));
  EXPECT_EQ(ErrorOf([&] { b.control.Mark(0, 1, 1); }), 381);
  EXPECT_EQ(ErrorOf([&] { b.control.Mark(1, 1, 9); }), 380);
  EXPECT_EQ(ErrorOf([&] { b.control.DrawArrow(1, 1, 1, 9); }), 5);
  EXPECT_TRUE(b.platform.messages.empty());
  b.control.ClearMarks();
  b.control.ClearArrows();
  EXPECT_EQ(b.input.Accessible().Name(Cell("e4")), "e4, cream pawn");
  EXPECT_EQ(b.input.Accessible().BoardDescription(), control::AccessibleBoard::KeysHelp());
}

TEST(OvlBoard, AMoveByHandAsksTheContainerAndTheHandlerDecides) {
  struct Case {
    const char* what;
    std::function<void(ShownBoard&, control::PieceDropArguments&)> handler;
    const char* after;
  };
  const char* moved = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR";
  const Case cases[] = {
      {"accepts", [](ShownBoard&, control::PieceDropArguments&) {}, moved},
      {"cancels", [](ShownBoard&, control::PieceDropArguments& a) { a.Cancel = true; }, kStart},
      {"writes the squares itself",
       [](ShownBoard& b, control::PieceDropArguments&) { b.control.Piece(5, 5, board::WQueen); },
       "rnbqkbnr/pppppppp/8/8/4Q3/8/PPPPPPPP/RNBQKBNR"},
      {"disables the board", [](ShownBoard& b, control::PieceDropArguments&) { b.control.Enabled(false); }, moved},
      {"lets go of the control", [](ShownBoard& b, control::PieceDropArguments&) { b.input.Detach(); }, kStart},
  };
  for (const Case& c : cases)
    for (const char* how : {"drag", "click", "keys"}) {
      ShownBoard b;
      std::string asked;
      b.onDrop = [&](control::PieceDropArguments& a) {
        asked = std::to_string(a.fromCol * 10 + a.fromRow) + "-" + std::to_string(a.toCol * 10 + a.toRow);
        c.handler(b, a);
      };
      std::vector<std::string> clicks;
      b.platform.onEvent = [&](control::ControlEvent e, control::EventArguments& a) {
        if (e == control::ControlEvent::Click) clicks.push_back(control::ChessName(board::SquareIndex(a.col, a.row)));
      };
      if (how == std::string("drag")) b.Drag("e2", "e4");
      if (how == std::string("click")) b.Click("e2"), b.Click("e4");
      if (how == std::string("keys")) {
        b.input.Key({std::nullopt, 'e'}), b.input.Key({std::nullopt, '2'}), b.input.Key({BoardKey::Space});
        b.input.Key({BoardKey::Up}), b.input.Key({BoardKey::Up}), b.input.Key({BoardKey::Enter});
      }
      EXPECT_EQ(asked, std::string("57-55")) << c.what << ", " << how;
      EXPECT_EQ(b.control.Position(), c.after) << c.what << ", " << how;
      EXPECT_EQ(clicks.size(), how == std::string("drag") ? 0u : 2u) << c.what << ", " << how;
      EXPECT_FALSE(b.control.Moves().Lifted() || b.control.Moves().Selected()) << c.what << ", " << how;
      if (how == std::string("drag") && c.after == moved) {
        EXPECT_EQ(b.input.Accessible().Name(Cell("e4")), "e4, cream pawn");
      }
    }
}

TEST(OvlBoard, TheLiftedPieceFollowsThePointerOverItsBareMarkedSquare) {
  ShownBoard b;
  b.control.Mark(5, 7, control::mkSelected);
  const std::vector<uint32_t> marked = b.platform.Render();
  b.input.FocusChanged(true, false);
  b.input.MousePress(MouseButton::Left, false, 0, b.Centre(Cell("e2")));
  b.input.MouseMove(1, 0, {100, 100});
  ASSERT_EQ(b.control.Moves().Lifted(), Cell("e2"));
  EXPECT_EQ(b.input.Accessible().Name(Cell("e2")), "e2, cream pawn, selected, picked up");
  EXPECT_EQ(b.rects, std::vector<std::string>{"82,82"});
  const std::vector<uint32_t> lifted = b.platform.Render();
  ShownBoard bare;
  bare.control.Piece(5, 7, board::None);
  bare.control.Mark(5, 7, control::mkSelected);
  const control::PixelRect e2 = b.platform.Cells().Bounds(Cell("e2"));
  EXPECT_EQ(lifted[(e2.top + 2) * 296 + e2.left + 18], bare.platform.Render()[(e2.top + 2) * 296 + e2.left + 18]);
  EXPECT_NE(lifted[100 * 296 + 100], marked[100 * 296 + 100]);  // the pawn's body is at the pointer
  b.input.MouseMove(1, 0, {110, 100});
  EXPECT_EQ(b.rects, (std::vector<std::string>{"82,82", "82,82", "92,82"}));
  // Dropped off its square onto e4, the cursor stays where the piece was put.
  b.input.MouseRelease(MouseButton::Left, 0, 0, b.Centre(Cell("e4")));
  EXPECT_EQ(b.input.CueCell().value, 0);
  EXPECT_EQ(b.input.Accessible().FocusedChild(), Cell("e4").value);
}

TEST(OvlBoard, NothingLiftsOrIsAskedWhileDisabledInADesignerOrWithoutAllowMoves) {
  const std::function<void(ShownBoard&)> setups[] = {
      [](ShownBoard& b) { b.control.Enabled(false); },
      [](ShownBoard& b) { b.platform.userMode = false; },
      [](ShownBoard& b) { b.control.AllowMoves(false); },
  };
  for (const auto& setup : setups) {
    ShownBoard b;
    setup(b);
    bool asked = false;
    b.onDrop = [&](control::PieceDropArguments&) { asked = true; };
    b.input.MousePress(MouseButton::Left, false, 0, b.Centre(Cell("e2")));
    b.input.MouseMove(1, 0, {100, 100});
    EXPECT_FALSE(b.control.Moves().Lifted());
    b.input.MouseRelease(MouseButton::Left, 0, 0, b.Centre(Cell("e4")));
    b.Click("e2"), b.Click("e4");
    EXPECT_FALSE(asked || b.control.Moves().Selected());
    EXPECT_EQ(b.control.Position(), kStart);
  }
}

TEST(OvlBoard, ClearEmptiesTheBoardSoNothingInvisibleCanBePickedUp) {
  ShownBoard b;
  b.Click("e2");
  b.control.Clear();
  EXPECT_FALSE(b.control.Moves().Selected());
  EXPECT_EQ(b.control.Position(), "8/8/8/8/8/8/8/8");
  EXPECT_EQ(b.control.Piece(5, 7), board::None);
  b.Click("e2");
  EXPECT_FALSE(b.control.Moves().Selected());
}

TEST(OvlBoard, ViewPropertiesAreSavedReadAndDefaulted) {
  control::MemoryPropertyBag saved;
  {
    ShownBoard b;
    b.control.UserControl_WriteProperties(saved);
    EXPECT_EQ(saved.values.at("Flipped"), control::PropertyValue{false});
    EXPECT_EQ(saved.values.at("AllowMoves"), control::PropertyValue{true});
    b.control.Flipped(true), b.control.ShowCoordinates(true), b.control.AllowMoves(false);
    b.control.Mark(1, 1, control::mkCheck);
    b.control.UserControl_WriteProperties(saved);
  }
  EXPECT_EQ(saved.values.size(), 5u);  // Enabled, Piece and the three; no marks
  ShownBoard read;
  read.control.UserControl_ReadProperties(saved);
  EXPECT_TRUE(read.control.Flipped() && read.control.ShowCoordinates() && !read.control.AllowMoves());
  EXPECT_EQ(read.platform.Cells().CellAt(5, 5), Cell("h1"));
  control::MemoryPropertyBag old;
  ShownBoard defaults;
  defaults.control.UserControl_ReadProperties(old);
  EXPECT_TRUE(!defaults.control.Flipped() && !defaults.control.ShowCoordinates() && defaults.control.AllowMoves());
}

}  // namespace
