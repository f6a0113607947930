#include "control/move_input.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <sstream>
#include <string>

#include "control/accessible_board.h"
#include "control/keyboard_input.h"
#include "tests/headless_control.h"

using control::MouseButton;
using control::MoveInput;
using control::PieceDropArguments;
using control::PointerPosition;

namespace {

board::CellIndex Cell(const std::string& name) {
  if (name.size() != 2 || name[0] < 'a' || name[0] > 'h') return 0;
  return board::SquareIndex(static_cast<int16_t>(name[0] - 'a' + 1), static_cast<int16_t>('8' - name[1] + 1));
}

PointerPosition Centre(board::CellIndex cell) {
  const board::Square s = board::SquareOfIndex(cell);
  return {(s.col - 1) * 37 + 18, (s.row - 1) * 37 + 18};
}

// A board with a cream pawn on e2, a cream queen on d1 and a red pawn on e7, that logs what it is asked.
struct FakeHost : control::MoveHost {
  std::array<int32_t, 65> codes{};
  bool enabled = true, userMode = true, logRects = false;
  control::DragMetrics metrics;
  std::string log;
  std::function<void(PieceDropArguments&)> onDrop;
  MoveInput moves{*this};

  FakeHost() {
    codes.fill(board::None);
    codes[Cell("e2").value] = board::Wpawn;
    codes[Cell("d1").value] = board::WQueen;
    codes[Cell("e7").value] = board::Bpawn;
  }
  void Note(const std::string& entry) { log += (log.empty() ? "" : ", ") + entry; }
  // The host's own write, told to move input as the core tells it.
  void Write(const char* square, int32_t code) {
    codes[Cell(square).value] = code;
    moves.SquareWritten(Cell(square));
  }

  int32_t PieceAt(board::CellIndex cell) override { return codes[cell.value]; }
  bool Enabled() override { return enabled; }
  bool UserMode() override { return userMode; }
  control::DragMetrics Metrics() override { return metrics; }
  void RaisePieceDrop(PieceDropArguments& a) override {
    Note("ask " + control::ChessName(board::SquareIndex(a.fromCol, a.fromRow)) +
         control::ChessName(board::SquareIndex(a.toCol, a.toRow)));
    if (onDrop) onDrop(a);
  }
  void MovePiece(board::CellIndex from, board::CellIndex to) override {
    Note("move " + control::ChessName(from) + control::ChessName(to));
    codes[to.value] = std::exchange(codes[from.value], board::None);
  }
  void PickUpChanged(board::CellIndex cell) override { Note("pick " + control::ChessName(cell)); }
  void RepaintRect(control::PixelRect r) override {
    if (logRects) Note(std::to_string(r.left) + "," + std::to_string(r.top));
  }
  void PutCursor(board::CellIndex cell) override { Note("cursor " + control::ChessName(cell)); }

  // P press, M move to, R release (left) over a square or "--" off the board; C a Click;
  // 2 a second button; E Escape; L lost capture; X cancel; D disable; A AllowMoves False.
  std::string Run(const char* script) {
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
      const board::CellIndex cell = Cell(step.substr(1));
      switch (step[0]) {
        case 'P': moves.Press(MouseButton::Left, cell, Centre(cell)); break;
        case 'M': moves.Move(Centre(cell)); break;
        case 'R': moves.Release(MouseButton::Left, 0, cell); break;
        case 'C': moves.Clicked(cell); break;
        case '2': moves.Press(MouseButton::Right, 0, {}); break;
        case 'E': moves.Escape(); break;
        case 'L': moves.CaptureLost(); break;
        case 'X': moves.Cancel(); break;
        case 'D': enabled = false; break;
        case 'A': moves.AllowMoves(false); break;
      }
    }
    return log;
  }
};

TEST(MoveInput, DragClickAndCancelPaths) {
  struct Case {
    const char* script;
    const char* log;
  };
  const Case cases[] = {
      {"Pe2 Me4 Re4", "pick e2, pick e2, cursor e4, ask e2e4, move e2e4"},
      {"Pe2 Me7 Re7", "pick e2, pick e2, cursor e7, ask e2e7, move e2e7"},
      {"Pe2 Me4 Me2 Ce2 Re2", "pick e2, pick e2"},  // back on its own square: no selection either
      {"Pe2 Me4 R--", "pick e2, pick e2"},
      {"Pe2 Me4 E Me2 Ce2 Re2", "pick e2, pick e2"},
      {"Pe2 Me4 L Re4", "pick e2, pick e2"},
      {"Pe2 Me4 X Re4", "pick e2, pick e2"},
      {"Pe2 Me4 D Re4", "pick e2, pick e2"},
      {"Pe2 Me4 2 Re4", "pick e2, pick e2"},
      {"Pe4 Me5 Re5", ""},
      {"Ce2 Ce4", "pick e2, pick e2, ask e2e4, move e2e4"},
      {"Ce2 Ce7", "pick e2, pick e2, ask e2e7, move e2e7"},
      {"Ce2 Ce2 Ce4", "pick e2, pick e2"},
      {"Ce2 E Ce4", "pick e2, pick e2"},
      {"Ce2 A Ce4", "pick e2, pick e2"},
      {"Ce2 Cd1", "pick e2, pick e2, ask e2d1, move e2d1"},
      {"Pe2 Ce2 Re2 Pe4 Ce4 Re4", "pick e2, pick e2, ask e2e4, move e2e4"},
      {"Cd1 Pe2 Me4 Re4", "pick d1, pick d1, pick e2, pick e2, cursor e4, ask e2e4, move e2e4"},
  };
  for (const Case& c : cases) EXPECT_EQ(FakeHost().Run(c.script), c.log) << c.script;
}

