// IViewObject2::Draw and what the activated control shows on screen, held to
// the portable core's own render of the same board.
#include <cstdio>
#include <string>

#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "host/container_site/core_reference.h"
#include "host/container_site/pixels.h"
#include "tests/windows/check.h"

namespace {

constexpr uint32_t kBackground = 0x00FF00FF;  // a colour no board uses

HRESULT DrawInto(Bench& bench, HDC dc, RECT bounds) {
  auto view = bench.control->As<IViewObject2>();
  if (!view) return E_NOINTERFACE;
  const RECTL rect{bounds.left, bounds.top, bounds.right, bounds.bottom};
  return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &rect, nullptr, nullptr, 0);
}

host::Pixels Crop(const host::Pixels& source, int left, int top, int width, int height) {
  host::Pixels part{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) part.data.push_back(source.At(left + x, top + y));
  return part;
}

void ReportDifference(const char* what, const host::Difference& difference) {
  if (difference.count == 0) return;
  check::Fail(__LINE__, what);
  std::printf("    %d pixels differ; first at (%d, %d): expected %06X, got %06X\n", difference.count, difference.x,
              difference.y, difference.expected, difference.actual);
}

// Drawn at the origin, drawn at an offset, and shown on screen: the same pixels
// as the core's render.
void CompareViews(Bench& bench, const std::string& name, host::CoreBoard board) {
  const host::Pixels core = host::CoreRender(board);
  const int size = host::kBoardPixels;
  host::Canvas canvas(size, size);
  canvas.Fill(kBackground);
  CHECK_HR(DrawInto(bench, canvas.Dc(), {0, 0, size, size}), S_OK);
  const host::Pixels drawn = canvas.Read();
  host::SaveBmp("drawn_" + name + ".bmp", drawn);

  host::Canvas offset(size + 20, size + 20);
  offset.Fill(kBackground);
  CHECK_HR(DrawInto(bench, offset.Dc(), {10, 10, 10 + size, 10 + size}), S_OK);
  const host::Pixels shifted = offset.Read();
  ReportDifference("Draw matches the core", host::Compare(core, drawn));
  ReportDifference("Draw honours its bounds", host::Compare(drawn, Crop(shifted, 10, 10, size, size)));
  CHECK(shifted.At(5, 5) == kBackground && shifted.At(size + 15, size + 15) == kBackground);

  HWND window = bench.control->Window();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
  const host::Pixels shown = host::CaptureWindow(window, size, size);
  host::SaveBmp("window_" + name + ".bmp", shown);
  ReportDifference("the window matches the core", host::Compare(core, shown));
}

// Printing and form snapshots record the control into a metafile. It records
// the board at four times the 96-DPI size, so played back at that size either
// kind shows the core's render at 148-pixel squares, not a stretched 37.
void CompareMetafiles(Bench& bench) {
  constexpr int kRecorded = 4;
  const int size = host::kBoardPixels, played = kRecorded * size;
  const host::Pixels core = host::CoreRender(host::CoreBoard::NewGame, kRecorded * host::kCellPixels, played, played);
  const RECT bounds{0, 0, size, size};

  HDC recorder = CreateMetaFileW(nullptr);
  CHECK_HR(DrawInto(bench, recorder, bounds), S_OK);
  HMETAFILE wmf = CloseMetaFile(recorder);
  host::Canvas fromWmf(played, played);
  fromWmf.Fill(kBackground);
  SetMapMode(fromWmf.Dc(), MM_ANISOTROPIC);
  SetWindowExtEx(fromWmf.Dc(), size, size, nullptr);
  SetViewportExtEx(fromWmf.Dc(), played, played, nullptr);
  CHECK(PlayMetaFile(fromWmf.Dc(), wmf));
  DeleteMetaFile(wmf);
  ReportDifference("a WMF played back matches the core", host::Compare(core, fromWmf.Read()));

  // The frame, in hundredths of a millimetre of the screen the recording refers to,
  // makes the recording exactly `bounds` in size.
  host::WindowDc screen(nullptr);
  const RECT frame{0, 0, MulDiv(size, 100 * GetDeviceCaps(screen.get(), HORZSIZE), GetDeviceCaps(screen.get(), HORZRES)),
                   MulDiv(size, 100 * GetDeviceCaps(screen.get(), VERTSIZE), GetDeviceCaps(screen.get(), VERTRES))};
  HDC enhancedRecorder = CreateEnhMetaFileW(screen.get(), nullptr, &frame, nullptr);
  CHECK_HR(DrawInto(bench, enhancedRecorder, bounds), S_OK);
  HENHMETAFILE emf = CloseEnhMetaFile(enhancedRecorder);
  host::Canvas fromEmf(played, played);
  fromEmf.Fill(kBackground);
  const RECT playedBounds{0, 0, played, played};
  CHECK(PlayEnhMetaFile(fromEmf.Dc(), emf, &playedBounds));
  DeleteEnhMetaFile(emf);
  ReportDifference("an EMF played back matches the core", host::Compare(core, fromEmf.Read()));
}

// Containers that print in a mapping mode whose y axis points up pass bounds
// with top above bottom; the board still comes out upright.
void CompareUpwardAxis(Bench& bench) {
  const int size = host::kBoardPixels;
  host::Canvas canvas(size, size);
  canvas.Fill(kBackground);
  SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
  SetWindowExtEx(canvas.Dc(), size, size, nullptr);
  SetViewportExtEx(canvas.Dc(), size, -size, nullptr);
  SetViewportOrgEx(canvas.Dc(), 0, size, nullptr);
  CHECK_HR(DrawInto(bench, canvas.Dc(), {0, size, size, 0}), S_OK);
  SetMapMode(canvas.Dc(), MM_TEXT);
  ReportDifference("Draw with the y axis up matches the core",
                   host::Compare(host::CoreRender(host::CoreBoard::NewGame), canvas.Read()));
}

}  // namespace

void TestDrawing() {
  Bench bench;
  if (!bench.ready) return;
  CompareViews(bench, "fresh", host::CoreBoard::Fresh);
  CHECK_HR(bench.Board()->NewGame(), S_OK);
  CompareViews(bench, "newgame", host::CoreBoard::NewGame);
  CompareMetafiles(bench);
  CompareUpwardAxis(bench);
}
