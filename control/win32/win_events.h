#pragma once

#include <windows.h>

#include <vector>

#include "control/announcer.h"

namespace control::win32 {

// The object id the window answers WM_GETOBJECT with the promotion list for, while it shows.
constexpr LONG kPromotionListObject = 1;

// Tells screen readers what the core announced, in its order, as WinEvents of the window's client object.
void Announce(HWND window, const std::vector<Announcement>& announcements);

}  // namespace control::win32
