// Writes the board's pictures at their 37-pixel design size as the bitmaps the
// library embeds, after checking the rules they must keep: two wooden squares,
// six red and six cream chessmen, and the two classes' toolbox bitmaps.
//
//   draw_pictures <output-dir> [--preview montage.ppm]

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "art/draw/flood_fill.h"
#include "art/draw/pictures.h"

namespace {

using art::Picture;
using art::Rgb;
constexpr int kCell = art::kDesignSize;
using art::IsBlack;

enum PieceType { Pawn, Rook, Knight, Bishop, Queen, King, kPieceTypes };
const char* const kPieceNames[] = {"pawn", "rook", "knight", "bishop", "queen", "king"};

// ---------------------------------------------------------------- files

void Put16(std::vector<std::uint8_t>& bytes, unsigned value) {
  bytes.push_back(std::uint8_t(value & 0xff));
  bytes.push_back(std::uint8_t((value >> 8) & 0xff));
}

void Put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  Put16(bytes, value & 0xffff);
  Put16(bytes, value >> 16);
}

// Uncompressed bottom-up DIB with its own palette, 8 or 4 bits per pixel.
std::vector<std::uint8_t> BmpBytes(const Picture& picture, int bits) {
  const std::uint32_t colours = std::uint32_t(picture.palette.size());
  const std::uint32_t stride = ((picture.width * bits + 31) / 32) * 4;
  const std::uint32_t offset = 14 + 40 + 4 * colours, image = stride * picture.height;
  std::vector<std::uint8_t> bytes;
  bytes.push_back('B'), bytes.push_back('M');
  Put32(bytes, offset + image), Put16(bytes, 0), Put16(bytes, 0), Put32(bytes, offset);
  Put32(bytes, 40), Put32(bytes, picture.width), Put32(bytes, picture.height), Put16(bytes, 1), Put16(bytes, bits);
  Put32(bytes, 0), Put32(bytes, image), Put32(bytes, 0), Put32(bytes, 0), Put32(bytes, colours), Put32(bytes, 0);
  for (Rgb colour : picture.palette) bytes.insert(bytes.end(), {colour.blue, colour.green, colour.red, 0});
  for (int y = picture.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < picture.width; ++x) {
      if (bits == 8)
        row[x] = picture.At(x, y);
      else
        row[x / 2] |= std::uint8_t(picture.At(x, y) << (x % 2 ? 0 : 4));
    }
    bytes.insert(bytes.end(), row.begin(), row.end());
  }
  return bytes;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file);
}

// ---------------------------------------------------------------- checks

struct Checker {
  std::vector<std::string> faults;
  void Require(bool ok, const std::string& what) {
    if (!ok) faults.push_back(what);
  }
};

std::vector<bool> BlackPixels(const Picture& picture) {
  std::vector<bool> black(picture.pixels.size());
  for (size_t at = 0; at < black.size(); ++at) black[at] = IsBlack(picture.palette[picture.pixels[at]]);
  return black;
}

// The piece must be one body: nothing floating beside or above it.
bool InOnePiece(const Picture& picture, const std::vector<bool>& outside) {
  const auto first = std::find(outside.begin(), outside.end(), false);
  if (first == outside.end()) return false;
  std::vector<bool> piece(outside.size());
  for (size_t at = 0; at < piece.size(); ++at) piece[at] = !outside[at];
  const std::vector<bool> body = art::Flood(piece, picture.width, {int(first - outside.begin())}, true);
  return body == piece;
}

void CheckSquare(Checker& checker, const Picture& picture, const std::string& name) {
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      checker.Require(!IsBlack(picture.ColourAt(x, y)), name + ": black pixel in the square");
}

// Returns the top row of the piece, for comparing heights.
int CheckPiece(Checker& checker, const Picture& picture, PieceType type, const std::string& name) {
  // Black pixels with no black path to the border are inside the piece.
  const std::vector<bool> outside = art::ReachedFromEdge(BlackPixels(picture), picture.width);
  auto black = [&](int x, int y) { return IsBlack(picture.ColourAt(x, y)); };
  int holes = 0, minX = kCell, maxX = -1, top = kCell;
  bool bottom = false;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      if (outside[y * kCell + x]) continue;
      minX = std::min(minX, x), maxX = std::max(maxX, x), top = std::min(top, y);
      bottom = bottom || y == kCell - 1;
      if (!black(x, y)) continue;
      ++holes;
      bool enclosed = x > 0 && y > 0 && x < kCell - 1 && y < kCell - 1 && !black(x - 1, y) && !black(x + 1, y) &&
                      !black(x, y - 1) && !black(x, y + 1);
      checker.Require(enclosed, name + ": black pixel inside the piece touches black");
    }
  checker.Require(holes == (type == Knight ? art::kJawStrokePixels : 0),
                  name + ": wrong number of black pixels inside");
  checker.Require(InOnePiece(picture, outside), name + ": drawn in more than one part");
  checker.Require(std::count_if(picture.palette.begin(), picture.palette.end(), IsBlack) == 1,
                  name + ": more than one black palette entry");
  checker.Require(bottom, name + ": does not stand on the bottom row");
  checker.Require(std::abs(minX + maxX - (kCell - 1)) <= 2, name + ": not centred");
  checker.Require(top > 0 || type == Queen || type == King, name + ": reaches the top row");
  checker.Require(top == 0 || (type != Queen && type != King), name + ": does not reach the top row");
  return top;
}

