// The geometry of the board's pictures: two wooden squares, six chessmen in red
// and cream, and the toolbox bitmap. The chessmen are outlines (profiles of
// turned wood, ellipses, polygons) in a 37-unit square, shaded with a light from
// the top left, and rasterised at whatever square size is asked for.

#include "art/draw/pictures.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace art {

namespace {

constexpr double kAxis = 18.5;  // turned pieces are centred on the middle column
constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- palettes

struct Stop {
  double t;
  Rgb c;
};

Rgb mixStops(const std::vector<Stop>& stops, double t) {
  t = std::clamp(t, 0.0, 1.0);
  for (size_t i = 1; i < stops.size(); ++i) {
    if (t > stops[i].t) continue;
    const Stop& a = stops[i - 1];
    const Stop& b = stops[i];
    double f = (t - a.t) / (b.t - a.t);
    auto lerp = [f](int u, int v) { return std::uint8_t(std::lround(u + (v - u) * f)); };
    return {lerp(a.c.r, b.c.r), lerp(a.c.g, b.c.g), lerp(a.c.b, b.c.b)};
  }
  return stops.back().c;
}

// Piece palettes: entry 0 black (transparent), 1..255 a ramp from the outline
// colour through the shade to the highlight. Red and cream share the indices,
// so both sets have exactly the same outlines.
std::vector<Rgb> piecePalette(const std::vector<Stop>& stops) {
  std::vector<Rgb> pal(256);
  pal[0] = {0, 0, 0};
  for (int i = 1; i < 256; ++i) pal[i] = mixStops(stops, (i - 1) / 254.0);
  return pal;
}

const std::vector<Stop> kRedRamp = {{0.0, {52, 8, 8}},   {0.22, {112, 14, 16}},
                                    {0.45, {168, 24, 24}}, {0.66, {210, 40, 36}},
                                    {0.86, {238, 96, 84}}, {1.0, {255, 190, 176}}};
const std::vector<Stop> kCreamRamp = {{0.0, {72, 44, 20}},     {0.22, {156, 116, 70}},
                                      {0.45, {208, 180, 134}}, {0.66, {238, 224, 190}},
                                      {0.86, {250, 244, 224}}, {1.0, {255, 255, 248}}};

std::uint8_t rampIndex(double t) {
  return std::uint8_t(1 + std::lround(std::clamp(t, 0.0, 1.0) * 254));
}

// ---------------------------------------------------------------- geometry

struct Vec {
  double x, y, z;
};

Vec normalised(Vec v) {
  double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / n, v.y / n, v.z / n};
}

double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

using Points = std::vector<std::pair<double, double>>;

enum class Kind { Profile, Ellipse, Polygon };
enum class Role { Add, Cut, Groove };

// A profile is a turned part: (y, half width) pairs, top to bottom, about kAxis.
// A groove darkens what lies under it, for slits, eyes and seams.
struct Shape {
  Kind kind;
  Role role = Role::Add;
  Points pts;
  double cx = 0, cy = 0, rx = 0, ry = 0;
  double dark = 0.45;
};

Shape profile(Points yhw) { return {Kind::Profile, Role::Add, std::move(yhw)}; }
Shape polygon(Points xy, Role role = Role::Add) { return {Kind::Polygon, role, std::move(xy)}; }

Shape ellipse(double cx, double cy, double rx, double ry, Role role = Role::Add) {
  Shape s{Kind::Ellipse, role, {}};
  s.cx = cx, s.cy = cy, s.rx = rx, s.ry = ry;
  return s;
}

Shape rect(double x0, double y0, double x1, double y1, Role role = Role::Add) {
  return polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, role);
}

Shape stroke(double x0, double y0, double x1, double y1, double width, double dark) {
  double dx = x1 - x0, dy = y1 - y0, n = std::hypot(dx, dy);
  double ox = -dy / n * width / 2, oy = dx / n * width / 2;
  Shape s =
      polygon({{x0 + ox, y0 + oy}, {x1 + ox, y1 + oy}, {x1 - ox, y1 - oy}, {x0 - ox, y0 - oy}},
              Role::Groove);
  s.dark = dark;
  return s;
}

