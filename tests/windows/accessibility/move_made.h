#pragma once

#include <windows.h>

// How the host tells the speaking reader that one of its moves is complete: a
// WinEvent on the host's top-level window with an object id of its own (custom
// ids are positive) and the moved-to cell as the child. Child 0 only says hello.
namespace move_made {

constexpr DWORD kEvent = EVENT_OBJECT_NAMECHANGE;
constexpr LONG kObject = 1;
constexpr LONG kHello = 0;

}  // namespace move_made
