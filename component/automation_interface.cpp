#include "component/automation_interface.h"

#include "board/text.h"

namespace component::automation {

template <class Char>
DISPID MemberIdOf(std::basic_string_view<Char> name, const ControlClass& control) {
  for (const Member& member : control.members)
    if (board::EqualsIgnoringCase(member.name, name)) return member.id;
  return DISPID_UNKNOWN;
}

DISPID IdOf(std::wstring_view name, const ControlClass& control) { return MemberIdOf(name, control); }
DISPID IdOf(std::string_view name, const ControlClass& control) { return MemberIdOf(name, control); }

DISPID ParameterIdOf(DISPID id, std::wstring_view name, const ControlClass& control) {
  for (const Member& member : control.members) {
    if (member.id != id) continue;
    DISPID position = 0;
    for (const Parameter& parameter : member.parameters) {
      if (parameter.passing == Passing::Retval) continue;
      if (board::EqualsIgnoringCase(parameter.name, name)) return position;
      ++position;
    }
  }
  return DISPID_UNKNOWN;
}

const Member* Resolve(DISPID id, WORD flags, const ControlClass& control) {
  for (const Member& member : control.members)
    if (member.id == id && (member.kind & flags)) return &member;
  return nullptr;
}

const Member* EventOf(DISPID id, const ControlClass& control) {
  for (const Member& event : control.events)
    if (event.id == id) return &event;
  return nullptr;
}

size_t IndexOf(const Member& member, const ControlClass& control) {
  return static_cast<size_t>(&member - control.members.data());
}

}  // namespace component::automation
