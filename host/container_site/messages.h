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

// Keeps this thread's windows alive until `done` holds; false when the deadline
// passes first. The deadline only bounds a run whose other side never answers.
template <class Done, class Pump = void (*)()>
bool PumpUntil(Done done, DWORD deadlineMs, Pump pump = PumpMessages) {
  const ULONGLONG end = GetTickCount64() + deadlineMs;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    pump();
  }
  return true;
}

}  // namespace host
