#pragma once

#include <oleidl.h>

#include <optional>

#include "component/com/com_ptr.h"

namespace com {

// What an in-place site tells its object about where it lives: the frame and
// document windows (either may be missing) and the object's place in them.
struct WindowContext {
  ComPtr<IOleInPlaceFrame> frame;
  ComPtr<IOleInPlaceUIWindow> document;
  RECT position{};
  RECT clip{};
  OLEINPLACEFRAMEINFO frameInfo{sizeof(OLEINPLACEFRAMEINFO), FALSE, nullptr, nullptr, 0};
};

// IOleInPlaceSite::GetWindowContext; nullopt when the site fails it.
inline std::optional<WindowContext> WindowContextOf(IOleInPlaceSite& site) {
  WindowContext context;
  if (FAILED(site.GetWindowContext(context.frame.put(), context.document.put(), &context.position, &context.clip,
                                   &context.frameInfo)))
    return std::nullopt;
  return context;
}

}  // namespace com
