#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "board/squares.h"
#include "control/key_stroke.h"

namespace control {

using board::CellIndex;
using board::Square;

// What a square is marked as; drawn between the bare square and its pieces.
enum MarkNum : int32_t { mkNone = 0, mkSelected = 1, mkLastMove = 2, mkCheck = 3, mkTarget = 4 };

struct BoardArrow {
  Square from, to;
  friend bool operator==(BoardArrow, BoardArrow) = default;
};

// The labels a square shows when coordinates are on; 0 where it shows none.
struct CoordinateLabels {
  char file = 0;  // 'a'..'h', on the bottom drawn rank
  char rank = 0;  // '1'..'8', on the left drawn file
  explicit operator bool() const { return file != 0 || rank != 0; }
};

// The host's column and row as a square; error 381 off the board.
CellIndex CheckedSquare(int16_t col, int16_t row);

// Where a cell goes, in 96-DPI units: CellGrid::SetLeft / SetTop.
struct CellPlacement {
  float left, top;
};

// How the board is shown beyond its pieces: which way up, the squares' marks,
// the arrows and the coordinates. Everything here names board squares, as the
// host and the user do; only drawing, hit-testing and the arrow keys, which go
// as the eye sees, pass through the orientation.
class BoardView {
 public:
  static constexpr size_t kMostArrows = 64;

  // ---- orientation: flipped, the board is seen from red's side
  bool Flipped() const { return flipped_; }
  void SetFlipped(bool flipped) { flipped_ = flipped; }
  // Where a board square is drawn, and which board square is drawn at a place:
  // the same mirror both ways, (col, row) <-> (9 - col, 9 - row).
  Square DrawnAt(Square onBoard) const;
  CellIndex DrawnAt(CellIndex onBoard) const;
  // The cell of board square `cell` placed where it is drawn; placing all 64
  // makes CellGrid's rendering and hit-testing follow the orientation.
  CellPlacement Placement(CellIndex cell) const;
  // An arrow key as the eye sees it, turned into the key that moves the same way on the board.
  BoardKey KeyOnBoard(BoardKey seen) const;

  // ---- marks: a square's mark is read and written as Mark(col, row)
  // Off the board: error 381.
  MarkNum Mark(int16_t col, int16_t row) const;
  // Off the board: error 381; a kind not in MarkNum: error 380. True when the mark changed.
  bool SetMark(int16_t col, int16_t row, int32_t kind);
  MarkNum MarkOf(CellIndex cell) const { return marks_[cell.value - 1]; }
  void SetMarkOf(CellIndex cell, MarkNum mark) { marks_[cell.value - 1] = mark; }
  // The squares that were marked, which need repainting. `liftsOnly`: only
  // the marks a lift owns (selected, target), which its end clears.
  std::vector<CellIndex> ClearMarks(bool liftsOnly = false);

  // ---- arrows, drawn over the pieces in the order given
  // Error 5 for a square off the board, an arrow from a square to itself, or
  // past kMostArrows. An arrow already drawn is not added again.
  void DrawArrow(int16_t fromCol, int16_t fromRow, int16_t toCol, int16_t toRow);
  std::span<const BoardArrow> Arrows() const { return arrows_; }
  // True when there were arrows to clear.
  bool ClearArrows();
  // "Arrows: e2 to e4, g1 to f3." for a screen reader, or "" when there are none.
  std::string ArrowsDescription() const;

  // ---- coordinates
  bool ShowCoordinates() const { return showCoordinates_; }
  void SetShowCoordinates(bool show) { showCoordinates_ = show; }
  // The labels board square `cell` shows where it is drawn: file letters along
  // the bottom drawn rank, rank digits along the left drawn file.
  CoordinateLabels Labels(CellIndex cell) const;
  // The 15 squares that carry labels while shown, whether shown or not (to repaint when they come or go).
  std::vector<CellIndex> LabelledCells() const;

 private:
  CoordinateLabels EdgeLabels(CellIndex cell) const;

  bool flipped_ = false;
  bool showCoordinates_ = false;
  std::array<MarkNum, board::kSquareCount> marks_{};
  std::vector<BoardArrow> arrows_;
};

// What a screen reader adds to a marked square's name: "selected", "last
// move", "check", "target"; "" for none.
std::string_view MarkWords(MarkNum mark);
// "e4, cream pawn" with a mark becomes "e4, cream pawn, last move".
std::string MarkedName(std::string name, MarkNum mark);

}  // namespace control
