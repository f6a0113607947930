#pragma once

// The automation interface _OvlChess and the event interface __OvlChess as
// data: the type library writer, GetIDsOfNames, Invoke, event firing and change
// notifications all read these tables, so a member is described once. The IDL
// repeats _OvlChess only for the C++ header; a test keeps the two in step.
#include <windows.h>
#include <oaidl.h>

#include <span>
#include <string_view>

namespace component::automation {

enum class Type { Boolean, Short, Float, PieceNum };

enum class Passing {
  In,      // by value
  InOut,   // a pointer the member reads (and may write)
  Retval,  // the pointer a property get fills
};

struct Parameter {
  std::wstring_view name;
  Type type;
  Passing passing;
};

struct Member {
  std::wstring_view name;
  INVOKEKIND kind;
  DISPID id;
  std::span<const Parameter> parameters;
  WORD flags = 0;  // FUNCFLAG_*
  const wchar_t* help = nullptr;
};

namespace detail {
inline constexpr wchar_t kEnabledHelp[] =
    L"Returns/sets a value that determines whether an object can respond to user-generated events.";
inline constexpr Parameter kEnabledGet[] = {{L"Enabled", Type::Boolean, Passing::Retval}};
inline constexpr Parameter kEnabledPut[] = {{L"New_Enabled", Type::Boolean, Passing::In}};
inline constexpr Parameter kPieceGet[] = {{L"col", Type::Short, Passing::InOut},
                                          {L"row", Type::Short, Passing::InOut},
                                          {L"Piece", Type::PieceNum, Passing::Retval}};
inline constexpr Parameter kPiecePut[] = {{L"col", Type::Short, Passing::InOut},
                                          {L"row", Type::Short, Passing::InOut},
                                          {L"New_Piece", Type::PieceNum, Passing::In}};
inline constexpr Parameter kCell[] = {{L"col", Type::Short, Passing::InOut}, {L"row", Type::Short, Passing::InOut}};
inline constexpr Parameter kMouse[] = {
    {L"col", Type::Short, Passing::InOut},   {L"row", Type::Short, Passing::InOut},
    {L"Button", Type::Short, Passing::InOut}, {L"Shift", Type::Short, Passing::InOut},
    {L"X", Type::Float, Passing::InOut},      {L"Y", Type::Float, Passing::InOut}};
}  // namespace detail

// In vtable order: entry i is slot kFirstSlot + i of the dual interface.
inline constexpr Member kInterface[] = {
    {L"Enabled", INVOKE_PROPERTYGET, 0x68030001, detail::kEnabledGet, 0, detail::kEnabledHelp},
    {L"Enabled", INVOKE_PROPERTYPUT, 0x68030001, detail::kEnabledPut, 0, detail::kEnabledHelp},
    {L"Refresh", INVOKE_FUNC, 0x60030003, {}, 0, L"Forces a complete repaint of a object."},
    {L"NewGame", INVOKE_FUNC, 0x60030004, {}},
    {L"Clear", INVOKE_FUNC, 0x60030005, {}},
    {L"Piece", INVOKE_PROPERTYGET, 0x68030000, detail::kPieceGet, FUNCFLAG_FNONBROWSABLE},
    {L"Piece", INVOKE_PROPERTYPUT, 0x68030000, detail::kPiecePut, FUNCFLAG_FNONBROWSABLE},
};
// IUnknown's three and IDispatch's four come first.
inline constexpr size_t kFirstSlot = 7;

// In the order the core numbers its events, from 1.
inline constexpr Member kEvents[] = {
    {L"Click", INVOKE_FUNC, 1, detail::kCell},         {L"DblClick", INVOKE_FUNC, 2, detail::kCell},
    {L"MouseDown", INVOKE_FUNC, 3, detail::kMouse},    {L"MouseMove", INVOKE_FUNC, 4, detail::kMouse},
    {L"MouseUp", INVOKE_FUNC, 5, detail::kMouse},
};

// PieceNum's constants in value order: entry i has the value i + 1.
inline constexpr std::wstring_view kPieceNumNames[] = {L"None",    L"Bpawn",   L"Brook",   L"Bknight", L"Bbishop",
                                                      L"BQueen",  L"Bking",   L"Wpawn",   L"Wrook",   L"Wknight",
                                                      L"Wbishop", L"WQueen", L"Wking"};

// The type a parameter's value is coerced to (an enumeration travels as a long).
VARTYPE VarTypeOf(Type type);

// The C type a vtable caller passes, as the IDL and the generated header spell it.
std::string_view CTypeOf(Type type);

// The dispatch id of the interface member `name` (any case), or DISPID_UNKNOWN.
DISPID IdOf(std::wstring_view name);
DISPID IdOf(std::string_view name);

// The id callers use to name parameter `name` of the member `id`: its
// position among the parameters a caller passes; DISPID_UNKNOWN if none.
DISPID ParameterIdOf(DISPID member, std::wstring_view name);

// The entry Invoke runs for `id` called with DISPATCH_* `flags`: the first in
// table order whose kind the flags allow, as the type library's own Invoke picks.
const Member* Resolve(DISPID id, WORD flags);

// The position of `member` in kInterface, which fixes its vtable slot.
size_t IndexOf(const Member& member);

}  // namespace component::automation