void CheckPieces(Checker& checker, const std::vector<Picture>& red, const std::vector<Picture>& cream) {
  std::array<int, kPieceTypes> top{};
  for (int type = 0; type < kPieceTypes; ++type) {
    std::string name = kPieceNames[type];
    top[type] = CheckPiece(checker, red[type], PieceType(type), "red " + name);
    CheckPiece(checker, cream[type], PieceType(type), "cream " + name);
    checker.Require(BlackPixels(red[type]) == BlackPixels(cream[type]), name + ": red and cream masks differ");
  }
  for (int type = Rook; type < kPieceTypes; ++type)
    checker.Require(top[Pawn] > top[type], "the pawn is not the shortest");
}

// ---------------------------------------------------------------- preview

// All twelve pieces on a light and a dark square, four times enlarged, and
// again at their real size underneath.
bool WritePreview(const std::filesystem::path& path, const std::vector<Picture>& pieces, const Picture& light,
                  const Picture& dark) {
  constexpr int kZoom = 4, kGap = 4, kColumns = 6;
  const int rows = int(pieces.size()) / kColumns * 2;
  const int big = kCell * kZoom + kGap, width = kColumns * big + kGap;
  const int height = rows * big + kGap + 2 * (kCell + kGap) + kGap;
  std::vector<Rgb> montage(width * height, Rgb{90, 90, 96});
  auto draw = [&](const Picture& piece, const Picture& square, int left, int top, int zoom) {
    for (int y = 0; y < kCell * zoom; ++y)
      for (int x = 0; x < kCell * zoom; ++x) {
        Rgb colour = piece.ColourAt(x / zoom, y / zoom);
        montage[(top + y) * width + left + x] = IsBlack(colour) ? square.ColourAt(x / zoom, y / zoom) : colour;
      }
  };
  for (size_t i = 0; i < pieces.size(); ++i)
    for (int onDark = 0; onDark < 2; ++onDark) {
      const Picture& square = onDark ? dark : light;
      int column = int(i) % kColumns, row = int(i) / kColumns * 2 + onDark;
      draw(pieces[i], square, kGap + column * big, kGap + row * big, kZoom);
      draw(pieces[i], square, kGap + int(i) * (kCell + kGap), rows * big + kGap + onDark * (kCell + kGap), 1);
    }
  std::ofstream file(path, std::ios::binary);
  file << "P6\n" << width << ' ' << height << "\n255\n";
  for (Rgb colour : montage) file.put(char(colour.red)).put(char(colour.green)).put(char(colour.blue));
  return bool(file);
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path outputDir, preview;
  bool usage = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--preview" && i + 1 < argc)
      preview = argv[++i];
    else if (outputDir.empty() && argument[0] != '-')
      outputDir = argument;
    else
      usage = true;
  }
  if (usage || outputDir.empty()) {
    std::cerr << "usage: draw_pictures <output-dir> [--preview montage.ppm]\n";
    return 2;
  }

  Picture light = art::DrawImage(board::kLightSquareImage.value, kCell);
  Picture dark = art::DrawImage(board::kDarkSquareImage.value, kCell);
  std::vector<Picture> red, cream;
  for (int type = 0; type < kPieceTypes; ++type) {
    red.push_back(art::DrawImage(board::Bpawn + type, kCell));
    cream.push_back(art::DrawImage(board::Wpawn + type, kCell));
  }

  bool ok = true;
  if (!preview.empty()) {  // before the checks, so a faulty drawing can be looked at
    std::vector<Picture> pieces = red;
    pieces.insert(pieces.end(), cream.begin(), cream.end());
    ok = WritePreview(preview, pieces, light, dark);
  }

  Checker checker;
  CheckSquare(checker, light, "light square");
  CheckSquare(checker, dark, "dark square");
  CheckPieces(checker, red, cream);
  if (!checker.faults.empty()) {
    for (const std::string& fault : checker.faults) std::cerr << "draw_pictures: " << fault << '\n';
    return 1;
  }

  std::vector<Picture> images = {light};
  images.insert(images.end(), red.begin(), red.end());
  images.insert(images.end(), cream.begin(), cream.end());
  images.push_back(dark);
  std::filesystem::create_directories(outputDir);
  for (size_t i = 0; i < images.size(); ++i) {
    std::string name = (i + 1 < 10 ? "image0" : "image") + std::to_string(i + 1) + ".bmp";
    ok = WriteFile(outputDir / name, BmpBytes(images[i], 8)) && ok;
  }
  ok = WriteFile(outputDir / "toolbox.bmp", BmpBytes(art::DrawToolbox(), 4)) && ok;
  ok = WriteFile(outputDir / "toolbox_board.bmp", BmpBytes(art::DrawBoardToolbox(), 4)) && ok;
  if (!ok) std::cerr << "draw_pictures: could not write the pictures to " << outputDir << '\n';
  return ok ? 0 : 1;
}
