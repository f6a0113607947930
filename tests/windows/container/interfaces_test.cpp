// Which container interfaces and ambient properties the control asks for over
// a full life cycle: the list is printed for the record.
#include <cstdio>

#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "host/container_site/pixels.h"

namespace {

void Exercise(Bench& bench) {
  CHECK_HR(bench.Board()->NewGame(), S_OK);
  bench.SetPiece(5, 5, 8);  // refused in design mode; the ambient read is what counts
  CHECK_HR(bench.Board()->put_Enabled(VARIANT_TRUE), S_OK);
  bench.Mouse().Click(host::Mouse::CellCentre(1, 1));
  CHECK_HR(bench.Board()->Refresh(), S_OK);
  com::ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  CHECK_HR(bench.control->As<IPersistStreamInit>()->Save(stream.get(), TRUE), S_OK);
  host::Canvas canvas(host::kBoardPixels, host::kBoardPixels);
  const RECTL bounds{0, 0, host::kBoardPixels, host::kBoardPixels};
  CHECK_HR(bench.control->As<IViewObject2>()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(),
                                                   &bounds, nullptr, nullptr, 0),
           S_OK);
  PumpMessages();
  bench.control->Remove();
}

}  // namespace

void TestInterfaces() {
  for (bool userMode : {true, false}) {
    Bench bench({.userMode = userMode});
    if (!bench.ready) return;
    Exercise(bench);
    std::printf("%s:\n", userMode ? "Run mode" : "Design mode");
    bench.log.Print();
    CHECK(!bench.log.Interfaces().empty());
  }
}
