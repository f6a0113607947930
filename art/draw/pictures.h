#pragma once

// The board's pictures drawn from their geometry at any square size. Portable:
// the build-time program, the tests and the control all draw through this.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "art/design_size.h"
#include "board/squares.h"

namespace art {

// Black pixels the knight's jaw stroke has at the design size.
constexpr int kJawStrokePixels = 10;

struct Rgb {
  std::uint8_t red, green, blue;
};

inline bool IsBlack(Rgb colour) { return colour.red == 0 && colour.green == 0 && colour.blue == 0; }

// A palette picture, rows from the top. In piece pictures exact black is
// transparent, and only entry 0 is black; entry 1 is the dark rim's colour and
// only the rim has it.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;
  std::vector<Rgb> palette;

  Picture() = default;
  Picture(int width, int height) : width(width), height(height), pixels(std::size_t(width) * std::size_t(height), 0) {}
  std::uint8_t& At(int x, int y) { return pixels[y * width + x]; }
  std::uint8_t At(int x, int y) const { return pixels[y * width + x]; }
  Rgb ColourAt(int x, int y) const { return palette[At(x, y)]; }
};

// Images are numbered as the board numbers them: board::kLightSquareImage, the
// red pawn, rook, knight, bishop, queen, king, the cream ones, then
// board::kDarkSquareImage; `size` x `size` pixels.
Picture DrawImage(int image, int size);
// All board::kImageCount of them, in image order; red and cream share one
// drawing of each outline.
std::vector<Picture> DrawImages(int size);

// How many samples a side measure how much of a pixel a piece covers, at a
// square of `size` pixels: six per design pixel, and no fewer than four per
// device pixel, so the time a large size takes stays bounded and its edges stay
// as fine.
int SamplesPerSide(int size);

// The 16x15 toolbox button in the 16 standard Windows colours.
Picture DrawToolbox();
// OvlBoard's button, the same size and colours.
Picture DrawBoardToolbox();

}  // namespace art
