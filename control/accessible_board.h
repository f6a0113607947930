#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "control/cell_grid.h"
#include "control/keyboard_input.h"

namespace control {

class OvlChess;

struct AccessibleStates {
  bool focusable = false;
  bool focused = false;
  bool unavailable = false;
  bool selected = false;  // marked mkSelected
};

// What readers were not yet told, since the previous call to AccessibleBoard::TakeChanges:
// the squares whose name, state (but focus) or description changed, and the board's.
struct ReaderChanges {
  std::vector<int16_t> names, states, descriptions;
  bool summary = false, enabled = false, description = false;
};

enum class Direction { Up, Down, Left, Right, Next, Previous, FirstChild, LastChild };

// The board as a screen reader meets it: the board object (child 0) and its 64
// squares (child n = cell n). A square is named from what its cell shows, the
// same layers that paint it, so a reader hears what a sighted user sees. The
// board's value sums up every piece shown. A disabled board is still read and
// explored: it stays focusable and reports itself unavailable.
class AccessibleBoard {
 public:
  static constexpr int16_t kSelf = 0;
  static constexpr int16_t kChildCount = board::kSquareCount;

  // Names carry the control's pick-up, descriptions its marks; navigation goes
  // as the board is seen, and the board's description gives the class's keys and its arrows.
  AccessibleBoard(OvlChess& control, const CellGrid& cells, const KeyboardInput& keyboard);

  static bool IsChild(long child) { return child >= 1 && child <= kChildCount; }

  // "e2, cream pawn": the square seen from cream's side, then what it shows, top
  // picture first: "a8, red rook over cream queen".
  std::string Name(CellIndex cell) const;
  // "light square" or "dark square", then the control's words: "dark square, last move".
  std::string Description(CellIndex cell) const;
  // The pieces shown, by colour and kind, each with its squares: "Cream: king e1,
  // queen d1, rooks a1 h1, ... Red: ...". A square counts its top picture.
  std::string Summary() const;
  // The board's keys, in one sentence, as the control takes them.
  std::string KeysHelp() const;
  AccessibleStates States(int16_t child) const;
  // The cursor square while the board has focus, else 0.
  int16_t FocusedChild() const;
  // The square a step leads to, or 0 where it leads off the board.
  static int16_t Navigate(int16_t from, Direction direction);
  // As Navigate, with up, down, left and right as the eye sees the board.
  int16_t NavigateAsSeen(int16_t from, Direction direction) const;
  // The board's description: its keys, then its arrows.
  std::string BoardDescription() const;

  // What changed since the previous call (or construction).
  ReaderChanges TakeChanges();

 private:
  // What a cell shows, as the bytes of its layer list, and the control's words for it.
  std::string Shown(CellIndex cell) const;
  // A square's states as readers compare them: all but the focus, which is told by itself.
  unsigned StateBits(CellIndex cell) const;

  struct HeardSquare {
    std::string shown, description;
    unsigned states = 0;
  };

  OvlChess& control_;
  const CellGrid& cells_;
  const KeyboardInput& keyboard_;
  std::array<HeardSquare, kChildCount> heard_{};
  std::string heardSummary_, heardDescription_;
  bool heardEnabled_;
};

}  // namespace control
