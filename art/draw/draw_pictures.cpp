// Writes the board's pictures at their 37-pixel design size as the bitmaps the
// library embeds, after checking the rules they must keep: two wooden squares,
// six red and six cream chessmen, and the toolbox bitmap.
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

#include "art/draw/pictures.h"

namespace {

using art::Picture;
using art::Rgb;
constexpr int kCell = art::kDesignSize;
constexpr int kJawStroke = art::kJawStrokePixels;
bool isBlack(Rgb c) { return art::IsBlack(c); }

enum PieceType { Pawn, Rook, Knight, Bishop, Queen, King, kPieceTypes };
const char* const kPieceNames[] = {"pawn", "rook", "knight", "bishop", "queen", "king"};

// ---------------------------------------------------------------- files

void put16(std::vector<std::uint8_t>& b, unsigned v) {
  b.push_back(std::uint8_t(v & 0xff));
  b.push_back(std::uint8_t((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  put16(b, v & 0xffff);
  put16(b, v >> 16);
}

// Uncompressed bottom-up DIB with its own palette, 8 or 4 bits per pixel.
std::vector<std::uint8_t> bmpBytes(const Picture& p, int bits) {
  const std::uint32_t colours = std::uint32_t(p.pal.size());
  const std::uint32_t stride = ((p.w * bits + 31) / 32) * 4;
  const std::uint32_t offset = 14 + 40 + 4 * colours, image = stride * p.h;
  std::vector<std::uint8_t> b;
  b.push_back('B'), b.push_back('M');
  put32(b, offset + image), put16(b, 0), put16(b, 0), put32(b, offset);
  put32(b, 40), put32(b, p.w), put32(b, p.h), put16(b, 1), put16(b, bits);
  put32(b, 0), put32(b, image), put32(b, 0), put32(b, 0), put32(b, colours), put32(b, 0);
  for (Rgb c : p.pal) b.insert(b.end(), {c.b, c.g, c.r, 0});
  for (int y = p.h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < p.w; ++x) {
      if (bits == 8)
        row[x] = p.at(x, y);
      else
        row[x / 2] |= std::uint8_t(p.at(x, y) << (x % 2 ? 0 : 4));
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(f);
}

// ---------------------------------------------------------------- checks

struct Checker {
  std::vector<std::string> faults;
  void require(bool ok, const std::string& what) {
    if (!ok) faults.push_back(what);
  }
};

// Marks the pixels reachable from `seeds` through pixels that pass `keep`.
template <typename Keep>
std::vector<bool> flood(const Picture& p, std::vector<std::pair<int, int>> seeds, bool diagonal,
                        Keep keep) {
  std::vector<bool> hit(p.px.size(), false);
  for (auto [x, y] : seeds) hit[y * p.w + x] = true;
  while (!seeds.empty()) {
    auto [x, y] = seeds.back();
    seeds.pop_back();
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        int nx = x + dx, ny = y + dy;
        if ((dx && dy && !diagonal) || nx < 0 || ny < 0 || nx >= p.w || ny >= p.h) continue;
        if (hit[ny * p.w + nx] || !keep(nx, ny)) continue;
        hit[ny * p.w + nx] = true;
        seeds.push_back({nx, ny});
      }
  }
  return hit;
}

// Black pixels with no black path to the border are inside the piece.
std::vector<bool> outsideMask(const Picture& p) {
  auto black = [&](int x, int y) { return isBlack(p.rgb(x, y)); };
  std::vector<std::pair<int, int>> border;
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x)
      if ((x == 0 || y == 0 || x == p.w - 1 || y == p.h - 1) && black(x, y))
        border.push_back({x, y});
  return flood(p, border, false, black);
}

// The piece must be one body: nothing floating beside or above it.
bool inOnePiece(const Picture& p, const std::vector<bool>& out) {
  auto first = std::find(out.begin(), out.end(), false);
  if (first == out.end()) return false;
  int i = int(first - out.begin());
  auto body = flood(p, {{i % p.w, i / p.w}}, true, [&](int x, int y) { return !out[y * p.w + x]; });
  for (size_t k = 0; k < out.size(); ++k)
    if (!out[k] && !body[k]) return false;
  return true;
}

void checkSquare(Checker& c, const Picture& p, const std::string& name) {
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x)
      c.require(!isBlack(p.rgb(x, y)), name + ": black pixel in the square");
}

// Returns the top row of the piece, for comparing heights.
int checkPiece(Checker& c, const Picture& p, PieceType t, const std::string& name) {
  const std::vector<bool> out = outsideMask(p);
  int holes = 0, minX = kCell, maxX = -1, top = kCell;
  bool bottom = false;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      if (out[y * kCell + x]) continue;
      minX = std::min(minX, x), maxX = std::max(maxX, x), top = std::min(top, y);
      bottom = bottom || y == kCell - 1;
      if (!isBlack(p.rgb(x, y))) continue;
      ++holes;
      bool enclosed = x > 0 && y > 0 && x < kCell - 1 && y < kCell - 1 &&
                      !isBlack(p.rgb(x - 1, y)) && !isBlack(p.rgb(x + 1, y)) &&
                      !isBlack(p.rgb(x, y - 1)) && !isBlack(p.rgb(x, y + 1));
      c.require(enclosed, name + ": black pixel inside the piece touches black");
    }
  c.require(holes == (t == Knight ? kJawStroke : 0),
            name + ": wrong number of black pixels inside");
  c.require(inOnePiece(p, out), name + ": drawn in more than one part");
  c.require(std::count_if(p.pal.begin(), p.pal.end(), isBlack) == 1,
            name + ": more than one black palette entry");
  c.require(bottom, name + ": does not stand on the bottom row");
  c.require(std::abs(minX + maxX - (kCell - 1)) <= 2, name + ": not centred");
  c.require(top > 0 || t == Queen || t == King, name + ": reaches the top row");
  c.require(top == 0 || (t != Queen && t != King), name + ": does not reach the top row");
  return top;
}

void checkPieces(Checker& c, const std::vector<Picture>& red, const std::vector<Picture>& cream) {
  std::array<int, kPieceTypes> top{};
  for (int t = 0; t < kPieceTypes; ++t) {
    std::string name = kPieceNames[t];
    top[t] = checkPiece(c, red[t], PieceType(t), "red " + name);
    checkPiece(c, cream[t], PieceType(t), "cream " + name);
    bool same = true;
    for (size_t i = 0; i < red[t].px.size(); ++i)
      same = same && isBlack(red[t].pal[red[t].px[i]]) == isBlack(cream[t].pal[cream[t].px[i]]);
    c.require(same, name + ": red and cream masks differ");
  }
  for (int t = Rook; t < kPieceTypes; ++t)
    c.require(top[Pawn] > top[t], "the pawn is not the shortest");
}

// ---------------------------------------------------------------- preview

// All twelve pieces on a light and a dark square, four times enlarged, and
// again at their real size underneath.
bool writePreview(const std::filesystem::path& path, const std::vector<Picture>& pieces,
                  const Picture& light, const Picture& dark) {
  constexpr int kZoom = 4, kGap = 4, kCols = 6;
  const int rows = int(pieces.size()) / kCols * 2;
  const int big = kCell * kZoom + kGap, w = kCols * big + kGap;
  const int h = rows * big + kGap + 2 * (kCell + kGap) + kGap;
  std::vector<Rgb> img(w * h, Rgb{90, 90, 96});
  auto draw = [&](const Picture& piece, const Picture& square, int ox, int oy, int zoom) {
    for (int y = 0; y < kCell * zoom; ++y)
      for (int x = 0; x < kCell * zoom; ++x) {
        Rgb c = piece.rgb(x / zoom, y / zoom);
        img[(oy + y) * w + ox + x] = isBlack(c) ? square.rgb(x / zoom, y / zoom) : c;
      }
  };
  for (size_t i = 0; i < pieces.size(); ++i)
    for (int s = 0; s < 2; ++s) {
      const Picture& square = s ? dark : light;
      int col = int(i) % kCols, row = int(i) / kCols * 2 + s;
      draw(pieces[i], square, kGap + col * big, kGap + row * big, kZoom);
      draw(pieces[i], square, kGap + int(i) * (kCell + kGap),
           rows * big + kGap + s * (kCell + kGap), 1);
    }
  std::ofstream f(path, std::ios::binary);
  f << "P6\n" << w << ' ' << h << "\n255\n";
  for (Rgb c : img) f.put(char(c.r)).put(char(c.g)).put(char(c.b));
  return bool(f);
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path outDir, preview;
  bool usage = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--preview" && i + 1 < argc)
      preview = argv[++i];
    else if (outDir.empty() && a[0] != '-')
      outDir = a;
    else
      usage = true;
  }
  if (usage || outDir.empty()) {
    std::cerr << "usage: draw_pictures <output-dir> [--preview montage.ppm]\n";
    return 2;
  }

