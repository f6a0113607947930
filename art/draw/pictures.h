#pragma once

// The board's pictures drawn from their geometry at any square size. Portable:
// the build-time program, the tests and the control all draw through this.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

// The outlines are laid out in a square of this many units; at this size the
// pictures are the ones in art/pictures.
constexpr int kDesignSize = 37;
constexpr int kImageCount = 14;
// Black pixels the knight's jaw stroke has at the design size.
constexpr int kJawStrokePixels = 10;

struct Rgb {
  std::uint8_t r, g, b;
};

inline bool IsBlack(Rgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }

// A palette picture, rows from the top. In piece pictures exact black is
// transparent, and only entry 0 is black.
struct Picture {
  int w = 0, h = 0;
  std::vector<std::uint8_t> px;
  std::vector<Rgb> pal;

  Picture() = default;
  Picture(int width, int height) : w(width), h(height), px(std::size_t(width) * std::size_t(height), 0) {}
  std::uint8_t& at(int x, int y) { return px[y * w + x]; }
  std::uint8_t at(int x, int y) const { return px[y * w + x]; }
  Rgb rgb(int x, int y) const { return pal[at(x, y)]; }
};

// Image 1 is the light square, 2..7 the red pawn, rook, knight, bishop, queen,
// king, 8..13 the cream ones, 14 the dark square; `size` x `size` pixels.
Picture DrawImage(int image, int size);
// All fourteen, in image order; red and cream share one drawing of each outline.
std::vector<Picture> DrawImages(int size);

// The 16x15 toolbox button in the 16 standard Windows colours.
Picture DrawToolbox();

}  // namespace art
