#pragma once

// The bytes a container keeps for a control (IPersistStreamInit's stream, and
// a storage's "Contents" stream), little-endian: "OVLB", the layout's version,
// the payload's size, then each property the version holds (saved_properties.h)
// as a 16-bit integer (a Boolean as -1 or 0) or a 32-bit one. A class writes the newest version
// its properties reach and reads every earlier one.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "control/property_bag.h"
#include "control/saved_properties.h"

namespace control {

inline constexpr size_t kSavedHeaderSize = 8;

// The size of the newest stream `saving` writes.
size_t NewestStreamSize(SavedClass saving);

// The size of the whole stream that starts with `header` (its first
// kSavedHeaderSize bytes), for a control of `saving`: a stream of its newest
// version or an earlier one. Any other header (too short, another magic, a
// later version, a payload size not its version's) is automation's error 321,
// "Invalid file format".
size_t SavedStreamSize(std::span<const uint8_t> header, SavedClass saving);

// The properties of a whole saved stream, for a control of `saving`. Any other
// bytes (fewer or more, a header SavedStreamSize refuses) are error 321.
MemoryPropertyBag ReadSavedStream(std::span<const uint8_t> bytes, SavedClass saving);

// `saving`'s newest stream for the properties a control wrote into `bag`.
std::vector<uint8_t> WriteSavedStream(const MemoryPropertyBag& bag, SavedClass saving);

}  // namespace control
