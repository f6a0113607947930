// OvlBoard at the size its container gives it, at the prefix's DPI: squares of
// floor(min(width, height) / 8), the board centred. The window and Draw show the
// core's render at that size, screen readers find a8 and h1 where they are drawn,
// the extent follows the rectangle, and a resize settles on the drawn pictures.
// OvlChess keeps its squares at the display scale in any rectangle.
#include <oleacc.h>
#include <olectl.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "control/board_geometry.h"
#include "control/extent.h"
#include "host/container_site/core_reference.h"
#include "host/container_site/pixels.h"
#include "host/container_site/property_bag.h"
#include "tests/windows/check.h"
#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"

namespace {

using control::BoardGeometry;

void ReportDifference(int line, const std::string& what, const host::Difference& difference) {
  if (difference.count == 0) return;
  check::Fail(line, what);
  std::printf("    %d pixels differ; first at (%d, %d): expected %06X, got %06X\n", difference.count, difference.x,
              difference.y, difference.expected, difference.actual);
}

host::Pixels Shown(HWND window, int width, int height) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpMessages();
  return host::CaptureWindow(window, width, height);
}

// What a screen reader reads of a square's place, and finds at a point, in screen pixels.
void SquaresWhereDrawn(HWND window, const BoardGeometry& geometry) {
  com::ComPtr<IAccessible> board;
  CHECK_HR(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, board.put_void()),
           S_OK);
  if (!board) return;
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const int s = geometry.Square();
  for (int cell : {1, 64}) {  // a8 and h1
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = cell;
    LONG left = 0, top = 0, width = 0, height = 0;
    CHECK_HR(board->accLocation(&left, &top, &width, &height, child), S_OK);
    const int col = (cell - 1) % 8, row = (cell - 1) / 8;
    CHECK_EQ(left, origin.x + geometry.Left() + col * s);
    CHECK_EQ(top, origin.y + geometry.Top() + row * s);
    CHECK_EQ(width, s);
    CHECK_EQ(height, s);
    VARIANT hit{};
    CHECK_HR(board->accHitTest(left + s - 1, top + s - 1, &hit), S_OK);
    CHECK(hit.vt == VT_I4 && hit.lVal == cell);
  }
}

// X and Y of a press in a square's middle: 18.5 of the square's 37 units, whatever its size, within a pixel.
void PressInTheMiddle(Bench& bench, const BoardGeometry& geometry) {
  bench.events->ClearEvents();
  const int s = geometry.Square();
  bench.Mouse().Click({geometry.Left() + 4 * s + s / 2, geometry.Top() + 6 * s + s / 2});  // e2
  PumpMessages();
  const auto& events = bench.Events();
  CHECK(!events.empty());
  if (events.empty()) return;
  const auto& down = events[0].arguments;
  CHECK(down.size() == 6 && down[0].value == 5 && down[1].value == 7);
  const double pixel = 37.0 / s;
  if (down.size() == 6) CHECK(std::fabs(down[4].value - 18.5) <= pixel && std::fabs(down[5].value - 18.5) <= pixel);
}

void BoardAtSize(int width, int height, int dpi) {
  check::context = "OvlBoard " + std::to_string(width) + "x" + std::to_string(height);
  Bench bench({.moveBoard = true, .width = width, .height = height});
  if (!bench.ready) return;
  HWND window = bench.control->Window();
  const BoardGeometry geometry = BoardGeometry::Filling(width, height);
  const host::Pixels expected = host::CoreRender(host::CoreBoard::NewGame, geometry, width, height);
  CHECK_HR(bench.control->MoveBoard()->NewGame(), S_OK);
  const host::Pixels shown = Shown(window, width, height);
  host::SaveBmp("board_" + std::to_string(width) + "_" + std::to_string(dpi) + ".bmp", shown);
  ReportDifference(__LINE__, "the window shows the core's render, centred", host::Compare(expected, shown));
  host::Canvas canvas(width, height);
  const RECTL bounds{0, 0, width, height};
  CHECK_HR(bench.control->As<IViewObject2>()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(),
                                                   &bounds, nullptr, nullptr, 0),
           S_OK);
  ReportDifference(__LINE__, "Draw shows what the window shows", host::Compare(expected, canvas.Read()));
  SquaresWhereDrawn(window, geometry);
  PressInTheMiddle(bench, geometry);
  SIZEL extent{};
  CHECK_HR(bench.control->As<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
  CHECK_EQ(extent.cx, control::HimetricOfPixels(width, dpi));
  CHECK_EQ(extent.cy, control::HimetricOfPixels(height, dpi));
}

