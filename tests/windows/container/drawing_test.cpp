// IViewObject2::Draw and what the activated control shows on screen, held to
// the portable core's own render of the same board.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "host/container_site/core_reference.h"
#include "host/container_site/pixels.h"
#include "tests/windows/check.h"

namespace {

constexpr uint32_t kBackground = 0x00FF00FF;  // a colour no board uses

using Continue = BOOL(STDMETHODCALLTYPE*)(ULONG_PTR);

HRESULT DrawInto(Bench& bench, HDC dc, RECT bounds, LONG part = -1, Continue keepGoing = nullptr,
                 ULONG_PTR argument = 0) {
  auto view = bench.control->As<IViewObject2>();
  if (!view) return E_NOINTERFACE;
  const RECTL rect{bounds.left, bounds.top, bounds.right, bounds.bottom};
  return view->Draw(DVASPECT_CONTENT, part, nullptr, nullptr, nullptr, dc, &rect, nullptr, keepGoing, argument);
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

// Print quality: every 4x4 block of a record played back at four times its
// size has its mean colour within 24 levels of the core's render at that size.
void CheckPrintQuality(const char* what, const host::Pixels& expected, const host::Pixels& actual) {
  constexpr int kBlock = 4, kTolerance = 24;
  int worst = 0;
  for (int top = 0; top + kBlock <= expected.height; top += kBlock)
    for (int left = 0; left + kBlock <= expected.width; left += kBlock)
      for (int shift : {0, 8, 16}) {
        int difference = 0;
        for (int y = top; y < top + kBlock; ++y)
          for (int x = left; x < left + kBlock; ++x)
            difference += int((expected.At(x, y) >> shift) & 0xFF) - int((actual.At(x, y) >> shift) & 0xFF);
        worst = std::max(worst, std::abs(difference) / (kBlock * kBlock));
      }
  std::printf("    %s: the worst 4x4 block is %d levels off\n", what, worst);
  if (worst > kTolerance) check::Fail(__LINE__, what);
}

// What a document host keeps per control in every saved file.
void CheckRecordSize(const char* what, UINT bytes) {
  constexpr UINT kMostBytes = 2 * 1024 * 1024;
  std::printf("    %s: %u bytes\n", what, bytes);
  if (bytes == 0 || bytes > kMostBytes) check::Fail(__LINE__, std::string(what) + " is not within 2 MB");
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
  CheckRecordSize("the WMF record", GetMetaFileBitsEx(wmf, 0, nullptr));
  host::Canvas fromWmf(played, played);
  fromWmf.Fill(kBackground);
  SetMapMode(fromWmf.Dc(), MM_ANISOTROPIC);
  SetWindowExtEx(fromWmf.Dc(), size, size, nullptr);
  SetViewportExtEx(fromWmf.Dc(), played, played, nullptr);
  CHECK(PlayMetaFile(fromWmf.Dc(), wmf));
  DeleteMetaFile(wmf);
  CheckPrintQuality("a WMF played back", core, fromWmf.Read());

  // The frame, in hundredths of a millimetre of the screen the recording refers to,
  // makes the recording exactly `bounds` in size.
  host::WindowDc screen(nullptr);
  const RECT frame{0, 0, MulDiv(size, 100 * GetDeviceCaps(screen.get(), HORZSIZE), GetDeviceCaps(screen.get(), HORZRES)),
                   MulDiv(size, 100 * GetDeviceCaps(screen.get(), VERTSIZE), GetDeviceCaps(screen.get(), VERTRES))};
  HDC enhancedRecorder = CreateEnhMetaFileW(screen.get(), nullptr, &frame, nullptr);
  CHECK_HR(DrawInto(bench, enhancedRecorder, bounds), S_OK);
  HENHMETAFILE emf = CloseEnhMetaFile(enhancedRecorder);
  CheckRecordSize("the EMF record", GetEnhMetaFileBits(emf, 0, nullptr));
  host::Canvas fromEmf(played, played);
  fromEmf.Fill(kBackground);
  const RECT playedBounds{0, 0, played, played};
  CHECK(PlayEnhMetaFile(fromEmf.Dc(), emf, &playedBounds));
  DeleteEnhMetaFile(emf);
  CheckPrintQuality("an EMF played back", core, fromEmf.Read());
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

// Axes a container may turn round (inverted bounds, a mirroring mapping): the
// board covers exactly the bounds' pixels on the device, one edge inclusive, the
// other not, as a rectangle filled there would.
void FlippedAxes(Bench& bench) {
  check::context = "Draw with turned axes";
  const int size = host::kBoardPixels, margin = 10, whole = size + 2 * margin;
  const int lo = margin, hi = margin + size;
  struct Case {
    const char* name;
    int xExtent, yExtent;  // the viewport's, against a window extent of 1
    RECT bounds;
  };
  const Case cases[] = {
      {"x inverted", 1, 1, {hi, lo, lo, hi}},
      {"y inverted", 1, 1, {lo, hi, hi, lo}},
      {"both inverted", 1, 1, {hi, hi, lo, lo}},
      {"x mirrored by the mapping", -1, 1, {-lo, lo, -hi, hi}},
      {"y mirrored by the mapping", 1, -1, {lo, -lo, hi, -hi}},
      {"x mirrored, bounds inverted", -1, 1, {-hi, lo, -lo, hi}},
      {"both mirrored", -1, -1, {-lo, -lo, -hi, -hi}},
  };
  host::Canvas canvas(whole, whole);
  for (const Case& c : cases) {
    canvas.Fill(kBackground);
    SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
    SetWindowExtEx(canvas.Dc(), 1, 1, nullptr);
    SetViewportExtEx(canvas.Dc(), c.xExtent, c.yExtent, nullptr);
    CHECK_HR(DrawInto(bench, canvas.Dc(), c.bounds), S_OK);
    SetMapMode(canvas.Dc(), MM_TEXT);
    const host::Pixels drawn = canvas.Read();
    int outside = 0, bare = 0;
    for (int y = 0; y < whole; ++y)
      for (int x = 0; x < whole; ++x) {
        const bool inside = x >= lo && x < hi && y >= lo && y < hi;
        if (inside && drawn.At(x, y) == kBackground) ++bare;
        if (!inside && drawn.At(x, y) != kBackground) ++outside;
      }
    if (outside || bare)
      check::Fail(__LINE__, std::string(c.name) + ": " + std::to_string(outside) + " pixels outside, " +
                                std::to_string(bare) + " inside left bare");
  }
  check::context = "";
}

// Answers yes for the first `calls[0]` calls, counting them in `calls[1]`.
BOOL STDMETHODCALLTYPE ContinueFor(ULONG_PTR argument) {
  auto* calls = reinterpret_cast<int*>(argument);
  return calls[1]++ < calls[0];
}

long BackgroundLeft(const host::Canvas& canvas) {
  const host::Pixels pixels = canvas.Read();
  return static_cast<long>(std::count(pixels.data.begin(), pixels.data.end(), kBackground));
}

// Draw's contract: the content aspect has no parts, a caller may stop a drawing
// (at once on a screen, part way through a record), and bounds of any size draw
// the board or are refused with nothing drawn.
void DrawingContract(Bench& bench) {
  check::context = "Draw's contract";
  const int size = host::kBoardPixels;
  host::Canvas canvas(size, size);
  struct Case {
    LONG part;
    int yesAnswers;
    bool record;
    HRESULT expected;
  };
  for (Case c : {Case{0, 9, false, DV_E_LINDEX}, Case{1, 9, false, DV_E_LINDEX}, Case{-1, 0, false, E_ABORT},
                 Case{-1, 1, true, E_ABORT}, Case{-1, 99, false, S_OK}}) {
    int calls[2] = {c.yesAnswers, 0};
    canvas.Fill(kBackground);
    HDC recorder = c.record ? CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr) : nullptr;
    CHECK_HR(DrawInto(bench, recorder ? recorder : canvas.Dc(), {0, 0, size, size}, c.part, ContinueFor,
                      reinterpret_cast<ULONG_PTR>(calls)),
             c.expected);
    if (recorder) DeleteEnhMetaFile(CloseEnhMetaFile(recorder));
    CHECK((BackgroundLeft(canvas) == size * size) == (c.expected != S_OK));
  }

  // Larger than 1184 pixels, the board stretches its 148-pixel squares.
  const host::Pixels fine = host::CoreRender(host::CoreBoard::NewGame, 148, 8 * 148, 8 * 148);
  constexpr LONG kLargestDrawn = 1 << 20;
  for (LONG side : {LONG{1000}, LONG{100000}, kLargestDrawn, kLargestDrawn + 1, LONG{2000000}, LONG{10000000},
                    LONG{2100000000}, LONG{0x7FFFFFFF}}) {
    // Its top-left corner on the canvas's, then its bottom-right.
    for (bool fromEnd : {false, true}) {
      canvas.Fill(kBackground);
      const HRESULT hr =
          DrawInto(bench, canvas.Dc(), fromEnd ? RECT{size - side, size - side, size, size} : RECT{0, 0, side, side});
      const int corner = fromEnd ? size - 1 : 0, fineCorner = fromEnd ? 8 * 148 - 1 : 0;
      const bool drawn = hr == S_OK && BackgroundLeft(canvas) == 0 &&
                         canvas.Read().At(corner, corner) == fine.At(fineCorner, fineCorner);
      const bool refused = FAILED(hr) && BackgroundLeft(canvas) == size * size;
      if (drawn == refused || (side <= kLargestDrawn && !drawn))
        check::Fail(__LINE__, "bounds " + std::to_string(side) + (fromEnd ? " from the end: " : ": ") + check::Show(hr));
    }
  }
  check::context = "";
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
  FlippedAxes(bench);
  DrawingContract(bench);
}
