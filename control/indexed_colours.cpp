#include "control/indexed_colours.h"

#include <algorithm>
#include <array>
#include <utility>

namespace control {

namespace {

constexpr size_t kPaletteSize = 256;

using Shade = ColourIndexer::Shade;

// The colours of a block while they fit one palette: an open-addressed table
// at a quarter full, so a block of few colours is counted in one pass, unsorted.
class ColourSet {
 public:
  void Clear() {
    used_.fill(false);
    size_ = 0;
  }
  // False, the set left part filled, once the colours would not fit one palette.
  bool Add(const uint32_t* pixels, int width, int height, ptrdiff_t rowPixels) {
    for (int y = 0; y < height; ++y) {
      const uint32_t* row = pixels + y * rowPixels;
      for (int x = 0; x < width; ++x)
        if ((x == 0 || row[x] != row[x - 1]) && !Add(row[x])) return false;
    }
    return true;
  }
  // The colours, sorted.
  void Sorted(std::vector<uint32_t>& colours) const {
    colours.clear();
    for (size_t i = 0; i < kSlots; ++i)
      if (used_[i]) colours.push_back(keys_[i]);
    std::sort(colours.begin(), colours.end());
  }
  // The slot holding a colour of the set.
  size_t SlotOf(uint32_t colour) const {
    size_t slot = Hash(colour);
    while (keys_[slot] != colour || !used_[slot]) slot = (slot + 1) % kSlots;
    return slot;
  }

 private:
  static constexpr size_t kSlots = 4 * kPaletteSize;
  static size_t Hash(uint32_t colour) { return (colour * 2654435761u) >> 22; }  // 10 bits: kSlots
  bool Add(uint32_t colour) {
    size_t slot = Hash(colour);
    for (; used_[slot]; slot = (slot + 1) % kSlots)
      if (keys_[slot] == colour) return true;
    if (size_ == kPaletteSize) return false;
    used_[slot] = true, keys_[slot] = colour, ++size_;
    return true;
  }

  std::array<uint32_t, kSlots> keys_{};
  std::array<bool, kSlots> used_{};
  size_t size_ = 0;
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

// The block's colours, sorted, into `colours`.
void SortedColours(const uint32_t* pixels, int width, int height, ptrdiff_t rowPixels, std::vector<uint32_t>& colours) {
  colours.clear();
  for (int y = 0; y < height; ++y) colours.insert(colours.end(), pixels + y * rowPixels, pixels + y * rowPixels + width);
  std::sort(colours.begin(), colours.end());
}

}  // namespace

const IndexedPixels& ColourIndexer::Index(const uint32_t* pixels, int width, int height, ptrdiff_t rowPixels) {
  IndexedPixels& indexed = indexed_;
  indexed.palette.clear();
  indexed.stride = (width + 3) & ~3;
  indexed.indices.assign(static_cast<size_t>(indexed.stride) * std::max(height, 0), 0);
  if (width <= 0 || height <= 0) return indexed;
  // Few colours: the palette straight from the set, each pixel looked up in it.
  ColourSet set;
  if (set.Add(pixels, width, height, rowPixels)) {
    set.Sorted(indexed.palette);
    std::array<uint8_t, 4 * kPaletteSize> entryOfSlot{};
    for (size_t i = 0; i < indexed.palette.size(); ++i) entryOfSlot[set.SlotOf(indexed.palette[i])] = static_cast<uint8_t>(i);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        indexed.indices[static_cast<size_t>(y) * indexed.stride + x] = entryOfSlot[set.SlotOf(pixels[y * rowPixels + x])];
    return indexed;
  }
  SortedColours(pixels, width, height, rowPixels, colours_);
  shades_.clear();
  for (uint32_t colour : colours_) {
    if (shades_.empty() || shades_.back().colour != colour) shades_.push_back({colour, 0});
    ++shades_.back().pixels;
  }
  entries_.clear();
  if (shades_.size() <= kPaletteSize) {
    for (const Shade& shade : shades_) {
      entries_.emplace_back(shade.colour, static_cast<uint8_t>(indexed.palette.size()));
      indexed.palette.push_back(shade.colour);
    }
  } else {
    for (const Group& group : MedianCut(shades_, kPaletteSize)) {
      for (size_t i = group.begin; i < group.end; ++i)
        entries_.emplace_back(shades_[i].colour, static_cast<uint8_t>(indexed.palette.size()));
      indexed.palette.push_back(MeanColour(shades_, group));
    }
    std::sort(entries_.begin(), entries_.end());
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = pixels[y * rowPixels + x];
      const auto entry = std::lower_bound(entries_.begin(), entries_.end(), std::make_pair(colour, uint8_t{0}));
      indexed.indices[static_cast<size_t>(y) * indexed.stride + x] = entry->second;
    }
  return indexed;
}

IndexedPixels IndexColours(const uint32_t* pixels, int width, int height, ptrdiff_t rowPixels) {
  ColourIndexer indexer;
  return indexer.Index(pixels, width, height, rowPixels);
}

std::vector<int> PaletteRuns(const uint32_t* pixels, int square, int count, ptrdiff_t rowPixels) {
  std::vector<int> runs;
  ColourSet run, joined;
  bool open = false;  // the last run takes a neighbour if their colours fit
  for (int k = 0; k < count; ++k) {
    const uint32_t* next = pixels + static_cast<ptrdiff_t>(k) * square;
    if (open) {
      joined = run;
      if (joined.Add(next, square, square, rowPixels)) {
        run = joined;
        ++runs.back();
        continue;
      }
    }
    runs.push_back(1);
    run.Clear();
    open = run.Add(next, square, square, rowPixels);  // a square beyond one palette takes no neighbour
  }
  return runs;
}

}  // namespace control
