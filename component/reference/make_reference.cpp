// Writes the interface reference page (Markdown) from the same tables the type
// library, Invoke and the events are made from, so the page cannot tell a
// member, id or parameter other than the control has.
// Usage: make_reference OUTPUT.md
#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>
#include <string>

#include "board/automation_error.h"
#include "board/text.h"
#include "component/automation_interface.h"
#include "component/identity.h"

namespace {

using component::automation::ControlClass;
using component::automation::Enumeration;
using component::automation::Member;
using component::automation::Parameter;
using component::automation::Passing;
using component::automation::Type;
using component::automation::CTypeOf;

// Every name in the tables is ASCII.
using board::Narrow;

std::string Guid(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return Narrow(text);
}

std::string Hex(DISPID id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(id));
  return text;
}

std::string Code(std::wstring_view text) {
  std::string code = "`";
  return code.append(Narrow(text)).append("`");
}

std::string Quoted(std::wstring_view text) {
  std::string quoted = "\"";
  return quoted.append(Narrow(text)).append("\"");
}

// The automation type, then the C type a vtable caller passes.
std::string TypeName(Type type) {
  switch (type) {
    case Type::Boolean:
      return "Boolean (`VARIANT_BOOL`)";
    case Type::Short:
      return "Integer (`short`)";
    case Type::Float:
      return "Single (`float`)";
    case Type::PieceNum:
      return "`PieceNum` (`long`)";
    case Type::String:
      return "String (`BSTR`)";
    case Type::MarkNum:
      return "`MarkNum` (`long`)";
    case Type::SideNum:
      return "`SideNum` (`long`)";
  }
  return "?";
}

std::string Kind(const Member& member) {
  switch (member.kind) {
    case INVOKE_PROPERTYGET:
      return "property get";
    case INVOKE_PROPERTYPUT:
      return "property put";
    default:
      return "method";
  }
}

std::string Parameters(const Member& member) {
  std::string text;
  for (const Parameter& parameter : member.parameters) {
    if (parameter.passing == Passing::Retval) continue;
    if (!text.empty()) text += "; ";
    text += Code(parameter.name) + ": " + TypeName(parameter.type) +
            (parameter.passing == Passing::In ? ", by value" : ", by reference");
  }
  return text.empty() ? "none" : text;
}

std::string Value(const Member& member) {
  for (const Parameter& parameter : member.parameters)
    if (parameter.passing == Passing::Retval) return TypeName(parameter.type);
  return "none";
}

// The member as the generated header declares it in the vtable.
std::string Signature(const Member& member) {
  const std::string prefix = member.kind == INVOKE_PROPERTYGET   ? "get_"
                             : member.kind == INVOKE_PROPERTYPUT ? "put_"
                                                                 : "";
  std::string text = "`HRESULT " + prefix + Narrow(member.name) + "(";
  for (size_t i = 0; i < member.parameters.size(); ++i) {
    const Parameter& parameter = member.parameters[i];
    if (i) text += ", ";
    text += std::string(CTypeOf(parameter.type)) + (parameter.passing == Passing::In ? " " : "* ") +
            Narrow(parameter.name);
  }
  return text + ")`";
}

std::string Flags(const Member& member) { return (member.flags & FUNCFLAG_FNONBROWSABLE) ? "not browsable" : ""; }

void WriteLibrary(std::ostream& out) {
  using namespace component::identity;
  out << "Type library " << Code(kLibraryName) << " " << Guid(kTypeLibId) << ", version " << kMajorVersion << "."
      << kMinorVersion << ", \"" << Narrow(kLibraryDescription) << "\".";
  for (const ControlClass* control : component::automation::kClasses)
    out << " Class " << Code(control->name) << " " << Guid(control->classId) << ", ProgID " << Code(control->progId)
        << ", marked as a control.";
  out << "\n\n| Type | Identifier | C/C++ name of the identifier |\n|---|---|---|\n"
      << "| library `OrvelBoardLib` | " << Guid(kTypeLibId) << " | `LIBID_OrvelBoardLib` |\n";
  for (const ControlClass* control : component::automation::kClasses) {
    const std::string name = Narrow(control->name), iface = Narrow(control->interfaceName),
                      events = Narrow(control->eventsName);
    out << "| class `" << name << "` | " << Guid(control->classId) << " | `CLSID_" << name << "` |\n"
        << "| dual interface `" << iface << "` (the class's default) | " << Guid(control->interfaceId) << " | `IID_"
        << iface << "` |\n"
        << "| dispinterface `" << events << "` (the class's events) | " << Guid(control->eventsId) << " | `DIID_"
        << events << "` |\n";
    for (const Enumeration* enumeration : control->enumerations)
      out << "| enumeration " << Code(enumeration->name) << " | " << Guid(enumeration->id) << " | |\n";
  }
  out << "\n`orvel_board.h` declares them for C and C++ (C: `#define COBJMACROS` for the `_OvlChess_NewGame(board)` "
         "style of call); `orvel_board_i.c`, compiled into the program, defines them.\n";
}