TEST(MoveInput, NothingMovesWithoutAllowMovesEnabledOrUserMode) {
  for (int off = 0; off < 3; ++off) {
    FakeHost h;
    h.moves.AllowMoves(off != 0);
    h.enabled = off != 1;
    h.userMode = off != 2;
    EXPECT_EQ(h.Run("Pe2 Me4 Re4 Ce2 Ce4"), "") << off;
    EXPECT_FALSE(h.moves.Escape());
  }
}

TEST(MoveInput, LiftsBeyondTheDragDistanceOnEitherAxis) {
  struct Case {
    int dragX, dragY, dx, dy;
    bool lifts;
  };
  const Case cases[] = {{4, 4, 4, 0, false}, {4, 4, 5, 0, true},  {4, 4, -5, 0, true},  {4, 4, 0, -4, false},
                        {4, 4, 0, 5, true},  {6, 6, 6, -6, false}, {6, 6, 7, 0, true},   {2, 9, 3, 0, true},
                        {2, 9, 0, 9, false}, {2, 9, 0, -10, true}};
  for (const Case& c : cases) {
    FakeHost h;
    h.metrics = {c.dragX, c.dragY, 37};
    h.moves.Press(MouseButton::Left, Cell("e2"), {100, 100});
    h.moves.Move({100 + c.dx, 100 + c.dy});
    EXPECT_EQ(h.moves.Lifted(), c.lifts ? Cell("e2") : 0) << c.dragX << c.dragY << c.dx << c.dy;
  }
}

TEST(MoveInput, TheFloatingPieceRepaintsWhereItWasAndWhereItGoes) {
  FakeHost h;
  h.logRects = true;
  h.metrics = {4, 4, 55};
  h.moves.Press(MouseButton::Left, Cell("e2"), {100, 100});
  h.moves.Move({110, 100});
  h.moves.Move({110, 100});
  h.moves.Move({120, 130});
  EXPECT_EQ(h.moves.Floating()->image, board::Wpawn);
  EXPECT_EQ(h.moves.Floating()->rect.right, 120 - 27 + 55);
  EXPECT_EQ(h.moves.PickUpWords(Cell("e2")), ", picked up");
  h.moves.Release(MouseButton::Left, 0, 0);
  EXPECT_EQ(h.log, "pick e2, 83,73, 83,73, 93,103, 93,103, pick e2");
  EXPECT_FALSE(h.moves.Floating());
}

TEST(MoveInput, WhatAPieceDropHandlerDoesDecidesWhetherTheBoardMoves) {
  struct Case {
    const char* name;
    std::function<void(FakeHost&, PieceDropArguments&)> handler;
    int32_t e2, e4;
  };
  const int32_t P = board::Wpawn, N = board::None;
  const Case cases[] = {
      {"nothing", [](FakeHost&, PieceDropArguments&) {}, N, P},
      {"cancels", [](FakeHost&, PieceDropArguments& a) { a.Cancel = true; }, P, N},
      {"rewrites the squares asked", [](FakeHost&, PieceDropArguments& a) { a.toCol = 1; }, N, P},
      {"writes the target", [](FakeHost& h, PieceDropArguments&) { h.Write("e4", board::WQueen); }, P, board::WQueen},
      {"writes it unchanged", [](FakeHost& h, PieceDropArguments&) { h.Write("e4", N); }, P, N},
      {"writes the source", [](FakeHost& h, PieceDropArguments&) { h.Write("e2", N); }, N, N},
      {"writes untold", [](FakeHost& h, PieceDropArguments&) { h.codes[Cell("e4").value] = 3; }, P, 3},
      {"writes elsewhere", [](FakeHost& h, PieceDropArguments&) { h.Write("d1", N); }, N, P},
      {"replaces the board", [](FakeHost& h, PieceDropArguments&) { h.moves.BoardWritten(); }, P, N},
      {"disables", [](FakeHost& h, PieceDropArguments&) { h.enabled = false; }, N, P},
      {"releases", [](FakeHost& h, PieceDropArguments&) { h.moves.Detach(); }, P, N},
      {"clicks again", [](FakeHost& h, PieceDropArguments&) { h.Run("Cd1 Ce5 Pd1 Md3 Rd3"); }, N, P},
  };
  for (const Case& c : cases) {
    FakeHost h;
    h.onDrop = [&](PieceDropArguments& a) { c.handler(h, a); };
    h.Run("Ce2 Ce4");
    EXPECT_EQ(h.codes[Cell("e2").value], c.e2) << c.name;
    EXPECT_EQ(h.codes[Cell("e4").value], c.e4) << c.name;
    EXPECT_EQ(h.moves.Selected(), 0) << c.name;
    EXPECT_EQ(h.log.find("ask d1"), std::string::npos) << c.name;
  }
}

