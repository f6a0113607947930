// The interface table against the IDL that C++ clients compile: the same
// members in the same order with the same dispatch ids, attributes and
// parameters, and the generated header's vtable slots where Invoke calls them.
// Usage: interface_table_test ORVEL_BOARD.IDL
#define CINTERFACE  // the generated header's C view lays the vtable out as a struct
#include <windows.h>

#include <cstddef>
#include <fstream>
#include <regex>
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

// The methods of `interface _OvlChess`, one per statement.
std::vector<IdlMember> ReadInterface(const std::string& idl) {
  std::vector<IdlMember> members;
  const auto start = idl.find("interface _OvlChess : IDispatch");
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
  const std::vector<IdlMember> members = ReadInterface(idl);
  check::context = "_OvlChess in the IDL";
  CHECK_EQ(members.size(), std::size(component::automation::kInterface));
  for (size_t i = 0; i < members.size() && i < std::size(component::automation::kInterface); ++i)
    CheckMember(members[i], component::automation::kInterface[i]);
}

// Invoke runs a member through slot kFirstSlot + its place in the table.
void TableMatchesHeaderVtable() {
  struct Slot {
    size_t offset;
    const wchar_t* name;
    INVOKEKIND kind;
  };
  const Slot slots[] = {
      {offsetof(_OvlChessVtbl, get_Enabled), L"Enabled", INVOKE_PROPERTYGET},
      {offsetof(_OvlChessVtbl, put_Enabled), L"Enabled", INVOKE_PROPERTYPUT},
      {offsetof(_OvlChessVtbl, Refresh), L"Refresh", INVOKE_FUNC},
      {offsetof(_OvlChessVtbl, NewGame), L"NewGame", INVOKE_FUNC},
      {offsetof(_OvlChessVtbl, Clear), L"Clear", INVOKE_FUNC},
      {offsetof(_OvlChessVtbl, get_Piece), L"Piece", INVOKE_PROPERTYGET},
      {offsetof(_OvlChessVtbl, put_Piece), L"Piece", INVOKE_PROPERTYPUT},
  };
  CHECK_EQ(sizeof(_OvlChessVtbl), (component::automation::kFirstSlot + std::size(component::automation::kInterface)) * sizeof(void*));
  CHECK_EQ(offsetof(_OvlChessVtbl, Invoke) / sizeof(void*) + 1, component::automation::kFirstSlot);
  for (const Slot& slot : slots) {
    check::context = "vtable slot of " + Narrow(slot.name);
    const Member* found = nullptr;
    for (const Member& member : component::automation::kInterface)
      if (member.name == slot.name && member.kind == slot.kind) found = &member;
    CHECK(found);
    if (found) CHECK_EQ(slot.offset, (component::automation::kFirstSlot + component::automation::IndexOf(*found)) * sizeof(void*));
  }
}

// Events are fired by the core's numbers, which count from 1 in table order.
void EventsInTheCoresOrder() {
  check::context = "events";
  for (size_t i = 0; i < std::size(component::automation::kEvents); ++i) CHECK_EQ(component::automation::kEvents[i].id, i + 1);
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
