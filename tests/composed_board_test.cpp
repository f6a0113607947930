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
  int Update() {
    composed.clear();
    return Cache().Update(board.platform.Cells(), square, [&](PixelRect area, uint32_t* pixels, ptrdiff_t stride) {
      composed.push_back(area);
      control::ComposeShown(board.platform.Cells(), board.control.View(), {}, area, square, kBackground, pixels, stride);
    });
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
