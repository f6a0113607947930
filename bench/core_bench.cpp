#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "art/draw/pictures.h"
#include "control/device_scale.h"
#include "control/indexed_colours.h"
#include "control/headless/headless_platform.h"
#include "control/ovl_board.h"
#include "control/ovl_chess.h"
#include "control/view_layers.h"

namespace {

using control::OvlChess;
using control::headless::HeadlessPlatform;

struct Instance {
  HeadlessPlatform platform;
  OvlChess chess{platform};
  Instance() {
    chess.UserControl_Initialize();
    chess.UserControl_InitProperties();
  }
};

void Construction(benchmark::State& state) {
  control::PictureSet::Shared();  // decoded once per process, not per instance
  for (auto _ : state) {
    auto instance = std::make_unique<Instance>();
    benchmark::DoNotOptimize(instance.get());
  }
}
BENCHMARK(Construction);

void NewGame(benchmark::State& state) {
  Instance instance;
  for (auto _ : state) instance.chess.NewGame();
}
BENCHMARK(NewGame);

void Clear(benchmark::State& state) {
  Instance instance;
  instance.chess.NewGame();
  for (auto _ : state) instance.chess.Clear();
}
BENCHMARK(Clear);

void PieceWrite(benchmark::State& state) {
  Instance instance;
  int16_t code = 2;
  for (auto _ : state) {
    instance.chess.Piece(3, 4, code);
    code = code == 13 ? 2 : code + 1;
  }
}
BENCHMARK(PieceWrite);

void PieceWriteAndRecompose(benchmark::State& state) {
  Instance instance;
  uint32_t cell[control::kPicturePixels];
  int16_t code = 2;
  for (auto _ : state) {
    instance.chess.Piece(3, 4, code);
    instance.platform.Cells().ComposeCell(board::CellIndex{27}, cell, control::kPictureSize);
    benchmark::DoNotOptimize(cell[0]);
    code = code == 13 ? 2 : code + 1;
  }
}
BENCHMARK(PieceWriteAndRecompose);

void RenderFullBoard(benchmark::State& state) {
  Instance instance;
  instance.chess.NewGame();
  constexpr int kBoard = control::kBoardPixels;
  std::vector<uint32_t> pixels(kBoard * kBoard);
  for (auto _ : state) {
    instance.platform.Cells().Render(pixels.data(), kBoard, kBoard, kBoard);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(RenderFullBoard);

// At 200 % the board has four times the pixels.
void RenderFullBoardAtScale(benchmark::State& state) {
  Instance instance;
  instance.chess.NewGame();
  const int square = control::DeviceScale::FromFactor(state.range(0) / 100.0).Square();
  const int side = 8 * square;
  control::PictureSet::ForSize(square);  // drawn once per process, not per render
  std::vector<uint32_t> pixels(side * side);
  for (auto _ : state) {
    instance.platform.Cells().Render(pixels.data(), side, side, side, 0, 0, square);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(RenderFullBoardAtScale)->Arg(100)->Arg(125)->Arg(150)->Arg(200)->Arg(300);

// A whole repaint with the view's layers: with 8 marks, 4 arrows and the
// coordinates against the same board with an empty view, at 100 % and 200 %.
void RenderWithView(benchmark::State& state) {
  Instance instance;
  instance.chess.NewGame();
  control::BoardView view;
  if (state.range(1) != 0) {
    view.SetShowCoordinates(true);
    for (int16_t col = 1; col <= 8; ++col) view.SetMark(col, col % 2 ? 7 : 5, static_cast<int32_t>(col % 4 + 1));
    view.DrawArrow(5, 7, 5, 5);
    view.DrawArrow(7, 8, 6, 6);
    view.DrawArrow(4, 8, 8, 4);
    view.DrawArrow(1, 1, 8, 8);
  }
  const int square = control::DeviceScale::FromFactor(state.range(0) / 100.0).Square();
  const int side = 8 * square;
  control::PictureSet::ForSize(square);
  std::vector<uint32_t> pixels(side * side);
  for (auto _ : state) {
    control::RenderView(instance.platform.Cells(), view, pixels.data(), side, side, side, 0, 0, square);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetLabel(state.range(1) ? "8 marks, 4 arrows, coordinates" : "empty view");
}
BENCHMARK(RenderWithView)->ArgsProduct({{100, 200}, {0, 1}});

// One frame of a drag: the pointer moved while a piece is lifted, so the
// rectangle it left and the one it entered are composed again (the lifted
// square bare, the view, the piece on top), against repainting the whole board.
void DragFrame(benchmark::State& state) {
  HeadlessPlatform platform;
  control::OvlBoard board{platform};
  board.UserControl_Initialize();
  board.NewGame();
  board.Mark(5, 7, control::mkSelected);
  const int square = control::DeviceScale::FromFactor(state.range(0) / 100.0).Square();
  const int side = 8 * square;
  control::PictureSet::ForSize(square);
  const bool whole = state.range(1) != 0;
  const control::CellIndex lifted = board::SquareIndex(board::Col(5), board::Row(7));
  // Pointer at 3.5 and 3.6 squares across: the two rectangles overlap as they do in a smooth drag.
  const control::PixelRect rects[] = {{3 * square, 3 * square, 4 * square, 4 * square},
                                      {3 * square + square / 10, 3 * square, 4 * square + square / 10, 4 * square}};
  std::vector<uint32_t> pixels(static_cast<size_t>(side) * side);
  auto compose = [&](control::PixelRect r) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    control::RenderView(platform.Cells(), board.View(), pixels.data(), width, height, width, r.left, r.top, square,
                        lifted);
    control::PaintPiece(board::ImageOf(board::Wpawn), rects[1].left, rects[1].top, pixels.data(), width, height, width,
                        r.left, r.top, square);
    return static_cast<int64_t>(width) * height;
  };
  int64_t redrawn = 0;
  for (auto _ : state) {
    redrawn = whole ? compose({0, 0, side, side}) : compose(rects[0]) + compose(rects[1]);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetLabel(std::to_string(redrawn) + " pixels redrawn" + (whole ? ", whole board" : ", two rectangles"));
}
BENCHMARK(DragFrame)->ArgsProduct({{100, 200}, {0, 1}});

// Every allocation of the process, for the paper record's count.
std::atomic<size_t> allocations{0};

// A record for paper indexes the board at 148-pixel squares: 0 square by square
// with a fresh IndexColours each (as it did), 1 by runs of squares sharing a
// palette through one ColourIndexer. Counts bitmaps and allocations per record.
void PaperRecordIndexing(benchmark::State& state) {
  Instance board;
  board.chess.NewGame();
  constexpr int kSquare = 148, kSide = 8 * kSquare;
  const std::vector<uint32_t> pixels = board.platform.Render(kSquare);
  size_t bitmaps = 0, allocated = 0;
  for (auto _ : state) {
    const size_t before = allocations;
    bitmaps = 0;
    control::ColourIndexer indexer;
    for (int row = 0; row < 8; ++row) {
      const uint32_t* rowPixels = pixels.data() + row * kSquare * kSide;
      if (state.range(0) == 0) {
        for (int col = 0; col < 8; ++col, ++bitmaps)
          benchmark::DoNotOptimize(control::IndexColours(rowPixels + col * kSquare, kSquare, kSquare, kSide));
        continue;
      }
      int col = 0;
      for (int run : control::PaletteRuns(rowPixels, kSquare, 8, kSide)) {
        benchmark::DoNotOptimize(&indexer.Index(rowPixels + col * kSquare, run * kSquare, kSquare, kSide));
        col += run, ++bitmaps;
      }
    }
    allocated = allocations - before;
  }
  state.counters["bitmaps"] = static_cast<double>(bitmaps);
  state.counters["allocations"] = static_cast<double>(allocated);
}
BENCHMARK(PaperRecordIndexing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a process pays the first time it shows the board at a new scale.
void DrawPicturesForANewSize(benchmark::State& state) {
  const int square = control::DeviceScale::FromFactor(state.range(0) / 100.0).Square();
  for (auto _ : state) {
    std::vector<art::Picture> pictures = art::DrawImages(square);
    benchmark::DoNotOptimize(pictures.data());
  }
}
BENCHMARK(DrawPicturesForANewSize)->Arg(125)->Arg(150)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);

// Heap the process keeps for the pictures of one display scale, made on its first use (glibc's count of
// allocated bytes, so the figure is exact and the same on every run).
size_t PictureMemory(int percent) {
  const size_t before = mallinfo2().uordblks;
  control::PictureSet::ForSize(control::DeviceScale::FromFactor(percent / 100.0).Square());
  return mallinfo2().uordblks - before;
}

}  // namespace

// Replaced for the whole process, so every new meets this delete: GCC cannot see that.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::printf("board state per instance: %zu bytes (store %zu, cells %zu, rest of control %zu)\n",
              sizeof(OvlChess) + sizeof(control::CellGrid), sizeof(board::BoardStore),
              sizeof(control::CellGrid), sizeof(OvlChess) - sizeof(board::BoardStore));
  // Before any benchmark has made them.
  for (int percent : {100, 200})
    std::printf("pictures at %d %%: %zu bytes per process\n", percent, PictureMemory(percent));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
