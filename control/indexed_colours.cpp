#include "control/indexed_colours.h"

#include <algorithm>
#include <array>
#include <utility>

namespace control {

namespace {

constexpr size_t kPaletteSize = 256;

struct Shade {
  uint32_t colour;
  uint32_t pixels;  // how many pixels show it
};

int Channel(uint32_t colour, int channel) { return static_cast<int>((colour >> (16 - 8 * channel)) & 0xFF); }

// A run of shades that one palette entry stands for, and its widest channel.
struct Group {
  size_t begin, end;
  int channel;
  int range;
};

Group Measure(const std::vector<Shade>& shades, size_t begin, size_t end) {
  std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
  for (size_t i = begin; i < end; ++i)
    for (int c = 0; c < 3; ++c) {
      low[c] = std::min(low[c], Channel(shades[i].colour, c));
      high[c] = std::max(high[c], Channel(shades[i].colour, c));
    }
  Group group{begin, end, 0, -1};
  for (int c = 0; c < 3; ++c)
    if (high[c] - low[c] > group.range) group = {begin, end, c, high[c] - low[c]};
  return group;
}

// Splits the widest group at its median pixel along its widest channel until
// there are `count` groups.
std::vector<Group> MedianCut(std::vector<Shade>& shades, size_t count) {
  std::vector<Group> groups{Measure(shades, 0, shades.size())};
  while (groups.size() < count) {
    auto widest = std::max_element(groups.begin(), groups.end(),
                                   [](const Group& a, const Group& b) { return a.range < b.range; });
    if (widest->range <= 0) break;
    const Group group = *widest;
    std::sort(shades.begin() + group.begin, shades.begin() + group.end, [&](const Shade& a, const Shade& b) {
      return Channel(a.colour, group.channel) < Channel(b.colour, group.channel);
    });
    uint64_t total = 0, seen = 0;
    for (size_t i = group.begin; i < group.end; ++i) total += shades[i].pixels;
    size_t split = group.begin + 1;
    while (split < group.end - 1 && (seen += shades[split - 1].pixels) * 2 < total) ++split;
    *widest = Measure(shades, group.begin, split);
    groups.push_back(Measure(shades, split, group.end));
  }
  return groups;
}

uint32_t MeanColour(const std::vector<Shade>& shades, const Group& group) {
  std::array<uint64_t, 3> sums{};
  uint64_t total = 0;
  for (size_t i = group.begin; i < group.end; ++i) {
    total += shades[i].pixels;
    for (int c = 0; c < 3; ++c) sums[c] += uint64_t{shades[i].pixels} * Channel(shades[i].colour, c);
  }
  uint32_t mean = 0;
  for (int c = 0; c < 3; ++c) mean = (mean << 8) | static_cast<uint32_t>((sums[c] + total / 2) / total);
  return mean;
}

std::vector<Shade> ShadesOf(const uint32_t* pixels, int width, int height, ptrdiff_t rowPixels) {
  std::vector<uint32_t> colours;
  colours.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    colours.insert(colours.end(), pixels + y * rowPixels, pixels + y * rowPixels + width);
  std::sort(colours.begin(), colours.end());
  std::vector<Shade> shades;
  for (uint32_t colour : colours) {
    if (shades.empty() || shades.back().colour != colour) shades.push_back({colour, 0});
    ++shades.back().pixels;
  }
  return shades;
}

}  // namespace

IndexedPixels IndexColours(const uint32_t* pixels, int width, int height, ptrdiff_t rowPixels) {
  IndexedPixels indexed;
  indexed.stride = (width + 3) & ~3;
  indexed.indices.assign(static_cast<size_t>(indexed.stride) * height, 0);
  if (width <= 0 || height <= 0) return indexed;
  std::vector<Shade> shades = ShadesOf(pixels, width, height, rowPixels);
  // Each colour with the palette entry that shows it, sorted by colour for lookup.
  std::vector<std::pair<uint32_t, uint8_t>> entries;
  if (shades.size() <= kPaletteSize) {
    for (const Shade& shade : shades) {
      entries.emplace_back(shade.colour, static_cast<uint8_t>(indexed.palette.size()));
      indexed.palette.push_back(shade.colour);
    }
  } else {
    for (const Group& group : MedianCut(shades, kPaletteSize)) {
      for (size_t i = group.begin; i < group.end; ++i)
        entries.emplace_back(shades[i].colour, static_cast<uint8_t>(indexed.palette.size()));
      indexed.palette.push_back(MeanColour(shades, group));
    }
    std::sort(entries.begin(), entries.end());
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = pixels[y * rowPixels + x];
      const auto entry = std::lower_bound(entries.begin(), entries.end(), std::make_pair(colour, uint8_t{0}));
      indexed.indices[static_cast<size_t>(y) * indexed.stride + x] = entry->second;
    }
  return indexed;
}

}  // namespace control
