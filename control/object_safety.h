#pragma once

#include <cstdint>

namespace control {

// What the control tells a container about its safety (the values of
// IObjectSafety's INTERFACESAFE_* bits).
constexpr uint32_t kSafeForUntrustedCaller = 1;  // for scripting
constexpr uint32_t kSafeForUntrustedData = 2;    // for initialization

// The kinds of interface a container asks about.
enum class InterfaceUse { Persistence, Other };

// Any saved state loads without harm (the loads of every persistence interface
// are fuzzed), so loading is safe for untrusted data. Scripting is not claimed
// safe: members show modal message boxes.
constexpr uint32_t SupportedSafety(InterfaceUse use) {
  return use == InterfaceUse::Persistence ? kSafeForUntrustedData : 0;
}

// The options a container has enabled, one set for the whole object.
class SafetyOptions {
 public:
  // Enables the options of `mask` that `enabled` names and disables the rest of
  // `mask`; fails, changing nothing, when `mask` holds an option `use` lacks.
  bool Set(InterfaceUse use, uint32_t mask, uint32_t enabled);
  // The enabled options that apply to `use`.
  uint32_t Enabled(InterfaceUse use) const { return enabled_ & SupportedSafety(use); }

 private:
  uint32_t enabled_ = 0;
};

}  // namespace control