  Picture light = art::DrawImage(1, kCell);
  Picture dark = art::DrawImage(art::kImageCount, kCell);
  std::vector<Picture> red, cream;
  for (int t = 0; t < kPieceTypes; ++t) {
    red.push_back(art::DrawImage(2 + t, kCell));
    cream.push_back(art::DrawImage(2 + kPieceTypes + t, kCell));
  }

  bool ok = true;
  if (!preview.empty()) {  // before the checks, so a faulty drawing can be looked at
    std::vector<Picture> pieces = red;
    pieces.insert(pieces.end(), cream.begin(), cream.end());
    ok = writePreview(preview, pieces, light, dark);
  }

  Checker check;
  checkSquare(check, light, "light square");
  checkSquare(check, dark, "dark square");
  checkPieces(check, red, cream);
  if (!check.faults.empty()) {
    for (const std::string& f : check.faults) std::cerr << "draw_pictures: " << f << '\n';
    return 1;
  }

  std::vector<Picture> images = {light};
  images.insert(images.end(), red.begin(), red.end());
  images.insert(images.end(), cream.begin(), cream.end());
  images.push_back(dark);
  std::filesystem::create_directories(outDir);
  for (size_t i = 0; i < images.size(); ++i) {
    std::string name = (i + 1 < 10 ? "image0" : "image") + std::to_string(i + 1) + ".bmp";
    ok = writeFile(outDir / name, bmpBytes(images[i], 8)) && ok;
  }
  ok = writeFile(outDir / "toolbox.bmp", bmpBytes(art::DrawToolbox(), 4)) && ok;
  if (!ok) std::cerr << "draw_pictures: could not write the pictures to " << outDir << '\n';
  return ok ? 0 : 1;
}
