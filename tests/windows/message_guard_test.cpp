// A window procedure routed through the message guard: a handler that throws
// loses only its own message, which gets the default handling, and the window
// and the process live on.
#include <windows.h>

#include <new>
#include <stdexcept>

#include "control/win32/message_guard.h"
#include "tests/windows/check.h"

namespace {

constexpr UINT kThrowBadAlloc = WM_APP + 1;
constexpr UINT kThrowOther = WM_APP + 2;
constexpr UINT kAnswer = WM_APP + 3;

LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kThrowBadAlloc: throw std::bad_alloc();
    case kThrowOther: throw std::runtime_error("handler failed");
    case kAnswer: return 42;
    case WM_GETTEXTLENGTH: throw 7;  // the default handling answers the window's real text length
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return control::win32::GuardedMessage(window, message, wParam, lParam,
                                        [&] { return Handle(window, message, wParam, lParam); });
}

}  // namespace

int wmain() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"GuardedWindow";
  CHECK(RegisterClassW(&windowClass) != 0);
  // A message-only window: no display needed.
  HWND window = CreateWindowExW(0, L"GuardedWindow", L"guarded", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
  CHECK(window != nullptr);
  CHECK_EQ(SendMessageW(window, kThrowBadAlloc, 0, 0), 0);
  CHECK_EQ(SendMessageW(window, kThrowOther, 0, 0), 0);
  CHECK_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 7);
  CHECK_EQ(SendMessageW(window, kAnswer, 0, 0), 42);
  CHECK(IsWindow(window));
  DestroyWindow(window);
  return check::Result();
}
