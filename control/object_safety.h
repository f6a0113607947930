#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace control {

// What the control tells a container about its safety (the values of
// IObjectSafety's INTERFACESAFE_* bits).
constexpr uint32_t kSafeForUntrustedCaller = 1;  // for scripting
constexpr uint32_t kSafeForUntrustedData = 2;    // for initialization

// The interfaces a container asks about: the three that load saved state,
// and any other the control has.
enum class InterfaceUse { PropertyBag, StreamInit, Storage, Other };

constexpr bool LoadsSavedState(InterfaceUse use) { return use != InterfaceUse::Other; }

// Any saved state loads without harm (the loads of every persistence interface
// are fuzzed), so loading is safe for untrusted data. Scripting is not claimed
// safe: members show modal message boxes.
constexpr uint32_t SupportedSafety(InterfaceUse use) { return LoadsSavedState(use) ? kSafeForUntrustedData : 0; }

// The options a container has enabled, for each interface on its own, as
// IObjectSafety keeps them: enabling one for IPersistPropertyBag says nothing
// about IPersistStreamInit.
class SafetyOptions {
 public:
  // Enables the options of `mask` that `enabled` names and disables the rest of
  // `mask`; fails, changing nothing, when `mask` holds an option `use` lacks.
  bool Set(InterfaceUse use, uint32_t mask, uint32_t enabled);
  // The options enabled for `use`.
  uint32_t Enabled(InterfaceUse use) const { return enabled_[static_cast<size_t>(use)]; }

 private:
  std::array<uint32_t, 4> enabled_{};
};

}  // namespace control
