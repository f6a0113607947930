// Many boards on one form: creates and in-place activates N boards in one
// top-level window and reports, per board, the time to create it, the windows,
// GDI objects and memory it holds, and how fast the crowded form still repaints
// and takes a click; the same for a naive board (a window and a bitmap per cell).
// Without arguments it runs every case, each in a process of its own so the
// memory figures start clean, and prints the table.
#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/many_boards/animation_frames.h"
#include "bench/many_boards/naive_board.h"
#include "bench/many_boards/paint_paths.h"
#include "bench/many_boards/position_writes.h"
#include "bench/many_boards/versus_bare.h"
#include "component/identity.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kClientWidth = 960;
constexpr int kClientHeight = 700;
constexpr int kClickCol = 5, kClickRow = 7;

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

long ChildWindows(HWND window) {
  long count = 0;
  EnumChildWindows(window, CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Live GDI objects of the process. Wine answers GetGuiResources with 0, but
// keeps its handle table where Windows does (the PEB's GdiSharedHandleTable):
// 64K entries of 24 bytes whose type byte, at offset 14, is 0 when free.
long GdiObjects() {
  if (!UnderWine()) return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  constexpr size_t kTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
  constexpr size_t kEntrySize = 24, kTypeOffset = 14, kEntries = 0x10000;
  using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  const BYTE* table = *reinterpret_cast<const BYTE* const*>(peb + kTableOffset);
  if (!table) return -1;
  long count = 0;
  for (size_t i = 0; i < kEntries; ++i) count += table[i * kEntrySize + kTypeOffset] != 0;
  return count;
}

struct Memory {
  double privateKiB, workingSetKiB, committedKiB;
};

// Wine reports PrivateUsage as the swap in use (0), so the private memory
// committed is also summed from the address space itself.
double CommittedPrivateKiB() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const BYTE* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;
       address = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize)
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  return total / 1024.0;
}

Memory ProcessMemory() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return {counters.PrivateUsage / 1024.0, counters.WorkingSetSize / 1024.0, CommittedPrivateKiB()};
}

// Boards in a grid filling the client area, overlapping when there are many.
POINT Place(int index, int count) {
  const int columns = static_cast<int>(std::ceil(std::sqrt(count)));
  const int rows = (count + columns - 1) / columns;
  const int stepX = columns > 1 ? (kClientWidth - host::kBoardPixels) / (columns - 1) : 0;
  const int stepY = rows > 1 ? (kClientHeight - host::kBoardPixels) / (rows - 1) : 0;
  return {(index % columns) * stepX, (index / columns) * stepY};
}

LPARAM CellCentre() {
  const POINT p = host::Mouse::CellCentre(kClickCol, kClickRow);
  return MAKELPARAM(p.x, p.y);
}

// One variant of the board as the measurement sees it.
class Boards {
 public:
  virtual ~Boards() = default;
  virtual bool Add(HWND form, POINT place) = 0;
  virtual void RemoveAll() = 0;
  virtual long CountedGdiObjects() const = 0;  // what the board's code creates and keeps
  virtual bool Click() = 0;                    // one click on the last board, true when it raised Click
};

class RealBoards final : public Boards {
 public:
  RealBoards() : sink_(host::Make<host::EventSink>(component::identity::kEventInterfaceId)) {}
  ~RealBoards() override { RemoveAll(); }

  bool Add(HWND form, POINT place) override {
    auto board = std::make_unique<host::EmbeddedControl>(
        form, RECT{place.x, place.y, place.x + host::kBoardPixels, place.y + host::kBoardPixels});
    board->SetEventInterface(component::identity::kEventInterfaceId);
    HRESULT hr = board->Create(component::identity::kClassId);
    if (SUCCEEDED(hr)) hr = board->ConnectEvents(sink_.get());
    if (SUCCEEDED(hr)) hr = board->InitNew();
    if (SUCCEEDED(hr)) hr = board->Activate();
    if (FAILED(hr)) std::printf("cannot place a board: 0x%08lX\n", static_cast<unsigned long>(hr));
    boards_.push_back(std::move(board));
    return SUCCEEDED(hr);
  }
  void RemoveAll() override { boards_.clear(); }
  // The control paints from a buffer shared by all; it creates no GDI object to keep.
  long CountedGdiObjects() const override { return 0; }
  bool Click() override {
    HWND window = boards_.back()->Window();
    const size_t before = sink_->Events().size();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, CellCentre());
    SendMessageW(window, WM_LBUTTONUP, 0, CellCentre());
    const auto& events = sink_->Events();
    const bool clicked = std::any_of(events.begin() + before, events.end(), [](auto& e) { return e.dispid == 1; });
    sink_->ClearEvents();
    return clicked;
  }

 private:
  com::ComPtr<host::EventSink> sink_;
  std::vector<std::unique_ptr<host::EmbeddedControl>> boards_;
};

