#include "control/object_safety.h"

namespace control {

bool SafetyOptions::Set(InterfaceUse use, uint32_t mask, uint32_t enabled) {
  if (mask & ~SupportedSafety(use)) return false;
  enabled_ = (enabled_ & ~mask) | (enabled & mask);
  return true;
}

}  // namespace control
