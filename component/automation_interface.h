#pragma once

// Each control class of the library as data: its identities, its dual
// interface and its event interface. The type library writer, GetIDsOfNames,
// Invoke, event firing, change notifications, registration, the installers and
// the reference page all read these records, so a member is described once.
// The IDL repeats them only for the C++ header; a test keeps the two in step.
#include <windows.h>
#include <oaidl.h>

#include <iterator>
#include <span>
#include <string_view>

#include "component/identity.h"
#include "control/saved_properties.h"

namespace component::automation {

enum class Type { Boolean, Short, Float, PieceNum, String, MarkNum, SideNum, Long };

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
inline constexpr Member kChessMembers[] = {
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
inline constexpr Member kChessEvents[] = {
    {L"Click", INVOKE_FUNC, 1, detail::kCell},         {L"DblClick", INVOKE_FUNC, 2, detail::kCell},
    {L"MouseDown", INVOKE_FUNC, 3, detail::kMouse},    {L"MouseMove", INVOKE_FUNC, 4, detail::kMouse},
    {L"MouseUp", INVOKE_FUNC, 5, detail::kMouse},
};

// PieceNum's constants in value order: entry i has the value i + 1.
inline constexpr std::wstring_view kPieceNumNames[] = {L"None",    L"Bpawn",   L"Brook",   L"Bknight", L"Bbishop",
                                                      L"BQueen",  L"Bking",   L"Wpawn",   L"Wrook",   L"Wknight",
                                                      L"Wbishop", L"WQueen", L"Wking"};
// MarkNum's constants in value order: entry i has the value i.
inline constexpr std::wstring_view kMarkNumNames[] = {L"mkNone", L"mkSelected", L"mkLastMove", L"mkCheck",
                                                     L"mkTarget"};
// SideNum's constants in value order: entry i has the value i.
inline constexpr std::wstring_view kSideNumNames[] = {L"sdNone", L"sdCream", L"sdRed", L"sdBoth"};

namespace detail {
inline constexpr Parameter kPositionGet[] = {{L"Position", Type::String, Passing::Retval}};
inline constexpr Parameter kPositionPut[] = {{L"New_Position", Type::String, Passing::In}};
inline constexpr Parameter kFlippedGet[] = {{L"Flipped", Type::Boolean, Passing::Retval}};
inline constexpr Parameter kFlippedPut[] = {{L"New_Flipped", Type::Boolean, Passing::In}};
inline constexpr Parameter kCoordinatesGet[] = {{L"ShowCoordinates", Type::Boolean, Passing::Retval}};
inline constexpr Parameter kCoordinatesPut[] = {{L"New_ShowCoordinates", Type::Boolean, Passing::In}};
inline constexpr Parameter kMarkGet[] = {{L"col", Type::Short, Passing::InOut},
                                         {L"row", Type::Short, Passing::InOut},
                                         {L"Mark", Type::MarkNum, Passing::Retval}};
inline constexpr Parameter kMarkPut[] = {{L"col", Type::Short, Passing::InOut},
                                         {L"row", Type::Short, Passing::InOut},
                                         {L"New_Mark", Type::MarkNum, Passing::In}};
inline constexpr Parameter kFromTo[] = {{L"fromCol", Type::Short, Passing::In},
                                       {L"fromRow", Type::Short, Passing::In},
                                       {L"toCol", Type::Short, Passing::In},
                                       {L"toRow", Type::Short, Passing::In}};
inline constexpr Parameter kAllowMovesGet[] = {{L"AllowMoves", Type::Boolean, Passing::Retval}};
inline constexpr Parameter kAllowMovesPut[] = {{L"New_AllowMoves", Type::Boolean, Passing::In}};
inline constexpr Parameter kMovableSideGet[] = {{L"MovableSide", Type::SideNum, Passing::Retval}};
inline constexpr Parameter kMovableSidePut[] = {{L"New_MovableSide", Type::SideNum, Passing::In}};
inline constexpr Parameter kPieceLift[] = {{L"col", Type::Short, Passing::InOut},
                                           {L"row", Type::Short, Passing::InOut},
                                           {L"Cancel", Type::Boolean, Passing::InOut}};
inline constexpr Parameter kAnimationTimeGet[] = {{L"AnimationTime", Type::Long, Passing::Retval}};
inline constexpr Parameter kAnimationTimePut[] = {{L"New_AnimationTime", Type::Long, Passing::In}};
inline constexpr Parameter kSquare[] = {{L"col", Type::Short, Passing::In}, {L"row", Type::Short, Passing::In}};
inline constexpr Parameter kPromotionChosen[] = {{L"col", Type::Short, Passing::InOut},
                                                 {L"row", Type::Short, Passing::InOut},
                                                 {L"Piece", Type::PieceNum, Passing::InOut}};
inline constexpr wchar_t kAnimationTimeHelp[] =
    L"Returns/sets how many milliseconds a moved piece takes to slide to its square, 0 for none.";
inline constexpr Parameter kPieceDrop[] = {
    {L"fromCol", Type::Short, Passing::InOut}, {L"fromRow", Type::Short, Passing::InOut},
    {L"toCol", Type::Short, Passing::InOut},   {L"toRow", Type::Short, Passing::InOut},
    {L"Cancel", Type::Boolean, Passing::InOut}};
inline constexpr wchar_t kPositionHelp[] = L"Returns/sets the position as the piece-placement field of FEN.";
inline constexpr wchar_t kFlippedHelp[] =
    L"Returns/sets a value that determines whether the board is shown turned round, row 8 at the top.";
inline constexpr wchar_t kCoordinatesHelp[] =
    L"Returns/sets a value that determines whether the columns and rows are labelled along the board's edges.";
inline constexpr wchar_t kMarkHelp[] = L"Returns/sets the mark shown on a square.";
inline constexpr wchar_t kAllowMovesHelp[] =
    L"Returns/sets a value that determines whether the user can move pieces on the board.";
inline constexpr wchar_t kMovableSideHelp[] = L"Returns/sets which side's pieces the user can pick up.";
}  // namespace detail

// OvlBoard's interface starts with _OvlChess's members, unchanged.
inline constexpr Member kBoardMembers[] = {
    kChessMembers[0], kChessMembers[1], kChessMembers[2], kChessMembers[3], kChessMembers[4], kChessMembers[5],
    kChessMembers[6],
    {L"Position", INVOKE_PROPERTYGET, 0x68030006, detail::kPositionGet, 0, detail::kPositionHelp},
    {L"Position", INVOKE_PROPERTYPUT, 0x68030006, detail::kPositionPut, 0, detail::kPositionHelp},
    {L"Flipped", INVOKE_PROPERTYGET, 0x68030007, detail::kFlippedGet, 0, detail::kFlippedHelp},
    {L"Flipped", INVOKE_PROPERTYPUT, 0x68030007, detail::kFlippedPut, 0, detail::kFlippedHelp},
    {L"ShowCoordinates", INVOKE_PROPERTYGET, 0x68030008, detail::kCoordinatesGet, 0, detail::kCoordinatesHelp},
    {L"ShowCoordinates", INVOKE_PROPERTYPUT, 0x68030008, detail::kCoordinatesPut, 0, detail::kCoordinatesHelp},
    {L"Mark", INVOKE_PROPERTYGET, 0x68030009, detail::kMarkGet, 0, detail::kMarkHelp},
    {L"Mark", INVOKE_PROPERTYPUT, 0x68030009, detail::kMarkPut, 0, detail::kMarkHelp},
    {L"ClearMarks", INVOKE_FUNC, 0x6003000A, {}, 0, L"Removes every mark from the board."},
    {L"DrawArrow", INVOKE_FUNC, 0x6003000B, detail::kFromTo, 0, L"Draws an arrow from one square to another."},
    {L"ClearArrows", INVOKE_FUNC, 0x6003000C, {}, 0, L"Removes every arrow from the board."},
    {L"AllowMoves", INVOKE_PROPERTYGET, 0x6803000D, detail::kAllowMovesGet, 0, detail::kAllowMovesHelp},
    {L"AllowMoves", INVOKE_PROPERTYPUT, 0x6803000D, detail::kAllowMovesPut, 0, detail::kAllowMovesHelp},
    {L"MovableSide", INVOKE_PROPERTYGET, 0x6803000E, detail::kMovableSideGet, 0, detail::kMovableSideHelp},
    {L"MovableSide", INVOKE_PROPERTYPUT, 0x6803000E, detail::kMovableSidePut, 0, detail::kMovableSideHelp},
    {L"AnimationTime", INVOKE_PROPERTYGET, 0x6803000F, detail::kAnimationTimeGet, 0, detail::kAnimationTimeHelp},
    {L"AnimationTime", INVOKE_PROPERTYPUT, 0x6803000F, detail::kAnimationTimePut, 0, detail::kAnimationTimeHelp},
    {L"MovePiece", INVOKE_FUNC, 0x60030010, detail::kFromTo, 0, L"Moves a piece from one square to another, sliding it there."},
    {L"ChoosePromotion", INVOKE_FUNC, 0x60030011, detail::kSquare, 0,
     L"Shows over a pawn's square the pieces it may become, for the user to choose."},
};

inline constexpr DISPID kPieceDropId = 6;
inline constexpr DISPID kPieceLiftId = 7;
inline constexpr DISPID kPromotionChosenId = 8;

inline constexpr Member kBoardEvents[] = {
    kChessEvents[0], kChessEvents[1], kChessEvents[2], kChessEvents[3], kChessEvents[4],
    {L"PieceDrop", INVOKE_FUNC, kPieceDropId, detail::kPieceDrop},
    {L"PieceLift", INVOKE_FUNC, kPieceLiftId, detail::kPieceLift},
    {L"PromotionChosen", INVOKE_FUNC, kPromotionChosenId, detail::kPromotionChosen},
};

// An enumeration of the library: its constants have consecutive values from `first`.
struct Enumeration {
  std::wstring_view name;
  GUID id;
  LONG first;
  std::span<const std::wstring_view> names;
};

inline constexpr Enumeration kPieceNum{L"PieceNum", identity::kPieceNumId, 1, kPieceNumNames};
inline constexpr Enumeration kMarkNum{L"MarkNum", identity::kMarkNumId, 0, kMarkNumNames};
inline constexpr Enumeration kSideNum{L"SideNum", identity::kSideNumId, 0, kSideNumNames};

// A control class with everything that describes, registers and ships it.
// The library lists each class's types in this order: interface, class,
// events, then the enumerations the class introduces.
struct ControlClass {
  std::wstring_view name;
  GUID classId;
  std::wstring_view progId;
  std::wstring_view interfaceName;
  GUID interfaceId;
  std::span<const Member> members;  // in vtable order
  std::wstring_view eventsName;
  GUID eventsId;
  std::span<const Member> events;   // numbered from 1 in this order
  std::span<const Enumeration* const> enumerations;
  int toolboxBitmapId;
  control::SavedClass saved;  // which of the saved properties it keeps
};

namespace detail {
inline constexpr const Enumeration* kChessEnumerations[] = {&kPieceNum};
inline constexpr const Enumeration* kBoardEnumerations[] = {&kMarkNum, &kSideNum};
}  // namespace detail

inline constexpr ControlClass kOvlChess{identity::kClassName,
                                        identity::kClassId,
                                        identity::kProgId,
                                        L"_OvlChess",
                                        identity::kDefaultInterfaceId,
                                        kChessMembers,
                                        L"__OvlChess",
                                        identity::kEventInterfaceId,
                                        kChessEvents,
                                        detail::kChessEnumerations,
                                        identity::kToolboxBitmapId,
                                        control::SavedClass::OvlChess};

inline constexpr ControlClass kOvlBoard{identity::kBoardClassName,
                                        identity::kBoardClassId,
                                        identity::kBoardProgId,
                                        L"_OvlBoard",
                                        identity::kBoardInterfaceId,
                                        kBoardMembers,
                                        L"__OvlBoard",
                                        identity::kBoardEventInterfaceId,
                                        kBoardEvents,
                                        detail::kBoardEnumerations,
                                        identity::kBoardToolboxBitmapId,
                                        control::SavedClass::OvlBoard};

// In the library's order.
inline constexpr const ControlClass* kClasses[] = {&kOvlChess, &kOvlBoard};

// Each automation type as the type library, Invoke, the IDL and the reference page name it.
struct TypeDescription {
  Type type;
  VARTYPE varType;                   // what a value is coerced to: an enumeration travels as a long
  std::string_view cType;            // what a vtable caller passes, as the IDL and the generated header spell it
  std::string_view referenceName;    // the automation type, then the C type
  const Enumeration* enumeration;    // where its values come from, or null
};

inline constexpr TypeDescription kTypes[] = {
    {Type::Boolean, VT_BOOL, "VARIANT_BOOL", "Boolean (`VARIANT_BOOL`)", nullptr},
    {Type::Short, VT_I2, "short", "Integer (`short`)", nullptr},
    {Type::Float, VT_R4, "float", "Single (`float`)", nullptr},
    {Type::PieceNum, VT_I4, "PieceNum", "`PieceNum` (`long`)", &kPieceNum},
    {Type::String, VT_BSTR, "BSTR", "String (`BSTR`)", nullptr},
    {Type::MarkNum, VT_I4, "MarkNum", "`MarkNum` (`long`)", &kMarkNum},
    {Type::SideNum, VT_I4, "SideNum", "`SideNum` (`long`)", &kSideNum},
    {Type::Long, VT_I4, "long", "Long (`long`)", nullptr},
};

constexpr bool TypesInOrder() {
  for (size_t i = 0; i < std::size(kTypes); ++i)
    if (static_cast<size_t>(kTypes[i].type) != i) return false;
  return std::size(kTypes) == static_cast<size_t>(Type::Long) + 1;
}
static_assert(TypesInOrder(), "entry i of kTypes describes Type i");

constexpr const TypeDescription& DescriptionOf(Type type) { return kTypes[static_cast<size_t>(type)]; }
constexpr const Enumeration* EnumerationOf(Type type) { return DescriptionOf(type).enumeration; }
constexpr VARTYPE VarTypeOf(Type type) { return DescriptionOf(type).varType; }
constexpr std::string_view CTypeOf(Type type) { return DescriptionOf(type).cType; }

// The dispatch id of the interface member `name` (any case), or DISPID_UNKNOWN.
DISPID IdOf(std::wstring_view name, const ControlClass& control);
DISPID IdOf(std::string_view name, const ControlClass& control);

// The id callers use to name parameter `name` of the member `id`: its
// position among the parameters a caller passes; DISPID_UNKNOWN if none.
DISPID ParameterIdOf(DISPID member, std::wstring_view name, const ControlClass& control);

// The entry Invoke runs for `id` called with DISPATCH_* `flags`: the first in
// table order whose kind the flags allow, as the type library's own Invoke picks.
const Member* Resolve(DISPID id, WORD flags, const ControlClass& control);

// The event of the class with dispatch id `id`, or null.
const Member* EventOf(DISPID id, const ControlClass& control);

// The position of `member` in the class's members, which fixes its vtable slot.
size_t IndexOf(const Member& member, const ControlClass& control);

}  // namespace component::automation
