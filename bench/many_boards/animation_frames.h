#pragma once

namespace bench {

// An OvlBoard sliding a pawn (MovePiece) against a bare window sliding a
// sprite over a kept background, `rounds` slides each in turn; prints the
// frames, the time per frame and the pixels per frame of each, and their ratios.
int CompareAnimationFrames(int rounds);

}  // namespace bench
