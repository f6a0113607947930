#include "control/win32/window_input.h"

#include <windowsx.h>

namespace control::win32 {

namespace {

std::optional<BoardKey> BoardKeyOf(WPARAM key) {
  switch (key) {
    case VK_LEFT: return BoardKey::Left;
    case VK_RIGHT: return BoardKey::Right;
    case VK_UP: return BoardKey::Up;
    case VK_DOWN: return BoardKey::Down;
    case VK_HOME: return BoardKey::Home;
    case VK_END: return BoardKey::End;
    case VK_PRIOR: return BoardKey::PageUp;
    case VK_NEXT: return BoardKey::PageDown;
    case VK_SPACE: return BoardKey::Space;
    case VK_RETURN: return BoardKey::Enter;
    default: return std::nullopt;
  }
}

// The character a letter or digit key types, lower case; 0 for any other key.
char TypedBy(WPARAM key) {
  if (key >= 'A' && key <= 'Z') return static_cast<char>('a' + (key - 'A'));
  if (key >= '0' && key <= '9') return static_cast<char>(key);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<char>('0' + (key - VK_NUMPAD0));
  return 0;
}

bool Held(int key) { return GetKeyState(key) < 0; }

int16_t ShiftState(WPARAM keys) {
  return static_cast<int16_t>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) | (Held(VK_MENU) ? 4 : 0));
}

int16_t ButtonsHeld(WPARAM keys) {
  return static_cast<int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

}  // namespace

KeyStroke KeyStrokeOf(WPARAM key, LPARAM flags) {
  KeyStroke stroke;
  stroke.key = BoardKeyOf(key);
  if (!stroke.key) stroke.typed = TypedBy(key);
  stroke.escape = key == VK_ESCAPE;
  stroke.shift = Held(VK_SHIFT);
  stroke.ctrl = Held(VK_CONTROL);
  stroke.alt = Held(VK_MENU);
  stroke.repeated = (flags & (LPARAM{1} << 30)) != 0;
  return stroke;
}

LRESULT DialogCode(LPARAM lParam, bool holdsPiece) {
  const MSG* key = reinterpret_cast<const MSG*>(lParam);
  const bool wanted = key && key->message == WM_KEYDOWN && WantedFromDialog(KeyStrokeOf(key->wParam), holdsPiece);
  return DLGC_WANTARROWS | DLGC_WANTCHARS | (wanted ? DLGC_WANTMESSAGE : 0);
}

std::optional<MouseMessage> MouseMessageOf(UINT message, WPARAM keys, LPARAM lParam) {
  using enum MouseMessage::Kind;
  const auto of = [&](MouseMessage::Kind kind, MouseButton button, bool doubleClick = false) {
    return MouseMessage{kind, button, doubleClick, ButtonsHeld(keys), ShiftState(keys),
                        PointerPosition{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}};
  };
  switch (message) {
    case WM_LBUTTONDOWN: return of(Press, MouseButton::Left);
    case WM_RBUTTONDOWN: return of(Press, MouseButton::Right);
    case WM_MBUTTONDOWN: return of(Press, MouseButton::Middle);
    case WM_LBUTTONDBLCLK: return of(Press, MouseButton::Left, true);
    case WM_RBUTTONDBLCLK: return of(Press, MouseButton::Right, true);
    case WM_MBUTTONDBLCLK: return of(Press, MouseButton::Middle, true);
    case WM_LBUTTONUP: return of(Release, MouseButton::Left);
    case WM_RBUTTONUP: return of(Release, MouseButton::Right);
    case WM_MBUTTONUP: return of(Release, MouseButton::Middle);
    case WM_MOUSEMOVE: return of(Move, MouseButton::Left);
    default: return std::nullopt;
  }
}

// Focus arriving while Tab is down came by Tab or Shift+Tab. (The system's own
// keyboard-cue state arrives as WM_UPDATEUISTATE.)
void RouteFocus(Interaction& input, bool focused) { input.FocusChanged(focused, Held(VK_TAB)); }

void RouteUiState(Interaction& input, WPARAM change) {
  if (!(HIWORD(change) & UISF_HIDEFOCUS)) return;
  if (LOWORD(change) == UIS_CLEAR) input.CuesChanged(true);
  if (LOWORD(change) == UIS_SET) input.CuesChanged(false);
}

}  // namespace control::win32
