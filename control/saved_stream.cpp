#include "control/saved_stream.h"

#include <algorithm>

#include "board/automation_error.h"

namespace control {

namespace {

constexpr uint8_t kMagic[4] = {'O', 'V', 'L', 'B'};
constexpr uint16_t kVersion = 1;
constexpr uint16_t kPayloadSize = 4;
enum Offset : size_t { kVersionAt = 4, kPayloadSizeAt = 6, kEnabledAt = 8, kPieceAt = 10 };

board::AutomationError InvalidFormat() { return {321, "Invalid file format"}; }

uint16_t WordAt(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutWord(SavedStream& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

MemoryPropertyBag ReadSavedStream(std::span<const uint8_t> bytes) {
  if (bytes.size() != kSavedStreamSize || !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin()) ||
      WordAt(bytes, kVersionAt) != kVersion || WordAt(bytes, kPayloadSizeAt) != kPayloadSize)
    throw InvalidFormat();
  MemoryPropertyBag bag;
  bag.values["Enabled"] = static_cast<int16_t>(WordAt(bytes, kEnabledAt)) != 0;
  bag.values["Piece"] = static_cast<int16_t>(WordAt(bytes, kPieceAt));
  return bag;
}

SavedStream WriteSavedStream(const MemoryPropertyBag& bag) {
  auto value = [&](std::string_view key) {
    const auto found = bag.values.find(key);
    return found == bag.values.end() ? PropertyValue{} : found->second;
  };
  SavedStream bytes{};
  std::copy(std::begin(kMagic), std::end(kMagic), bytes.begin());
  PutWord(bytes, kVersionAt, kVersion);
  PutWord(bytes, kPayloadSizeAt, kPayloadSize);
  PutWord(bytes, kEnabledAt, ToBoolean(value("Enabled")) ? 0xFFFF : 0);
  PutWord(bytes, kPieceAt, static_cast<uint16_t>(ToInteger(value("Piece"))));
  return bytes;
}

}  // namespace control
