#include "control/piece_animation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control/accessible_board.h"
#include "tests/error_number.h"
#include "tests/headless_control.h"

using namespace std::chrono_literals;
using board::ReadPlacement;
using control::DrawnBoard;
using control::PieceAnimation;
using control::PixelRect;

namespace {

class FakeClock final : public control::Clock {
 public:
  control::Milliseconds Now() const override { return now; }
  control::Milliseconds now{1000};
};

board::CellIndex Cell(std::string_view name) {
  return board::SquareIndex(board::Col(static_cast<int16_t>(name[0] - 'a' + 1)),
                            board::Row(static_cast<int16_t>('8' - name[1] + 1)));
}

std::string Names(const std::vector<board::CellIndex>& cells) {
  std::string names;
  for (board::CellIndex cell : cells) names.append(names.empty() ? "" : " ").append(board::SquareName(cell));
  return names;
}

std::string Names(const std::vector<control::Slide>& slides) {
  std::string names;
  for (const control::Slide& s : slides)
    names.append(names.empty() ? "" : " ").append(board::SquareName(s.from)).append("-").append(board::SquareName(s.to));
  return names;
}

bool Contains(const std::vector<PixelRect>& rects, PixelRect r) {
  for (PixelRect each : rects)
    if (each == r) return true;
  return false;
}

TEST(PlacementChange, PairsEachVanishedPieceWithTheNearestAppearingOneOfItsCode) {
  struct Case {
    const char *before, *after, *slides, *vanished, *appeared;
  };
  const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
  for (const Case& c : {
           Case{start, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", "e2-e4", "", ""},
           Case{"4k3/8/8/3p4/4P3/8/8/4K3", "4k3/8/8/3P4/8/8/8/4K3", "e4-d5", "d5", ""},
           Case{"r3k2r/8/8/8/8/8/8/R3K2R", "r3k2r/8/8/8/8/8/8/R4RK1", "e1-g1 h1-f1", "", ""},
           Case{"8/4P3/8/8/8/8/8/k6K", "4Q3/8/8/8/8/8/8/k6K", "", "e7", "e8"},
           Case{"8/8/8/8/8/8/8/R6R", "8/8/8/8/8/8/8/3RR3", "a1-d1 h1-e1", "", ""},
           Case{"8/8/8/8/8/8/8/N7", "8/8/8/8/8/8/1n6/8", "", "a1", "b2"},  // another colour does not pair
           Case{"8/8/8/8/8/8/8/8", "8/8/8/8/8/8/8/K7", "", "", "a1"},
           Case{start, start, "", "", ""},
       }) {
    const control::PlacementChange change = control::ChangeBetween(ReadPlacement(c.before), ReadPlacement(c.after));
    EXPECT_EQ(Names(change.slides), c.slides) << c.before << " -> " << c.after;
    EXPECT_EQ(Names(change.vanished), c.vanished) << c.before << " -> " << c.after;
    EXPECT_EQ(Names(change.appeared), c.appeared) << c.before << " -> " << c.after;
  }
}

TEST(PieceAnimation, APieceIsAtItsSquareAtTheStartHalfWayAtHalfTheTimeAndTheBoardIsWrittenAtTheEnd) {
  const auto before = ReadPlacement("8/8/8/8/8/8/4P3/8"), after = ReadPlacement("8/8/8/8/4P3/8/8/8");
  for (const DrawnBoard& geometry : {Drawn(37, false), Drawn(74, false, 0, 60), Drawn(46, true, 100)}) {
    const int q = geometry.Square(), x = geometry.geometry.Left(), y = geometry.geometry.Top();
    // e2 is column 5, row 7 from the top; flipped, column 4, row 2; the board centred in the control.
    const int left = x + (geometry.flipped ? 3 * q : 4 * q), e2Top = y + (geometry.flipped ? q : 6 * q);
    const int towardE4 = geometry.flipped ? q : -q;
    const PixelRect atE2{left, e2Top, left + q, e2Top + q}, atE3{left, e2Top + towardE4, left + q, e2Top + towardE4 + q};
    FakeClock clock;
    PieceAnimation animation(clock);

    const auto started = animation.Start(before, after, 1000ms, geometry);
    EXPECT_TRUE(Contains(started, atE2));
    ASSERT_EQ(animation.Pieces(geometry).size(), 1u);
    EXPECT_TRUE(animation.Pieces(geometry)[0].rect == atE2);
    EXPECT_EQ(animation.Pieces(geometry)[0].image, board::ImageOf(board::Wpawn));
    EXPECT_EQ(animation.ShownBeneath(Cell("e2")), board::PieceCode(board::None));
    EXPECT_EQ(animation.ShownBeneath(Cell("e4")), board::PieceCode(board::None));
    EXPECT_FALSE(animation.ShownBeneath(Cell("e3")));

    clock.now += 500ms;
    const auto halfWay = animation.NextFrame(geometry);
    EXPECT_TRUE(animation.Pieces(geometry)[0].rect == atE3);
    const PixelRect covered{left, std::min(atE2.top, atE3.top), left + q, std::max(atE2.bottom, atE3.bottom)};
    EXPECT_EQ(halfWay.size(), 1u);
    EXPECT_TRUE(Contains(halfWay, covered)) << "only where the piece was and is";

    clock.now += 500ms;
    const auto ended = animation.NextFrame(geometry);
    EXPECT_FALSE(animation.Running());
    EXPECT_TRUE(animation.Pieces(geometry).empty());
    EXPECT_FALSE(animation.ShownBeneath(Cell("e4")));
    EXPECT_TRUE(Contains(ended, atE2) && Contains(ended, atE3)) << "its squares and the piece's last place";
    EXPECT_TRUE(animation.NextFrame(geometry).empty());
  }
}

TEST(PieceAnimation, ACapturedPieceStaysBeneathUntilTheEndAndAWriteEndsItAtOnce) {
  FakeClock clock;
  PieceAnimation animation(clock);
  const DrawnBoard geometry;
  animation.Start(ReadPlacement("8/8/8/3p4/4P3/8/8/8"), ReadPlacement("8/8/8/3P4/8/8/8/8"), 200ms, geometry);
  EXPECT_EQ(animation.ShownBeneath(Cell("d5")), board::PieceCode(board::Bpawn));
  EXPECT_EQ(animation.ShownBeneath(Cell("e4")), board::PieceCode(board::None));
  clock.now += 50ms;
  animation.NextFrame(geometry);
  const PixelRect where = animation.Pieces(geometry)[0].rect;

  const auto ended = animation.Finish(geometry);
  EXPECT_FALSE(animation.Running());
  EXPECT_FALSE(animation.ShownBeneath(Cell("d5")));
  EXPECT_TRUE(Contains(ended, where) && Contains(ended, control::DrawnSquareRect(Cell("d5"), geometry)));
  EXPECT_TRUE(animation.Finish(geometry).empty());
}

// Paints a mark's stand-in, telling whether the square is taken as occupied.
struct MarkUnderlay final : control::CellUnderlay {
  void PaintUnder(board::CellIndex, bool occupied, uint32_t* pixels, ptrdiff_t stride, int square) const override {
    for (int y = 0; y < square; ++y) std::fill_n(pixels + y * stride, square, occupied ? kOccupied : kEmpty);
  }
  static constexpr uint32_t kOccupied = 0x112233, kEmpty = 0x445566;
};

TEST(PieceAnimation, TouchedSquaresShowWhatTheyShowedBeneathTheSlidingPieceOnAnyPartOfTheBoard) {
  FakeClock clock;
  PieceAnimation animation(clock);
  const DrawnBoard geometry = Drawn(46, true);
  animation.Start(ReadPlacement("8/8/8/3p4/4P3/8/8/8"), ReadPlacement("8/8/8/3P4/8/8/8/8"), 200ms, geometry);
  const MarkUnderlay marks;
  const control::SlideUnderlay underlay(animation, marks);
  EXPECT_FALSE(underlay.ShowsImages(Cell("d5")));
  EXPECT_FALSE(underlay.ShowsImages(Cell("e4")));
  EXPECT_TRUE(underlay.ShowsImages(Cell("a1")));
  const int q = geometry.Square();
  std::vector<uint32_t> cell(q * q);
  underlay.PaintUnder(Cell("e4"), true, cell.data(), q, q);
  EXPECT_EQ(cell[q * q / 2 + q / 2], MarkUnderlay::kEmpty) << "the square the piece left shows empty";
  underlay.PaintUnder(Cell("d5"), false, cell.data(), q, q);
  EXPECT_EQ(cell[0], MarkUnderlay::kOccupied) << "the captured pawn stays, its mark as on an occupied square";
  EXPECT_NE(cell[q * q / 2 + q / 2], MarkUnderlay::kOccupied);

  clock.now += 100ms;
  animation.NextFrame(geometry);
  const int side = 8 * q;
  const uint32_t kBoard = 0xABCDEF;
  std::vector<uint32_t> board(side * side, kBoard);
  control::PaintSlidingPieces(animation, geometry, {0, 0, side, side}, board.data(), side,
                              control::PictureSet::ForSize(q));
  const PixelRect piece = animation.Pieces(geometry)[0].rect;
  EXPECT_NE(board[(piece.top + 30) * side + piece.left + 23], kBoard);
}

TEST(PieceAnimation, NothingRunsWhenNothingSlidesOrTheTimeIsZero) {
  FakeClock clock;
  PieceAnimation animation(clock);
  EXPECT_TRUE(animation.Start(ReadPlacement("8/4P3/8/8/8/8/8/8"), ReadPlacement("4Q3/8/8/8/8/8/8/8"), 200ms, {}).empty());
  EXPECT_FALSE(animation.Running());
  EXPECT_TRUE(animation.Start(ReadPlacement("8/8/8/8/8/8/4P3/8"), ReadPlacement("8/8/8/8/4P3/8/8/8"), 0ms, {}).empty());
  EXPECT_FALSE(animation.Running());
}

}  // namespace
