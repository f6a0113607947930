// The interface table against the IDL that C++ clients compile: the same
// members in the same order with the same dispatch ids, attributes and
// parameters, and the generated header's vtable slots where Invoke calls them.
// Usage: interface_table_test ORVEL_BOARD.IDL
#define CINTERFACE  // the generated header's C view lays the vtable out as a struct
#include <windows.h>

#include <cstddef>
#include <fstream>
#include <regex>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "component/automation_interface.h"
#include "orvel_board.h"
#include "tests/windows/check.h"

namespace {

using component::automation::Member;
using component::automation::Passing;
using component::automation::Type;
using component::automation::CTypeOf;

struct IdlParameter {
  std::string attributes, type, name;
  bool pointer;
};

struct IdlMember {
  std::string attributes, name;
  std::vector<IdlParameter> parameters;
};

std::string Trim(std::string text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  const auto last = text.find_last_not_of(" \t\r\n");
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// The methods of `interface NAME`, one per statement.
std::vector<IdlMember> ReadInterface(const std::string& idl, std::wstring_view name) {
  std::vector<IdlMember> members;
  const auto start = idl.find("interface " + check::Narrow(std::wstring(name)) + " : IDispatch");
  if (start == std::string::npos) return members;
  const auto open = idl.find('{', start), close = idl.find('}', start);
  std::stringstream body(idl.substr(open + 1, close - open - 1));
  const std::regex method(R"(\[([^\]]*)\]\s*HRESULT\s+(\w+)\s*\(([^)]*)\))");
  const std::regex parameter(R"(\[([^\]]*)\]\s*(\w+)\s*(\*?)\s*(\w+))");
  std::string statement;
  while (std::getline(body, statement, ';')) {
    std::smatch match;
    if (!std::regex_search(statement, match, method)) continue;
    IdlMember member{Trim(match[1]), match[2], {}};
    const std::string list = match[3];
    for (std::sregex_iterator p(list.begin(), list.end(), parameter), end; p != end; ++p)
      member.parameters.push_back({Trim((*p)[1]), (*p)[2], (*p)[4], (*p)[3].length() > 0});
    members.push_back(std::move(member));
  }
  return members;
}

bool Has(const std::string& attributes, const std::string& word) {
  return std::regex_search(attributes, std::regex("(^|[ ,(])" + word + "($|[ ,(])"));
}

std::string IdlPassing(Passing passing) {
  switch (passing) {
    case Passing::In:
      return "in";
    case Passing::InOut:
      return "in, out";
    case Passing::Retval:
      return "out, retval";
  }
  return "?";
}

using check::Narrow;

void CheckMember(const IdlMember& idl, const Member& table) {
  check::context = "member " + Narrow(table.name) + (table.kind == INVOKE_PROPERTYPUT ? " (put)" : "");
  CHECK_EQ(idl.name, Narrow(table.name));
  char id[32];
  std::snprintf(id, sizeof id, "id(0x%08lx)", static_cast<unsigned long>(table.id));
  CHECK(idl.attributes.find(id) != std::string::npos);
  CHECK(Has(idl.attributes, "propget") == (table.kind == INVOKE_PROPERTYGET));
  CHECK(Has(idl.attributes, "propput") == (table.kind == INVOKE_PROPERTYPUT));
  CHECK(Has(idl.attributes, "nonbrowsable") == ((table.flags & FUNCFLAG_FNONBROWSABLE) != 0));
  CHECK_EQ(idl.parameters.size(), table.parameters.size());
  for (size_t i = 0; i < idl.parameters.size() && i < table.parameters.size(); ++i) {
    const IdlParameter& p = idl.parameters[i];
    const component::automation::Parameter& t = table.parameters[i];
    check::context = "parameter " + Narrow(t.name) + " of " + Narrow(table.name);
    CHECK_EQ(p.name, Narrow(t.name));
    CHECK_EQ(p.type, std::string(CTypeOf(t.type)));
    CHECK_EQ(p.attributes, IdlPassing(t.passing));
    CHECK(p.pointer == (t.passing != Passing::In));
  }
}

void TableMatchesIdl(const std::string& idl) {
  for (const component::automation::ControlClass* control : component::automation::kClasses) {
    const std::vector<IdlMember> members = ReadInterface(idl, control->interfaceName);
    check::context = Narrow(control->interfaceName) + " in the IDL";
    CHECK_EQ(members.size(), control->members.size());
    for (size_t i = 0; i < members.size() && i < control->members.size(); ++i)
      CheckMember(members[i], control->members[i]);
  }
}

struct Slot {
  size_t offset;
  const wchar_t* name;
  INVOKEKIND kind;
};

void SlotsMatch(const component::automation::ControlClass& control, size_t vtableSize, std::span<const Slot> slots) {
  check::context = Narrow(control.interfaceName) + " vtable";
  CHECK_EQ(vtableSize, (component::automation::kFirstSlot + control.members.size()) * sizeof(void*));
  for (const Slot& slot : slots) {
    check::context = "vtable slot of " + Narrow(control.interfaceName) + "." + Narrow(slot.name);
    const Member* found = nullptr;
    for (const Member& member : control.members)
      if (member.name == slot.name && member.kind == slot.kind) found = &member;
    CHECK(found);
    if (found)
      CHECK_EQ(slot.offset,
               (component::automation::kFirstSlot + component::automation::IndexOf(*found, control)) * sizeof(void*));
  }
}

// Invoke runs a member through slot kFirstSlot + its place in the table.
void TableMatchesHeaderVtable() {
  const Slot slots[] = {
      {offsetof(_OvlChessVtbl, get_Enabled), L"Enabled", INVOKE_PROPERTYGET},
      {offsetof(_OvlChessVtbl, put_Enabled), L"Enabled", INVOKE_PROPERTYPUT},
      {offsetof(_OvlChessVtbl, Refresh), L"Refresh", INVOKE_FUNC},
      {offsetof(_OvlChessVtbl, NewGame), L"NewGame", INVOKE_FUNC},
      {offsetof(_OvlChessVtbl, Clear), L"Clear", INVOKE_FUNC},
      {offsetof(_OvlChessVtbl, get_Piece), L"Piece", INVOKE_PROPERTYGET},
      {offsetof(_OvlChessVtbl, put_Piece), L"Piece", INVOKE_PROPERTYPUT},
  };
  CHECK_EQ(sizeof(_OvlChessVtbl), (component::automation::kFirstSlot + std::size(component::automation::kChessMembers)) * sizeof(void*));
  CHECK_EQ(offsetof(_OvlChessVtbl, Invoke) / sizeof(void*) + 1, component::automation::kFirstSlot);
  SlotsMatch(component::automation::kOvlChess, sizeof(_OvlChessVtbl), slots);
  const Slot boardSlots[] = {
      {offsetof(_OvlBoardVtbl, put_Piece), L"Piece", INVOKE_PROPERTYPUT},
      {offsetof(_OvlBoardVtbl, get_Position), L"Position", INVOKE_PROPERTYGET},
      {offsetof(_OvlBoardVtbl, put_Mark), L"Mark", INVOKE_PROPERTYPUT},
      {offsetof(_OvlBoardVtbl, DrawArrow), L"DrawArrow", INVOKE_FUNC},
      {offsetof(_OvlBoardVtbl, put_AllowMoves), L"AllowMoves", INVOKE_PROPERTYPUT},
  };
  SlotsMatch(component::automation::kOvlBoard, sizeof(_OvlBoardVtbl), boardSlots);
}

// Events are fired by the core's numbers, which count from 1 in table order;
// a class's members and events have ids and names of their own.
void EventsInTheCoresOrder() {
  for (const component::automation::ControlClass* control : component::automation::kClasses) {
    check::context = Narrow(control->eventsName);
    for (size_t i = 0; i < control->events.size(); ++i) CHECK_EQ(control->events[i].id, i + 1);
  }
}


}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  std::ifstream file(argv[1]);
  CHECK(file);
  std::stringstream idl;
  idl << file.rdbuf();
  TableMatchesIdl(idl.str());
  TableMatchesHeaderVtable();
  EventsInTheCoresOrder();
  return check::Result();
}
