#include "control/saved_stream.h"

#include <algorithm>

#include "board/automation_error.h"

namespace control {

namespace {

constexpr uint8_t kMagic[4] = {'O', 'V', 'L', 'B'};
enum Offset : size_t { kVersionAt = 4, kPayloadSizeAt = 6, kPayloadAt = kSavedHeaderSize };
constexpr size_t kWordSize = 2;

size_t FieldSize(const SavedProperty& field) { return field.kind == SavedKind::Long ? 2 * kWordSize : kWordSize; }

board::AutomationError InvalidFormat() { return {321, "Invalid file format"}; }

uint16_t WordAt(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutWord(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

size_t StreamSize(const std::vector<const SavedProperty*>& fields) {
  size_t size = kSavedHeaderSize;
  for (const SavedProperty* field : fields) size += FieldSize(*field);
  return size;
}

// The properties a header's version holds, if `saving` reads that version.
std::vector<const SavedProperty*> FieldsOf(std::span<const uint8_t> header, SavedClass saving) {
  if (header.size() < kSavedHeaderSize || !std::equal(std::begin(kMagic), std::end(kMagic), header.begin()))
    throw InvalidFormat();
  const uint16_t version = WordAt(header, kVersionAt);
  if (version < 1 || version > NewestVersion(saving)) throw InvalidFormat();
  std::vector<const SavedProperty*> fields = SavedIn(saving, version);
  if (WordAt(header, kPayloadSizeAt) != StreamSize(fields) - kSavedHeaderSize) throw InvalidFormat();
  return fields;
}

}  // namespace

size_t NewestStreamSize(SavedClass saving) { return StreamSize(SavedIn(saving)); }

size_t SavedStreamSize(std::span<const uint8_t> header, SavedClass saving) {
  return StreamSize(FieldsOf(header, saving));
}

MemoryPropertyBag ReadSavedStream(std::span<const uint8_t> bytes, SavedClass saving) {
  const std::vector<const SavedProperty*> fields = FieldsOf(bytes, saving);
  if (bytes.size() != StreamSize(fields)) throw InvalidFormat();
  MemoryPropertyBag bag;
  size_t at = kPayloadAt;
  for (const SavedProperty* field : fields) {
    const auto word = static_cast<int16_t>(WordAt(bytes, at));
    PropertyValue& value = bag.values[std::string(field->name)];
    switch (field->kind) {
      case SavedKind::Boolean: value = word != 0; break;
      case SavedKind::Integer: value = word; break;
      case SavedKind::Long: value = static_cast<int32_t>(WordAt(bytes, at) | uint32_t{WordAt(bytes, at + 2)} << 16);
    }
    at += FieldSize(*field);
  }
  return bag;
}

std::vector<uint8_t> WriteSavedStream(const MemoryPropertyBag& bag, SavedClass saving) {
  auto value = [&](std::string_view key) {
    const auto found = bag.values.find(key);
    return found == bag.values.end() ? PropertyValue{} : found->second;
  };
  const std::vector<const SavedProperty*> fields = SavedIn(saving);
  std::vector<uint8_t> bytes(StreamSize(fields));
  std::copy(std::begin(kMagic), std::end(kMagic), bytes.begin());
  PutWord(bytes, kVersionAt, NewestVersion(saving));
  PutWord(bytes, kPayloadSizeAt, static_cast<uint16_t>(bytes.size() - kSavedHeaderSize));
  size_t at = kPayloadAt;
  for (const SavedProperty* field : fields) {
    const PropertyValue saved = value(field->name);
    switch (field->kind) {
      case SavedKind::Boolean: PutWord(bytes, at, ToBoolean(saved) ? 0xFFFF : 0); break;
      case SavedKind::Integer: PutWord(bytes, at, static_cast<uint16_t>(ToInteger(saved))); break;
      case SavedKind::Long: {
        const auto number = static_cast<uint32_t>(ToLong(saved));
        PutWord(bytes, at, static_cast<uint16_t>(number));
        PutWord(bytes, at + 2, static_cast<uint16_t>(number >> 16));
      }
    }
    at += FieldSize(*field);
  }
  return bytes;
}

}  // namespace control