Shape spot(double cx, double cy, double r, double dark) {
  Shape s = ellipse(cx, cy, r, r, Role::Groove);
  s.dark = dark;
  return s;
}

// Half width of a profile at y, with the slope there; negative width if outside.
std::pair<double, double> halfWidth(const Points& p, double y) {
  if (y < p.front().first || y > p.back().first) return {-1, 0};
  for (size_t i = 1; i < p.size(); ++i) {
    if (y > p[i].first) continue;
    double dy = p[i].first - p[i - 1].first;
    if (dy <= 0) return {p[i].second, 0};
    double slope = (p[i].second - p[i - 1].second) / dy;
    return {p[i - 1].second + slope * (y - p[i - 1].first), slope};
  }
  return {-1, 0};
}

bool insidePolygon(const Points& p, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
    auto [xi, yi] = p[i];
    auto [xj, yj] = p[j];
    if ((yi > y) != (yj > y) && x < xi + (y - yi) * (xj - xi) / (yj - yi)) in = !in;
  }
  return in;
}

bool inside(const Shape& s, double x, double y) {
  switch (s.kind) {
    case Kind::Profile:
      return std::abs(x - kAxis) <= halfWidth(s.pts, y).first;
    case Kind::Ellipse: {
      double u = (x - s.cx) / s.rx, v = (y - s.cy) / s.ry;
      return u * u + v * v <= 1;
    }
    case Kind::Polygon:
      return insidePolygon(s.pts, x, y);
  }
  return false;
}

