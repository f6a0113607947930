#pragma once

namespace art {

// The pictures are laid out in a square of this many units, and the bitmaps in
// art/pictures are this many pixels a side: a board square at 96 DPI.
constexpr int kDesignSize = 37;

}  // namespace art
