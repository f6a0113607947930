#include "control/win32/paper_record.h"

#include "board/squares.h"
#include "control/indexed_colours.h"
#include "control/win32/bitmap_info.h"

namespace control::win32 {

namespace {

// Where the k-th of the board's squares starts along a side, rounded alike for
// neighbours so they meet without a gap whatever the bounds' size or direction.
int Edge(LONG start, LONG length, int k) { return static_cast<int>(start + int64_t{length} * k / board::kBoardSize); }

}  // namespace

bool RecordBoard(HDC dc, const RECT& bounds, const std::vector<uint32_t>& pixels, int square,
                 const std::function<bool()>& keepGoing) {
  const int side = board::kBoardSize * square;
  const LONG width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
  bool finished = true;
  ColourIndexer indexer;
  for (int row = 0; row < board::kBoardSize && (finished = keepGoing()); ++row) {
    const int top = Edge(bounds.top, height, row), bottom = Edge(bounds.top, height, row + 1);
    const uint32_t* rowPixels = pixels.data() + static_cast<ptrdiff_t>(row) * square * side;
    int col = 0;
    // Neighbours whose colours share a palette go as one bitmap: fewer records, each exact.
    for (const int run : PaletteRuns(rowPixels, square, board::kBoardSize, side)) {
      const int left = Edge(bounds.left, width, col), right = Edge(bounds.left, width, col + run);
      const IndexedPixels& indexed = indexer.Index(rowPixels + col * square, run * square, square, side);
      const IndexedBitmapInfo info =
          TopDownIndexedBitmap(run * square, square, static_cast<DWORD>(indexed.stride), indexed.palette);
      StretchDIBits(dc, left, top, right - left, bottom - top, 0, 0, run * square, square, indexed.indices.data(),
                    info.Info(), DIB_RGB_COLORS, SRCCOPY);
      col += run;
    }
  }
  SetStretchBltMode(dc, previousMode);
  return finished;
}

}  // namespace control::win32
