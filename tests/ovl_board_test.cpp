#include "control/ovl_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <map>
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
  int settlesScheduled = 0;

  // Without a reader, nothing is announced.
  explicit ShownBoard(bool reader = true) {
    platform.shown = &control;
    control.UserControl_Initialize();
    input.Attach();
    if (reader) input.Accessible();
    control.NewGame();
    input.Settle();
    heard.clear(), platform.changedProperties.clear(), platform.refreshedCells.clear();
    platform.repaints = 0;
  }
  void Drag(const char* from, const char* to) { Press(from), input.MouseMove(1, 0, Centre(to)), Release(to); }
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
  void ScheduleSettle() override { ++settlesScheduled; }
  void Announce(const std::vector<Announcement>& a) override { heard.insert(heard.end(), a.begin(), a.end()); }
  control::DragMetrics Metrics() override { return {}; }
  void RepaintRect(control::PixelRect) override {}
  control::DrawnBoard Drawn() override { return {control::BoardGeometry(), control.View().Flipped()}; }
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
    b.input.Settle();
    EXPECT_EQ(b.heard.size(), c.error ? 0u : 32u);  // 31 squares emptied (e2 keeps its pawn), then the value
  }
  ShownBoard b;
  b.control.Position(L"8/8/8/8/8/8/4P3/8");
  HeadlessControl drawn;  // as a Piece write draws it
  drawn.control.Piece(5, 7, board::Wpawn);
  EXPECT_EQ(b.platform.Render(), drawn.platform.Render());
}

// A chess program's new game leaves nothing of the last one; OvlChess draws the 32 pieces over what each square shows.
TEST(OvlBoard, NewGameSetsTheWholeStartPositionWhereOvlChessLayersItsPieces) {
  ShownBoard b;
  const std::vector<uint32_t> start = b.platform.Render();
  b.control.Piece(5, 5, board::WQueen), b.control.Piece(1, 1, board::Wknight);
  b.control.Mark(5, 5, control::mkCheck), b.control.DrawArrow(5, 7, 5, 5);
  b.input.Settle(), b.heard.clear(), b.platform.repaints = 0;
  b.control.NewGame();
  EXPECT_EQ(b.control.Position(), kStart);
  EXPECT_EQ(b.control.Mark(5, 5), control::mkNone);
  EXPECT_TRUE(b.control.View().Arrows().empty());
  EXPECT_EQ(b.platform.Render(), start);
  EXPECT_EQ(b.platform.repaints, 1);
  b.input.Settle();
  EXPECT_EQ(std::count(b.heard.begin(), b.heard.end(), Announcement{Kind::DescriptionChanged, 0}), 1);

  HeadlessControl chess;
  chess.control.Piece(5, 5, board::WQueen), chess.control.Piece(1, 1, board::Wknight);
  chess.control.NewGame();
  EXPECT_EQ(chess.control.Piece(5, 5), board::WQueen);
  EXPECT_EQ(chess.CellPixels(1), Expected(board::BareSquareImage(1_cell).value, {board::Wknight, board::Brook}));
}

