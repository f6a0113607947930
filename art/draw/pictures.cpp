// The geometry of the board's pictures: two wooden squares, six chessmen in red
// and cream, and the toolbox bitmap. The chessmen are outlines (profiles of
// turned wood, ellipses, polygons) in a 37-unit square, shaded with a light from
// the top left, and rasterised at whatever square size is asked for.

#include "art/draw/pictures.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "art/draw/flood_fill.h"

namespace art {

namespace {

constexpr double kAxis = 18.5;  // turned pieces are centred on the middle column
constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- palettes

struct Stop {
  double position;
  Rgb colour;
};

Rgb MixStops(const std::vector<Stop>& stops, double position) {
  position = std::clamp(position, 0.0, 1.0);
  for (size_t i = 1; i < stops.size(); ++i) {
    if (position > stops[i].position) continue;
    const Stop& from = stops[i - 1];
    const Stop& to = stops[i];
    double fraction = (position - from.position) / (to.position - from.position);
    auto blend = [fraction](int low, int high) { return std::uint8_t(std::lround(low + (high - low) * fraction)); };
    return {blend(from.colour.red, to.colour.red), blend(from.colour.green, to.colour.green),
            blend(from.colour.blue, to.colour.blue)};
  }
  return stops.back().colour;
}

// Piece palettes: entry 0 black (transparent), 1..255 a ramp from the outline
// colour through the shade to the highlight. Red and cream share the indices,
// so both sets have exactly the same outlines.
std::vector<Rgb> PiecePalette(const std::vector<Stop>& stops) {
  std::vector<Rgb> palette(256);
  palette[0] = {0, 0, 0};
  for (int i = 1; i < 256; ++i) palette[i] = MixStops(stops, (i - 1) / 254.0);
  return palette;
}

const std::vector<Stop> kRedRamp = {{0.0, {52, 8, 8}},     {0.22, {112, 14, 16}}, {0.45, {168, 24, 24}},
                                    {0.66, {210, 40, 36}}, {0.86, {238, 96, 84}}, {1.0, {255, 190, 176}}};
const std::vector<Stop> kCreamRamp = {{0.0, {72, 44, 20}},     {0.22, {156, 116, 70}},  {0.45, {208, 180, 134}},
                                      {0.66, {238, 224, 190}}, {0.86, {250, 244, 224}}, {1.0, {255, 255, 248}}};

std::uint8_t RampIndex(double shade) { return std::uint8_t(1 + std::lround(std::clamp(shade, 0.0, 1.0) * 254)); }

// ---------------------------------------------------------------- geometry

struct Vector {
  double x, y, z;
};

Vector Normalised(Vector v) {
  double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / length, v.y / length, v.z / length};
}

double Dot(Vector a, Vector b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

using Points = std::vector<std::pair<double, double>>;

enum class Kind { Profile, Ellipse, Polygon };
enum class Role { Add, Cut, Groove };

// A profile is a turned part: (y, half width) pairs, top to bottom, about kAxis.
// A groove darkens what lies under it, for slits, eyes and seams.
struct Shape {
  Kind kind;
  Role role = Role::Add;
  Points points;
  double centreX = 0, centreY = 0, radiusX = 0, radiusY = 0;
  double darkness = 0.45;
};

Shape Profile(Points heightsAndHalfWidths) { return {Kind::Profile, Role::Add, std::move(heightsAndHalfWidths)}; }
Shape Polygon(Points corners, Role role = Role::Add) { return {Kind::Polygon, role, std::move(corners)}; }

Shape Ellipse(double centreX, double centreY, double radiusX, double radiusY, Role role = Role::Add) {
  Shape shape{Kind::Ellipse, role, {}};
  shape.centreX = centreX, shape.centreY = centreY, shape.radiusX = radiusX, shape.radiusY = radiusY;
  return shape;
}

Shape Box(double left, double top, double right, double bottom, Role role = Role::Add) {
  return Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, role);
}

Shape Stroke(double x0, double y0, double x1, double y1, double width, double darkness) {
  double dx = x1 - x0, dy = y1 - y0, length = std::hypot(dx, dy);
  double offsetX = -dy / length * width / 2, offsetY = dx / length * width / 2;
  Shape shape = Polygon({{x0 + offsetX, y0 + offsetY},
                         {x1 + offsetX, y1 + offsetY},
                         {x1 - offsetX, y1 - offsetY},
                         {x0 - offsetX, y0 - offsetY}},
                        Role::Groove);
  shape.darkness = darkness;
  return shape;
}

Shape Spot(double centreX, double centreY, double radius, double darkness) {
  Shape shape = Ellipse(centreX, centreY, radius, radius, Role::Groove);
  shape.darkness = darkness;
  return shape;
}

// Half width of a profile at y, with the slope there; negative width if outside.
std::pair<double, double> HalfWidth(const Points& profile, double y) {
  if (y < profile.front().first || y > profile.back().first) return {-1, 0};
  for (size_t i = 1; i < profile.size(); ++i) {
    if (y > profile[i].first) continue;
    double dy = profile[i].first - profile[i - 1].first;
    if (dy <= 0) return {profile[i].second, 0};
    double slope = (profile[i].second - profile[i - 1].second) / dy;
    return {profile[i - 1].second + slope * (y - profile[i - 1].first), slope};
  }
  return {-1, 0};
}

bool InsidePolygon(const Points& corners, double x, double y) {
  bool inside = false;
  for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
    auto [xi, yi] = corners[i];
    auto [xj, yj] = corners[j];
    if ((yi > y) != (yj > y) && x < xi + (y - yi) * (xj - xi) / (yj - yi)) inside = !inside;
  }
  return inside;
}