// Flat polygons (the knight, the cross) get bevelled edges.
Vec bevelNormal(const Points& p, double x, double y) {
  constexpr double kBevel = 3.6;
  double best = 1e9, bx = 0, by = 0;
  for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
    double ax = p[j].first, ay = p[j].second, ex = p[i].first - ax, ey = p[i].second - ay;
    double f = std::clamp(((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
    double qx = ax + f * ex, qy = ay + f * ey, d = std::hypot(x - qx, y - qy);
    if (d < best) best = d, bx = qx, by = qy;
  }
  if (best >= kBevel || best <= 1e-9) return {0, 0, 1};
  double tilt = 0.85 * std::pow(1 - best / kBevel, 1.5);
  return {(bx - x) / best * tilt, (by - y) / best * tilt, std::sqrt(1 - tilt * tilt)};
}

Vec normalAt(const Shape& s, double x, double y) {
  switch (s.kind) {
    case Kind::Profile: {
      auto [hw, slope] = halfWidth(s.pts, y);
      double u = std::clamp((x - kAxis) / hw, -1.0, 1.0);
      return normalised({u, -slope, std::sqrt(1 - u * u)});
    }
    case Kind::Ellipse: {
      double u = (x - s.cx) / s.rx, v = (y - s.cy) / s.ry;
      return normalised({u, v, std::sqrt(std::max(0.0, 1 - u * u - v * v)) + 0.05});
    }
    case Kind::Polygon:
      return bevelNormal(s.pts, x, y);
  }
  return {0, 0, 1};
}

// Light from the top left, a little in front of the board.
double lightFor(Vec n) {
  const Vec light = normalised({-0.55, -0.7, 0.6});
  const Vec half = normalised({light.x, light.y, light.z + 1});
  double diffuse = std::max(0.0, dot(n, light));
  double shine = std::pow(std::max(0.0, dot(n, half)), 28);
  return std::min(1.0, 0.16 + 0.74 * diffuse + 0.4 * shine);
}

// ---------------------------------------------------------------- pieces

enum PieceType { Pawn, Rook, Knight, Bishop, Queen, King, kPieceTypes };

using Outline = std::vector<Shape>;

// Every piece stands on the same kind of foot: a slab with a rounded ring on it.
void addFoot(Outline& o, double hw) {
  o.push_back(profile({{34.0, hw - 1.0}, {34.8, hw}, {37.0, hw}}));
  o.push_back(ellipse(kAxis, 33.3, hw - 1.6, 1.5));
}

Outline pawnOutline() {
  Outline o;
  addFoot(o, 11.5);
  o.push_back(profile({{23.5, 4.1}, {26, 4.5}, {28, 5.3}, {30, 6.6}, {32.2, 8.6}}));
  o.push_back(ellipse(kAxis, 23.4, 6.9, 1.5));
  o.push_back(ellipse(kAxis, 17.9, 5.6, 5.6));
  return o;
}

Outline rookOutline() {
  Outline o;
  addFoot(o, 12.5);
  o.push_back(profile({{16.5, 7.6}, {18, 6.6}, {24, 6.5}, {29, 7.3}, {31, 8.3}, {32.4, 9.8}}));
  o.push_back(ellipse(kAxis, 16.4, 8.6, 1.3));
  o.push_back(profile({{8.0, 9.3}, {15.6, 9.3}}));
  o.push_back(rect(12.9, 7.0, 15.7, 10.8, Role::Cut));
  o.push_back(rect(21.3, 7.0, 24.1, 10.8, Role::Cut));
  o.push_back(stroke(9.2, 12.2, 27.8, 12.2, 0.7, 0.7));
  return o;
}

Outline bishopOutline() {
  Outline o;
  addFoot(o, 12.0);
  o.push_back(profile({{20, 3.8}, {23, 4.0}, {26, 4.8}, {29, 6.0}, {31, 7.6}, {32.4, 9.2}}));
  o.push_back(ellipse(kAxis, 21.3, 6.6, 1.3));
  o.push_back(ellipse(kAxis, 19.6, 4.8, 1.0));
  Points mitre = {{4.6, 0.8},  {6.4, 2.4},  {8.4, 4.4},  {11, 5.6},
                  {13.5, 6.1}, {15.6, 5.7}, {17.4, 4.7}, {19.2, 3.4}};
  o.push_back(profile(mitre));
  o.push_back(ellipse(kAxis, 3.0, 2.1, 2.1));
  o.push_back(stroke(22.8, 7.4, 17.4, 13.6, 1.4, 0.25));
  return o;
}

// The head is a wedge tilted down to the right over the neck; the jaw line
// between them is the transparent stroke, so only the silhouette is drawn here.
Outline knightOutline() {
  Outline o;
  addFoot(o, 12.5);
  Points body = {{26.6, 33.0}, {27.4, 29.0}, {27.0, 26.6}, {26.2, 24.9}, {27.8, 24.4}, {29.2, 23.6},
                 {30.6, 23.3}, {31.6, 22.6}, {29.8, 21.7}, {31.9, 20.8}, {31.2, 18.0}, {29.8, 15.6},
                 {27.6, 12.8}, {24.8, 10.0}, {22.0, 7.6},  {19.8, 6.4},  {18.6, 2.4},  {16.8, 5.0},
                 {16.2, 4.8},  {14.4, 1.8},  {13.4, 6.2},  {12.8, 9.0}};
  // Mane: small tufts down the back of the neck.
  const double topX = 12.8, topY = 9.0, endX = 8.2, endY = 27.0;
  for (int i = 1; i <= 9; ++i) {
    double f = i / 9.0, bulge = (i % 2) ? 1.1 : 0.0;
    double arc = 1.6 * std::sin(f * kPi);  // the neck is arched
    body.push_back({topX + (endX - topX) * f - arc - bulge, topY + (endY - topY) * f});
  }
  body.push_back({8.2, 33.0});
  o.push_back(polygon(body));
  Shape neck = polygon({{4, 3}, {30, 29}, {30, 37}, {4, 37}}, Role::Groove);
  neck.dark = 0.86;  // the neck lies behind the head
  o.push_back(neck);
  o.push_back(spot(21.6, 11.4, 1.05, 0.25));  // eye
  o.push_back(spot(29.7, 18.4, 0.95, 0.3));   // nostril
  return o;
}

Outline queenOutline() {
  Outline o;
  addFoot(o, 13.0);
  o.push_back(profile({{18, 4.0}, {22, 4.4}, {26, 5.4}, {29, 6.8}, {31, 8.4}, {32.4, 10.0}}));
  o.push_back(ellipse(kAxis, 19.3, 7.0, 1.3));
  o.push_back(ellipse(kAxis, 17.8, 5.2, 1.0));
  o.push_back(profile({{9.6, 8.8}, {12.6, 6.4}, {15, 5.0}, {17.2, 4.2}}));
  // Coronet: a ring of points, mirrored about the axis.
  Points crown = {{-8.4, 11.0}, {-9.6, 5.6}, {-6.9, 8.0}, {-4.8, 4.4}, {-2.4, 7.2}, {0, 6.4}};
  for (int i = int(crown.size()) - 2; i >= 0; --i)
    crown.push_back({-crown[i].first, crown[i].second});
  for (auto& pt : crown) pt.first += kAxis;
  o.push_back(polygon(crown));
  for (double dx : {-9.3, -4.7, 4.7, 9.3})
    o.push_back(ellipse(kAxis + dx, dx * dx > 40 ? 5.3 : 4.2, 1.75, 1.75));
  o.push_back(ellipse(kAxis, 8.4, 4.4, 3.4));
  o.push_back(profile({{3.8, 1.0}, {5.6, 1.6}}));
  o.push_back(ellipse(kAxis, 2.6, 2.3, 2.3));
  o.push_back(stroke(kAxis - 8.2, 10.6, kAxis + 8.2, 10.6, 0.8, 0.6));
  return o;
}

Outline kingOutline() {
  Outline o;
  addFoot(o, 13.0);
  o.push_back(profile({{18, 4.4}, {22, 4.7}, {26, 5.6}, {29, 7.0}, {31, 8.6}, {32.4, 10.2}}));
  o.push_back(ellipse(kAxis, 19.2, 7.4, 1.4));
  o.push_back(ellipse(kAxis, 17.6, 5.6, 1.0));
  o.push_back(profile({{10.5, 8.6}, {12.5, 7.2}, {15, 5.6}, {17.2, 4.8}}));
  o.push_back(ellipse(kAxis, 10.3, 8.8, 1.3));
  o.push_back(ellipse(kAxis, 9.8, 7.2, 3.6));
  o.push_back(profile({{5.8, 1.5}, {7.4, 2.0}}));
  Points cross = {{17.2, 0.0}, {19.8, 0.0}, {19.8, 2.0}, {22.8, 2.0}, {22.8, 4.5}, {19.8, 4.5},
                  {19.8, 7.2}, {17.2, 7.2}, {17.2, 4.5}, {14.2, 4.5}, {14.2, 2.0}, {17.2, 2.0}};
  o.push_back(polygon(cross));
  return o;
}

Outline outlineOf(PieceType t) {
  switch (t) {
    case Pawn:
      return pawnOutline();
    case Rook:
      return rookOutline();
    case Knight:
      return knightOutline();
    case Bishop:
      return bishopOutline();
    case Queen:
      return queenOutline();
    default:
      return kingOutline();
  }
}

struct Sample {
  bool in = false;
  double light = 0;
};

Sample sampleAt(const Outline& o, double x, double y) {
  const Shape* top = nullptr;
  double dark = 1;
  for (const Shape& s : o) {
    if (!inside(s, x, y)) continue;
    if (s.role == Role::Add) top = &s, dark = 1;
    if (s.role == Role::Cut) top = nullptr;
    if (s.role == Role::Groove && top) dark = std::min(dark, s.dark);
  }
  if (!top) return {};
  return {true, lightFor(normalAt(*top, x, y)) * dark};
}

// The fine line under the knight's jaw, drawn in the transparent colour so the
// square shows through. It runs down the diagonal from unit (15, 14) to
// (24, 23), a pixel wide at the design size (exactly ten pixels there) and as
// wide as a design pixel above it; below it, a pixel wide still, or it would
// vanish. `cx`, `cy` are a pixel's centre in design units, `pixel` the size of
// a pixel in them.
bool onJawStroke(double cx, double cy, double pixel) {
  const double across = cx - cy - 1, along = cx + cy;
  return std::abs(across) < std::max(0.7, 0.51 * pixel) && along > 29 && along < 49;
}

// Light of each pixel of a size x size picture, negative where the piece does
// not cover it. A pixel belongs to the piece when at least half of it is
// covered; edges are never blended towards black, which would fringe the piece
// on the wood.
// Six samples a side per design pixel, and no fewer than four per device pixel:
// the time a large size takes stays bounded and its edges stay as fine.
std::vector<double> coverage(const Outline& o, int size) {
  const int kSub = std::max(4, (6 * kDesignSize + size - 1) / size);
  const double unit = double(kDesignSize) / size;
  std::vector<double> light(size_t(size) * size, -1);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      int hits = 0;
      double sum = 0;
      for (int j = 0; j < kSub; ++j)
        for (int i = 0; i < kSub; ++i) {
          Sample s = sampleAt(o, (x + (i + 0.5) / kSub) * unit, (y + (j + 0.5) / kSub) * unit);
          if (s.in) ++hits, sum += s.light;
        }
      if (2 * hits >= kSub * kSub) light[y * size + x] = sum / hits;
    }
  return light;
}

// The dark rim is a design pixel wide: one pixel at the design size and below,
// thicker in proportion above it.
// Gaps the piece closes around (between a crown's points, at some sizes) are
// filled: black inside a piece would be a hole onto the square.
void fillEnclosedGaps(std::vector<double>& light, int size) {
  std::vector<char> outside(light.size(), 0);
  std::vector<int> todo;
  auto reach = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= size || y >= size) return;
    const int at = y * size + x;
    if (outside[at] || light[at] >= 0) return;
    outside[at] = 1;
    todo.push_back(at);
  };
  for (int i = 0; i < size; ++i) reach(i, 0), reach(i, size - 1), reach(0, i), reach(size - 1, i);
  while (!todo.empty()) {
    const int at = todo.back();
    todo.pop_back();
    const int x = at % size, y = at / size;
    reach(x - 1, y), reach(x + 1, y), reach(x, y - 1), reach(x, y + 1);
  }
  for (size_t at = 0; at < light.size(); ++at)
    if (light[at] < 0 && !outside[at]) light[at] = 0;
}

