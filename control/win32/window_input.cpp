#include "control/win32/window_input.h"

#include <windowsx.h>

#include <optional>

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

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK; }

void RouteMouse(Interaction& input, UINT message, WPARAM keys, LPARAM lParam) {
  const PointerPosition at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const int16_t shift = ShiftState(keys), held = ButtonsHeld(keys);
  switch (message) {
    case WM_LBUTTONDOWN: return input.MousePress(MouseButton::Left, false, shift, at);
    case WM_RBUTTONDOWN: return input.MousePress(MouseButton::Right, false, shift, at);
    case WM_MBUTTONDOWN: return input.MousePress(MouseButton::Middle, false, shift, at);
    case WM_LBUTTONDBLCLK: return input.MousePress(MouseButton::Left, true, shift, at);
    case WM_RBUTTONDBLCLK: return input.MousePress(MouseButton::Right, true, shift, at);
    case WM_MBUTTONDBLCLK: return input.MousePress(MouseButton::Middle, true, shift, at);
    case WM_LBUTTONUP: return input.MouseRelease(MouseButton::Left, held, shift, at);
    case WM_RBUTTONUP: return input.MouseRelease(MouseButton::Right, held, shift, at);
    case WM_MBUTTONUP: return input.MouseRelease(MouseButton::Middle, held, shift, at);
    case WM_MOUSEMOVE: return input.MouseMove(held, shift, at);
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
