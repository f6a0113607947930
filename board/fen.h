#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/squares.h"

namespace board {

// The 64 piece codes by square: element i holds square i + 1, so row 1 (rank 8) comes first.
using Placement = std::array<PieceCode, kSquareCount>;

// Longer text is refused unread: a placement field is at most 71 characters,
// a whole FEN line about 90, so this leaves room for blanks and long counters.
constexpr size_t kLongestPositionText = 1024;

// The piece-placement field of FEN: rank 8 (row 1) first, ranks split by '/',
// cream pieces upper case PNBRQK, red lower case, a digit for each run of empty
// squares. A code that is no piece (None, 0, 14, anything else) reads as empty.
std::string WritePlacement(const Placement& codes);

// Reads a placement field alone, or a whole FEN record: the placement, side to
// move (w, b), castling (-, or some of KQkq in that order), en passant (-, or a
// square on rank 3 or 6), halfmove clock and fullmove number (whole numbers).
// Fields are split by blanks (space, tab, CR, LF); blanks around the text are
// trimmed, as a line read from a file or a text box ends in some. The fields
// after the placement are checked and not kept. Empty squares read as None.
// Anything else throws the invalid property value error (380) whose description
// names the field and says what is wrong; adjacent digits are accepted ("44").
Placement ReadPlacement(std::string_view text);
// Wide text is refused where any character is not ASCII, before it is read.
Placement ReadPlacement(std::wstring_view text);

}  // namespace board
