#pragma once

// The bytes a container keeps for a control (IPersistStreamInit's stream, and
// a storage's "Contents" stream), little-endian: "OVLB", the layout's version,
// the payload's size, then each saved property as a 16-bit integer (a Boolean
// as -1 or 0) in the layout's order. OvlChess's layout is version 1: "Enabled"
// and "Piece", 12 bytes. OvlBoard's is version 2: those two, then "Flipped",
// "ShowCoordinates" and "AllowMoves", 18 bytes; it reads version 1 too, and
// what that lacks keeps its default. A version only ever adds properties.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "control/property_bag.h"

namespace control {

struct SavedField {
  std::string_view key;
  bool boolean;
};

struct SavedLayout {
  uint16_t version;
  std::span<const SavedField> fields;
  constexpr size_t Size() const { return kHeaderSize + PayloadSize(); }
  constexpr uint16_t PayloadSize() const { return static_cast<uint16_t>(2 * fields.size()); }

  static constexpr size_t kHeaderSize = 8;
};

namespace detail {
inline constexpr SavedField kChessFields[] = {{"Enabled", true}, {"Piece", false}};
inline constexpr SavedField kBoardFields[] = {
    {"Enabled", true}, {"Piece", false}, {"Flipped", true}, {"ShowCoordinates", true}, {"AllowMoves", true}};
}  // namespace detail

// Each in order of version.
inline constexpr SavedLayout kChessStream{1, detail::kChessFields};
inline constexpr SavedLayout kBoardStream{2, detail::kBoardFields};
inline constexpr const SavedLayout* kSavedLayouts[] = {&kChessStream, &kBoardStream};

inline constexpr size_t kSavedStreamSize = kChessStream.Size();

// The size of the whole stream that starts with `header` (its first
// kHeaderSize bytes), for a control whose own layout is `newest`: a stream of
// its version or an earlier one. Any other header (too short, another magic,
// a later version, a payload size not its version's) is automation's error
// 321, "Invalid file format".
size_t SavedStreamSize(std::span<const uint8_t> header, const SavedLayout& newest = kChessStream);

// The properties of a whole saved stream, for a control whose layout is
// `newest`. Any other bytes (fewer or more, a header SavedStreamSize refuses)
// are error 321.
MemoryPropertyBag ReadSavedStream(std::span<const uint8_t> bytes, const SavedLayout& newest = kChessStream);

// The stream in `layout` for the properties a control wrote into `bag`.
std::vector<uint8_t> WriteSavedStream(const MemoryPropertyBag& bag, const SavedLayout& layout = kChessStream);

}  // namespace control
