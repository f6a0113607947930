#pragma once

#include "control/board_geometry.h"
#include "host/container_site/pixels.h"

namespace host {

// The portable core's own render of the board on its in-memory host: the
// picture the component's drawing must match pixel for pixel.
enum class CoreBoard { Fresh, NewGame };
Pixels CoreRender(CoreBoard board);
// The board with squares of `square` pixels at the top-left of a width x height
// area whose rest shows the button-face colour, as the control's window fills it.
Pixels CoreRender(CoreBoard board, int square, int width, int height);
// The board placed in a width x height area as `geometry` places it.
Pixels CoreRender(CoreBoard board, const control::BoardGeometry& geometry, int width, int height);

}  // namespace host
