#include "control/view_layers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "control/picture_set.h"
#include "control/promotion_choice.h"

namespace control {

namespace {

struct Rgb {
  int red, green, blue;
};

// A mark's colour on each wood: dark on the light squares and light on the dark
// ones, at least 3:1 in luminance against the wood it lies on (the contrast
// non-text graphics need), and apart in hue: blue, yellow-green, red, purple.
struct MarkColour {
  Rgb onLight, onDark;
  Rgb On(bool lightSquare) const { return lightSquare ? onLight : onDark; }
};
constexpr MarkColour kSelected{{30, 70, 180}, {150, 200, 255}};
constexpr MarkColour kLastMove{{40, 100, 0}, {235, 235, 120}};
constexpr MarkColour kCheck{{170, 0, 0}, {255, 150, 150}};
constexpr MarkColour kTarget{{80, 0, 110}, {230, 170, 255}};
// The arrows a green no square or piece has.
constexpr Rgb kArrow{24, 128, 64};
constexpr double kArrowOpacity = 0.72;

// Per-pixel distances: std::hypot guards against overflow no square needs, and costs.
double Length(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

uint32_t Blend(uint32_t under, Rgb over, double alpha) {
  const int a = static_cast<int>(std::clamp(alpha, 0.0, 1.0) * 256 + 0.5);
  auto mix = [a](int from, int to) { return static_cast<uint32_t>(from + (to - from) * a / 256); };
  return mix(under >> 16 & 0xFF, over.red) << 16 | mix(under >> 8 & 0xFF, over.green) << 8 |
         mix(under & 0xFF, over.blue);
}

// Applies `alpha(dx, dy)`, with (dx, dy) a pixel centre's offset from the square's centre, to every pixel.
template <typename Alpha>
void Tint(uint32_t* pixels, ptrdiff_t stride, int square, Rgb colour, Alpha alpha) {
  const double middle = square / 2.0;
  for (int y = 0; y < square; ++y)
    for (int x = 0; x < square; ++x) {
      const double a = alpha(x + 0.5 - middle, y + 0.5 - middle);
      if (a > 0) pixels[y * stride + x] = Blend(pixels[y * stride + x], colour, a);
    }
}

// How much of a pixel a shape covers, from the signed distance of its centre to the shape's edge.
double Coverage(double signedDistance) { return std::clamp(0.5 - signedDistance, 0.0, 1.0); }

void PaintTarget(bool occupied, Rgb colour, uint32_t* pixels, ptrdiff_t stride, int square) {
  const double s = square;
  if (!occupied) {
    const double radius = 0.16 * s;
    Tint(pixels, stride, square, colour, [&](double dx, double dy) { return Coverage(Length(dx, dy) - radius); });
    return;
  }
  // A ring inside the square's edge, where a piece leaves the wood showing.
  const double width = std::max(2.0, 0.1 * s), outer = 0.5 * s;
  Tint(pixels, stride, square, colour, [&](double dx, double dy) {
    const double d = Length(dx, dy);
    return Coverage(std::max(d - outer, outer - width - d));
  });
}

// The corners outside the square's inscribed circle: the king in check keeps its
// wood round it, so a red king stays clear of the red.
void PaintCheck(Rgb colour, uint32_t* pixels, ptrdiff_t stride, int square) {
  const double radius = 0.5 * square;
  Tint(pixels, stride, square, colour, [&](double dx, double dy) { return Coverage(radius - Length(dx, dy)); });
}

// Glyphs on a 4 x 7 grid, top row first, bit 3 the left column: narrow
// enough for the corner a piece's foot leaves, legible down to 7 pixels.
constexpr int kGlyphColumns = 4, kGlyphRows = 7;
using Glyph = std::array<uint8_t, kGlyphRows>;
constexpr Glyph kFileGlyphs[] = {
    {0b0000, 0b0000, 0b0110, 0b0001, 0b0111, 0b1001, 0b0111},  // a
    {0b1000, 0b1000, 0b1110, 0b1001, 0b1001, 0b1001, 0b1110},  // b
    {0b0000, 0b0000, 0b0110, 0b1001, 0b1000, 0b1001, 0b0110},  // c
    {0b0001, 0b0001, 0b0111, 0b1001, 0b1001, 0b1001, 0b0111},  // d
    {0b0000, 0b0000, 0b0110, 0b1001, 0b1111, 0b1000, 0b0111},  // e
    {0b0011, 0b0100, 0b0100, 0b1110, 0b0100, 0b0100, 0b0100},  // f
    {0b0000, 0b0111, 0b1001, 0b1001, 0b0111, 0b0001, 0b0110},  // g
    {0b1000, 0b1000, 0b1110, 0b1001, 0b1001, 0b1001, 0b1001},  // h
};
constexpr Glyph kRankGlyphs[] = {
    {0b0010, 0b0110, 0b0010, 0b0010, 0b0010, 0b0010, 0b0111},  // 1
    {0b0110, 0b1001, 0b0001, 0b0010, 0b0100, 0b1000, 0b1111},  // 2
    {0b0110, 0b1001, 0b0001, 0b0110, 0b0001, 0b1001, 0b0110},  // 3
    {0b0010, 0b0110, 0b1010, 0b1010, 0b1111, 0b0010, 0b0010},  // 4
    {0b1111, 0b1000, 0b1110, 0b0001, 0b0001, 0b1001, 0b0110},  // 5
    {0b0110, 0b1000, 0b1000, 0b1110, 0b1001, 0b1001, 0b0110},  // 6
    {0b1111, 0b0001, 0b0001, 0b0010, 0b0100, 0b0100, 0b0100},  // 7
    {0b0110, 0b1001, 0b1001, 0b0110, 0b1001, 0b1001, 0b0110},  // 8
};

// The ink of each shade: at least 4.5:1 against every pixel of the wood it
// sits on (light wood's darkest has luminance 0.38, dark wood's lightest 0.12).
constexpr uint32_t kInkOnLight = 0x38200C;
constexpr uint32_t kInkOnDark = 0xFAEED2;

// Where a glyph's grid lines fall: each dot a whole number of pixels, so the
// glyph stays sharp at every height.
int GridLine(int line, int lines, int pixels) { return (line * pixels + lines / 2) / lines; }

void PaintGlyph(const Glyph& glyph, const CoordinateGlyphs& size, int left, int top, uint32_t colour,
                uint32_t* pixels, ptrdiff_t stride) {
  for (int row = 0; row < kGlyphRows; ++row)
    for (int col = 0; col < kGlyphColumns; ++col) {
      if (!(glyph[row] >> (kGlyphColumns - 1 - col) & 1)) continue;
      const int x0 = left + GridLine(col, kGlyphColumns, size.width), x1 = left + GridLine(col + 1, kGlyphColumns, size.width);
      for (int y = top + GridLine(row, kGlyphRows, size.height); y < top + GridLine(row + 1, kGlyphRows, size.height); ++y)
        std::fill(pixels + y * stride + x0, pixels + y * stride + x1, colour);
    }
}

struct ArrowShape {
  double fromX, fromY, length, unitX, unitY;
  double halfShaft, headLength, halfHead;
  double slant;  // the length of the head's side
};

ArrowShape ShapeOf(const BoardView& view, BoardArrow arrow, int square) {
  const Square from = view.DrawnAt(arrow.from), to = view.DrawnAt(arrow.to);
  const double s = square;
  const double fromX = (from.col.value - 0.5) * s, fromY = (from.row.value - 0.5) * s;
  const double dx = (to.col.value - 0.5) * s - fromX, dy = (to.row.value - 0.5) * s - fromY;
  const double length = std::hypot(dx, dy);
  return {fromX, fromY, length, dx / length, dy / length, 0.1 * s, 0.42 * s, 0.3 * s, std::hypot(0.3 * s, 0.42 * s)};
}

// Signed distance from the arrow's outline, negative inside, at a point (u along, v across).
double ArrowDistance(const ArrowShape& a, double u, double v) {
  const double across = std::abs(v);
  const double headStart = a.length - a.headLength;
  // The shaft reaches into the head, so no seam shows where they meet.
  const double shaft = std::max({-u, u - (headStart + a.headLength / 2), across - a.halfShaft});
  const double head = std::max(headStart - u, ((u - a.length) * a.halfHead + across * a.headLength) / a.slant);
  return std::min(shaft, head);
}

struct Span {
  double from, to;
};

// The offsets from the arrow's start, along a row `py` below it, between
// which the part of the arrow from `along0` to `along1` and up to `reach`
// across may touch a pixel; empty where `from` > `to`.
Span RowSpan(const ArrowShape& a, double py, double reach, double along0, double along1) {
  Span span{-1e9, 1e9};
  auto keep = [&](double unit, double other, double low, double high) {
    // Where low <= px * unit + py * other <= high, for px.
    if (std::abs(unit) < 1e-9) {
      if (py * other < low || py * other > high) span = {1, 0};
      return;
    }
    double from = (low - py * other) / unit, to = (high - py * other) / unit;
    if (from > to) std::swap(from, to);
    span = {std::max(span.from, from), std::min(span.to, to)};
  };
  keep(-a.unitY, a.unitX, -reach, reach);   // across: v = py * unitX - px * unitY
  keep(a.unitX, a.unitY, along0, along1);   // along: u = px * unitX + py * unitY
  return span;
}

// The row's pixels the shaft or the head may touch: thin along the shaft, wide at the head.
Span ArrowRowSpan(const ArrowShape& a, double py) {
  const Span shaft = RowSpan(a, py, a.halfShaft + 1, -1, a.length + 1);
  const Span head = RowSpan(a, py, a.halfHead + 1, a.length - a.headLength - 1, a.length + 1);
  if (head.from > head.to) return shaft;
  if (shaft.from > shaft.to) return head;
  return {std::min(shaft.from, head.from), std::max(shaft.to, head.to)};
}

}  // namespace

void PaintMark(MarkNum mark, bool occupied, bool lightSquare, uint32_t* pixels, ptrdiff_t stride, int square) {
  const auto fill = [](double, double) { return 1.0; };
  switch (mark) {
    case mkSelected: return Tint(pixels, stride, square, kSelected.On(lightSquare), fill);
    case mkLastMove: return Tint(pixels, stride, square, kLastMove.On(lightSquare), fill);
    case mkCheck: return PaintCheck(kCheck.On(lightSquare), pixels, stride, square);
    case mkTarget: return PaintTarget(occupied, kTarget.On(lightSquare), pixels, stride, square);
    default: return;
  }
}

CoordinateGlyphs CoordinateGlyphs::ForSquare(int square) {
  const int height = (square + 2) / 5;
  if (height < kLeast) return {};
  return {GridLine(kGlyphColumns, kGlyphRows, height), height, std::max(1, GridLine(1, kGlyphRows, height))};
}

void PaintCoordinates(CoordinateLabels labels, bool lightSquare, uint32_t* pixels, ptrdiff_t stride, int square) {
  const CoordinateGlyphs size = CoordinateGlyphs::ForSquare(square);
  if (!size) return;
  const uint32_t colour = CoordinateInk(lightSquare);
  if (labels.rank >= '1' && labels.rank <= '8')
    PaintGlyph(kRankGlyphs[labels.rank - '1'], size, size.margin, size.margin, colour, pixels, stride);
  if (labels.file >= 'a' && labels.file <= 'h')
    PaintGlyph(kFileGlyphs[labels.file - 'a'], size, square - size.margin - size.width,
               square - size.margin - size.height, colour, pixels, stride);
}

uint32_t CoordinateInk(bool lightSquare) { return lightSquare ? kInkOnLight : kInkOnDark; }

void ViewUnderlay::PaintUnder(CellIndex cell, bool showsImages, uint32_t* pixels, ptrdiff_t stride,
                              int square) const {
  const Square at = board::SquareOfIndex(cell);
  const bool light = board::IsLightSquare(at.col, at.row);
  PaintMark(view_.MarkOf(cell), showsImages, light, pixels, stride, square);
  if (const CoordinateLabels labels = view_.Labels(cell)) PaintCoordinates(labels, light, pixels, stride, square);
}

PixelRect ArrowBounds(const BoardView& view, BoardArrow arrow, int square) {
  const ArrowShape a = ShapeOf(view, arrow, square);
  const double reach = std::max(a.halfHead, a.halfShaft) + 1;
  const double toX = a.fromX + a.unitX * a.length, toY = a.fromY + a.unitY * a.length;
  return {static_cast<int>(std::floor(std::min(a.fromX, toX) - reach)),
          static_cast<int>(std::floor(std::min(a.fromY, toY) - reach)),
          static_cast<int>(std::ceil(std::max(a.fromX, toX) + reach)),
          static_cast<int>(std::ceil(std::max(a.fromY, toY) + reach))};
}

// Row by row, the pixels PaintArrows may blend: a diagonal's bounding box holds
// squares the arrow never crosses.
uint64_t ArrowSquares(const BoardView& view, BoardArrow arrow, int square) {
  const ArrowShape a = ShapeOf(view, arrow, square);
  const PixelRect r = ArrowBounds(view, arrow, square);
  uint64_t squares = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    const Span span = ArrowRowSpan(a, y + 0.5 - a.fromY);
    if (span.from > span.to) continue;
    const int left = std::max(r.left, static_cast<int>(std::floor(span.from + a.fromX)));
    const int right = std::min(r.right, static_cast<int>(std::ceil(span.to + a.fromX)));
    squares |= SquaresMeeting({left, y, right, y + 1}, square);
  }
  return squares;
}

void PaintArrows(const BoardView& view, uint32_t* pixels, int width, int height, ptrdiff_t stride, int originX,
                 int originY, int square) {
  for (const BoardArrow& arrow : view.Arrows()) {
    const ArrowShape a = ShapeOf(view, arrow, square);
    const PixelRect r = ArrowBounds(view, arrow, square);
    const int top = std::max(r.top - originY, 0), bottom = std::min(r.bottom - originY, height);
    for (int y = top; y < bottom; ++y) {
      const double py = y + originY + 0.5 - a.fromY;
      const Span span = ArrowRowSpan(a, py);
      if (span.from > span.to) continue;
      const int left = std::max({r.left - originX, static_cast<int>(std::floor(span.from + a.fromX)) - originX, 0});
      const int right = std::min({r.right - originX, static_cast<int>(std::ceil(span.to + a.fromX)) - originX, width});
      for (int x = left; x < right; ++x) {
        const double px = x + originX + 0.5 - a.fromX;
        const double u = px * a.unitX + py * a.unitY, v = py * a.unitX - px * a.unitY;
        const double cover = Coverage(ArrowDistance(a, u, v));
        if (cover > 0) pixels[y * stride + x] = Blend(pixels[y * stride + x], kArrow, kArrowOpacity * cover);
      }
    }
  }
}

void RenderView(const CellGrid& cells, const BoardView& view, uint32_t* pixels, int width, int height,
                ptrdiff_t stride, int originX, int originY, int square, CellIndex bare) {
  RenderView(cells, view, pixels, width, height, stride, originX, originY, PictureSet::ForSize(square), bare);
}

void RenderView(const CellGrid& cells, const BoardView& view, uint32_t* pixels, int width, int height,
                ptrdiff_t stride, int originX, int originY, const PictureSet& pictures, CellIndex bare,
                const PieceAnimation* sliding) {
  const ViewUnderlay underlay(view, bare);
  if (sliding && sliding->Running()) {
    const SlideUnderlay slid(*sliding, underlay);
    cells.Render(pixels, width, height, stride, originX, originY, pictures, &slid);
  } else {
    cells.Render(pixels, width, height, stride, originX, originY, pictures, &underlay);
  }
  PaintArrows(view, pixels, width, height, stride, originX, originY, pictures.Size());
}

void ComposeShown(const CellGrid& cells, const BoardView& view, CellIndex bare, PixelRect area, int square,
                  uint32_t background, uint32_t* pixels, ptrdiff_t stride) {
  ComposeShown(cells, view, bare, area, PictureSet::ForSize(square), background, pixels, stride);
}

void ComposeShown(const CellGrid& cells, const BoardView& view, CellIndex bare, PixelRect area,
                  const PictureSet& pictures, uint32_t background, uint32_t* pixels, ptrdiff_t stride,
                  const PieceAnimation* sliding) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  for (int y = 0; y < height; ++y) std::fill_n(pixels + y * stride, width, background);
  RenderView(cells, view, pixels, width, height, stride, area.left, area.top, pictures, bare, sliding);
}

