#pragma once

#include <windows.h>

#include <vector>

#include "control/announcer.h"

namespace control::win32 {

// Tells screen readers what the core announced, in its order, as WinEvents of the window's client object.
void Announce(HWND window, const std::vector<Announcement>& announcements);

}  // namespace control::win32