TEST(MoveInput, AHandlerErrorLeavesTheBoardAskingAgain) {
  FakeHost h;
  h.onDrop = [](PieceDropArguments&) { throw board::SubscriptOutOfRangeError(); };
  EXPECT_THROW(h.Run("Ce2 Ce4"), board::AutomationError);
  h.onDrop = nullptr;
  h.log.clear();
  EXPECT_EQ(h.Run("Ce2 Ce4"), "pick e2, pick e2, ask e2e4, move e2e4");
}

TEST(MoveInput, KeysAndClicksRaiseClickFirstThenPickUpAndPutDown) {
  HeadlessControl c;
  FakeHost h;
  control::KeyboardInput keys{c.control};
  keys.ObserveClicks(&h.moves);
  c.platform.onEvent = [&](control::ControlEvent, control::EventArguments& a) {
    h.Note("Click " + control::ChessName(board::SquareIndex(a.col, a.row)));
  };
  keys.MoveTo(Cell("e2"));
  keys.Press(control::BoardKey::Space);
  EXPECT_EQ(h.moves.PickUpWords(Cell("e2")), ", picked up");
  EXPECT_EQ(h.moves.PickUpWords(Cell("e4")), "");
  keys.Jump('4');
  keys.Press(control::BoardKey::Enter);
  EXPECT_EQ(h.log, "Click e2, pick e2, Click e4, pick e2, ask e2e4, move e2e4");
  EXPECT_EQ(keys.Cursor(), board::SquareOfIndex(Cell("e4")));
}

struct GridSurface : control::MouseSurface {
  const control::CellGrid& cells;
  explicit GridSurface(const control::CellGrid& grid) : cells(grid) {}
  board::CellIndex CellAt(PointerPosition p) const override { return cells.CellAt(p.x, p.y); }
  control::CellOffset OffsetIn(board::CellIndex, PointerPosition) const override { return {}; }
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
};

TEST(MoveInput, MouseClicksArriveAfterClickUnlessItsHandlerRemovedTheSurface) {
  HeadlessControl c;
  FakeHost h;
  GridSurface surface{c.platform.Cells()};
  control::MouseInput mouse{c.control, surface};
  mouse.ObserveClicks(&h.moves);
  bool detach = true;
  c.platform.onEvent = [&](control::ControlEvent event, control::EventArguments&) {
    if (event != control::ControlEvent::Click) return;
    h.Note("Click");
    if (detach) mouse.Detach();
  };
  for (bool removes : {true, false}) {
    detach = removes;
    mouse.Press(MouseButton::Left, false, 0, Centre(Cell("e2")));
    mouse.Release(MouseButton::Left, 0, 0, Centre(Cell("e2")));
  }
  EXPECT_EQ(h.log, "Click, Click, pick e2");
}

TEST(MoveInput, MovePieceOnBoardRedrawsBothCellsOnceAndNotifiesPosition) {
  HeadlessControl c;
  board::ChessBoard chess(c.platform);
  chess.NewGame();
  c.platform.refreshedCells.clear();
  control::MovePieceOnBoard(chess, c.platform, Cell("e2"), Cell("e7"));
  const control::CellGrid& cells = c.platform.Cells();
  EXPECT_EQ(cells.Layers(Cell("e7")).size(), 1u);
  EXPECT_EQ(cells.TopImage(Cell("e7")), board::Wpawn);
  EXPECT_EQ(cells.TopImage(Cell("e2")), 0);
  EXPECT_EQ(chess.Board.Read(Cell("e7").value), board::Wpawn);
  EXPECT_EQ(chess.Board.Read(Cell("e2").value), board::None);
  EXPECT_EQ(c.platform.refreshedCells, std::vector<int16_t>{Cell("e7").value});
  EXPECT_EQ(c.platform.changedProperties, std::vector<std::string>{"Position"});
  EXPECT_EQ(chess.m_Piece, 0);
}

}  // namespace