void WriteInterface(std::ostream& out, const ControlClass& control) {
  out << "\n## " << Code(control.interfaceName) << "\n\n"
      << "A dual interface: every member is reached by its dispatch id through `IDispatch`, or through the vtable "
         "in the order below (after `IDispatch`'s seven methods). A property get returns its value through the "
         "last parameter.\n\n"
         "| Member | Kind | Dispatch id | Parameters | Value | Flags | C/C++ | Help string |\n"
         "|---|---|---|---|---|---|---|---|\n";
  for (const Member& member : control.members)
    out << "| " << Code(member.name) << " | " << Kind(member) << " | " << Hex(member.id) << " | " << Parameters(member)
        << " | " << Value(member) << " | " << Flags(member) << " | " << Signature(member) << " | "
        << (member.help ? Quoted(member.help) : "") << " |\n";
  std::string saved;
  for (std::wstring_view key : control.savedProperties) saved.append(saved.empty() ? "" : ", ").append(Code(key));
  out << "\nA container saves " << Code(control.name) << " under the property bag keys " << saved << ".\n";
}

// A handler's writes reach the control only through a Boolean named Cancel.
bool Cancellable(const Member& event) {
  for (const Parameter& parameter : event.parameters)
    if (parameter.type == Type::Boolean && parameter.name == L"Cancel") return true;
  return false;
}

void WriteEvents(std::ostream& out, const ControlClass& control) {
  out << "\n## " << Code(control.eventsName) << "\n\n"
      << "The events, fired through `IDispatch::Invoke` on the sinks connected to the class's connection point "
         "for `DIID_" << Narrow(control.eventsName) << "`. Every parameter is passed by reference; a value a handler writes is ignored";
  const char* joint = ", except ";
  for (const Member& event : control.events)
    if (Cancellable(event))
      out << std::exchange(joint, "; and ") << Code(event.name) << "'s `Cancel`: set to True, it refuses the "
          << (event.id == component::automation::kPieceLiftId ? "lift" : "move");
  out << ".\n\n| Event | Dispatch id | Parameters |\n|---|---|---|\n";
  for (const Member& event : control.events) {
    std::string parameters;
    for (const Parameter& parameter : event.parameters)
      parameters.append(parameters.empty() ? "" : "; ").append(Code(parameter.name) + ": " + TypeName(parameter.type));
    out << "| " << Code(event.name) << " | " << event.id << " | " << parameters << " |\n";
  }
}

const char* Meaning(const Enumeration& enumeration) {
  if (&enumeration == &component::automation::kPieceNum)
    return "The code of what a square holds: `None` an empty square, `B…` the red pieces, `W…` the cream ones.";
  if (&enumeration == &component::automation::kSideNum)
    return "Which side's pieces the user may pick up (`MovableSide`): `sdCream`, `sdRed`, both or neither.";
  return "What a square is marked with: `mkSelected` the square a piece was picked up from, `mkLastMove` an end "
         "of the last move, `mkCheck` a king in check, `mkTarget` a square the picked-up piece may go to. The "
         "board marks the lifted piece's square `mkSelected` itself and clears every `mkSelected` and `mkTarget` "
         "mark when the lift ends.";
}

void WriteEnumeration(std::ostream& out, const Enumeration& enumeration) {
  out << "\n## " << Code(enumeration.name) << "\n\n" << Meaning(enumeration) << "\n\n"
      << "| Constant | Value |\n|---|---|\n";
  LONG value = enumeration.first;
  for (std::wstring_view name : enumeration.names) out << "| " << Code(name) << " | " << value++ << " |\n";
}

void WriteErrors(std::ostream& out) {
  struct Raised {
    board::AutomationError error;
    const char* when;
  };
  const Raised errors[] = {
      {board::NotAtDesignTimeError(), "`Piece` is written while the container is in design mode"},
      {board::OverflowError(), "a square's code or a saved value does not fit 16 bits"},
      {board::ImageIndexOutOfBoundsError(),
       "`Piece` is written with a code that has no picture (below 1 or above 14); the code is stored and the "
       "square shows bare"},
      {board::TypeMismatchError(), "a saved property cannot be read as a number"},
  };
  out << "\n## Errors\n\n"
         "A member's error reaches a script host as `Err.Number` and `Err.Description`, a dispatch caller as "
         "`DISP_E_EXCEPTION` with the number in `EXCEPINFO::scode`, and a vtable caller as the `HRESULT` "
         "`0x800A0000 | number` with the text in `IErrorInfo`. Coordinates off the board are not an error: the "
         "control shows the message box \"Invalid request\" and the member succeeds (a read gives 0).\n\n"
         "| Number | HRESULT | Text | Raised when |\n|---|---|---|---|\n";
  for (const Raised& raised : errors) {
    const int32_t number = raised.error.number();
    out << "| " << number << " | " << Hex(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number)) << " | \""
        << raised.error.what() << "\" | " << raised.when << " |\n";
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: make_reference OUTPUT.md\n", stderr);
    return 2;
  }
  std::ostringstream page;
  page << "# `OrvelBoardLib` reference\n\n"
          "<!-- Written by the build from the control's interface table; a test fails when they differ. -->\n\n";
  WriteLibrary(page);
  for (const ControlClass* control : component::automation::kClasses) {
    WriteInterface(page, *control);
    WriteEvents(page, *control);
    for (const Enumeration* enumeration : control->enumerations) WriteEnumeration(page, *enumeration);
  }
  WriteErrors(page);
  // Binary, so the page has the same line ends as the copy kept in the sources.
  std::ofstream file(argv[1], std::ios::binary);
  file << page.str();
  return file.good() ? 0 : 1;
}
