#pragma once

#include <cstddef>
#include <cstdint>

#include "control/board_view.h"
#include "control/cell_grid.h"
#include "control/move_input.h"
#include "control/ovl_chess.h"
#include "control/piece_animation.h"

namespace control {

// The view's pixels, at any square size, on 0x00RRGGBB buffers. Marks and
// coordinates belong to the square: they paint a cell's bottom picture before
// its pieces are composed over it (CellUnderlay). Arrows go over the composed board.

// Paints `mark` over a bare square's pixels, square x square with the given row
// stride, in its colour for the square's shade: a fill for selected and last
// move, the corners outside the inscribed circle for check, a dot for a target on an empty square and a ring round a piece.
void PaintMark(MarkNum mark, bool occupied, bool lightSquare, uint32_t* pixels, ptrdiff_t stride, int square);

// The size of the coordinate glyphs on a square: a fifth of it, rounded. None
// where that is under kLeast pixels: larger glyphs would meet the pieces.
struct CoordinateGlyphs {
  static constexpr int kLeast = 7;
  int width = 0, height = 0;
  // From the square's edges, one dot.
  int margin = 0;
  static CoordinateGlyphs ForSquare(int square);
  explicit operator bool() const { return height > 0; }
};

// Paints a square's coordinate labels, dark on light wood and light on dark:
// the rank digit in the top-left corner, the file letter in the bottom-right
// one, where the pieces leave the wood bare, in whole device pixels.
void PaintCoordinates(CoordinateLabels labels, bool lightSquare, uint32_t* pixels, ptrdiff_t stride, int square);
uint32_t CoordinateInk(bool lightSquare);

// The marks and coordinates of a view, for CellGrid::Render and ComposeCell.
// A cell `bare` (the square a piece was lifted from) shows no pieces.
class ViewUnderlay final : public CellUnderlay {
 public:
  explicit ViewUnderlay(const BoardView& view, CellIndex bare = {}) : view_(view), bare_(bare) {}
  void PaintUnder(CellIndex cell, bool showsImages, uint32_t* pixels, ptrdiff_t stride, int square) const override;
  bool ShowsImages(CellIndex cell) const override { return cell != bare_; }

 private:
  const BoardView& view_;
  CellIndex bare_;
};

// The device pixels an arrow may touch on the board, for invalidating.
PixelRect ArrowBounds(const BoardView& view, BoardArrow arrow, int square);
// The drawn squares whose pixels the arrow may change, as SquaresMeeting numbers them.
uint64_t ArrowSquares(const BoardView& view, BoardArrow arrow, int square);

// Blends the view's arrows, in order, over a composed board whose top-left
// pixel is the control's (originX, originY): a translucent shaft and head from
// the centre of one drawn square to the centre of the other, with smooth edges.
void PaintArrows(const BoardView& view, uint32_t* pixels, int width, int height, ptrdiff_t stride, int originX = 0,
                 int originY = 0, int square = kPictureSize);

// The board with its view: the cells (placed by BoardView::Placement) with
// marks and coordinates beneath their pieces, then the arrows. Cell `bare`
// shows its square and mark only: its piece is being moved.
void RenderView(const CellGrid& cells, const BoardView& view, uint32_t* pixels, int width, int height,
                ptrdiff_t stride, int originX = 0, int originY = 0, int square = kPictureSize, CellIndex bare = {});
// The same with the pictures given, whose size is the square's. While `sliding`
// runs, the squares it touched show what they showed before it.
void RenderView(const CellGrid& cells, const BoardView& view, uint32_t* pixels, int width, int height,
                ptrdiff_t stride, int originX, int originY, const PictureSet& pictures, CellIndex bare = {},
                const PieceAnimation* sliding = nullptr);

// The board as every platform shows it, in `area` (device pixels of the
// control, squares of `square`) into `pixels`, the area's top-left, rows
// `stride` apart: the background, then the view over the cells (RenderView)
// with cell `bare` showing no piece (MoveInput::Lifted on screen, none on paper).
void ComposeShown(const CellGrid& cells, const BoardView& view, CellIndex bare, PixelRect area, int square,
                  uint32_t background, uint32_t* pixels, ptrdiff_t stride);
// The same with the pictures given, whose size is the square's, and a slide's squares as RenderView shows them.
void ComposeShown(const CellGrid& cells, const BoardView& view, CellIndex bare, PixelRect area,
                  const PictureSet& pictures, uint32_t background, uint32_t* pixels, ptrdiff_t stride,
                  const PieceAnimation* sliding = nullptr);
// The piece in hand, if any, over pixels of `area` composed by ComposeShown, at
// the size it was lifted at (the window's own scale).
void PaintInHand(const MoveInput& moves, PixelRect area, uint32_t* pixels, ptrdiff_t stride);
// The same with the pictures of the piece's size given.
void PaintInHand(const MoveInput& moves, PixelRect area, uint32_t* pixels, ptrdiff_t stride,
                 const PictureSet& pictures);
// Everything that moves over the board `shown` on screen, over pixels of `area`
// composed by ComposeShown with its slide, with `pictures` of the square's size:
// the sliding pieces, the piece in hand, then the promotion choice on top.
void PaintOverBoard(const OvlChess& shown, const DrawnBoard& drawn, PixelRect area, uint32_t* pixels,
                    ptrdiff_t stride, const PictureSet& pictures);

}  // namespace control
