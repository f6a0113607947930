#include "control/ovl_board.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "board/automation_error.h"
#include "control/interaction.h"
#include "control/view_layers.h"
#include "tests/error_number.h"
#include "tests/headless_control.h"

using board::CellIndex;
using control::Announcement;
using control::BoardKey;
using control::MouseButton;
using Kind = control::Announcement::Kind;

namespace {

constexpr char kStart[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
constexpr char kE4[] = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR";

CellIndex Cell(const char* name) {
  return board::SquareIndex(board::Col(static_cast<int16_t>(name[0] - 'a' + 1)),
                            board::Row(static_cast<int16_t>('8' - name[1] + 1)));
}

// An OvlBoard in its starting position on the headless host, shown through an Interaction as a window shows it.
struct ShownBoard : control::BoardSurface {
  control::headless::HeadlessPlatform platform;
  control::OvlBoard control{platform};
  control::Interaction input{control, platform.Cells(), *this};
  std::vector<Announcement> heard;

  // Without a reader, nothing is announced.
  explicit ShownBoard(bool reader = true) {
    platform.shown = &control;
    control.UserControl_Initialize();
    input.Attach();
    if (reader) input.Accessible();
    control.NewGame();
    input.FlushNames();
    heard.clear(), platform.changedProperties.clear(), platform.refreshedCells.clear();
  }
  control::PointerPosition Centre(const char* square) const {
    const control::PixelRect r = platform.Cells().Bounds(Cell(square));
    return {r.left + 18, r.top + 18};
  }
  void Press(const char* square) { input.MousePress(MouseButton::Left, false, 0, Centre(square)); }
  void Release(const char* square) { input.MouseRelease(MouseButton::Left, 0, 0, Centre(square)); }
  void Click(const char* square) { Press(square), Release(square); }
  std::string Name(const char* square) { return input.Accessible().Name(Cell(square)); }

  CellIndex CellAt(control::PointerPosition p) const override { return platform.Cells().CellAt(p.x, p.y); }
  control::CellOffset OffsetIn(CellIndex, control::PointerPosition) const override { return {}; }
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  void RepaintCell(CellIndex) override {}
  void Announce(const std::vector<Announcement>& a) override { heard.insert(heard.end(), a.begin(), a.end()); }
  control::DragMetrics Metrics() override { return {}; }
  void RepaintRect(control::PixelRect) override {}
  control::BoardGeometry Geometry() override { return {control::kPictureSize, control.View().Flipped()}; }
};

TEST(OvlBoard, PositionPutWritesEverySquareWithOneRepaintAndOneNotificationOrChangesNothing) {
  struct Case {
    const wchar_t* text;
    bool userMode;
    int error;
    const char* after;
  };
  for (const Case& c : {Case{L"8/8/8/8/8/8/4P3/8 w - - 0 1", true, 0, "8/8/8/8/8/8/4P3/8"},
                        {L"8/8/8/8/8/8/4P3", true, 380, kStart},
                        {L"8/8/8/8/8/8/4X3/8", true, 380, kStart},
                        {L"8/8/8/8/8/8/8/8", false, 382, kStart}}) {
    ShownBoard b;
    b.platform.userMode = c.userMode;
    const std::vector<uint32_t> before = b.platform.Render();
    EXPECT_EQ(ErrorNumberOf([&] { b.control.Position(c.text); }), c.error);
    EXPECT_EQ(b.control.Position(), c.after);
    EXPECT_TRUE(b.platform.refreshedCells.empty() && b.platform.messages.empty());
    EXPECT_EQ(b.platform.repaints, c.error ? 0 : 1);
    EXPECT_EQ(b.platform.changedProperties, std::vector<std::string>(c.error ? 0 : 1, "Position"));
    if (c.error) {
      EXPECT_EQ(b.platform.Render(), before);
    }
    b.input.FlushNames();
    EXPECT_EQ(b.heard.size(), c.error ? 0u : 32u);  // 31 squares emptied (e2 keeps its pawn), then the value
  }
  ShownBoard b;
  b.control.Position(L"8/8/8/8/8/8/4P3/8");
  HeadlessControl drawn;  // as a Piece write draws it
  drawn.control.Piece(5, 7, board::Wpawn);
  EXPECT_EQ(b.platform.Render(), drawn.platform.Render());
}

// Its pixels: view_layers_test and the window's test.
TEST(OvlBoard, FlippedHitTestsAndMovesTheArrowKeysAsTheEyeSees) {
  ShownBoard b;
  b.control.Flipped(true);
  EXPECT_EQ(b.platform.changedProperties, std::vector<std::string>{"Flipped"});
  EXPECT_EQ(b.platform.Cells().CellAt(5, 5), Cell("h1"));
  // The cursor starts on a1, drawn top-left: Left as seen goes to b1, Down to b2.
  for (BoardKey key : {BoardKey::Left, BoardKey::Down, BoardKey::Space}) b.input.Key({key});
  EXPECT_EQ(b.control.Moves().Selected(), Cell("b2"));
  EXPECT_EQ(b.input.Accessible().NavigateAsSeen(Cell("e2").value, control::Direction::Up), Cell("e1").value);
}

TEST(OvlBoard, MarksAndArrowsAreNamedDescribedAndRefusedWithoutAMessage) {
  ShownBoard b;
  b.control.Mark(5, 7, control::mkLastMove);
  EXPECT_EQ(b.platform.refreshedCells, std::vector<int16_t>{Cell("e2").value});
  EXPECT_EQ(b.Name("e2"), "e2, cream pawn, last move");
  b.input.FlushNames();
  b.control.DrawArrow(5, 7, 5, 5);
  EXPECT_EQ(b.input.Accessible().BoardDescription(), control::AccessibleBoard::KeysHelp() + " Arrows: e2 to e4.");
  const std::vector<Announcement> heard{{Kind::NameChanged, Cell("e2").value}, {Kind::DescriptionChanged, 0}};
  EXPECT_EQ(b.heard, heard);
  EXPECT_EQ(ErrorNumberOf([&] { b.control.Mark(0, 1, 1); }), 381);
  EXPECT_EQ(ErrorNumberOf([&] { b.control.Mark(1, 1, 9); }), 380);
  EXPECT_EQ(ErrorNumberOf([&] { b.control.DrawArrow(1, 1, 1, 9); }), 5);
  EXPECT_TRUE(b.platform.messages.empty());
  b.control.ClearMarks(), b.control.ClearArrows();
  EXPECT_EQ(b.Name("e2"), "e2, cream pawn");
  EXPECT_EQ(b.input.Accessible().BoardDescription(), control::AccessibleBoard::KeysHelp());
}

// Dragged, clicked twice or picked up with the keys: the host is asked once and its handler decides.
TEST(OvlBoard, AMoveByHandAsksTheContainerAndTheHandlerDecides) {
  using Handler = std::function<void(ShownBoard&, control::PieceDropArguments&)>;
  const std::pair<Handler, const char*> cases[] = {
      {[](ShownBoard&, control::PieceDropArguments&) {}, kE4},
      {[](ShownBoard&, control::PieceDropArguments& a) { a.Cancel = true; }, kStart},
      {[](ShownBoard& b, control::PieceDropArguments&) { b.control.Piece(5, 5, board::WQueen); },
       "rnbqkbnr/pppppppp/8/8/4Q3/8/PPPPPPPP/RNBQKBNR"},
      {[](ShownBoard& b, control::PieceDropArguments&) { b.control.Enabled(false); }, kE4},
      {[](ShownBoard& b, control::PieceDropArguments&) { b.input.Detach(); }, kStart},  // the window went
      // Writing either square or the whole board stops the board's own move; a promotion writes both squares.
      {[](ShownBoard& b, control::PieceDropArguments&) { b.control.Piece(5, 7, board::None); },
       "rnbqkbnr/pppppppp/8/8/8/8/PPPP1PPP/RNBQKBNR"},
      {[](ShownBoard& b, control::PieceDropArguments&) {
         b.control.Piece(5, 7, board::None), b.control.Piece(5, 5, board::WQueen);
       },
       "rnbqkbnr/pppppppp/8/8/4Q3/8/PPPP1PPP/RNBQKBNR"},
      {[](ShownBoard& b, control::PieceDropArguments&) { b.control.Clear(); }, kStart},
      {[](ShownBoard& b, control::PieceDropArguments&) { b.control.NewGame(); }, kStart},
      {[](ShownBoard& b, control::PieceDropArguments&) { b.control.Position(L"4k3/8/8/8/8/8/8/4K3"); },
       "4k3/8/8/8/8/8/8/4K3"},
      // Other writes leave the move to the board.
      {[](ShownBoard& b, control::PieceDropArguments&) { b.control.Piece(1, 8, board::None); },
       "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/1NBQKBNR"},
      {[](ShownBoard& b, control::PieceDropArguments&) {
         b.control.Mark(5, 5, control::mkLastMove), b.control.DrawArrow(5, 7, 5, 5), b.control.Flipped(true);
         b.control.AllowMoves(false);
       },
       kE4},
  };
  for (const auto& [handler, after] : cases)
    for (int way = 0; way < 3; ++way) {
      ShownBoard b;
      std::string asked;
      b.platform.onPieceDrop = [&](control::PieceDropArguments& a) {
        asked += std::to_string(a.fromCol * 10 + a.fromRow) + "-" + std::to_string(a.toCol * 10 + a.toRow);
        handler(b, a);
      };
      int clicks = 0;
      b.platform.onEvent = [&](control::ControlEvent e, control::EventArguments&) {
        clicks += e == control::ControlEvent::Click;
      };
      if (way == 0) b.Press("e2"), b.input.MouseMove(1, 0, b.Centre("e4")), b.Release("e4");
      if (way == 1) b.Click("e2"), b.Click("e4");
      for (control::KeyStroke key : {control::KeyStroke{std::nullopt, 'e'}, {std::nullopt, '2'}, {BoardKey::Space},
                                     {BoardKey::Up}, {BoardKey::Up}, {BoardKey::Enter}})
        if (way == 2) b.input.Key(key);
      EXPECT_EQ(asked, "57-55") << way << after;
      EXPECT_EQ(b.control.Position(), after) << way;
      EXPECT_EQ(clicks, way == 0 ? 0 : 2) << way;  // a drag released elsewhere is no Click
      EXPECT_FALSE(b.control.Moves().Lifted() || b.control.Moves().Selected());
    }
}

TEST(OvlBoard, TheLiftedPieceFollowsThePointerOverItsBareMarkedSquareAndLandsWhereTheCursorGoes) {
  ShownBoard b, bare;
  for (ShownBoard* s : {&b, &bare}) s->control.Mark(5, 7, control::mkSelected);
  bare.control.Piece(5, 7, board::None);
  b.input.FocusChanged(true, false);
  b.Press("e2");
  b.input.MouseMove(1, 0, b.Centre("e4"));
  EXPECT_EQ(b.Name("e2"), "e2, cream pawn, selected, picked up");
  // Centred on e4's centre, the piece covers e4 exactly: its black is see-through.
  std::vector<uint32_t> expected = bare.platform.Render();
  const std::vector<uint32_t> e4 = Expected(board::BareSquareImage(Cell("e4")).value, {board::Wpawn});
  const control::PixelRect r = b.platform.Cells().Bounds(Cell("e4"));
  for (int y = 0; y < 37; ++y)
    for (int x = 0; x < 37; ++x) expected[(r.top + y) * 296 + r.left + x] = e4[y * 37 + x];
  EXPECT_EQ(b.platform.Render(), expected);
  b.Release("e4");
  EXPECT_EQ(b.input.Accessible().FocusedChild(), Cell("e4").value);
}

// The board tells move input of a write once it stands: one that fails leaves the piece in hand.
TEST(OvlBoard, AWriteThatStandsPutsBackThePieceInHandAndAFailedOneDoesNot) {
  using Step = std::function<void(ShownBoard&)>;
  const Step lift = [](ShownBoard& b) { b.Press("e2"), b.input.MouseMove(1, 0, b.Centre("e4")); };
  const Step select = [](ShownBoard& b) { b.Click("e2"); };
  const std::tuple<const char*, Step, bool> writes[] = {  // what, the write, whether the piece stays in hand
      {"e2 rook", [](ShownBoard& b) { b.control.Piece(5, 7, board::Wrook); }, false},
      {"e2 through OvlChess", [](ShownBoard& b) { static_cast<control::OvlChess&>(b.control).Piece(5, 7, board::None); }, false},
      {"e2 out of range", [](ShownBoard& b) { EXPECT_EQ(ErrorNumberOf([&] { b.control.Piece(5, 7, 100000); }), 6); },
       true},
      {"e4 rook", [](ShownBoard& b) { b.control.Piece(5, 5, board::Wrook); }, true},
      {"NewGame", [](ShownBoard& b) { b.control.NewGame(); }, false},
      {"Clear", [](ShownBoard& b) { b.control.Clear(); }, false},
      {"Position", [](ShownBoard& b) { b.control.Position(L"8/8/8/8/8/8/4P3/8"); }, false},
      {"AllowMoves off", [](ShownBoard& b) { b.control.AllowMoves(false); }, false},
      {"window gone", [](ShownBoard& b) { b.input.Detach(); }, false},
  };
  for (const auto& [what, write, stays] : writes)
    for (const Step& pickUp : {lift, select}) {
      ShownBoard b;
      pickUp(b);
      ASSERT_TRUE(b.control.Moves().HoldsPiece()) << what;
      write(b);
      EXPECT_EQ(b.control.Moves().HoldsPiece(), stays) << what;
      EXPECT_EQ(b.control.Moves().PickUpWords(Cell("e2")).empty(), !stays) << what;
    }
}

// While the container has frozen events PieceDrop cannot ask the host, so the piece goes back.
TEST(OvlBoard, AMoveTheHostCannotBeAskedAboutIsRefused) {
  for (bool drag : {true, false}) {
    ShownBoard b;
    b.platform.eventsFrozen = true;
    if (drag) b.Press("e2"), b.input.MouseMove(1, 0, b.Centre("e4")), b.Release("e4");
    if (!drag) b.Click("e2"), b.Click("e4");
    EXPECT_EQ(b.control.Position(), kStart) << drag;
    EXPECT_FALSE(b.control.Moves().HoldsPiece()) << drag;
  }
}

TEST(OvlBoard, ArrowsAreAnnouncedOnceAfterPendingNamesAndOnlyToAReader) {
  ShownBoard b, unread(false);
  b.control.Piece(5, 5, board::WQueen);
  for (int i = 0; i < 2; ++i) b.control.DrawArrow(5, 7, 5, 5), unread.control.DrawArrow(5, 7, 5, 5);
  const std::vector<Announcement> heard{
      {Kind::NameChanged, Cell("e4").value}, {Kind::ValueChanged, 0}, {Kind::DescriptionChanged, 0}};
  EXPECT_EQ(b.heard, heard);
  EXPECT_TRUE(unread.heard.empty());
}

TEST(OvlBoard, NothingLiftsOrIsAskedWhileDisabledInADesignerOrWithoutAllowMoves) {
  using Setup = void (*)(ShownBoard&);
  for (Setup setup : {Setup{[](ShownBoard& b) { b.control.Enabled(false); }},
                      Setup{[](ShownBoard& b) { b.platform.userMode = false; }},
                      Setup{[](ShownBoard& b) { b.control.AllowMoves(false); }}}) {
    ShownBoard b;
    setup(b);
    b.platform.onPieceDrop = [](control::PieceDropArguments&) { ADD_FAILURE(); };
    b.Press("e2"), b.input.MouseMove(1, 0, {100, 100});
    EXPECT_FALSE(b.control.Moves().Lifted());
    b.Release("e4"), b.Click("e2");
    EXPECT_FALSE(b.control.Moves().Selected());
  }
}

// Clear takes pieces off the screen only, as OvlChess's does: the store and
// Position keep them, but none can be picked up until its square is written.
TEST(OvlBoard, ClearKeepsTheStoreButNothingUnseenLiftsAndCoordinatesRepaintTheirSquares) {
  ShownBoard b;
  b.control.Clear();
  b.Click("e2");
  EXPECT_FALSE(b.control.Moves().Selected());
  EXPECT_EQ(b.control.Position(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
  b.control.Piece(5, 7, board::Wpawn);
  b.Click("e2");
  EXPECT_TRUE(b.control.Moves().Selected());
  b.Click("e2");
  for (bool shown : {true, false}) {
    b.platform.refreshedCells.clear();
    b.control.ShowCoordinates(shown);
    EXPECT_EQ(b.platform.refreshedCells.size(), 15u) << shown;  // their pixels: view_layers_test
  }
}

TEST(OvlBoard, ViewPropertiesAreSavedReadAndDefaulted) {
  control::MemoryPropertyBag saved, none;
  ShownBoard b, read, defaults;
  b.control.Flipped(true), b.control.ShowCoordinates(true), b.control.AllowMoves(false);
  b.control.AnimationTime(750);
  b.control.Mark(1, 1, control::mkCheck);
  b.control.UserControl_WriteProperties(saved);
  EXPECT_EQ(saved.values.size(), 6u);  // Enabled, Piece, the three and AnimationTime; no marks
  read.control.UserControl_ReadProperties(saved);
  EXPECT_TRUE(read.control.Flipped() && read.control.ShowCoordinates() && !read.control.AllowMoves());
  EXPECT_EQ(read.control.AnimationTime(), 750);
  EXPECT_EQ(read.platform.Cells().CellAt(5, 5), Cell("h1"));
  defaults.control.UserControl_ReadProperties(none);
  EXPECT_TRUE(!defaults.control.Flipped() && !defaults.control.ShowCoordinates() && defaults.control.AllowMoves());
  EXPECT_EQ(defaults.control.AnimationTime(), 200);
}

}  // namespace

namespace {

using namespace std::chrono_literals;

TEST(OvlBoardSliding, APieceSlidesWhileTheStateIsAlreadyNewAndAWriteShowsTheEndAtOnce) {
  ShownBoard b;
  b.control.AnimationTime(1000);
  EXPECT_EQ(b.platform.changedProperties, std::vector<std::string>{"AnimationTime"});
  b.control.MovePiece(5, 7, 5, 5);
  EXPECT_EQ(b.control.Position(), kE4) << "the state changes at once";
  ShownBoard start;
  const auto e2 = [](const std::vector<uint32_t>& p) { return p[(6 * 37 + 20) * 296 + 4 * 37 + 18]; };
  EXPECT_EQ(e2(b.platform.Render()), e2(start.platform.Render())) << "the pawn is still drawn on e2";
  b.platform.clock.Advance(500ms);
  EXPECT_TRUE(b.control.Slides().Frame());
  const auto e3 = [](const std::vector<uint32_t>& p) { return p[(5 * 37 + 20) * 296 + 4 * 37 + 18]; };
  EXPECT_NE(e3(b.platform.Render()), e3(start.platform.Render())) << "half way, on e3";

  b.control.Piece(1, 1, board::Bking);
  EXPECT_FALSE(b.control.Slides().Animation().Running());
  ShownBoard unanimated;
  unanimated.control.AnimationTime(0);
  unanimated.control.MovePiece(5, 7, 5, 5);
  unanimated.control.Piece(1, 1, board::Bking);
  EXPECT_EQ(b.platform.Render(), unanimated.platform.Render());
}

TEST(OvlBoardSliding, MovesByClicksKeysAndTheHostSlideWhileDragsAndOtherWritesDoNot) {
  using Way = std::function<void(ShownBoard&)>;
  const std::vector<std::tuple<const char*, Way, bool>> ways{
      {"MovePiece", [](ShownBoard& b) { b.control.MovePiece(5, 7, 5, 5); }, true},
      {"Position", [](ShownBoard& b) { b.control.Position(L"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"); }, true},
      {"click then click", [](ShownBoard& b) { b.Click("e2"), b.Click("e4"); }, true},
      {"drag", [](ShownBoard& b) { b.Press("e2"), b.input.MouseMove(1, 0, b.Centre("e4")), b.Release("e4"); }, false},
      {"Piece", [](ShownBoard& b) { b.control.Piece(5, 5, board::Wpawn); }, false},
      {"NewGame", [](ShownBoard& b) { b.control.Piece(5, 7, board::None), b.control.NewGame(); }, false},
      {"no time", [](ShownBoard& b) { b.control.AnimationTime(0), b.control.MovePiece(5, 7, 5, 5); }, false},
  };
  for (const auto& [name, way, slides] : ways) {
    ShownBoard b;
    way(b);
    EXPECT_EQ(b.control.Slides().Animation().Running(), slides) << name;
  }
  ShownBoard b;
  for (auto [fromCol, fromRow, toCol, toRow, error] :
       {std::array<int16_t, 5>{9, 7, 5, 5, 381}, {5, 7, 5, 0, 381}, {5, 5, 5, 4, 5}, {5, 7, 5, 7, 5}})
    EXPECT_EQ(ErrorNumberOf([&] { b.control.MovePiece(fromCol, fromRow, toCol, toRow); }), error);
  EXPECT_EQ(ErrorNumberOf([&] { b.control.AnimationTime(2001); }), 380);
  EXPECT_EQ(b.control.Position(), kStart);
}

TEST(OvlBoardPromotion, TheChoiceTakesKeysAndMouseAnswersOnceAndGivesTheFocusBack) {
  ShownBoard b;
  std::vector<std::string> answers;
  b.platform.onPromotionChosen = [&](control::PromotionArguments& a) {
    answers.push_back(std::to_string(a.col) + std::to_string(a.row) + ":" + std::to_string(a.Piece));
  };
  int otherEvents = 0;
  b.platform.onEvent = [&](control::ControlEvent, control::EventArguments&) { ++otherEvents; };
  b.control.Piece(5, 1, board::Wpawn);
  b.input.FocusChanged(true, true);
  EXPECT_EQ(ErrorNumberOf([&] { b.control.ChoosePromotion(4, 4); }), 5);
  b.heard.clear();
  b.control.ChoosePromotion(5, 1);
  b.input.Key({BoardKey::Down});
  b.input.Key({BoardKey::Enter});
  EXPECT_EQ(answers, std::vector<std::string>{"51:10"});
  EXPECT_EQ(b.heard, (std::vector<Announcement>{{Kind::ChoiceItemFocused, 1}, {Kind::ChoiceItemFocused, 2},
                                                {Kind::FocusMoved, Cell("e8").value}}));

  using Dismissal = std::function<void(ShownBoard&)>;
  for (const Dismissal& dismiss : std::vector<Dismissal>{
           [](ShownBoard& b) { b.input.Key({std::nullopt, 0, false, false, false, false, true}); },
           [](ShownBoard& b) { b.Click("a1"); }, [](ShownBoard& b) { b.input.FocusChanged(false, false); },
           [](ShownBoard& b) { b.control.Enabled(false); }, [](ShownBoard& b) { b.control.Piece(5, 1, board::WQueen); },
           [](ShownBoard& b) { b.control.ChoosePromotion(5, 1); }}) {
    answers.clear();
    b.control.Enabled(true);
    b.control.Piece(5, 1, board::Wpawn);
    b.control.ChoosePromotion(5, 1);
    dismiss(b);
    ASSERT_FALSE(answers.empty());
    EXPECT_EQ(answers[0], "51:1");
    if (b.control.Promotion().Showing()) b.control.Promotion().Dismiss();
  }
  EXPECT_EQ(otherEvents, 0) << "while it shows, the rest of the board takes no input";
}

}  // namespace