bool Inside(const Shape& shape, double x, double y) {
  switch (shape.kind) {
    case Kind::Profile:
      return std::abs(x - kAxis) <= HalfWidth(shape.points, y).first;
    case Kind::Ellipse: {
      double u = (x - shape.centreX) / shape.radiusX, v = (y - shape.centreY) / shape.radiusY;
      return u * u + v * v <= 1;
    }
    case Kind::Polygon:
      return InsidePolygon(shape.points, x, y);
  }
  return false;
}

// Flat polygons (the knight, the cross) get bevelled edges.
Vector BevelNormal(const Points& corners, double x, double y) {
  constexpr double kBevel = 3.6;
  double nearest = 1e9, nearestX = 0, nearestY = 0;
  for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
    double startX = corners[j].first, startY = corners[j].second;
    double edgeX = corners[i].first - startX, edgeY = corners[i].second - startY;
    double along =
        std::clamp(((x - startX) * edgeX + (y - startY) * edgeY) / (edgeX * edgeX + edgeY * edgeY), 0.0, 1.0);
    double pointX = startX + along * edgeX, pointY = startY + along * edgeY;
    double distance = std::hypot(x - pointX, y - pointY);
    if (distance < nearest) nearest = distance, nearestX = pointX, nearestY = pointY;
  }
  if (nearest >= kBevel || nearest <= 1e-9) return {0, 0, 1};
  double tilt = 0.85 * std::pow(1 - nearest / kBevel, 1.5);
  return {(nearestX - x) / nearest * tilt, (nearestY - y) / nearest * tilt, std::sqrt(1 - tilt * tilt)};
}

Vector NormalAt(const Shape& shape, double x, double y) {
  switch (shape.kind) {
    case Kind::Profile: {
      auto [halfWidth, slope] = HalfWidth(shape.points, y);
      double u = std::clamp((x - kAxis) / halfWidth, -1.0, 1.0);
      return Normalised({u, -slope, std::sqrt(1 - u * u)});
    }
    case Kind::Ellipse: {
      double u = (x - shape.centreX) / shape.radiusX, v = (y - shape.centreY) / shape.radiusY;
      return Normalised({u, v, std::sqrt(std::max(0.0, 1 - u * u - v * v)) + 0.05});
    }
    case Kind::Polygon:
      return BevelNormal(shape.points, x, y);
  }
  return {0, 0, 1};
}

// Light from the top left, a little in front of the board.
double LightFor(Vector normal) {
  const Vector light = Normalised({-0.55, -0.7, 0.6});
  const Vector half = Normalised({light.x, light.y, light.z + 1});
  double diffuse = std::max(0.0, Dot(normal, light));
  double shine = std::pow(std::max(0.0, Dot(normal, half)), 28);
  return std::min(1.0, 0.16 + 0.74 * diffuse + 0.4 * shine);
}

