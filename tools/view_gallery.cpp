// Writes PNGs of the board's view layers (marks, arrows, coordinates, flipped)
// at 100, 125, 150 and 200 % into a directory, to look at what they draw.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "control/board_view.h"
#include "control/headless/headless_platform.h"
#include "control/ovl_chess.h"
#include "control/view_layers.h"
#include "tools/asks_for_help.h"
#include "tools/png_file.h"

namespace {

// A position with each mark on an empty and an occupied square of both shades, and some arrows.
void Decorate(control::BoardView& view) {
  using namespace control;
  view.SetShowCoordinates(true);
  view.SetMark(5, 7, mkSelected);  // e2: light, a pawn
  view.SetMark(6, 5, mkSelected);  // f4: dark, empty
  view.SetMark(5, 5, mkLastMove);  // e4: light, empty
  view.SetMark(4, 7, mkLastMove);  // d2: dark, a pawn
  view.SetMark(5, 1, mkCheck);     // e8: light, the king
  view.SetMark(1, 4, mkCheck);     // a5: dark, empty
  view.SetMark(3, 6, mkTarget);    // c3: dark, empty
  view.SetMark(6, 6, mkTarget);    // f3: light, empty
  view.SetMark(7, 2, mkTarget);    // g7: dark, a pawn
  view.SetMark(2, 2, mkTarget);    // b7: light, a pawn
  view.DrawArrow(5, 7, 5, 5);      // e2-e4
  view.DrawArrow(7, 8, 6, 6);      // g1-f3
  view.DrawArrow(4, 8, 8, 4);      // d1-h5
  view.DrawArrow(2, 1, 3, 3);      // b8-c6
}

constexpr const char* kUsage =
    "usage: view_gallery DIRECTORY\n"
    "       view_gallery --help\n"
    "  DIRECTORY   an existing folder; the pictures view-100.png, view-200.png, their flipped\n"
    "              twins and the 100 % ones three times larger are written into it\n"
    "exit status: 0 written, 1 a picture was not written, 2 a wrong command line\n";

// Why the command line cannot be run, or "".
std::string CommandLineError(int argc, char** argv) {
  if (argc != 2) return "expected one DIRECTORY, not " + std::to_string(argc - 1) + " arguments";
  const std::string folder = argv[1];
  if (folder.size() > 1 && folder[0] == '-') return "unknown option '" + folder + "'";
  if (!std::filesystem::is_directory(folder)) return "'" + folder + "' is not an existing folder";
  return {};
}

// Each mark on a light and a dark square, empty (rank 6) and under a pawn (rank 2),
// with nothing else drawn: beside the plain board, the marks' contrast can be measured.
void MarkEachKindOnBothShades(control::BoardView& view) {
  const control::MarkNum kinds[] = {control::mkSelected, control::mkLastMove, control::mkCheck, control::mkTarget};
  for (int16_t col = 1; col <= 8; ++col)
    for (int16_t row : {3, 7}) view.SetMark(col, row, kinds[(col - 1) / 2]);
}

}  // namespace

int main(int argc, char** argv) {
  if (AsksForHelp(argc, argv)) {
    std::cout << kUsage;
    return 0;
  }
  if (const std::string error = CommandLineError(argc, argv); !error.empty()) {
    std::cerr << "view_gallery: " << error << "\n" << kUsage;
    return 2;
  }
  control::headless::HeadlessPlatform host;
  control::OvlChess chess(host);
  chess.UserControl_Initialize();
  chess.UserControl_InitProperties();
  chess.NewGame();
  control::BoardView view;
  Decorate(view);
  for (bool flipped : {false, true}) {
    view.SetFlipped(flipped);
    for (board::CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell) {
      const control::CellPlacement at = view.Placement(cell);
      host.SetCellLeft(cell, at.left);
      host.SetCellTop(cell, at.top);
    }
    for (int percent : {100, 125, 150, 200}) {
      const int square = 37 * percent / 100, side = 8 * square;
      std::vector<uint32_t> pixels(side * side);
      control::RenderView(host.Cells(), view, pixels.data(), side, side, side, 0, 0, square);
      const std::string path = std::string(argv[1]) + "/view-" + (flipped ? "flipped-" : "") +
                               std::to_string(percent) + ".png";
      if (!WritePng(path, pixels, side)) {
        std::cerr << "cannot write " << path << "\n";
        return 1;
      }
      std::cout << path << "\n";
      if (percent != 100) continue;
      // Three times larger, pixel for pixel, to see the small glyphs.
      std::vector<uint32_t> large(9 * pixels.size());
      for (int y = 0; y < 3 * side; ++y)
        for (int x = 0; x < 3 * side; ++x) large[y * 3 * side + x] = pixels[y / 3 * side + x / 3];
      const std::string enlarged = path.substr(0, path.size() - 4) + "-x3.png";
      if (!WritePng(enlarged, large, 3 * side)) return 1;
      std::cout << enlarged << "\n";
    }
  }
  control::BoardView plain, marked;
  MarkEachKindOnBothShades(marked);
  for (const auto& [name, shown] : {std::pair{"plain", &plain}, std::pair{"marks", &marked}})
    for (int percent : {100, 200}) {
      const int square = 37 * percent / 100, side = 8 * square;
      std::vector<uint32_t> pixels(side * side);
      for (board::CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell) {
        const control::CellPlacement at = plain.Placement(cell);
        host.SetCellLeft(cell, at.left);
        host.SetCellTop(cell, at.top);
      }
      control::RenderView(host.Cells(), *shown, pixels.data(), side, side, side, 0, 0, square);
      const std::string path = std::string(argv[1]) + "/" + name + "-" + std::to_string(percent) + ".png";
      if (!WritePng(path, pixels, side)) return 1;
      std::cout << path << "\n";
    }
  return 0;
}
