#include "control/win32/win_events.h"

namespace control::win32 {

namespace {
DWORD EventOf(Announcement::Kind kind) {
  switch (kind) {
    case Announcement::Kind::NameChanged: return EVENT_OBJECT_NAMECHANGE;
    case Announcement::Kind::ValueChanged: return EVENT_OBJECT_VALUECHANGE;
    case Announcement::Kind::StateChanged: return EVENT_OBJECT_STATECHANGE;
    case Announcement::Kind::FocusMoved:
    case Announcement::Kind::ChoiceItemFocused: return EVENT_OBJECT_FOCUS;
    case Announcement::Kind::DescriptionChanged: return EVENT_OBJECT_DESCRIPTIONCHANGE;
  }
  return 0;
}
}  // namespace

void Announce(HWND window, const std::vector<Announcement>& announcements) {
  if (!window) return;
  for (const Announcement& a : announcements) {
    const bool item = a.kind == Announcement::Kind::ChoiceItemFocused;
    NotifyWinEvent(EventOf(a.kind), window, item ? kPromotionListObject : OBJID_CLIENT, a.child);
  }
}

}  // namespace control::win32
