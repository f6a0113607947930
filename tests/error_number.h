#pragma once

#include <functional>

#include "board/automation_error.h"

// The automation error number `call` fails with, or 0 when it succeeds.
inline int ErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const board::AutomationError& e) {
    return e.number();
  }
  return 0;
}
