#include "control/move_input.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

#include "control/accessible_board.h"
#include "control/keyboard_input.h"
#include "tests/error_number.h"
#include "tests/headless_control.h"

using board::CellIndex;
using board::SquareName;
using control::MouseButton;
using control::PointerPosition;

namespace {

CellIndex Cell(const std::string& name) {
  if (name.size() != 2 || name[0] < 'a' || name[0] > 'h') return {};
  return board::SquareIndex(board::Col(static_cast<int16_t>(name[0] - 'a' + 1)),
                            board::Row(static_cast<int16_t>('8' - name[1] + 1)));
}

PointerPosition Centre(CellIndex cell) { return {(cell.value - 1) % 8 * 37 + 18, (cell.value - 1) / 8 * 37 + 18}; }

// A cream pawn on e2, a cream queen on d1 and a red pawn on e7; the host logs what it is asked.
struct FakeHost : control::MoveHost, control::Container, control::PieceSurface, control::CursorTarget {
  std::array<int32_t, 65> codes{};
  bool enabled = true, userMode = true, logRects = false, refuseQueen = false;
  control::DragMetrics metrics;
  std::string log, onDrop, onLift;  // the scripts the PieceDrop and PieceLift handlers run
  control::PieceDropArguments* asked = nullptr;
  bool* cancel = nullptr;  // the Cancel of the question asked last
  control::MoveInput moves{*this, *this};

  FakeHost() {
    moves.Attach(*this, *this);
    codes.fill(board::None);
    codes[Cell("e2").value] = board::Wpawn, codes[Cell("d1").value] = board::WQueen, codes[Cell("e7").value] = board::Bpawn;
  }
  void Note(const std::string& entry) { log += (log.empty() ? "" : ", ") + entry; }
  board::PieceCode PieceAt(CellIndex cell) override { return board::PieceCode(codes[cell.value]); }
  bool Enabled() override { return enabled; }
  bool UserMode() override { return userMode; }
  control::DragMetrics Metrics() override { return metrics; }
  void PropertyChanged(std::string_view) override {}
  bool AmbientUserMode() override { return userMode; }
  bool Raise(control::EventCall call) override {
    if (auto* const* drop = std::get_if<control::PieceDropArguments*>(&call.arguments)) Asked(**drop);
    if (auto* const* lift = std::get_if<control::PieceLiftArguments*>(&call.arguments)) Lifting(**lift);
    return true;
  }
  void Asked(control::PieceDropArguments& a) {
    Note("ask " + SquareName(board::SquareIndex(board::Col(a.fromCol), board::Row(a.fromRow))) +
         SquareName(board::SquareIndex(board::Col(a.toCol), board::Row(a.toRow))));
    asked = &a;
    cancel = &a.Cancel;
    Run(onDrop);
  }
  void Lifting(control::PieceLiftArguments& a) {
    Note("lift " + SquareName(board::SquareIndex(board::Col(a.col), board::Row(a.row))));
    cancel = &a.Cancel;
    a.Cancel = refuseQueen && PieceAt(board::SquareIndex(board::Col(a.col), board::Row(a.row))) == board::WQueen;
    Run(onLift);
  }
  void LiftBegan(CellIndex cell) override { Note("held " + SquareName(cell)); }
  void LiftEnded(CellIndex cell) override { Note("ended " + SquareName(cell)); }
  void MovePiece(CellIndex from, CellIndex to, bool) override {
    Note("move " + SquareName(from) + SquareName(to));
    codes[to.value] = std::exchange(codes[from.value], board::None);
  }
  void PickUpChanged(CellIndex cell) override { Note("pick " + SquareName(cell)); }
  void RepaintRect(control::PixelRect r) override {
    if (logRects)
      Note(std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom));
  }
  void PutCursor(CellIndex cell) override { Note("cursor " + SquareName(cell)); }
  void PieceWentBack(CellIndex cell) override { Note("back " + SquareName(cell)); }

