#pragma once

namespace bench {

// Prints, at the process's DPI, a drag frame, Draw into a memory DC, an arrow
// drawn and cleared, and 40 overlapping boards of each class repainted in
// turn, each against a bare window painting one prebuilt bitmap, the median of
// `rounds` alternating rounds; 0 when the boards could be placed.
int RunPaintPaths(int rounds);

}  // namespace bench