Picture renderPiece(PieceType t, int size) {
  std::vector<double> light = coverage(outlineOf(t), size);
  fillEnclosedGaps(light, size);
  auto solid = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < size && y < size && light[y * size + x] >= 0;
  };
  const double rim = std::max(1.0, double(size) / kDesignSize);
  const int reach = int(std::ceil(rim));
  auto onRim = [&](int x, int y) {
    for (int dy = -reach; dy <= reach; ++dy)
      for (int dx = -reach; dx <= reach; ++dx)
        if (dx * dx + dy * dy <= rim * rim && !solid(x + dx, y + dy)) return true;
    return false;
  };
  Picture p(size, size);
  const double unit = double(kDesignSize) / size;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      if (t == Knight && onJawStroke((x + 0.5) * unit, (y + 0.5) * unit, unit)) continue;
      if (!solid(x, y)) continue;
      p.at(x, y) = onRim(x, y) ? rampIndex(0) : rampIndex(0.12 + 0.88 * light[y * size + x]);
    }
  return p;
}

// ---------------------------------------------------------------- wood

double hash01(int x, int y, int seed) {
  std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u +
                    std::uint32_t(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return ((h ^ (h >> 16)) & 0xffff) / 65535.0;
}

double valueNoise(double x, double y, int seed) {
  int ix = int(std::floor(x)), iy = int(std::floor(y));
  double fx = x - ix, fy = y - iy;
  fx = fx * fx * (3 - 2 * fx), fy = fy * fy * (3 - 2 * fy);
  double a = hash01(ix, iy, seed), b = hash01(ix + 1, iy, seed);
  double c = hash01(ix, iy + 1, seed), d = hash01(ix + 1, iy + 1, seed);
  return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

// Grain runs along `along`; rings are bands across it, bent by slow noise,
// with fine streaks stretched along the grain.
double grain(double across, double along, int seed) {
  double bend = 2.6 * valueNoise(across * 0.07, along * 0.05, seed);
  double rings = 0.5 + 0.5 * std::sin((across + bend) * 2 * kPi / 6.5);
  double streaks = valueNoise(across * 1.1, along * 0.09, seed + 7);
  return 0.55 + 0.25 * (rings - 0.5) + 0.3 * (streaks - 0.5) - 0.25 * std::pow(rings, 12);
}

// The grain is sampled at pixel centres in design units, so a bigger square
// shows the same board of wood more finely, not more of it.
Picture renderWood(Rgb low, Rgb high, bool vertical, int seed, int size) {
  Picture p(size, size);
  p.pal.resize(256);
  for (int i = 0; i < 256; ++i) p.pal[i] = mixStops({{0, low}, {1, high}}, i / 255.0);
  const double unit = double(kDesignSize) / size;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double u = (x + 0.5) * unit - 0.5, v = (y + 0.5) * unit - 0.5;
      double g = vertical ? grain(u, v, seed) : grain(v, u, seed);
      p.at(x, y) = std::uint8_t(std::lround(std::clamp(g, 0.0, 1.0) * 255));
    }
  return p;
}

// ---------------------------------------------------------------- toolbox

// The standard 16 colours of a Windows 4-bit bitmap, in their usual order.
const std::vector<Rgb> kWindowsColours = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};

