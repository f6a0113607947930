#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "control/composed_board.h"
#include "control/view_layers.h"
#include "tests/headless_control.h"

using control::ComposedBoard;
using control::PixelRect;

namespace {

constexpr uint32_t kBackground = 0x123456;

// Updates the control's kept pixels, recording the areas composed.
struct KeptBoard {
  HeadlessControl& board;
  int square;
  std::vector<PixelRect> composed = {};

  ComposedBoard& Cache() { return board.platform.ComposedPixels(); }
  ComposedBoard::Composer Composer() {
    return [&](PixelRect area, uint32_t* pixels, ptrdiff_t stride) {
      composed.push_back(area);
      control::ComposeShown(board.platform.Cells(), board.control.View(), {}, area, square, kBackground, pixels, stride);
    };
  }
  int Update(PixelRect needed = {0, 0, ComposedBoard::kWholeBoard, ComposedBoard::kWholeBoard}) {
    composed.clear();
    return Cache().Update(board.platform.Cells(), square, Composer(), needed);
  }
  std::vector<uint32_t> Kept() {
    const int side = Cache().Side();
    return {Cache().Pixels(), Cache().Pixels() + side * side};
  }
  std::vector<uint32_t> Fresh() const {
    const int side = 8 * square;
    std::vector<uint32_t> pixels(side * side);
    control::ComposeShown(board.platform.Cells(), board.control.View(), {}, {0, 0, side, side}, square, kBackground, pixels.data(), side);
    return pixels;
  }
};

using Steps = std::function<void(control::OvlChess&)>;

}  // namespace

TEST(ComposedBoard, AfterAnyChangesTheKeptPixelsAreAFreshRender) {
  struct Case {
    const char* name;
    Steps steps;
  };
  const Case cases[] = {
      {"nothing", [](auto&) {}},
      {"new game", [](auto& c) { c.NewGame(); }},
      {"one write", [](auto& c) { c.Piece(3, 4, 10); }},
      {"game then clear", [](auto& c) { c.NewGame(), c.Clear(); }},
      {"a square written over and over",
       [](auto& c) {
         for (int piece : {2, 12, 7, 1, 6}) c.Piece(5, 5, piece);
       }},
      {"a move", [](auto& c) { c.NewGame(), c.Piece(5, 4, c.Piece(5, 2)), c.Piece(5, 2, 1); }},
      {"disabled with pieces", [](auto& c) { c.NewGame(), c.Enabled(false), c.Piece(1, 1, 1); }},
  };
  for (int square : {37, 55}) {
    for (const Case& c : cases) {
      HeadlessControl control;
      KeptBoard kept{control, square};
      kept.Update();
      c.steps(control.control);
      kept.Update();
      EXPECT_EQ(kept.Kept(), kept.Fresh()) << c.name << " at " << square;
    }
  }
}

TEST(ComposedBoard, OnlyTheCellsThatChangedAreComposedAgain) {
  HeadlessControl control;
  KeptBoard kept{control, 37};
  EXPECT_EQ(kept.Update(), 1);  // the whole board, the first time
  control.control.NewGame();
  kept.Update();
  EXPECT_EQ(kept.Update(), 0);

  control.control.Piece(3, 4, 10);
  ASSERT_EQ(kept.Update(), 1);
  const PixelRect cell = control.platform.Cells().Bounds(board::SquareIndex(board::Col(3), board::Row(4)), 37);
  EXPECT_EQ(std::tie(kept.composed[0].left, kept.composed[0].top, kept.composed[0].right, kept.composed[0].bottom),
            std::tie(cell.left, cell.top, cell.right, cell.bottom));

  control.control.Piece(1, 1, 1);
  control.control.Piece(8, 8, 1);
  control.control.Piece(1, 1, 4);
  EXPECT_EQ(kept.Update(), 2);

  // A new scale, or a change to everything, composes the whole board once.
  kept.square = 55;
  EXPECT_EQ(kept.Update(), 1);
  EXPECT_EQ(kept.Cache().Bytes(), size_t{440} * 440 * 4);
  kept.Cache().MarkAll();
  EXPECT_EQ(kept.Update(), 1);
  EXPECT_EQ(kept.Kept(), kept.Fresh());
  // Released pixels may come back to the next board with another's picture on them.
  kept.Cache().Release();
  EXPECT_EQ(kept.Cache().Bytes(), 0u);
  control.control.Clear();
  EXPECT_EQ(kept.Update(), 1);
  EXPECT_EQ(kept.Kept(), kept.Fresh());
}

// A form of many boards keeps only the pixels of those painted last.
TEST(ComposedBoard, OnlyTheBoardsUpdatedLastKeepTheirPixels) {
  std::vector<ComposedBoard> boards(ComposedBoard::kMostKept + 1);
  const control::CellGrid cells;
  const auto update = [&](ComposedBoard& b) { return b.Update(cells, 4, [](PixelRect, uint32_t*, ptrdiff_t) {}); };
  for (ComposedBoard& b : boards) update(b);
  EXPECT_EQ(boards.front().Bytes(), 0u);
  for (size_t i = 1; i < boards.size(); ++i) EXPECT_GT(boards[i].Bytes(), 0u) << i;
  update(boards[1]);  // now the last one updated: boards[2] is the oldest
  EXPECT_EQ(update(boards.front()), 1);
  EXPECT_EQ(boards[2].Bytes(), 0u);
  EXPECT_GT(boards[1].Bytes(), 0u);
}