// ---------------------------------------------------------------- pieces

enum PieceType { Pawn, Rook, Knight, Bishop, Queen, King, kPieceTypes };

using Outline = std::vector<Shape>;

// Every piece stands on the same kind of foot: a slab with a rounded ring on it.
void AddFoot(Outline& outline, double halfWidth) {
  outline.push_back(Profile({{34.0, halfWidth - 1.0}, {34.8, halfWidth}, {37.0, halfWidth}}));
  outline.push_back(Ellipse(kAxis, 33.3, halfWidth - 1.6, 1.5));
}

Outline PawnOutline() {
  Outline outline;
  AddFoot(outline, 11.5);
  outline.push_back(Profile({{23.5, 4.1}, {26, 4.5}, {28, 5.3}, {30, 6.6}, {32.2, 8.6}}));
  outline.push_back(Ellipse(kAxis, 23.4, 6.9, 1.5));
  outline.push_back(Ellipse(kAxis, 17.9, 5.6, 5.6));
  return outline;
}

Outline RookOutline() {
  Outline outline;
  AddFoot(outline, 12.5);
  outline.push_back(Profile({{16.5, 7.6}, {18, 6.6}, {24, 6.5}, {29, 7.3}, {31, 8.3}, {32.4, 9.8}}));
  outline.push_back(Ellipse(kAxis, 16.4, 8.6, 1.3));
  outline.push_back(Profile({{8.0, 9.3}, {15.6, 9.3}}));
  outline.push_back(Box(12.9, 7.0, 15.7, 10.8, Role::Cut));
  outline.push_back(Box(21.3, 7.0, 24.1, 10.8, Role::Cut));
  outline.push_back(Stroke(9.2, 12.2, 27.8, 12.2, 0.7, 0.7));
  return outline;
}

Outline BishopOutline() {
  Outline outline;
  AddFoot(outline, 12.0);
  outline.push_back(Profile({{20, 3.8}, {23, 4.0}, {26, 4.8}, {29, 6.0}, {31, 7.6}, {32.4, 9.2}}));
  outline.push_back(Ellipse(kAxis, 21.3, 6.6, 1.3));
  outline.push_back(Ellipse(kAxis, 19.6, 4.8, 1.0));
  Points mitre = {{4.6, 0.8}, {6.4, 2.4}, {8.4, 4.4}, {11, 5.6}, {13.5, 6.1}, {15.6, 5.7}, {17.4, 4.7}, {19.2, 3.4}};
  outline.push_back(Profile(mitre));
  outline.push_back(Ellipse(kAxis, 3.0, 2.1, 2.1));
  outline.push_back(Stroke(22.8, 7.4, 17.4, 13.6, 1.4, 0.25));
  return outline;
}

// The head is a wedge tilted down to the right over the neck; the jaw line
// between them is the transparent stroke, so only the silhouette is drawn here.
Outline KnightOutline() {
  Outline outline;
  AddFoot(outline, 12.5);
  Points body = {{26.6, 33.0}, {27.4, 29.0}, {27.0, 26.6}, {26.2, 24.9}, {27.8, 24.4}, {29.2, 23.6},
                 {30.6, 23.3}, {31.6, 22.6}, {29.8, 21.7}, {31.9, 20.8}, {31.2, 18.0}, {29.8, 15.6},
                 {27.6, 12.8}, {24.8, 10.0}, {22.0, 7.6},  {19.8, 6.4},  {18.6, 2.4},  {16.8, 5.0},
                 {16.2, 4.8},  {14.4, 1.8},  {13.4, 6.2},  {12.8, 9.0}};
  // Mane: small tufts down the back of the neck.
  const double topX = 12.8, topY = 9.0, endX = 8.2, endY = 27.0;
  for (int i = 1; i <= 9; ++i) {
    double fraction = i / 9.0, bulge = (i % 2) ? 1.1 : 0.0;
    double arc = 1.6 * std::sin(fraction * kPi);  // the neck is arched
    body.push_back({topX + (endX - topX) * fraction - arc - bulge, topY + (endY - topY) * fraction});
  }
  body.push_back({8.2, 33.0});
  outline.push_back(Polygon(body));
  Shape neck = Polygon({{4, 3}, {30, 29}, {30, 37}, {4, 37}}, Role::Groove);
  neck.darkness = 0.86;  // the neck lies behind the head
  outline.push_back(neck);
  outline.push_back(Spot(21.6, 11.4, 1.05, 0.25));  // eye
  outline.push_back(Spot(29.7, 18.4, 0.95, 0.3));   // nostril
  return outline;
}