// A container's resize shows the new size at once, and the drawn pictures once the size holds.
void Resized(int dpi) {
  check::context = "OvlBoard resized";
  Bench bench({.moveBoard = true, .width = 433, .height = 433});
  if (!bench.ready) return;
  CHECK_HR(bench.control->Place({0, 0, 296, 296}), S_OK);
  CHECK_HR(bench.control->MoveBoard()->NewGame(), S_OK);
  Shown(bench.control->Window(), 296, 296);
  const RECT larger{0, 0, 433, 400};
  CHECK_HR(bench.control->As<IOleInPlaceObject>()->SetObjectRects(&larger, &larger), S_OK);
  // While the resize is live (no message pumped, so no settle), a write shows in the paint that follows it.
  HWND window = bench.control->Window();
  const BoardGeometry geometry = BoardGeometry::Filling(433, 400);
  UpdateWindow(window);
  const host::Pixels stepped = host::CaptureWindow(window, 433, 400);
  short col = 5, row = 5;  // e4
  CHECK_HR(bench.control->MoveBoard()->put_Piece(&col, &row, WQueen), S_OK);
  UpdateWindow(window);
  const host::Pixels written = host::CaptureWindow(window, 433, 400);
  const int s = geometry.Square(), e4x = geometry.Left() + 4 * s, e4y = geometry.Top() + 4 * s;
  int changed = 0;
  for (int y = e4y; y < e4y + s; ++y)
    for (int x = e4x; x < e4x + s; ++x) changed += stepped.At(x, y) != written.At(x, y);
  CHECK(changed > s * s / 8);
  CHECK_HR(bench.control->MoveBoard()->put_Piece(&col, &row, None), S_OK);
  SIZEL extent{};
  bench.control->As<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent);
  CHECK_EQ(extent.cx, control::HimetricOfPixels(433, dpi));
  const host::Pixels expected = host::CoreRender(host::CoreBoard::NewGame, geometry, 433, 400);
  host::Difference difference{};
  const bool settled = host::PumpUntil(
      [&] {
        difference = host::Compare(expected, Shown(bench.control->Window(), 433, 400));
        return difference.count == 0;
      },
      10000);
  if (!settled) ReportDifference(__LINE__, "the resized board settles on the core's render", difference);
}

// OvlChess in a large rectangle: its squares at the display scale, at the top-left.
void ChessUnchanged(int dpi) {
  check::context = "OvlChess 800x800";
  Bench bench({.width = 800, .height = 800});
  if (!bench.ready) return;
  CHECK_HR(bench.Board()->NewGame(), S_OK);
  const int square = control::DeviceScale::FromDpi(dpi).Square();
  const host::Pixels expected = host::CoreRender(host::CoreBoard::NewGame, square, 800, 800);
  ReportDifference(__LINE__, "OvlChess keeps its squares at the top-left",
                   host::Compare(expected, Shown(bench.control->Window(), 800, 800)));
}

// A size set before saving comes back from a bag and from a stream, as a form reloads it.
void ExtentSaved() {
  const SIZEL set{30000, 12000};  // wider than 16 bits of HIMETRIC
  auto saved = [&](Bench& original, auto save, auto load) {
    Bench fresh({.initNew = false, .activate = false, .moveBoard = true});
    if (!original.ready || !fresh.ready) return SIZEL{};
    SIZEL size = set;
    CHECK_HR(original.control->As<IOleObject>()->SetExtent(DVASPECT_CONTENT, &size), S_OK);
    save(original), load(fresh);
    SIZEL extent{};
    CHECK_HR(fresh.control->As<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    return extent;
  };
  check::context = "OvlBoard's extent through a bag";
  auto bag = host::Make<host::MemoryPropertyBag>();
  Bench bagged({.activate = false, .moveBoard = true});
  SIZEL extent = saved(
      bagged, [&](Bench& b) { CHECK_HR(b.control->As<IPersistPropertyBag>()->Save(bag.get(), TRUE, TRUE), S_OK); },
      [&](Bench& b) { CHECK_HR(b.control->As<IPersistPropertyBag>()->Load(bag.get(), nullptr), S_OK); });
  CHECK(extent.cx == set.cx && extent.cy == set.cy);
  const VARIANT* x = bag->Find(L"_ExtentX");
  CHECK(x && x->vt == VT_I4 && x->lVal == set.cx);

  check::context = "OvlBoard's extent through a stream";
  com::ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  Bench streamed({.activate = false, .moveBoard = true});
  extent = saved(
      streamed, [&](Bench& b) { CHECK_HR(b.control->As<IPersistStreamInit>()->Save(stream.get(), TRUE), S_OK); },
      [&](Bench& b) {
        const LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        CHECK_HR(b.control->As<IPersistStreamInit>()->Load(stream.get()), S_OK);
      });
  CHECK(extent.cx == set.cx && extent.cy == set.cy);
}

}  // namespace

void TestSizes() {
  const int dpi = host::DpiOf(nullptr);
  std::printf("at %d DPI\n", dpi);
  for (const SIZE size : {SIZE{200, 200}, SIZE{296, 296}, SIZE{433, 433}, SIZE{800, 800}, SIZE{1000, 1000},
                          SIZE{701, 433}})
    BoardAtSize(size.cx, size.cy, dpi);
  Resized(dpi);
  ChessUnchanged(dpi);
  ExtentSaved();
  check::context.clear();
}
