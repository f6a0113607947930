#pragma once

// Keeps the control's "Invalid request" message boxes from waiting for a
// click that never comes: their dialog is refused at creation. Install it as
// this thread's WH_CBT hook.
#include <windows.h>

namespace test {

inline LRESULT CALLBACK RefuseDialogs(int code, WPARAM window, LPARAM details) noexcept {
  if (code == HCBT_CREATEWND) {
    const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(details)->lpcs;
    if (IS_INTRESOURCE(create->lpszClass) && LOWORD(reinterpret_cast<ULONG_PTR>(create->lpszClass)) == 32770)
      return 1;
  }
  return CallNextHookEx(nullptr, code, window, details);
}

}  // namespace test
