#pragma once

// Reachability on a picture's pixel grid, offset y * width + x: how the
// pictures tell what shows around a piece from what the piece encloses.

#include <vector>

namespace art {

// The pixels reachable from `seeds` through pixels where `open` holds, each
// step sideways or, with `diagonal`, also corner to corner. Seeds count as
// reached whether open or not.
std::vector<bool> Flood(const std::vector<bool>& open, int width, std::vector<int> seeds, bool diagonal);

// The open pixels reachable from the grid's edge stepping sideways only: for a
// piece's transparent pixels, the square around it.
std::vector<bool> ReachedFromEdge(const std::vector<bool>& open, int width);

}  // namespace art
