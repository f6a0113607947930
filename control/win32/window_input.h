#pragma once

#include <windows.h>

#include "control/interaction.h"

namespace control::win32 {

// Win32 input turned into the core's input calls; the core decides what each means.

// A WM_KEYDOWN as the core's key stroke, with the modifiers held now.
KeyStroke KeyStrokeOf(WPARAM key, LPARAM flags = 0);
// The answer to WM_GETDLGCODE for the message in `lParam` (which may be none).
LRESULT DialogCode(LPARAM lParam, bool holdsPiece);

bool IsMouseMessage(UINT message);
void RouteMouse(Interaction& input, UINT message, WPARAM keys, LPARAM position);
void RouteFocus(Interaction& input, bool focused);
// WM_UPDATEUISTATE: the system shows or hides keyboard cues.
void RouteUiState(Interaction& input, WPARAM change);

}  // namespace control::win32
