#pragma once

namespace bench {

// The control against a bare window that paints one prebuilt bitmap of the
// board's size with a single BitBlt: the least any board window can cost.
// Both live in this process and take turns, `rounds` times each; prints the
// median create, repaint and teardown times of each and their ratios.
int CompareWithBareWindow(int rounds);

}  // namespace bench
