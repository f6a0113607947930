#pragma once

#include "host/container_site/pixels.h"

namespace host {

// The portable core's own render of the board on its in-memory host: the
// picture the component's drawing must match pixel for pixel.
enum class CoreBoard { Fresh, NewGame };
Pixels CoreRender(CoreBoard board);

}  // namespace host