TEST(PixelRects, UnionIntersectionAndTheGridSquaresARectangleMeets) {
  struct Case {
    PixelRect a, b, joined, common;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, {0, 0, 20, 20}, {5, 5, 10, 10}},
      {{0, 0, 10, 10}, {30, 0, 40, 10}, {0, 0, 40, 10}, {30, 0, 10, 10}},  // apart: the box round both, nothing common
      {{0, 0, 0, 0}, {3, 4, 5, 6}, {3, 4, 5, 6}, {3, 4, 0, 0}},             // empty adds nothing
      {{-5, -5, 5, 5}, {-5, -5, 5, 5}, {-5, -5, 5, 5}, {-5, -5, 5, 5}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(control::Union(c.a, c.b), c.joined);
    EXPECT_EQ(control::Union(c.b, c.a), c.joined);
    EXPECT_EQ(control::Intersection(c.a, c.b).Empty(), c.common.Empty());
    if (!c.common.Empty()) EXPECT_EQ(control::Intersection(c.a, c.b), c.common);
  }
  struct Meeting {
    PixelRect area;
    int square;
    uint64_t squares;
  };
  const Meeting meetings[] = {
      {{0, 0, 37, 37}, 37, 1},                          // one square exactly
      {{36, 0, 38, 1}, 37, 0b11},                       // a pixel either side of a border
      {{0, 37, 1, 38}, 37, uint64_t{1} << 8},           // second row
      {{-100, -100, 1000, 1000}, 37, ~uint64_t{0}},     // beyond the board: every square, none outside
      {{296, 0, 400, 400}, 37, 0},                      // right of the board
      {{10, 10, 10, 50}, 37, 0},                        // empty
      {{0, 290, 5, 296}, 37, uint64_t{1} << 56},        // bottom-left corner
      {{100, 100, 200, 150}, 55, 0b1110ull << 8 | 0b1110ull << 16},
  };
  for (const Meeting& m : meetings) EXPECT_EQ(control::SquaresMeeting(m.area, m.square), m.squares) << m.area.left;
}

// A board without kept pixels composes the tiles a paint shows, and the rest when they are shown.
TEST(ComposedBoard, AnUpdateComposesOnlyTheStaleTilesOfTheAreaAskedFor) {
  for (int square : {37, 55}) {
    HeadlessControl control;
    control.control.NewGame();
    KeptBoard kept{control, square};
    const PixelRect sliver{square * 3 + 2, square * 5 - 3, square * 5, square * 5 + 1};  // meets 2 x 2 tiles
    EXPECT_EQ(kept.Update(sliver), 4) << square;
    EXPECT_FALSE(kept.Cache().Current());
    const std::vector<uint32_t> fresh = kept.Fresh();
    const int side = 8 * square;
    std::vector<uint32_t> shown((sliver.right - sliver.left) * (sliver.bottom - sliver.top), 1);
    kept.Cache().CopyOut(sliver, shown.data(), sliver.right - sliver.left);
    for (int y = sliver.top; y < sliver.bottom; ++y)
      for (int x = sliver.left; x < sliver.right; ++x)
        ASSERT_EQ(shown[(y - sliver.top) * (sliver.right - sliver.left) + x - sliver.left], fresh[y * side + x]);
    // Already current there: nothing to compose; a change inside composes its tile alone.
    EXPECT_EQ(kept.Update(sliver), 0);
    control.control.Piece(4, 5, 10);
    EXPECT_EQ(kept.Update(sliver), 1);
    // The rest once the whole board is asked for, each stale tile once.
    EXPECT_EQ(kept.Update(), 60) << square;
    EXPECT_TRUE(kept.Cache().Current());
    EXPECT_EQ(kept.Kept(), kept.Fresh());
    // Tiles marked from outside (an arrow's) are composed again, the others kept.
    kept.Cache().MarkTiles(0b101);
    EXPECT_EQ(kept.Update(), 2);
    // A copy reaching off the board leaves the pixels outside it alone.
    std::vector<uint32_t> edge(20 * 4, 7);
    kept.Cache().CopyOut({side - 10, -2, side + 10, 2}, edge.data(), 20);
    EXPECT_EQ(edge[0], 7u);
    EXPECT_EQ(edge[2 * 20 + 9], fresh[side - 1]);
    EXPECT_EQ(edge[2 * 20 + 10], 7u);
  }
}

// A paint of a resized board stretches the kept pixels only while the resize is
// live and they show the board as it stands with nothing over it.
TEST(ResizedPaint, StretchesTheKeptBoardOnlyWhenItShowsTheBoardAsItStands) {
  using control::ResizedPaint;
  const struct {
    const char* what;
    ResizedPaint paint;
    bool stretches;
  } cases[] = {
      {"a step of a live resize", {296, true, 328, false, false}, true},
      {"a step back to a smaller size", {600, true, 296, false, false}, true},
      {"the first paint: nothing kept", {0, false, 328, false, false}, false},
      {"the same size: a copy, not a stretch", {328, true, 328, false, false}, false},
      {"a cell written meanwhile", {296, false, 328, false, false}, false},
      {"the size's pictures drawn: the size held", {296, true, 328, true, false}, false},
      {"a slide, the choice, a lift or the cue over the board", {296, true, 328, false, true}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.paint.StretchesKept(), c.stretches) << c.what;
}