Outline QueenOutline() {
  Outline outline;
  AddFoot(outline, 13.0);
  outline.push_back(Profile({{18, 4.0}, {22, 4.4}, {26, 5.4}, {29, 6.8}, {31, 8.4}, {32.4, 10.0}}));
  outline.push_back(Ellipse(kAxis, 19.3, 7.0, 1.3));
  outline.push_back(Ellipse(kAxis, 17.8, 5.2, 1.0));
  outline.push_back(Profile({{9.6, 8.8}, {12.6, 6.4}, {15, 5.0}, {17.2, 4.2}}));
  // Coronet: a ring of points, mirrored about the axis.
  Points crown = {{-8.4, 11.0}, {-9.6, 5.6}, {-6.9, 8.0}, {-4.8, 4.4}, {-2.4, 7.2}, {0, 6.4}};
  for (int i = int(crown.size()) - 2; i >= 0; --i) crown.push_back({-crown[i].first, crown[i].second});
  for (auto& point : crown) point.first += kAxis;
  outline.push_back(Polygon(crown));
  for (double dx : {-9.3, -4.7, 4.7, 9.3}) outline.push_back(Ellipse(kAxis + dx, dx * dx > 40 ? 5.3 : 4.2, 1.75, 1.75));
  outline.push_back(Ellipse(kAxis, 8.4, 4.4, 3.4));
  outline.push_back(Profile({{3.8, 1.0}, {5.6, 1.6}}));
  outline.push_back(Ellipse(kAxis, 2.6, 2.3, 2.3));
  outline.push_back(Stroke(kAxis - 8.2, 10.6, kAxis + 8.2, 10.6, 0.8, 0.6));
  return outline;
}

Outline KingOutline() {
  Outline outline;
  AddFoot(outline, 13.0);
  outline.push_back(Profile({{18, 4.4}, {22, 4.7}, {26, 5.6}, {29, 7.0}, {31, 8.6}, {32.4, 10.2}}));
  outline.push_back(Ellipse(kAxis, 19.2, 7.4, 1.4));
  outline.push_back(Ellipse(kAxis, 17.6, 5.6, 1.0));
  outline.push_back(Profile({{10.5, 8.6}, {12.5, 7.2}, {15, 5.6}, {17.2, 4.8}}));
  outline.push_back(Ellipse(kAxis, 10.3, 8.8, 1.3));
  outline.push_back(Ellipse(kAxis, 9.8, 7.2, 3.6));
  outline.push_back(Profile({{5.8, 1.5}, {7.4, 2.0}}));
  Points cross = {{17.2, 0.0}, {19.8, 0.0}, {19.8, 2.0}, {22.8, 2.0}, {22.8, 4.5}, {19.8, 4.5},
                  {19.8, 7.2}, {17.2, 7.2}, {17.2, 4.5}, {14.2, 4.5}, {14.2, 2.0}, {17.2, 2.0}};
  outline.push_back(Polygon(cross));
  return outline;
}

Outline OutlineOf(PieceType type) {
  switch (type) {
    case Pawn:
      return PawnOutline();
    case Rook:
      return RookOutline();
    case Knight:
      return KnightOutline();
    case Bishop:
      return BishopOutline();
    case Queen:
      return QueenOutline();
    default:
      return KingOutline();
  }
}

struct Sample {
  bool covered = false;
  double light = 0;
};

Sample SampleAt(const Outline& outline, double x, double y) {
  const Shape* top = nullptr;
  double darkness = 1;
  for (const Shape& shape : outline) {
    if (!Inside(shape, x, y)) continue;
    if (shape.role == Role::Add) top = &shape, darkness = 1;
    if (shape.role == Role::Cut) top = nullptr;
    if (shape.role == Role::Groove && top) darkness = std::min(darkness, shape.darkness);
  }
  if (!top) return {};
  return {true, LightFor(NormalAt(*top, x, y)) * darkness};
}

