#include "art/draw/flood_fill.h"

#include <utility>

namespace art {

std::vector<bool> Flood(const std::vector<bool>& open, int width, std::vector<int> seeds, bool diagonal) {
  const int height = width > 0 ? static_cast<int>(open.size()) / width : 0;
  std::vector<bool> reached(open.size(), false);
  for (int at : seeds) reached[at] = true;
  while (!seeds.empty()) {
    const int at = seeds.back();
    seeds.pop_back();
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int x = at % width + dx, y = at / width + dy;
        if ((dx != 0 && dy != 0 && !diagonal) || x < 0 || y < 0 || x >= width || y >= height) continue;
        const int next = y * width + x;
        if (reached[next] || !open[next]) continue;
        reached[next] = true;
        seeds.push_back(next);
      }
  }
  return reached;
}

std::vector<bool> ReachedFromEdge(const std::vector<bool>& open, int width) {
  const int height = width > 0 ? static_cast<int>(open.size()) / width : 0;
  std::vector<int> edge;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int at = y * width + x;
      if ((x == 0 || y == 0 || x == width - 1 || y == height - 1) && open[at]) edge.push_back(at);
    }
  return Flood(open, width, std::move(edge), false);
}

}  // namespace art