void PaintOverBoard(const OvlChess& shown, const DrawnBoard& drawn, PixelRect area, uint32_t* pixels,
                    ptrdiff_t stride, const PictureSet& pictures) {
  PaintSlidingPieces(shown.Slides().Animation(), drawn, area, pixels, stride, pictures);
  PaintInHand(shown.Moves(), area, pixels, stride, pictures);
  PaintPromotionChoice(shown.Promotion().Choice(), drawn, pictures, pixels, area.right - area.left,
                       area.bottom - area.top, stride, area.left, area.top);
}

void PaintInHand(const MoveInput& moves, PixelRect area, uint32_t* pixels, ptrdiff_t stride) {
  const std::optional<FloatingPiece> floating = moves.Floating();
  if (floating) PaintInHand(moves, area, pixels, stride, PictureSet::ForSize(floating->rect.right - floating->rect.left));
}

void PaintInHand(const MoveInput& moves, PixelRect area, uint32_t* pixels, ptrdiff_t stride,
                 const PictureSet& pictures) {
  const std::optional<FloatingPiece> floating = moves.Floating();
  if (!floating) return;
  PaintPiece(floating->image, floating->rect.left, floating->rect.top, pixels, area.right - area.left,
             area.bottom - area.top, stride, area.left, area.top, pictures);
}

}  // namespace control
