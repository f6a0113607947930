#include "bench/many_boards/versus_bare.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "component/identity.h"
#include "control/device_scale.h"
#include "control/win32/window_dpi.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;
constexpr wchar_t kBareClass[] = L"BareBoardWindow";
constexpr int kRepaints = 20;

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

const PrebuiltBoard* prebuilt = nullptr;

LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  prebuilt->PaintInto(dc, paint.rcPaint);
  EndPaint(window, &paint);
  return 0;
}

struct Times {
  std::vector<double> create, repaint, teardown, createPaints;
};

// Every WM_PAINT of the thread, while a window is created and shown.
int paints = 0;
LRESULT CALLBACK CountPaints(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_PAINT) ++paints;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Creation ends with the first paint on screen; a repaint is one invalidation of the whole window and its paint.
template <class Make, class Remove>
void MeasureRound(Times& times, Make make, Remove remove) {
  paints = 0;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId());
  auto t = Clock::now();
  HWND window = make();
  UpdateWindow(window);
  times.create.push_back(Microseconds(Clock::now() - t));
  if (hook) UnhookWindowsHookEx(hook);
  times.createPaints.push_back(paints);
  t = Clock::now();
  for (int i = 0; i < kRepaints; ++i) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
  }
  times.repaint.push_back(Microseconds(Clock::now() - t) / kRepaints);
  t = Clock::now();
  remove();
  times.teardown.push_back(Microseconds(Clock::now() - t));
  host::PumpMessages();
}

void PrintRow(const char* what, const std::vector<double>& real, const std::vector<double>& bare) {
  const double r = Median(real), b = Median(bare);
  std::printf("| %s | %.1f | %.1f | %.2fx |\n", what, r, b, r / b);
}

}  // namespace

int CompareWithBareWindow(int rounds) {
  if (FAILED(OleInitialize(nullptr))) return 3;
  const control::DeviceScale scale = control::DeviceScale::FromDpi(control::win32::DpiOf(nullptr));
  const int side = scale.Board();
  HWND form = host::CreateHostWindow(L"Board against a bare window", side + 40, side + 40);
  PrebuiltBoard board(side);
  prebuilt = &board;
  RegisterBareClass(kBareClass, BareProcedure);

  std::unique_ptr<host::EmbeddedControl> control;
  HWND bareWindow = nullptr;
  bool failed = false;
  auto makeReal = [&] {
    control = std::make_unique<host::EmbeddedControl>(form, RECT{0, 0, side, side});
    if (FAILED(control->Create(component::identity::kClassId)) || FAILED(control->InitNew()) ||
        FAILED(control->Activate()))
      failed = true;
    return control->Window();
  };
  auto removeReal = [&] { control.reset(); };
  auto makeBare = [&] {
    bareWindow = CreateWindowExW(0, kBareClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, side, side, form,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    return bareWindow;
  };
  auto removeBare = [&] { DestroyWindow(bareWindow); };

  // One round each first, not counted: loading the library, drawing the pictures, registering classes.
  Times real, bare, unused;
  MeasureRound(unused, makeReal, removeReal);
  MeasureRound(unused, makeBare, removeBare);
  for (int round = 0; round < rounds && !failed; ++round) {
    // Taking turns in both orders, so neither always runs on a cache the other warmed.
    if (round % 2 == 0) {
      MeasureRound(real, makeReal, removeReal);
      MeasureRound(bare, makeBare, removeBare);
    } else {
      MeasureRound(bare, makeBare, removeBare);
      MeasureRound(real, makeReal, removeReal);
    }
  }
  DestroyWindow(form);
  host::PumpMessages();
  OleUninitialize();
  if (failed) {
    std::printf("cannot place the control\n");
    return 1;
  }
  std::printf("The control against a bare window painting one prebuilt bitmap: %d DPI, squares of %d, a %dx%d "
              "board, median of %d rounds (repaint: mean of %d per round), %s build\n",
              control::win32::DpiOf(nullptr), scale.Square(), side, side, rounds, kRepaints,
              sizeof(void*) == 8 ? "64-bit" : "32-bit");
  std::printf("| What | control, us | bare window, us | control / bare |\n|---|---|---|---|\n");
  PrintRow("create, to the first paint", real.create, bare.create);
  PrintRow("repaint, whole window", real.repaint, bare.repaint);
  PrintRow("teardown", real.teardown, bare.teardown);
  std::printf("| paints while created | %.0f | %.0f | |\n", Median(real.createPaints), Median(bare.createPaints));
  std::printf("the composed board at this scale: %d bytes\n", side * side * 4);
  return 0;
}

}  // namespace bench
