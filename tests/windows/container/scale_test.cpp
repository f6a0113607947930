// The control at the display's scale: run under prefixes set to 96, 120, 144
// and 192 DPI, each with the control sized from its own extent as a DPI-aware
// container sizes it.
#include <olectl.h>

#include <cmath>
#include <cstdio>

#include "control/device_scale.h"
#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "host/container_site/core_reference.h"
#include "host/container_site/pixels.h"
#include "tests/windows/check.h"

namespace {

constexpr LONG kExtentHimetric = 7832;  // 296 pixels at 96 DPI

void ReportDifference(int line, const char* what, const host::Difference& difference) {
  if (difference.count == 0) return;
  check::Fail(line, what);
  std::printf("    %d pixels differ; first at (%d, %d): expected %06X, got %06X\n", difference.count, difference.x,
              difference.y, difference.expected, difference.actual);
}

POINT CellCentre(const control::DeviceScale& scale, int col, int row) {
  const int square = scale.Square();
  return {(col - 1) * square + square / 2, (row - 1) * square + square / 2};
}

// The window is the extent at this DPI, its squares floor(37 * DPI / 96), and
// it shows the core's render at that size.
void WindowAtScale(Bench& bench, const control::DeviceScale& scale, int dpi) {
  HWND window = bench.control->Window();
  RECT client{};
  GetClientRect(window, &client);
  const int side = MulDiv(kExtentHimetric, dpi, 2540);
  CHECK_EQ(client.right, side);
  CHECK_EQ(client.bottom, side);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
  const host::Pixels shown = host::CaptureWindow(window, side, side);
  host::SaveBmp("window_" + std::to_string(dpi) + ".bmp", shown);
  const host::Pixels expected = host::CoreRender(host::CoreBoard::NewGame, scale.Square(), side, side);
  ReportDifference(__LINE__, "the window shows the core's render at its scale", host::Compare(expected, shown));
}

// Where the container's rectangle is not whole squares, the rest shows the
// container's ambient BackColor once it has one.
void BackColorAroundTheBoard(Bench& bench, const control::DeviceScale& scale) {
  HWND window = bench.control->Window();
  RECT client{};
  GetClientRect(window, &client);
  if (client.right == scale.Board()) return;  // whole squares: nothing around the board
  constexpr COLORREF kTeal = RGB(0x20, 0x80, 0x90);
  bench.control->ControlSite()->SetBackColor(kTeal);
  CHECK_HR(bench.control->As<IOleControl>()->OnAmbientPropertyChange(DISPID_AMBIENT_BACKCOLOR), S_OK);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpMessages();
  const host::Pixels shown = host::CaptureWindow(window, client.right, client.bottom);
  CHECK_EQ(shown.At(client.right - 1, client.bottom - 1), 0x00208090u);
  CHECK_EQ(shown.At(scale.Board(), 0), 0x00208090u);
  CHECK(shown.At(scale.Board() - 1, 0) != 0x00208090u);
}

// Hit testing in device pixels; X and Y in the control's 96-DPI units.
void ClicksAtScale(Bench& bench, const control::DeviceScale& scale) {
  const POINT squares[] = {{1, 1}, {5, 7}, {8, 8}, {3, 6}};
  auto mouse = bench.Mouse();
  for (const POINT& square : squares) {
    bench.events->ClearEvents();
    mouse.Click(CellCentre(scale, square.x, square.y));
    PumpMessages();
    const auto& events = bench.Events();
    CHECK_EQ(events.size(), size_t{3});
    if (events.size() != 3) continue;
    CHECK_EQ(events[2].dispid, kClick);
    for (const auto& event : events) {
      CHECK_EQ(static_cast<long>(event.arguments[0].value), square.x);
      CHECK_EQ(static_cast<long>(event.arguments[1].value), square.y);
    }
    const auto& down = events[0].arguments;
    CHECK(down.size() == 6 && std::fabs(down[4].value - 18.5) <= 1 && std::fabs(down[5].value - 18.5) <= 1);
  }
}

// Draw renders at the target's own resolution: into a memory DC twice the
// 96-DPI size the squares are 74 pixels, drawn, not stretched.
void DrawAtTwice(Bench& bench) {
  const int side = 2 * host::kBoardPixels;
  host::Canvas canvas(side, side);
  auto view = bench.control->As<IViewObject2>();
  const RECTL bounds{0, 0, side, side};
  CHECK_HR(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
           S_OK);
  const host::Pixels expected = host::CoreRender(host::CoreBoard::NewGame, 2 * host::kCellPixels, side, side);
  ReportDifference(__LINE__, "Draw at twice the size is the core's render at 74 pixels",
                   host::Compare(expected, canvas.Read()));
}

}  // namespace

void TestScale() {
  Bench bench({.sizeFromExtent = true});
  if (!bench.ready) return;
  const int dpi = host::DpiOf(bench.control->Window());
  const auto scale = control::DeviceScale::FromDpi(dpi);
  std::printf("at %d DPI: squares of %d pixels\n", dpi, scale.Square());
  CHECK_HR(bench.Board()->NewGame(), S_OK);
  WindowAtScale(bench, scale, dpi);
  ClicksAtScale(bench, scale);
  DrawAtTwice(bench);
  BackColorAroundTheBoard(bench, scale);
}
