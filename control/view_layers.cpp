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

// Warm tints that read on both woods and apart from each other; the arrows a
// green no square or piece has.
constexpr Rgb kSelected{96, 196, 56};
constexpr Rgb kLastMove{255, 216, 24};
constexpr Rgb kCheck{232, 24, 16};
constexpr Rgb kTarget{24, 16, 8};
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

void PaintTarget(bool occupied, uint32_t* pixels, ptrdiff_t stride, int square) {
  constexpr double kOpacity = 0.5;
  const double s = square;
  if (!occupied) {
    const double radius = 0.16 * s;
    Tint(pixels, stride, square, kTarget,
         [&](double dx, double dy) { return kOpacity * Coverage(Length(dx, dy) - radius); });
    return;
  }
  // A ring inside the square's edge, where a piece leaves the wood showing.
  const double width = std::max(2.0, 0.1 * s), outer = 0.5 * s;
  Tint(pixels, stride, square, kTarget, [&](double dx, double dy) {
    const double d = Length(dx, dy);
    return kOpacity * Coverage(std::max(d - outer, outer - width - d));
  });
}

// A red glow strongest at the centre, so it shows round the piece in check.
void PaintCheck(uint32_t* pixels, ptrdiff_t stride, int square) {
  const double reach = 0.72 * square;
  Tint(pixels, stride, square, kCheck, [&](double dx, double dy) {
    const double fade = std::max(0.0, 1 - Length(dx, dy) / reach);
    return 0.25 + 0.65 * fade;
  });
}

// Glyphs on a 3 x 5 grid, top row first, bit 2 the left column.
using Glyph = std::array<uint8_t, 5>;
constexpr Glyph kFileGlyphs[] = {
    {0b000, 0b011, 0b101, 0b101, 0b011},  // a
    {0b100, 0b110, 0b101, 0b101, 0b110},  // b
    {0b000, 0b011, 0b100, 0b100, 0b011},  // c
    {0b001, 0b011, 0b101, 0b101, 0b011},  // d
    {0b000, 0b010, 0b111, 0b100, 0b011},  // e
    {0b011, 0b010, 0b111, 0b010, 0b010},  // f
    {0b011, 0b101, 0b011, 0b001, 0b110},  // g
    {0b100, 0b110, 0b101, 0b101, 0b101},  // h
};
constexpr Glyph kRankGlyphs[] = {
    {0b010, 0b110, 0b010, 0b010, 0b111},  // 1
    {0b110, 0b001, 0b010, 0b100, 0b111},  // 2
    {0b110, 0b001, 0b010, 0b001, 0b110},  // 3
    {0b101, 0b101, 0b111, 0b001, 0b001},  // 4
    {0b111, 0b100, 0b110, 0b001, 0b110},  // 5
    {0b011, 0b100, 0b111, 0b101, 0b111},  // 6
    {0b111, 0b001, 0b010, 0b010, 0b010},  // 7
    {0b111, 0b101, 0b111, 0b101, 0b111},  // 8
};
constexpr int kGlyphWidth = 3, kGlyphHeight = 5;

// A glyph's dot in device pixels: one at 96 DPI, a whole number at every scale.
int GlyphDot(int square) { return std::max(1, static_cast<int>(std::lround(square / double{kPictureSize}))); }

void PaintGlyph(const Glyph& glyph, int left, int top, int dot, uint32_t colour, uint32_t* pixels,
                ptrdiff_t stride) {
  for (int row = 0; row < kGlyphHeight; ++row)
    for (int col = 0; col < kGlyphWidth; ++col) {
      if (!(glyph[row] >> (kGlyphWidth - 1 - col) & 1)) continue;
      for (int y = top + row * dot; y < top + (row + 1) * dot; ++y)
        std::fill_n(pixels + y * stride + left + col * dot, dot, colour);
    }
}

