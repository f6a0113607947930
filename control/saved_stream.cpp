#include "control/saved_stream.h"

#include <algorithm>

#include "board/automation_error.h"

namespace control {

namespace {

constexpr uint8_t kMagic[4] = {'O', 'V', 'L', 'B'};
enum Offset : size_t { kVersionAt = 4, kPayloadSizeAt = 6, kPayloadAt = SavedLayout::kHeaderSize };

board::AutomationError InvalidFormat() { return {321, "Invalid file format"}; }

uint16_t WordAt(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutWord(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

const SavedLayout& LayoutOf(std::span<const uint8_t> header, const SavedLayout& newest) {
  if (header.size() < SavedLayout::kHeaderSize || !std::equal(std::begin(kMagic), std::end(kMagic), header.begin()))
    throw InvalidFormat();
  const uint16_t version = WordAt(header, kVersionAt);
  for (const SavedLayout* layout : kSavedLayouts)
    if (layout->version == version && version <= newest.version &&
        WordAt(header, kPayloadSizeAt) == layout->PayloadSize())
      return *layout;
  throw InvalidFormat();
}

}  // namespace

size_t SavedStreamSize(std::span<const uint8_t> header, const SavedLayout& newest) {
  return LayoutOf(header, newest).Size();
}

MemoryPropertyBag ReadSavedStream(std::span<const uint8_t> bytes, const SavedLayout& newest) {
  const SavedLayout& layout = LayoutOf(bytes, newest);
  if (bytes.size() != layout.Size()) throw InvalidFormat();
  MemoryPropertyBag bag;
  size_t at = kPayloadAt;
  for (const SavedField& field : layout.fields) {
    const auto word = static_cast<int16_t>(WordAt(bytes, at));
    bag.values[std::string(field.key)] = field.boolean ? PropertyValue(word != 0) : PropertyValue(word);
    at += 2;
  }
  return bag;
}

std::vector<uint8_t> WriteSavedStream(const MemoryPropertyBag& bag, const SavedLayout& layout) {
  auto value = [&](std::string_view key) {
    const auto found = bag.values.find(key);
    return found == bag.values.end() ? PropertyValue{} : found->second;
  };
  std::vector<uint8_t> bytes(layout.Size());
  std::copy(std::begin(kMagic), std::end(kMagic), bytes.begin());
  PutWord(bytes, kVersionAt, layout.version);
  PutWord(bytes, kPayloadSizeAt, layout.PayloadSize());
  size_t at = kPayloadAt;
  for (const SavedField& field : layout.fields) {
    const PropertyValue saved = value(field.key);
    PutWord(bytes, at, field.boolean ? (ToBoolean(saved) ? 0xFFFF : 0) : static_cast<uint16_t>(ToInteger(saved)));
    at += 2;
  }
  return bytes;
}

}  // namespace control