// A window with a blue title bar and a grid, and a pencil across its right
// side, on the light grey of a toolbar.
// clang-format off
const char* const kToolboxArt[] = {
    "ssssssssssssskks",
    "sssssssssssskRRk",
    "kkkkkkkkkkkkRRmk",
    "kBBBBBBBBBkwwGks",
    "kBBBBBBBBkyyokss",
    "kwwwGwwGkyyoksss",
    "kwwwGwwkyyokssss",
    "kGGGGGkyyokkssss",
    "kwwwGkwwkwwkssss",
    "kwwwGkkGwwwkssss",
    "kGGGGGGGGGGkssss",
    "kwwwGwwGwwwkssss",
    "kwwwGwwGwwwkssss",
    "kkkkkkkkkkkkssss",
    "ssssssssssssssss",
};
// clang-format on

Picture renderToolbox() {
  const std::string letters = "kmgonptsGRlyBfaw";  // one per Windows colour, in order
  Picture p(16, 15);
  p.pal = kWindowsColours;
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x) p.at(x, y) = std::uint8_t(letters.find(kToolboxArt[y][x]));
  return p;
}

}  // namespace

Picture DrawImage(int image, int size) {
  if (image == 1) return renderWood({188, 136, 74}, {246, 206, 146}, false, 11, size);
  if (image == kImageCount) return renderWood({74, 54, 24}, {138, 108, 60}, true, 23, size);
  const bool red = image <= 1 + kPieceTypes;
  Picture p = renderPiece(PieceType((image - 2) % kPieceTypes), size);
  p.pal = piecePalette(red ? kRedRamp : kCreamRamp);
  return p;
}

std::vector<Picture> DrawImages(int size) {
  std::vector<Picture> images(kImageCount);
  images.front() = DrawImage(1, size);
  images.back() = DrawImage(kImageCount, size);
  const std::vector<Rgb> redPalette = piecePalette(kRedRamp), creamPalette = piecePalette(kCreamRamp);
  for (int t = 0; t < kPieceTypes; ++t) {
    Picture& red = images[1 + t];
    red = renderPiece(PieceType(t), size);
    red.pal = redPalette;
    images[1 + kPieceTypes + t] = red;
    images[1 + kPieceTypes + t].pal = creamPalette;
  }
  return images;
}

Picture DrawToolbox() { return renderToolbox(); }

}  // namespace art
