#pragma once

namespace bench {

// Prints, at the process's DPI, a drag frame, Draw into a memory DC and an
// arrow drawn and cleared, each against a bare window painting one prebuilt
// bitmap, the median of `rounds` alternating rounds; 0 when the boards could be placed.
int RunPaintPaths(int rounds);

// Prints 40 overlapping boards of the class (OvlBoard, else OvlChess)
// repainted in turn against 40 bare windows in the same places.
int RunManyInTurn(int rounds, bool board);

}  // namespace bench
