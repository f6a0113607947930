#pragma once

#include <windows.h>

namespace host {

// Processes what is queued for this thread's windows, then returns.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace host