class NaiveBoards final : public Boards {
 public:
  bool Add(HWND form, POINT place) override {
    boards_.push_back(std::make_unique<bench::NaiveBoard>(form, place));
    return boards_.back()->Window() != nullptr;
  }
  void RemoveAll() override { boards_.clear(); }
  long CountedGdiObjects() const override { return bench::NaiveBoard::LiveBitmaps(); }
  bool Click() override {
    const bench::NaiveBoard& board = *boards_.back();
    HWND cell = board.CellWindow(board::CellIndex(static_cast<int16_t>((kClickRow - 1) * 8 + kClickCol)));
    const int before = board.Clicks();
    const LPARAM centre = MAKELPARAM(host::kCellPixels / 2, host::kCellPixels / 2);
    SendMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(cell, WM_LBUTTONUP, 0, centre);
    return board.Clicks() == before + 1;
  }

 private:
  std::vector<std::unique_ptr<bench::NaiveBoard>> boards_;
};

// One case, in this process: prints a RESULT line for the parent.
int RunCase(const std::string& variant, int count) {
  if (FAILED(OleInitialize(nullptr))) return 3;
  std::unique_ptr<Boards> boards;
  if (variant == "real") boards = std::make_unique<RealBoards>();
  else boards = std::make_unique<NaiveBoards>();
  HWND form = host::CreateHostWindow(L"Many boards", kClientWidth, kClientHeight);

  // One board first, created and removed, so loading the library, decoding the
  // pictures and registering window classes are not counted per board.
  if (!boards->Add(form, {0, 0})) return 1;
  host::PumpMessages();
  boards->RemoveAll();
  host::PumpMessages();

  const long windowsBefore = ChildWindows(form), gdiBefore = GdiObjects();
  const long countedBefore = boards->CountedGdiObjects();
  const Memory memoryBefore = ProcessMemory();
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i)
    if (!boards->Add(form, Place(i, count))) return 1;
  const double createUs = Microseconds(Clock::now() - start) / count;
  host::PumpMessages();
  const Memory memoryAfter = ProcessMemory();
  const long windows = ChildWindows(form) - windowsBefore;
  const long gdiWith = GdiObjects();
  const long counted = boards->CountedGdiObjects() - countedBefore;

  constexpr int kRepaints = 5, kClicks = 200;
  auto t = Clock::now();
  for (int i = 0; i < kRepaints; ++i) {
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(form);
  }
  const double repaintMs = Microseconds(Clock::now() - t) / kRepaints / 1000;
  t = Clock::now();
  int clicked = 0;
  for (int i = 0; i < kClicks; ++i) clicked += boards->Click();
  const double clickUs = Microseconds(Clock::now() - t) / kClicks;

  // What the boards held is what their removal gives back; the rest of the
  // growth stays with the system (Wine keeps a bounded cache of DCs).
  const long gdiBeforeRemoval = GdiObjects();
  boards->RemoveAll();
  host::PumpMessages();
  const long gdiHeld = gdiBeforeRemoval - GdiObjects();

  const double n = count;
  std::printf("RESULT %s %d %.1f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.1f %d\n", variant.c_str(), count, createUs,
              windows / n, (gdiWith - gdiBefore) / n, gdiHeld / n, counted / n,
              (memoryAfter.privateKiB - memoryBefore.privateKiB) / n,
              (memoryAfter.workingSetKiB - memoryBefore.workingSetKiB) / n,
              (memoryAfter.committedKiB - memoryBefore.committedKiB) / n, repaintMs, clickUs, clicked == kClicks);
  std::fflush(stdout);
  boards.reset();
  DestroyWindow(form);
  host::PumpMessages();
  OleUninitialize();
  return clicked == kClicks ? 0 : 1;
}

struct Row {
  char variant[16] = {};
  int count = 0;
  double createUs = 0, windows = 0, gdiLive = 0, gdiHeld = 0, counted = 0, privateKiB = 0, workingSetKiB = 0,
         committedKiB = 0, repaintMs = 0, clickUs = 0;
  int clickOk = 0;
};

bool RunChild(const std::string& self, const char* variant, int count, Row& row) {
  const std::string command = "\"\"" + self + "\" --case " + variant + " " + std::to_string(count) + "\"";
  FILE* child = _popen(command.c_str(), "r");
  if (!child) return false;
  char line[512];
  bool found = false;
  while (std::fgets(line, sizeof line, child)) {
    if (std::sscanf(line, "RESULT %15s %d %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %d", row.variant, &row.count,
                    &row.createUs, &row.windows, &row.gdiLive, &row.gdiHeld, &row.counted, &row.privateKiB,
                    &row.workingSetKiB, &row.committedKiB, &row.repaintMs, &row.clickUs, &row.clickOk) == 13)
      found = true;
    else
      std::printf("  (%s %d) %s", variant, count, line);
  }
  return _pclose(child) == 0 && found;
}

