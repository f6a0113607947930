#pragma once

namespace bench {

// Prints the time a whole position takes through Position against 64 Piece
// writes, over `rounds` alternating rounds; 0 when every write succeeded.
int RunPositionWrites(int rounds);

}  // namespace bench
