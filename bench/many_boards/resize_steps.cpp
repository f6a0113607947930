// One OvlBoard with a started game, marks, arrows and coordinates, resized as a
// splitter dragged resizes it: 50 steps from 300 to 1200 pixels, each step the
// container's SetExtent and SetObjectRects and the paint that follows, against
// a whole repaint at the same size. Paints are counted: under Wine each costs
// a good part of a millisecond whatever it draws.
#include <windows.h>

#include <psapi.h>

#include <cstdio>

#include "bench/many_boards/position_writes.h"
#include "component/identity.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"

namespace bench {

namespace {

constexpr int kSteps = 50, kFrom = 300, kTo = 1200;

HWND countedWindow = nullptr;
int paints = 0;

LRESULT CALLBACK CountPaints(int code, WPARAM wParam, LPARAM lParam) noexcept {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->hwnd == countedWindow && message->message == WM_PAINT) ++paints;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

double WorkingSetKiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize / 1024.0;
}

// Lets the board draw its pictures for the size it holds: it does once the size has held a while.
Clock::duration Settle() {
  Sleep(300);
  const auto start = Clock::now();
  host::PumpMessages();
  return Clock::now() - start;
}

// An OvlBoard created, activated and dressed with a started game, marks, arrows and coordinates.
bool PlaceDressedBoard(host::EmbeddedControl& board) {
  HRESULT hr = board.Create(component::identity::kBoardClassId);
  if (SUCCEEDED(hr)) hr = board.InitNew();
  if (SUCCEEDED(hr)) hr = board.Activate();
  auto dispatch = board.As<IDispatch>();
  if (SUCCEEDED(hr) && dispatch) hr = DressView(dispatch.get());
  if (SUCCEEDED(hr) && dispatch) return true;
  std::printf("cannot place an OvlBoard: 0x%08lX\n", static_cast<unsigned long>(hr));
  return false;
}

}  // namespace

int RunResizeSteps(int rounds) {
  if (FAILED(OleInitialize(nullptr))) return 3;
  HWND form = host::CreateHostWindow(L"Resize steps", kTo + 20, kTo + 20);
  int status = 0;
  {
    host::EmbeddedControl board(form, RECT{0, 0, kFrom, kFrom});
    if (!PlaceDressedBoard(board)) {
      status = 1;
    } else {
      HWND window = board.Window();
      countedWindow = window;
      HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId());
      Clock::duration steps{}, repaints{}, settling{};
      int stepPaints = 0;
      double before = 0, afterSteps = 0, afterSettling = 0;
      for (int round = 0; round < rounds; ++round) {
        board.Place({0, 0, kFrom, kFrom});
        UpdateWindow(window);
        Settle();
        before += WorkingSetKiB();
        for (int step = 1; step <= kSteps; ++step) {
          const int side = kFrom + (kTo - kFrom) * step / kSteps;
          paints = 0;
          const auto start = Clock::now();
          board.Place({0, 0, side, side});
          UpdateWindow(window);
          steps += Clock::now() - start;
          stepPaints += paints;
          repaints += Repaint(window);
        }
        afterSteps += WorkingSetKiB();
        settling += Settle();
        afterSettling += WorkingSetKiB();
      }
      if (hook) UnhookWindowsHookEx(hook);
      const int count = rounds * kSteps;
      const double stepUs = Microseconds(steps) / count, repaintUs = Microseconds(repaints) / count;
      std::printf("OvlBoard at %d DPI with 8 marks, 4 arrows and coordinates, %d rounds of %d steps %d-%d pixels:\n",
                  host::DpiOf(nullptr), rounds, kSteps, kFrom, kTo);
      std::printf("| step (SetExtent, SetObjectRects, paint) | %.2f ms | %.2f paints |\n", stepUs / 1000,
                  static_cast<double>(stepPaints) / count);
      std::printf("| whole repaint at the same size | %.2f ms | step / repaint %.2fx |\n", repaintUs / 1000,
                  stepUs / repaintUs);
      std::printf("| pictures drawn once the size holds (at %d) | %.1f ms |\n", kTo,
                  Microseconds(settling) / rounds / 1000);
      std::printf("| working set at %d, after the last step, settled | %.0f KiB | +%.0f KiB | +%.0f KiB |\n", kFrom,
                  before / rounds, (afterSteps - before) / rounds, (afterSettling - before) / rounds);
    }
  }
  DestroyWindow(form);
  host::PumpMessages();
  OleUninitialize();
  return status;
}

int ShowPose(int side, int seconds) {
  if (FAILED(OleInitialize(nullptr))) return 3;
  HWND form = host::CreateHostWindow(L"Pose", side + 20, side + 20);
  int status = 0;
  {
    host::EmbeddedControl board(form, RECT{10, 10, 10 + side, 10 + side});
    if (!PlaceDressedBoard(board)) {
      status = 1;
    } else {
      host::PumpMessages();
      // The d2 pawn lifted and carried half a square right and a square up.
      const int square = side / 8;
      const POINT d2{3 * square + square / 2, 6 * square + square / 2};
      host::Mouse mouse(board.Window());
      mouse.Press(WM_LBUTTONDOWN, d2);
      mouse.Move({d2.x + square / 4, d2.y - square / 2});
      mouse.Move({d2.x + square / 2, d2.y - square});
      host::PumpUntil([] { return false; }, static_cast<DWORD>(seconds) * 1000);
      mouse.Release(WM_LBUTTONUP, {d2.x + square / 2, d2.y - square});
    }
  }
  DestroyWindow(form);
  host::PumpMessages();
  OleUninitialize();
  return status;
}

}  // namespace bench