int RunAll(int naiveLimit) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::printf("Many boards on one form, %dx%d client area, %s\n", kClientWidth, kClientHeight,
              UnderWine() ? "under Wine" : "on Windows");
  std::printf("real:  the control through COM: CoCreateInstance, event connection, InitNew, in-place activation\n");
  std::printf("naive: the same core in its own window plus a child window and a bitmap per cell, no COM:\n");
  std::printf("       the real board goes through more layers, the naive one only through its windows\n");
  std::printf("GDI held: objects its removal gives back; live: growth of the process's GDI objects while they exist\n");
  std::printf("KiB: working set / private memory committed as VirtualQuery sees it (Wine allocates bitmap bits\n");
  std::printf("     outside it); PrivateUsage as reported in the last column (Wine reports the swap in use)\n\n");
  std::printf("| N | variant | us per board | windows per board | GDI held per board (live; kept by code) | "
              "KiB per board (working set / committed) | repaint all, ms | click, us | PrivateUsage KiB |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|\n");
  const int counts[] = {1, 10, 100, 1000};
  std::vector<Row> rows;
  bool ok = true;
  for (const char* variant : {"real", "naive"})
    for (int count : counts) {
      if (std::strcmp(variant, "naive") == 0 && count > naiveLimit) continue;
      Row row;
      if (!RunChild(self, variant, count, row)) {
        std::printf("| %d | %s | failed | | | | | | |\n", count, variant);
        ok = false;
        continue;
      }
      std::printf("| %d | %s | %.1f | %.2f | %.2f (%.2f; %.0f) | %.2f / %.2f | %.2f | %.1f%s | %.2f |\n", count,
                  variant, row.createUs, row.windows, row.gdiHeld, row.gdiLive, row.counted, row.workingSetKiB,
                  row.committedKiB, row.repaintMs, row.clickUs, row.clickOk ? "" : " (no Click event!)",
                  row.privateKiB);
      std::fflush(stdout);
      rows.push_back(row);
    }
  std::printf("\nCreation time, naive / real:");
  for (int count : counts) {
    const Row *real = nullptr, *naive = nullptr;
    for (const Row& r : rows)
      if (r.count == count) (std::strcmp(r.variant, "real") == 0 ? real : naive) = &r;
    if (real && naive) std::printf("  N=%d: %.1fx", count, naive->createUs / real->createUs);
  }
  std::printf("\n");
  return ok ? 0 : 1;
}

}  // namespace

// many_boards [--naive-limit N] | many_boards --case real|naive N | many_boards --versus-bare [ROUNDS] |
// many_boards --position [ROUNDS] | many_boards --view-repaint [ROUNDS] | many_boards --resize [ROUNDS] |
// many_boards --paint-paths [ROUNDS] | many_boards --in-turn chess|board [ROUNDS] | many_boards --pose SIDE |
// many_boards --animation [ROUNDS]
int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--versus-bare")
    return bench::CompareWithBareWindow(argc >= 3 ? std::atoi(argv[2]) : 30);
  if (argc == 4 && std::string(argv[1]) == "--case") return RunCase(argv[2], std::atoi(argv[3]));
  if (argc >= 2 && std::string(argv[1]) == "--paint-paths") return bench::RunPaintPaths(argc > 2 ? std::atoi(argv[2]) : 15);
  if (argc >= 3 && std::string(argv[1]) == "--in-turn")
    return bench::RunManyInTurn(argc > 3 ? std::atoi(argv[3]) : 15, std::string(argv[2]) == "board");
  if (argc >= 2 && std::string(argv[1]) == "--position") return bench::RunPositionWrites(argc > 2 ? std::atoi(argv[2]) : 200);
  if (argc >= 2 && std::string(argv[1]) == "--animation") return bench::CompareAnimationFrames(argc > 2 ? std::atoi(argv[2]) : 10);
  if (argc >= 2 && std::string(argv[1]) == "--view-repaint") return bench::RunViewRepaints(argc > 2 ? std::atoi(argv[2]) : 200);
  if (argc >= 2 && std::string(argv[1]) == "--resize") return bench::RunResizeSteps(argc > 2 ? std::atoi(argv[2]) : 5);
  if (argc == 3 && std::string(argv[1]) == "--pose") return bench::ShowPose(std::atoi(argv[2]), 6);
  int naiveLimit = 100;
  if (argc == 3 && std::string(argv[1]) == "--naive-limit") naiveLimit = std::atoi(argv[2]);
  return RunAll(naiveLimit);
}
