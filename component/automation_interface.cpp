#include "component/automation_interface.h"

#include "board/text.h"

namespace component::automation {

std::string_view CTypeOf(Type type) {
  switch (type) {
    case Type::Boolean:
      return "VARIANT_BOOL";
    case Type::Short:
      return "short";
    case Type::Float:
      return "float";
    case Type::PieceNum:
      return "PieceNum";
  }
  return "?";
}

VARTYPE VarTypeOf(Type type) {
  switch (type) {
    case Type::Boolean:
      return VT_BOOL;
    case Type::Short:
      return VT_I2;
    case Type::Float:
      return VT_R4;
    case Type::PieceNum:
      return VT_I4;
  }
  return VT_EMPTY;
}

template <class Char>
DISPID MemberIdOf(std::basic_string_view<Char> name) {
  for (const Member& member : kInterface)
    if (board::EqualsIgnoringCase(member.name, name)) return member.id;
  return DISPID_UNKNOWN;
}

DISPID IdOf(std::wstring_view name) { return MemberIdOf(name); }
DISPID IdOf(std::string_view name) { return MemberIdOf(name); }

DISPID ParameterIdOf(DISPID id, std::wstring_view name) {
  for (const Member& member : kInterface) {
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

const Member* Resolve(DISPID id, WORD flags) {
  for (const Member& member : kInterface)
    if (member.id == id && (member.kind & flags)) return &member;
  return nullptr;
}

size_t IndexOf(const Member& member) { return static_cast<size_t>(&member - kInterface); }

}  // namespace component::automation
