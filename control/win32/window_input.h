#pragma once

#include <windows.h>

#include <optional>

#include "control/interaction.h"

namespace control::win32 {

// Win32 input turned into the core's input calls; the core decides what each means.

// A WM_KEYDOWN as the core's key stroke, with the modifiers held now.
KeyStroke KeyStrokeOf(WPARAM key, LPARAM flags = 0);
// The answer to WM_GETDLGCODE for the message in `lParam` (which may be none).
LRESULT DialogCode(LPARAM lParam, bool holdsPiece);

// A mouse message as the core's press, release or move takes it.
struct MouseMessage {
  enum class Kind { Press, Release, Move } kind;
  MouseButton button;
  bool doubleClick;
  int16_t buttonsHeld;
  int16_t shift;
  PointerPosition at;
};
// Nothing for a message that is not a button or move in the client area.
std::optional<MouseMessage> MouseMessageOf(UINT message, WPARAM keys, LPARAM position);
void RouteFocus(Interaction& input, bool focused);
// WM_UPDATEUISTATE: the system shows or hides keyboard cues.
void RouteUiState(Interaction& input, WPARAM change);

}  // namespace control::win32