  // P press, M move to, R release (left) over a square or "--" off the board; C a Click (the keyboard's);
  // 2 a second button; E Escape; L lost capture; X cancel; D disable; G designer; A AllowMoves False;
  // S0..S3 MovableSide; in a handler: K Cancel, F rewrite the arguments, W/U write a rook told/untold,
  // B NewGame, T release, Z fail.
  std::string Run(const std::string& script) {
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
      const CellIndex cell = Cell(step.substr(1));
      switch (step[0]) {
        case 'P': moves.Press(MouseButton::Left, cell, Centre(cell)); break;
        case 'M': moves.Move(Centre(cell)); break;
        case 'R': moves.Release(MouseButton::Left, 0, cell); break;
        case 'C': moves.Clicked(cell); break;
        case '2': moves.Press(MouseButton::Right, 0_cell, {}); break;
        case 'E': moves.Escape(); break;
        case 'L': moves.CaptureLost(); break;
        case 'X': moves.Cancel(); break;
        case 'D': enabled = false; break;
        case 'G': userMode = false; break;
        case 'A': moves.AllowMoves(false); break;
        case 'K': *cancel = true; break;
        case 'S': moves.MovableSide(control::SideOf(step[1] - '0')); break;
        case 'F': asked->toCol = 1; break;
        case 'W': codes[cell.value] = board::Wrook, moves.SquareWritten(cell); break;
        case 'U': codes[cell.value] = board::Wrook; break;
        case 'B': moves.BoardWritten(); break;
        case 'T': moves.Detach(); break;
        case 'Z': throw board::SubscriptOutOfRangeError();
      }
    }
    return log;
  }
};

TEST(MoveInput, DragClickAndCancelPaths) {
  const std::pair<const char*, const char*> cases[] = {
      {"Pe2 Me4 Re4", "lift e2, held e2, pick e2, pick e2, cursor e4, ended e2, ask e2e4, move e2e4"},
      {"Pe2 Me4 Me2 Ce2 Re2", "lift e2, held e2, pick e2, pick e2, ended e2"},  // back on its square: no selection
      {"Pe2 Me4 R--", "lift e2, held e2, pick e2, pick e2, ended e2"},
      {"Pe2 Me4 E Me2 Ce2 Re2", "lift e2, held e2, pick e2, pick e2, ended e2, back e2"},
      {"Pe2 Me4 L Re4", "lift e2, held e2, pick e2, pick e2, ended e2"},
      {"Pe2 Me4 X Re4", "lift e2, held e2, pick e2, pick e2, ended e2"},
      {"Pe2 Me4 D Re4", "lift e2, held e2, pick e2, pick e2, ended e2"},
      {"Pe2 Me4 2 Re4", "lift e2, held e2, pick e2, pick e2, ended e2"},
      {"Pe2 Me4 We2 Re4", "lift e2, held e2, pick e2, pick e2, ended e2"},
      {"Pe4 Me5 Re5", ""},
      {"Pe2 Ue2 Me4 Re4", "lift e2, held e2, ended e2"},  // only the piece pressed drags
      {"Ce2 Ce2 Ce4", "lift e2, held e2, ended e2"},
      {"Ce2 E Ce4", "lift e2, held e2, ended e2, back e2"},
      {"Ce2 Pd1 E Cd1 Rd1", "lift e2, held e2, ended e2, lift d1, held d1, ended d1, back d1"},
      {"Ce2 A Ce4", "lift e2, held e2, ended e2"},
      {"Ce2 Ue2 Ce4", "lift e2, held e2, ended e2"},
      {"Pe2 Ce2 Re2 Pe4 Ce4 Re4", "lift e2, held e2, ended e2, ask e2e4, move e2e4"},
      {"Cd1 Pe2 Me4 Re4", "lift d1, held d1, ended d1, lift e2, held e2, pick e2, pick e2, cursor e4, ended e2, "
                          "ask e2e4, move e2e4"},
      {"D Pe2 Me4 Re4 Ce2 Ce4 E", ""},
      {"G Pe2 Me4 Re4 Ce2 Ce4 E", ""},
      {"A Pe2 Me4 Re4 Ce2 Ce4 E", ""},
  };
  for (const auto& [script, log] : cases) EXPECT_EQ(FakeHost().Run(script), log) << script;
}

