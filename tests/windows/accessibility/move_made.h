#pragma once

#include <windows.h>

// How the host tells the speaking reader that a step (one of its moves, or the
// user's input it had played) is complete: a WinEvent on the host's top-level
// window with an object id of its own (custom ids are positive) and a child
// other than 0, the step's number. Child 0 only says hello.
namespace move_made {

constexpr DWORD kEvent = EVENT_OBJECT_NAMECHANGE;
constexpr LONG kObject = 1;
constexpr LONG kHello = 0;

}  // namespace move_made
