#pragma once

#include <windows.h>

namespace control::win32 {

// The one place a window message's failure stops: whatever the handler throws
// drops that message to the default handling, and the window lives on.
template <class Handler>
LRESULT GuardedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Handler&& handle) noexcept {
  try {
    return handle();
  } catch (...) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace control::win32
