#pragma once

// The bytes a container keeps for the control (IPersistStreamInit's stream,
// and a storage's "Contents" stream), little-endian: "OVLB", version 1, the
// payload's size 4, then "Enabled" and "Piece" as 16-bit integers.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "control/property_bag.h"

namespace control {

inline constexpr size_t kSavedStreamSize = 12;
using SavedStream = std::array<uint8_t, kSavedStreamSize>;

// The properties of a whole saved stream. Any other bytes (fewer or more, a
// header of another format or version, a payload size other than its own)
// are automation's error 321, "Invalid file format".
MemoryPropertyBag ReadSavedStream(std::span<const uint8_t> bytes);

// The stream for the "Enabled" and "Piece" a control wrote into `bag`.
SavedStream WriteSavedStream(const MemoryPropertyBag& bag);

}  // namespace control
