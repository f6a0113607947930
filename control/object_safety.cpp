#include "control/object_safety.h"

namespace control {

bool SafetyOptions::Set(InterfaceUse use, uint32_t mask, uint32_t enabled) {
  if (mask & ~SupportedSafety(use)) return false;
  uint32_t& options = enabled_[static_cast<size_t>(use)];
  options = (options & ~mask) | (enabled & mask);
  return true;
}

}  // namespace control
