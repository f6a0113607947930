#pragma once

namespace bench {

// Prints the time a whole position takes through Position against 64 Piece
// writes, over `rounds` alternating rounds; 0 when every write succeeded.
int RunPositionWrites(int rounds);

// Prints the time a whole repaint of a started game takes with 8 marks, 4
// arrows and coordinates against one without, two boards in one form,
// alternating rounds; 0 when the view was set up.
int RunViewRepaints(int rounds);

}  // namespace bench
