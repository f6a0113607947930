#include "control/container.h"

#include "board/scope_exit.h"

namespace control {

bool ContainerLink::UserMode() {
  if (readingUserMode_) return lastUserMode_;
  readingUserMode_ = true;
  const board::ScopeExit done([this] { readingUserMode_ = false; });
  lastUserMode_ = container_.AmbientUserMode();
  return lastUserMode_;
}

}  // namespace control
