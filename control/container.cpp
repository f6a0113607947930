#include "control/container.h"

namespace control {

bool ContainerLink::UserMode() {
  if (readingUserMode_) return lastUserMode_;
  readingUserMode_ = true;
  struct Done {
    bool& reading;
    ~Done() { reading = false; }
  } done{readingUserMode_};
  lastUserMode_ = container_.AmbientUserMode();
  return lastUserMode_;
}

}  // namespace control