// PieceLift comes once per lift, before anything is held; a refused or
// overtaken lift holds nothing, and its click asks to move the piece held before.
TEST(MoveInput, WhenPieceLiftIsAskedAndWhatItsHandlerDecides) {
  const std::tuple<const char*, const char*, bool, const char*> cases[] = {  // script; handler; refuse d1; log
      {"Pe2 Re2", "", false, "lift e2, held e2"},
      {"Pe2 Re2 Pe2 Re2", "", false, "lift e2, held e2, ended e2"},  // the second press of a double click too
      {"Pe2 Re2 Pe2 Me4 Re4", "", false, "lift e2, held e2, pick e2, pick e2, cursor e4, ended e2, ask e2e4, "
                                         "move e2e4"},
      {"Pe4 Re4 Ce4", "", false, ""},
      {"Pe2 Me4 Re4", "K", false, "lift e2"},
      {"Ce2 Ce4", "K", false, "lift e2"},
      {"Ce2", "We4", false, "lift e2"},
      {"Ce2", "D", false, "lift e2"},
      {"Ce2", "E", false, "lift e2"},
      {"Ce2", "T", false, "lift e2"},
      {"Ce2", "Pd1 Rd1 Cd1", false, "lift e2, held e2"},  // input while asked is ignored
      {"Pd1 Md3 Rd3", "", true, "lift d1"},
      {"Ce2 Cd1", "", true, "lift e2, held e2, ended e2, lift d1, ask e2d1, move e2d1"},
      {"Pe2 Re2 Pd1 Rd1", "", true, "lift e2, held e2, ended e2, lift d1, ask e2d1, move e2d1"},
      {"Pe2 Re2 Pd1 Rd3", "", true, "lift e2, held e2, ended e2, lift d1"},  // no click, no move
  };
  for (const auto& [script, handler, refuseQueen, log] : cases) {
    FakeHost h;
    h.onLift = handler, h.refuseQueen = refuseQueen;
    EXPECT_EQ(h.Run(script), log) << script << " / " << handler;
  }
}

// Pieces of a side that may not move never lift; with a piece held, a click on
// the other side's piece is a capture, on its own side's a new selection.
TEST(MoveInput, MovableSideDecidesWhatLiftsAndWhetherAClickSwitchesOrCaptures) {
  const std::pair<const char*, const char*> cases[] = {
      {"S0 Ce2 Pd1 Me4 Re4 Ce7", ""},
      {"S1 Ce7 Pe7 Me5 Re5", ""},
      {"S1 Ce2 Cd1", "lift e2, held e2, ended e2, lift d1, held d1"},
      {"S1 Ce2 Ce7", "lift e2, held e2, ended e2, ask e2e7, move e2e7"},
      {"S2 Ce2 Pd1 Md3 Rd3", ""},
      {"S2 Ce7 Ce2", "lift e7, held e7, ended e7, ask e7e2, move e7e2"},
      {"S3 Ce2 Cd1", "lift e2, held e2, ended e2, lift d1, held d1"},
      {"S3 Ce2 Ce7", "lift e2, held e2, ended e2, ask e2e7, move e2e7"},  // the other side's piece is taken
      {"S3 Ce7 Pe2 Re2", "lift e7, held e7, ended e7, ask e7e2, move e7e2"},
      {"Ce2 S2", "lift e2, held e2, ended e2"},
      {"Ce2 S1", "lift e2, held e2"},
  };
  for (const auto& [script, log] : cases) EXPECT_EQ(FakeHost().Run(script), log) << script;
  for (int32_t side : {-1, 4}) EXPECT_EQ(ErrorNumberOf([&] { control::SideOf(side); }), 380) << side;
}