uint32_t MeanColour(board::ImageNumber image) {
  const std::vector<uint32_t>& pixels = PictureSet::Shared().Lookup(image).pixels;
  uint64_t red = 0, green = 0, blue = 0;
  for (uint32_t p : pixels) red += p >> 16 & 0xFF, green += p >> 8 & 0xFF, blue += p & 0xFF;
  const uint64_t n = pixels.size();
  return static_cast<uint32_t>(red / n << 16 | green / n << 8 | blue / n);
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

void PaintMark(MarkNum mark, bool occupied, uint32_t* pixels, ptrdiff_t stride, int square) {
  switch (mark) {
    case mkSelected: return Tint(pixels, stride, square, kSelected, [](double, double) { return 0.55; });
    case mkLastMove: return Tint(pixels, stride, square, kLastMove, [](double, double) { return 0.55; });
    case mkCheck: return PaintCheck(pixels, stride, square);
    case mkTarget: return PaintTarget(occupied, pixels, stride, square);
    default: return;
  }
}

void PaintCoordinates(CoordinateLabels labels, bool lightSquare, uint32_t* pixels, ptrdiff_t stride, int square) {
  static const uint32_t kLightShade = MeanColour(board::kLightSquareImage);
  static const uint32_t kDarkShade = MeanColour(board::kDarkSquareImage);
  const uint32_t colour = lightSquare ? kDarkShade : kLightShade;
  const int dot = GlyphDot(square);
  // Too small a square has no corner to spare: it shows no labels.
  if (square < 2 * (kGlyphHeight + 1) * dot) return;
  if (labels.rank >= '1' && labels.rank <= '8')
    PaintGlyph(kRankGlyphs[labels.rank - '1'], dot, dot, dot, colour, pixels, stride);
  if (labels.file >= 'a' && labels.file <= 'h')
    PaintGlyph(kFileGlyphs[labels.file - 'a'], square - dot * (kGlyphWidth + 1), square - dot * (kGlyphHeight + 1),
               dot, colour, pixels, stride);
}

void ViewUnderlay::PaintUnder(CellIndex cell, bool showsImages, uint32_t* pixels, ptrdiff_t stride,
                              int square) const {
  PaintMark(view_.MarkOf(cell), showsImages, pixels, stride, square);
  if (const CoordinateLabels labels = view_.Labels(cell)) {
    const Square at = board::SquareOfIndex(cell);
    PaintCoordinates(labels, board::IsLightSquare(at.col, at.row), pixels, stride, square);
  }
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
                ptrdiff_t stride, int originX, int originY, int square, CellIndex bare,
                const PieceAnimation* sliding) {
  const ViewUnderlay underlay(view, bare);
  if (sliding && sliding->Running()) {
    const SlideUnderlay slid(*sliding, underlay);
    cells.Render(pixels, width, height, stride, originX, originY, square, &slid);
  } else {
    cells.Render(pixels, width, height, stride, originX, originY, square, &underlay);
  }
  PaintArrows(view, pixels, width, height, stride, originX, originY, square);
}

void ComposeShown(const CellGrid& cells, const BoardView& view, CellIndex bare, PixelRect area, int square,
                  uint32_t background, uint32_t* pixels, ptrdiff_t stride, const PieceAnimation* sliding) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  for (int y = 0; y < height; ++y) std::fill_n(pixels + y * stride, width, background);
  RenderView(cells, view, pixels, width, height, stride, area.left, area.top, square, bare, sliding);
}

void PaintOverBoard(const OvlChess& shown, BoardGeometry geometry, PixelRect area, uint32_t* pixels,
                    ptrdiff_t stride) {
  PaintSlidingPieces(shown.Slides().Animation(), geometry, area, pixels, stride);
  PaintInHand(shown.Moves(), area, pixels, stride);
  PaintPromotionChoice(shown.Promotion().Choice(), geometry, pixels, area.right - area.left, area.bottom - area.top,
                       stride, area.left, area.top);
}

bool MovesOverBoard(const OvlChess& shown) {
  return shown.Slides().Animation().Running() || shown.Moves().Floating() || shown.Promotion().Showing();
}

void PaintInHand(const MoveInput& moves, PixelRect area, uint32_t* pixels, ptrdiff_t stride) {
  const std::optional<FloatingPiece> floating = moves.Floating();
  if (!floating) return;
  const PixelRect r = floating->rect;
  PaintPiece(floating->image, r.left, r.top, pixels, area.right - area.left, area.bottom - area.top, stride, area.left,
             area.top, r.right - r.left);
}

void PaintPiece(ImageNumber image, int left, int top, uint32_t* pixels, int width, int height, ptrdiff_t stride,
                int originX, int originY, int square) {
  const uint32_t* picture = PictureSet::ForSize(square).Lookup(image).pixels.data();
  const int x0 = std::max(left - originX, 0), x1 = std::min(left + square - originX, width);
  const int y0 = std::max(top - originY, 0), y1 = std::min(top + square - originY, height);
  for (int y = y0; y < y1; ++y) {
    const uint32_t* source = picture + (y + originY - top) * square + (originX - left);
    uint32_t* row = pixels + y * stride;
    for (int x = x0; x < x1; ++x) row[x] = source[x] != 0 ? source[x] : row[x];
  }
}

}  // namespace control