// The fine line under the knight's jaw, drawn in the transparent colour so the
// square shows through. It runs down the diagonal from unit (15, 14) to
// (24, 23), a pixel wide at the design size (exactly ten pixels there) and as
// wide as a design pixel above it; below it, a pixel wide still, or it would
// vanish. `centreX`, `centreY` are a pixel's centre in design units, `pixel`
// the size of a pixel in them.
bool OnJawStroke(double centreX, double centreY, double pixel) {
  const double across = centreX - centreY - 1, along = centreX + centreY;
  return std::abs(across) < std::max(0.7, 0.51 * pixel) && along > 29 && along < 49;
}

// Light of each pixel of a size x size picture, negative where the piece does
// not cover it. A pixel belongs to the piece when at least half of it is
// covered; edges are never blended towards black, which would fringe the piece
// on the wood.
std::vector<double> Coverage(const Outline& outline, int size) {
  const int samples = SamplesPerSide(size);
  const double unit = double(kDesignSize) / size;
  std::vector<double> light(size_t(size) * size, -1);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      int hits = 0;
      double sum = 0;
      for (int j = 0; j < samples; ++j)
        for (int i = 0; i < samples; ++i) {
          Sample sample = SampleAt(outline, (x + (i + 0.5) / samples) * unit, (y + (j + 0.5) / samples) * unit);
          if (sample.covered) ++hits, sum += sample.light;
        }
      if (2 * hits >= samples * samples) light[y * size + x] = sum / hits;
    }
  return light;
}

// Gaps the piece closes around (between a crown's points, at some sizes) are
// filled: black inside a piece would be a hole onto the square.
void FillEnclosedGaps(std::vector<double>& light, int size) {
  std::vector<bool> uncovered(light.size());
  for (size_t at = 0; at < light.size(); ++at) uncovered[at] = light[at] < 0;
  const std::vector<bool> outside = ReachedFromEdge(uncovered, size);
  for (size_t at = 0; at < light.size(); ++at)
    if (uncovered[at] && !outside[at]) light[at] = 0;
}

Picture RenderPiece(PieceType type, int size) {
  std::vector<double> light = Coverage(OutlineOf(type), size);
  FillEnclosedGaps(light, size);
  auto solid = [&](int x, int y) { return x >= 0 && y >= 0 && x < size && y < size && light[y * size + x] >= 0; };
  // The dark rim is a design pixel wide: one pixel at the design size and
  // below, thicker in proportion above it.
  const double rim = std::max(1.0, double(size) / kDesignSize);
  const int reach = int(std::ceil(rim));
  auto onRim = [&](int x, int y) {
    for (int dy = -reach; dy <= reach; ++dy)
      for (int dx = -reach; dx <= reach; ++dx)
        if (dx * dx + dy * dy <= rim * rim && !solid(x + dx, y + dy)) return true;
    return false;
  };
  Picture picture(size, size);
  const double unit = double(kDesignSize) / size;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      if (type == Knight && OnJawStroke((x + 0.5) * unit, (y + 0.5) * unit, unit)) continue;
      if (!solid(x, y)) continue;
      picture.At(x, y) = onRim(x, y) ? RampIndex(0) : RampIndex(0.12 + 0.88 * light[y * size + x]);
    }
  return picture;
}

// ---------------------------------------------------------------- wood

double Hash01(int x, int y, int seed) {
  std::uint32_t hash =
      std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + std::uint32_t(seed) * 2246822519u;
  hash = (hash ^ (hash >> 13)) * 1274126177u;
  return ((hash ^ (hash >> 16)) & 0xffff) / 65535.0;
}

double ValueNoise(double x, double y, int seed) {
  int cellX = int(std::floor(x)), cellY = int(std::floor(y));
  double fractionX = x - cellX, fractionY = y - cellY;
  fractionX = fractionX * fractionX * (3 - 2 * fractionX), fractionY = fractionY * fractionY * (3 - 2 * fractionY);
  double topLeft = Hash01(cellX, cellY, seed), topRight = Hash01(cellX + 1, cellY, seed);
  double bottomLeft = Hash01(cellX, cellY + 1, seed), bottomRight = Hash01(cellX + 1, cellY + 1, seed);
  return (topLeft + (topRight - topLeft) * fractionX) * (1 - fractionY) +
         (bottomLeft + (bottomRight - bottomLeft) * fractionX) * fractionY;
}