// Escape is taken only to put something back; turning AllowMoves off or writing the square puts it back too.
TEST(MoveInput, WhatEndsAPickUp) {
  const std::pair<const char*, bool> cases[] = {  // script; still held after it
      {"Pe2 Me4", true}, {"Ce2", true},     {"Pe2 Me4 A", false}, {"Ce2 A", false},  {"Pe2 Me4 We2", false},
      {"Ce2 We2", false}, {"Ce2 Wd1", true}, {"Pe2 Me4 B", false}, {"Ce2 B", false}, {"Pe2 Me4 T", false}};
  for (const auto& [script, held] : cases) {
    FakeHost h;
    h.Run(script);
    EXPECT_EQ(h.moves.HoldsPiece(), held) << script;
    EXPECT_EQ(h.moves.Escape(), held) << script;
  }
}

TEST(MoveInput, LiftsBeyondTheDragDistanceOnEitherAxis) {
  const std::array<int, 5> cases[] = {  // drag distance x, y; pointer offset x, y; lifts
      {4, 4, 4, 0, 0}, {4, 4, 5, 0, 1}, {4, 4, -5, 0, 1}, {4, 4, 0, -4, 0}, {4, 4, 0, 5, 1},
      {6, 6, 6, -6, 0}, {6, 6, 7, 0, 1}, {2, 9, 3, 0, 1}, {2, 9, 0, 9, 0}, {2, 9, 0, -10, 1}};
  for (const auto& [dragX, dragY, dx, dy, lifts] : cases) {
    FakeHost h;
    h.metrics = {dragX, dragY, 37};
    h.moves.Press(MouseButton::Left, Cell("e2"), {100, 100});
    h.moves.Move({100 + dx, 100 + dy});
    EXPECT_EQ(h.moves.Lifted(), lifts ? Cell("e2") : 0_cell) << dragX << dragY << dx << dy;
  }
}

// Each frame is one repaint, of where the piece was and where it goes together.
TEST(MoveInput, TheFloatingPieceRepaintsWhereItWasAndWhereItGoes) {
  FakeHost h;
  h.logRects = true;
  h.metrics = {4, 4, 55};
  h.moves.Press(MouseButton::Left, Cell("e2"), {100, 100});
  for (PointerPosition at : {PointerPosition{110, 100}, {110, 100}, {120, 130}}) h.moves.Move(at);
  EXPECT_EQ(h.moves.Floating()->image, ImageOf(board::Wpawn));
  EXPECT_EQ(h.moves.Floating()->rect.right, 120 - 27 + 55);
  // The square grows in hand (a new size, a new DPI): the piece grows round the pointer.
  h.metrics.square = 110;
  h.moves.SquareChanged();
  EXPECT_EQ(h.moves.Floating()->rect.left, 120 - 55);
  EXPECT_EQ(h.moves.Floating()->rect.bottom, 130 - 55 + 110);
  h.moves.Release(MouseButton::Left, 0, 0_cell);
  EXPECT_EQ(h.log, "lift e2, held e2, pick e2, 83,73-138,128, 83,73-148,158, 65,75-175,185, 65,75-175,185, pick e2, "
                   "ended e2");
  EXPECT_FALSE(h.moves.Floating());
}