// A program cannot answer a message box: OvlBoard refuses a square off the board as Mark does.
TEST(OvlBoard, PieceOffTheBoardIsError381WhereOvlChessShowsItsBox) {
  for (const auto& [col, row] : {std::pair<int16_t, int16_t>{0, 1}, {9, 8}, {1, 0}, {8, 9}, {-1, -1}}) {
    ShownBoard b;
    EXPECT_EQ(ErrorNumberOf([&] { b.control.Piece(col, row); }), 381);
    EXPECT_EQ(ErrorNumberOf([&] { b.control.Piece(col, row, board::Wpawn); }), 381);
    b.platform.userMode = false;  // the square is checked first
    EXPECT_EQ(ErrorNumberOf([&] { b.control.Piece(col, row, board::Wpawn); }), 381);
    EXPECT_TRUE(b.platform.messages.empty() && b.platform.changedProperties.empty());
    EXPECT_EQ(b.control.Position(), kStart);

    HeadlessControl chess;
    EXPECT_EQ(ErrorNumberOf([&] { chess.control.Piece(col, row), chess.control.Piece(col, row, 1); }), 0);
    EXPECT_EQ(chess.platform.messages, std::vector<std::string>(2, "Invalid request"));
  }
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

// Marks are read in a square's state and description, never its name, so a host
// moving them does not rename the square a reader is on.
TEST(OvlBoard, MarksAndArrowsAreDescribedNotNamedAndRefusedWithoutAMessage) {
  ShownBoard b;
  const std::string keys = b.input.Accessible().KeysHelp();
  b.control.Mark(5, 7, control::mkLastMove);
  b.control.Mark(5, 8, control::mkCheck);
  b.control.Mark(4, 7, control::mkSelected);
  b.control.Mark(6, 6, control::mkTarget);
  EXPECT_EQ(b.platform.refreshedCells, (std::vector<int16_t>{53, 61, 52, 46}));
  const auto& reader = b.input.Accessible();
  for (const auto& [square, name, description] :
       {std::tuple{"e2", "e2, cream pawn", "light square, last move"}, {"e1", "e1, cream king", "dark square, check"},
        {"d2", "d2, cream pawn", "dark square"}, {"f3", "f3, empty", "light square, target"}}) {
    EXPECT_EQ(b.Name(square), name);
    EXPECT_EQ(reader.Description(Cell(square)), description);
    EXPECT_EQ(reader.States(Cell(square).value).selected, std::string(square) == "d2") << square;
  }
  b.input.Settle();
  EXPECT_TRUE(b.heard.empty());  // no square's name changed
  b.control.DrawArrow(5, 7, 5, 5);
  b.input.Settle();
  EXPECT_EQ(reader.BoardDescription(), keys + " Arrows: e2 to e4.");
  EXPECT_EQ(b.heard, (std::vector<Announcement>{{Kind::DescriptionChanged, 0}}));
  EXPECT_EQ(ErrorNumberOf([&] { b.control.Mark(0, 1, 1); }), 381);
  EXPECT_EQ(ErrorNumberOf([&] { b.control.Mark(1, 1, 9); }), 380);
  EXPECT_EQ(ErrorNumberOf([&] { b.control.DrawArrow(1, 1, 1, 9); }), 5);
  EXPECT_TRUE(b.platform.messages.empty());
  b.control.ClearMarks(), b.control.ClearArrows();
  EXPECT_EQ(reader.Description(Cell("e2")), "light square");
  EXPECT_EQ(reader.BoardDescription(), keys);
}

// OvlBoard's keys are its own, and with moves off the board and every square say so; OvlChess's stay as they were.
TEST(OvlBoard, TheDescriptionsNameTheKeysAndWhetherMovesAreTaken) {
  ShownBoard b;
  HeadlessControl chess;
  control::KeyboardInput chessKeys{chess.control};
  const control::AccessibleBoard chessReader{chess.control, chess.platform.Cells(), chessKeys};
  const std::string cursorKeys =
      "Arrow keys move square by square, Home and End go to the ends of the rank, Page Up and Page Down to the ends "
      "of the file, a letter from a to h jumps to that file and a digit from 1 to 8 to that rank, ";
  EXPECT_EQ(chessReader.BoardDescription(), cursorKeys + "and Space or Enter clicks the square.");
  EXPECT_EQ(chessReader.Description(Cell("e2")), "light square");
  const auto& reader = b.input.Accessible();
  EXPECT_EQ(reader.BoardDescription(), cursorKeys +
                                           "Space or Enter picks up the square's piece and puts it down on another "
                                           "square, and Escape puts it back.");
  b.input.FocusChanged(true, false);
  b.heard.clear();
  b.control.AllowMoves(false);
  EXPECT_EQ(b.settlesScheduled, 1);
  b.input.Settle();
  EXPECT_EQ(reader.BoardDescription(), cursorKeys + "and Space or Enter clicks the square. Moves are off.");
  EXPECT_EQ(reader.Description(Cell("e2")), "light square, moves off");
  // The focused square a1 is told, once.
  EXPECT_EQ(b.heard, (std::vector<Announcement>{{Kind::DescriptionChanged, 57}, {Kind::DescriptionChanged, 0}}));
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
      const auto& changed = b.platform.changedProperties;
      // The board's own move is told once; a refused one not at all.
      const std::string_view position = after;
      if (position == kE4 || position == kStart)
        EXPECT_EQ(std::count(changed.begin(), changed.end(), "Position"), position == kE4) << way << after;
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
  EXPECT_EQ(b.Name("e2"), "e2, cream pawn, picked up");
  EXPECT_TRUE(b.input.Accessible().States(Cell("e2").value).selected);
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

// The press names the square under the pointer before MouseDown: a handler that flips
// the board or writes that square changes what lifts only by what the square then holds.
TEST(OvlBoard, APressLiftsFromTheSquarePressedWhateverMouseDownDoes) {
  using Handler = std::function<void(ShownBoard&)>;
  const std::tuple<const char*, Handler, const char*, const char*> cases[] = {  // what, MouseDown, asked, after
      {"flipped", [](ShownBoard& b) { b.control.Flipped(true); }, "57-55", kE4},
      {"emptied and flipped", [](ShownBoard& b) { b.control.Piece(5, 7, board::None), b.control.Flipped(true); }, "",
       "rnbqkbnr/pppppppp/8/8/8/8/PPPP1PPP/RNBQKBNR"},
      {"a rook put there", [](ShownBoard& b) { b.control.Piece(5, 7, board::Wrook); }, "57-55",
       "rnbqkbnr/pppppppp/8/8/4R3/8/PPPP1PPP/RNBQKBNR"},
  };
  for (const auto& [what, handler, asked, after] : cases) {
    ShownBoard b;
    std::string drops;
    b.platform.onPieceDrop = [&](control::PieceDropArguments& a) {
      drops += std::to_string(a.fromCol * 10 + a.fromRow) + "-" + std::to_string(a.toCol * 10 + a.toRow);
    };
    b.platform.onEvent = [&](control::ControlEvent e, control::EventArguments&) {
      if (e == control::ControlEvent::MouseDown) handler(b);
    };
    b.Drag("e2", "e4");
    EXPECT_EQ(drops, asked) << what;
    EXPECT_EQ(b.control.Position(), after) << what;
  }
}

// A host that lets go of the control in a handler hears nothing more of that input, and nothing moves.
TEST(OvlBoard, AControlItsHostLetGoOfRaisesNothingMoreAndMovesNothing) {
  using control::ControlEvent;
  using Way = std::function<void(ShownBoard&)>;
  const Way drag = [](ShownBoard& b) { b.Drag("e2", "e4"); };
  const Way clicks = [](ShownBoard& b) { b.Click("e2"), b.Click("e4"); };
  const Way keys = [](ShownBoard& b) {
    for (control::KeyStroke key : {control::KeyStroke{std::nullopt, 'e'}, {std::nullopt, '2'}, {BoardKey::Space},
                                   {BoardKey::Up}, {BoardKey::Up}, {BoardKey::Enter}})
      b.input.Key(key);
  };
  const std::tuple<const char*, Way, ControlEvent, int> cases[] = {  // what, how, released in, drops raised
      {"drag, MouseUp", drag, ControlEvent::MouseUp, 0},
      {"drag, PieceDrop", drag, ControlEvent::PieceDrop, 1},
      {"clicks, MouseUp", clicks, ControlEvent::MouseUp, 0},
      {"clicks, Click", clicks, ControlEvent::Click, 0},
      {"keys, Click", keys, ControlEvent::Click, 0},
      {"keys, PieceDrop", keys, ControlEvent::PieceDrop, 1},
  };
  for (const auto& [what, way, releasedIn, dropsRaised] : cases) {
    ShownBoard b;
    int drops = 0, eventsAfter = 0;
    // Only the last event of the move lets go: the press before it must not.
    b.platform.onEvent = [&](ControlEvent e, control::EventArguments&) {
      eventsAfter += !b.platform.heldByHost;
      if (e == releasedIn && b.control.Moves().HoldsPiece()) b.platform.heldByHost = false;
    };
    b.platform.onPieceDrop = [&](control::PieceDropArguments&) {
      ++drops;
      if (releasedIn == ControlEvent::PieceDrop) b.platform.heldByHost = false;
    };
    way(b);
    EXPECT_EQ(drops, dropsRaised) << what;
    EXPECT_EQ(eventsAfter, 0) << what;
    EXPECT_EQ(b.control.Position(), kStart) << what;
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
  b.input.Settle(), unread.input.Settle();
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
  EXPECT_EQ(saved.values.size(), 9u);  // Enabled, Piece, the three, MovableSide, the extent and AnimationTime
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
  EXPECT_EQ(b.platform.changedProperties, (std::vector<std::string>{"AnimationTime", "Position"}));
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

  ShownBoard lifted;
  lifted.control.MovePiece(5, 7, 5, 5);
  lifted.Press("d2");
  EXPECT_FALSE(lifted.control.Slides().Animation().Running()) << "a lift ends it";
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
  b.input.Settle();  // the host's operation is over
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

namespace {

// Both classes start at 296 pixels at 96 DPI and keep the extent a container sets;
// only the board that fills its rectangle takes the rectangle it is placed in.
TEST(OvlBoard, TheExtentIsTheOneSetOrForTheFillingBoardTheRectangleItIsPlacedIn) {
  ShownBoard board;
  HeadlessControl chess;
  for (control::OvlChess* control : {static_cast<control::OvlChess*>(&board.control), &chess.control}) {
    EXPECT_EQ(control->Extent(), (control::HimetricSize{7832, 7832}));
    control->SetExtent({10000, 5000});
    EXPECT_EQ(control->Extent(), (control::HimetricSize{10000, 5000}));
    control->Placed(800, 433, 192);
  }
  EXPECT_EQ(board.control.Extent(), (control::HimetricSize{10583, 5728}));
  EXPECT_EQ(chess.control.Extent(), (control::HimetricSize{10000, 5000}));
  EXPECT_EQ(control::PixelsOfHimetric(10583, 192), 800);
}

// The host marks two destinations in PieceLift; however the lift ends, its selected and
// target marks go and the host's last move and check stay.
TEST(OvlBoard, EveryWayALiftEndsClearsItsSelectedAndTargetMarksOnly) {
  using Step = std::function<void(ShownBoard&)>;
  const std::pair<const char*, Step> endings[] = {
      {"dropped", [](ShownBoard& b) { b.input.MouseMove(1, 0, b.Centre("e4")), b.Release("e4"); }},
      {"drop cancelled",
       [](ShownBoard& b) {
         b.platform.onPieceDrop = [](control::PieceDropArguments& a) { a.Cancel = true; };
         b.input.MouseMove(1, 0, b.Centre("e4")), b.Release("e4");
       }},
      {"released on its square", [](ShownBoard& b) { b.input.MouseMove(1, 0, b.Centre("e4")), b.Release("e2"); }},
      {"released off the board", [](ShownBoard& b) { b.input.MouseRelease(MouseButton::Left, 0, 0, {400, 20}); }},
      {"second click", [](ShownBoard& b) { b.Release("e2"), b.Click("e2"); }},
      {"Escape", [](ShownBoard& b) { control::KeyStroke escape;
         escape.escape = true;
         b.input.Key(escape); }},
      {"disabled", [](ShownBoard& b) { b.control.Enabled(false); }},
      {"AllowMoves off", [](ShownBoard& b) { b.control.AllowMoves(false); }},
      {"focus lost", [](ShownBoard& b) { b.input.FocusChanged(false, false); }},
      {"capture lost", [](ShownBoard& b) { b.input.MouseMove(1, 0, b.Centre("e4")), b.input.CaptureLost(); }},
      {"its square written", [](ShownBoard& b) { b.control.Piece(5, 7, board::Wrook); }},
      {"another piece lifted", [](ShownBoard& b) { b.Release("e2"), b.Click("d2"); }},
  };
  for (const auto& [how, end] : endings) {
    ShownBoard b;
    b.control.Mark(4, 7, control::mkLastMove), b.control.Mark(5, 8, control::mkCheck);
    b.platform.onPieceLift = [&](control::PieceLiftArguments& a) {
      if (a.col == 5) b.control.Mark(5, 6, control::mkTarget), b.control.Mark(5, 5, control::mkTarget);
    };
    b.Press("e2");
    EXPECT_EQ(b.control.Mark(5, 7), control::mkSelected) << how;
    end(b);
    EXPECT_NE(b.control.Moves().Selected(), Cell("e2")) << how;
    for (int16_t row : {5, 6, 7}) EXPECT_EQ(b.control.Mark(5, row), control::mkNone) << how << row;
    EXPECT_EQ(b.control.Mark(4, 7), how == std::string("another piece lifted") ? control::mkSelected
                                                                               : control::mkLastMove) << how;
    EXPECT_EQ(b.control.Mark(5, 8), control::mkCheck) << how;
  }
}

}  // namespace
// One rule for every move by hand: each user action is heard once, after all its
// effects, the focused square first. The handler's effects cover what a host does
// on a move: mark it and check, lock the board while it thinks, draw a hint.
TEST(OvlBoard, EachStepOfAMoveByHandIsHeardOnceAfterAllItsEffects) {
  enum Way { Keys, Drag, Clicks };
  enum Effect { None = 0, Marks = 1, Disable = 2, Arrow = 4, Refuse = 8 };
  using Step = std::function<void(ShownBoard&)>;
  const std::map<Way, std::pair<Step, Step>> ways{  // to pick e2 up, and to put it down on e4
      {Keys, {[](ShownBoard& b) { b.input.Key({BoardKey::Space}); },
              [](ShownBoard& b) {
                b.input.Key({BoardKey::Up}), b.input.Key({BoardKey::Up});
                b.heard.clear();
                b.input.Key({BoardKey::Space});
              }}},
      {Drag, {[](ShownBoard& b) { b.Press("e2"), b.input.MouseMove(1, 0, b.Centre("e3")); },
              [](ShownBoard& b) { b.Release("e4"); }}},
      {Clicks, {[](ShownBoard& b) { b.Click("e2"); }, [](ShownBoard& b) { b.Click("e4"); }}},
  };
  const Announcement e2Named{Kind::NameChanged, Cell("e2").value}, e4Named{Kind::NameChanged, Cell("e4").value};
  const Announcement e2Focused{Kind::FocusMoved, Cell("e2").value}, e4Focused{Kind::FocusMoved, Cell("e4").value};
  const Announcement value{Kind::ValueChanged, 0}, state{Kind::StateChanged, 0}, arrows{Kind::DescriptionChanged, 0};
  struct Case {
    Way way;
    int effects;
    std::vector<Announcement> pickUp, putDown;
    const char* e2After;
  };
  const Case cases[] = {
      {Keys, None, {e2Named}, {e4Named, e2Named, value}, "e2, empty"},
      {Keys, Marks | Disable | Arrow, {e2Named}, {e4Named, e2Named, value, state, arrows}, "e2, empty"},
      {Keys, Refuse, {e2Named}, {e2Focused}, "e2, cream pawn, put back"},
      {Drag, None, {}, {e4Focused, e2Named, value}, "e2, empty"},
      {Drag, Marks | Disable | Arrow, {}, {e4Focused, e2Named, value, state, arrows}, "e2, empty"},
      {Drag, Refuse, {}, {e2Named}, "e2, cream pawn, put back"},
      {Clicks, Marks, {e2Named}, {e4Focused, e2Named, value}, "e2, empty"},
      {Clicks, Disable | Arrow, {e2Named}, {e4Focused, e2Named, value, state, arrows}, "e2, empty"},
      {Clicks, Refuse, {e2Named}, {e2Named}, "e2, cream pawn, put back"},
  };
  for (const Case& c : cases) {
    ShownBoard b;
    b.platform.onPieceDrop = [&b, &c](control::PieceDropArguments& a) {
      if (c.effects & Marks) {
        b.control.ClearMarks();
        b.control.Mark(5, 7, control::mkLastMove), b.control.Mark(5, 5, control::mkLastMove);
        b.control.Mark(5, 1, control::mkCheck);
      }
      if (c.effects & Disable) b.control.Enabled(false);
      if (c.effects & Arrow) b.control.DrawArrow(7, 1, 6, 3);
      a.Cancel = (c.effects & Refuse) != 0;
    };
    b.input.FocusChanged(true, false);
    b.input.Key({std::nullopt, 'e'}), b.input.Key({std::nullopt, '2'});
    b.heard.clear();
    ways.at(c.way).first(b);
    EXPECT_EQ(b.heard, c.pickUp) << c.way << " " << c.effects;
    b.heard.clear();
    ways.at(c.way).second(b);
    EXPECT_EQ(b.heard, c.putDown) << c.way << " " << c.effects;
    EXPECT_EQ(b.Name("e2"), c.e2After) << c.way << " " << c.effects;
    b.heard.clear();
    b.input.Settle();  // the handler's writes were heard with the move, not after it
    EXPECT_TRUE(b.heard.empty()) << c.way << " " << c.effects;
  }
}

// Escape puts the piece back whichever square the cursor is on, and the cursor follows it: heard once.
TEST(OvlBoard, EscapeIsHeardOnceWhereThePieceWentBack) {
  for (bool awayFromIt : {false, true}) {
    ShownBoard b;
    b.input.FocusChanged(true, false);
    b.input.Key({std::nullopt, 'e'}), b.input.Key({std::nullopt, '2'}), b.input.Key({BoardKey::Space});
    if (awayFromIt) b.input.Key({BoardKey::Right});
    b.heard.clear();
    EXPECT_TRUE(b.input.Key({std::nullopt, 0, false, false, false, false, true}));
    const Kind kind = awayFromIt ? Kind::FocusMoved : Kind::NameChanged;
    EXPECT_EQ(b.heard, (std::vector<Announcement>{{kind, Cell("e2").value}})) << awayFromIt;
    EXPECT_EQ(b.Name("e2"), "e2, cream pawn, put back");
    b.heard.clear();
    b.input.Key({BoardKey::Right});  // the next key: put back is no news any more
    EXPECT_EQ(b.Name("e2"), "e2, cream pawn");
    EXPECT_EQ(b.heard, (std::vector<Announcement>{{Kind::FocusMoved, Cell("f2").value}, {Kind::NameChanged, Cell("e2").value}}));
  }
}

// The opponent's move as the README advises a host to make it: written, marked,
// the board enabled and the hint gone, the cursor taken to it. Heard once, in
// whichever order the host does it.
TEST(OvlBoard, AnOpponentsMoveIsHeardOnceOnItsSquare) {
  for (bool selectFirst : {false, true}) {
    ShownBoard b;
    b.input.FocusChanged(true, false);
    b.input.Key({std::nullopt, 'e'}), b.input.Key({std::nullopt, '4'});
    b.control.Mark(5, 5, control::mkLastMove);
    b.control.DrawArrow(5, 2, 5, 4);
    b.control.Enabled(false);
    b.input.Settle();
    b.heard.clear();
    if (selectFirst) b.input.Select(Cell("e5"));
    b.control.Piece(5, 2, board::None), b.control.Piece(5, 4, board::Bpawn);
    b.control.ClearMarks(), b.control.Mark(5, 2, control::mkLastMove), b.control.Mark(5, 4, control::mkLastMove);
    b.control.ClearArrows();
    b.control.Enabled(true);
    if (!selectFirst) b.input.Select(Cell("e5"));
    b.input.Settle();
    EXPECT_EQ(b.heard, (std::vector<Announcement>{{Kind::FocusMoved, Cell("e5").value},
                                                  {Kind::NameChanged, Cell("e7").value},
                                                  {Kind::ValueChanged, 0},
                                                  {Kind::StateChanged, 0},
                                                  {Kind::DescriptionChanged, 0}}))
        << selectFirst;
    EXPECT_EQ(b.input.Accessible().Description(Cell("e5")), "dark square, last move");
  }
}