// Grain runs along `along`; rings are bands across it, bent by slow noise,
// with fine streaks stretched along the grain.
double Grain(double across, double along, int seed) {
  double bend = 2.6 * ValueNoise(across * 0.07, along * 0.05, seed);
  double rings = 0.5 + 0.5 * std::sin((across + bend) * 2 * kPi / 6.5);
  double streaks = ValueNoise(across * 1.1, along * 0.09, seed + 7);
  return 0.55 + 0.25 * (rings - 0.5) + 0.3 * (streaks - 0.5) - 0.25 * std::pow(rings, 12);
}

// The grain is sampled at pixel centres in design units, so a bigger square
// shows the same board of wood more finely, not more of it.
Picture RenderWood(Rgb low, Rgb high, bool vertical, int seed, int size) {
  Picture picture(size, size);
  picture.palette.resize(256);
  for (int i = 0; i < 256; ++i) picture.palette[i] = MixStops({{0, low}, {1, high}}, i / 255.0);
  const double unit = double(kDesignSize) / size;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double u = (x + 0.5) * unit - 0.5, v = (y + 0.5) * unit - 0.5;
      double grain = vertical ? Grain(u, v, seed) : Grain(v, u, seed);
      picture.At(x, y) = std::uint8_t(std::lround(std::clamp(grain, 0.0, 1.0) * 255));
    }
  return picture;
}

// ---------------------------------------------------------------- toolbox

// The standard 16 colours of a Windows 4-bit bitmap, in their usual order.
const std::vector<Rgb> kWindowsColours = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                          {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                          {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                          {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

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

// OvlBoard's button: a board of four by four squares with a red arrow across it.
const char* const kBoardToolboxArt[] = {
    "skkkkkkkkkkkkkks",
    "skwwwooowwwoooks",
    "skwwwooowRRRRoks",
    "skwwwooowwRRRoks",
    "skooowwwooRRRwks",
    "skooowwwoRRwRwks",
    "skooowwwRRowwwks",
    "skwwwooRRwwoooks",
    "skwwwoRRwwwoooks",
    "skwwwRRowwwoooks",
    "skooRRwwooowwwks",
    "skoRRwwwooowwwks",
    "skooowwwooowwwks",
    "skkkkkkkkkkkkkks",
    "ssssssssssssssss",
};
// clang-format on

Picture DrawToolboxArt(const char* const* art) {
  const std::string letters = "kmgonptsGRlyBfaw";  // one per Windows colour, in order
  Picture picture(16, 15);
  picture.palette = kWindowsColours;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) picture.At(x, y) = std::uint8_t(letters.find(art[y][x]));
  return picture;
}

}  // namespace

int SamplesPerSide(int size) { return std::max(4, (6 * kDesignSize + size - 1) / size); }

Picture DrawImage(int image, int size) {
  if (image == board::kLightSquareImage.value) return RenderWood({188, 136, 74}, {246, 206, 146}, false, 11, size);
  if (image == board::kDarkSquareImage.value) return RenderWood({74, 54, 24}, {138, 108, 60}, true, 23, size);
  const bool red = image <= 1 + kPieceTypes;
  Picture picture = RenderPiece(PieceType((image - 2) % kPieceTypes), size);
  picture.palette = PiecePalette(red ? kRedRamp : kCreamRamp);
  return picture;
}

std::vector<Picture> DrawImages(int size) {
  std::vector<Picture> images(board::kImageCount);
  images.front() = DrawImage(board::kLightSquareImage.value, size);
  images.back() = DrawImage(board::kDarkSquareImage.value, size);
  const std::vector<Rgb> redPalette = PiecePalette(kRedRamp), creamPalette = PiecePalette(kCreamRamp);
  for (int type = 0; type < kPieceTypes; ++type) {
    Picture& red = images[1 + type];
    red = RenderPiece(PieceType(type), size);
    red.palette = redPalette;
    images[1 + kPieceTypes + type] = red;
    images[1 + kPieceTypes + type].palette = creamPalette;
  }
  return images;
}

Picture DrawToolbox() { return DrawToolboxArt(kToolboxArt); }

Picture DrawBoardToolbox() { return DrawToolboxArt(kBoardToolboxArt); }

}  // namespace art