TEST(MoveInput, WhatAPieceDropHandlerDoesDecidesWhetherTheBoardMoves) {
  const int32_t P = board::Wpawn, N = board::None, R = board::Wrook;
  const std::tuple<const char*, int32_t, int32_t> cases[] = {  // handler; then e2, e4
      {"", N, P},    {"K", P, N},   {"F", N, P}, {"We4", P, R}, {"We2", R, N},
      {"Ue4", P, R}, {"Wd1", N, P}, {"B", P, N}, {"D", N, P},   {"T", P, N}, {"Cd1 Ce5 Pd1 Md3 Rd3", N, P}};
  for (const auto& [handler, e2, e4] : cases) {
    FakeHost h;
    h.onDrop = handler;
    h.Run("Ce2 Ce4");
    EXPECT_EQ(h.codes[Cell("e2").value], e2) << handler;
    EXPECT_EQ(h.codes[Cell("e4").value], e4) << handler;
    EXPECT_EQ(h.log.find("ask d1"), std::string::npos) << handler;
    // Only a cancelled move is put back as such: a handler's own write is no refusal.
    EXPECT_EQ(h.log.find("back e2") != std::string::npos, std::string(handler) == "K") << handler;
  }
  FakeHost h;
  h.onDrop = "Z";
  EXPECT_THROW(h.Run("Ce2 Ce4"), board::AutomationError);
  h.onDrop = "";
  EXPECT_EQ(h.Run("Ce2 Ce4"),
            "lift e2, held e2, ended e2, ask e2e4, lift e2, held e2, ended e2, ask e2e4, move e2e4");
}

struct GridSurface : control::MouseSurface {
  const control::CellGrid& cells;
  explicit GridSurface(const control::CellGrid& grid) : cells(grid) {}
  CellIndex CellAt(PointerPosition p) const override { return cells.CellAt(p.x, p.y); }
  control::CellOffset OffsetIn(CellIndex, PointerPosition) const override { return {}; }
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
};

// Keys and the mouse tell of each Click after raising it, except one whose handler removed the surface.
TEST(MoveInput, ClicksFromKeysAndMouseComeAfterTheClickEvent) {
  HeadlessControl c;
  FakeHost h;
  GridSurface surface{c.platform.Cells()};
  control::KeyboardInput keys{c.control};
  control::MouseInput mouse{c.control, surface, &keys};
  keys.ObserveClicks(&h.moves);
  mouse.ObserveClicks(&h.moves);
  bool detach = true;
  c.platform.onEvent = [&](control::ControlEvent event, control::EventArguments& a) {
    if (event != control::ControlEvent::Click) return;
    h.Note("Click " + SquareName(board::SquareIndex(board::Col(a.col), board::Row(a.row))));
    if (std::exchange(detach, false)) mouse.Detach();
  };
  mouse.Press(MouseButton::Left, false, 0, Centre(Cell("e2")));
  mouse.Release(MouseButton::Left, 0, 0, Centre(Cell("e2")));
  keys.Press(control::BoardKey::Space);
  EXPECT_EQ(h.moves.PickUpWords(Cell("e2")), ", picked up");
  EXPECT_EQ(h.moves.PickUpWords(Cell("e4")), "");
  keys.Jump('4');
  keys.Press(control::BoardKey::Enter);
  EXPECT_EQ(h.log, "Click e2, Click e2, lift e2, held e2, Click e4, ended e2, ask e2e4, move e2e4");
}

// Position is OvlBoard's to notify: the board itself has no such property.
TEST(MoveInput, TheBoardsOwnMoveRedrawsBothCellsOnce) {
  HeadlessControl c;
  control::ContainerLink link(c.platform);
  FakeHost listener;
  board::ChessBoard chess(c.platform, link, listener.moves);
  chess.NewGame();
  c.platform.refreshedCells.clear();
  chess.MovePiece(Cell("e2"), Cell("e7"));
  const auto e7 = c.platform.Cells().Layers(Cell("e7"));
  EXPECT_EQ(std::vector<uint8_t>(e7.begin(), e7.end()), std::vector<uint8_t>{board::Wpawn});
  EXPECT_TRUE(c.platform.Cells().Layers(Cell("e2")).empty());
  EXPECT_EQ(chess.Board.Read(Cell("e7").value), board::Wpawn);
  EXPECT_EQ(chess.Board.Read(Cell("e2").value), board::None);
  EXPECT_EQ(c.platform.refreshedCells, std::vector<int16_t>{Cell("e7").value});
  EXPECT_TRUE(c.platform.changedProperties.empty());
}

}  // namespace
