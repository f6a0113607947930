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
#include "board/fen.h"
#include "board/text.h"
#include "component/automation_interface.h"
#include "component/identity.h"
#include "control/board_view.h"

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

std::string TypeName(Type type) { return std::string(component::automation::DescriptionOf(type).referenceName); }

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
  for (const control::SavedProperty* property : control::SavedIn(control.saved))
    saved.append(saved.empty() ? "" : ", ").append("`").append(property->name).append("`");
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
          << (event.id == component::automation::kPieceLiftId ? "lift" : "move (see *How a move is made*)");
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

// What the tables cannot say about OvlBoard's position, view and moves by hand.
void WritePosition(std::ostream& out) {
  out << "\n## `OvlBoard`'s `Position`\n\n"
         "Read, it is the piece-placement field of FEN: rank 8 (`row` 1) first, ranks split by `/`, cream pieces "
         "in capitals (`PNBRQK`), red in lower case, a digit for each run of empty squares: "
         "`rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR` after `NewGame`.\n\n"
         "`NewGame` on an `OvlBoard` sets the whole starting position: the 32 pieces, every other square emptied, "
         "marks and arrows cleared, one repaint. On `OvlChess` it writes the 32 starting squares only, drawing each "
         "piece over what its square showed, and leaves the other squares as they were.\n\n"
         "Written, it takes the placement alone or a whole FEN record, nothing else: the placement, the side to "
         "move (`w` or `b`), castling (`-` or some of `KQkq` in that order), the en passant square (`-` or a square "
         "on rank 3 or 6, as `e3`), the halfmove clock and the fullmove number (whole numbers), split by blanks "
         "(spaces, tabs, line ends). Blanks before and after the text are trimmed, so a line read from a file or a "
         "text box is taken as it is. The fields after the placement are checked and then ignored: the control "
         "keeps no side to move, castling rights or clocks. Any other text (another number of fields, a malformed "
         "field, more than "
      << board::kLongestPositionText
      << " characters, a character beyond ASCII) is error 380, its text naming the field, and nothing changes. "
         "A write sets every square as `Piece` writes it, repaints once and notifies \"Position\" once.\n\n"
         "A square holding a code `Position` cannot spell reads as empty in `Position` but as its code through "
         "`Piece`: 14 (the bare dark square's picture, which `Piece` stores and shows without an error) and a code "
         "with no picture (stored with error 35600, the square showing bare). Writing back the text read empties "
         "such a square.\n";
}

void WriteMarksAndArrows(std::ostream& out) {
  out << "\n## `OvlBoard`'s marks and arrows\n\n"
         "A square shows its mark between the bare wood and its piece; `ClearMarks` removes them all. Arrows are "
         "drawn over the pieces in the order given. The board holds at most "
      << control::BoardView::kMostArrows
      << " arrows: one more is error 5 until `ClearArrows`. An arrow already on the board (the same two squares "
         "in the same direction) is ignored: no error, no repaint, and it counts once.\n";
}

void WriteMoves(std::ostream& out) {
  out << "\n## How a move is made\n\n"
         "On an `OvlBoard` the user moves a piece in one of three ways; each ends by asking the host through "
         "`PieceDrop`. Nothing is picked up while `AllowMoves` or `Enabled` is False or the container is in "
         "design mode; the mouse events of an enabled board are raised as ever.\n\n"
         "- **Drag.** A left press on a piece, then a move beyond the system's drag distance, lifts it; it follows "
         "the pointer. Released over another square, `PieceDrop` is raised once. Released over its own square or "
         "off the board, after Escape, when the mouse capture is lost or the board is disabled meanwhile, the "
         "piece goes back and nothing is raised. `MouseDown`, `MouseMove` and `MouseUp` go on naming the pressed "
         "square, and a release elsewhere raises no `Click`. The pressed square is the one under the pointer at "
         "the press: a `MouseDown` handler that flips the board does not change it, and one that empties it "
         "leaves nothing to lift.\n"
         "- **Click, then click.** A click on a piece selects it (a screen reader hears \"picked up\"); a click on "
         "any other square raises `PieceDrop` from the selected square; a click on the selected square, or "
         "Escape, drops the choice.\n"
         "- **Keys.** The arrow keys move the keyboard cursor (as the eye sees the board), Home and End to the "
         "row's ends, Page Up and Page Down to the column's ends; a letter `a`–`h` or a digit `1`–`8` (without "
         "Shift, Ctrl or Alt) jumps to that file or rank, named from cream's side. Space or Enter on a piece picks "
         "it up, Space or Enter on another square puts it down there and raises `PieceDrop`, Escape puts it back. "
         "Space and Enter raise `Click` for the cursor square too.\n\n"
         "Every other square is a target: the control knows no rules, and `mkTarget` marks only show what the "
         "host writes. `PieceDrop(fromCol, fromRow, toCol, toRow, Cancel)` is raised before anything moves: the "
         "handler meets the board as it stands, the piece on its source square. When the handler returns, the "
         "board moves the piece itself (the target gets the source's code, the source `None`, one repaint and one "
         "\"Position\" notification) unless:\n\n"
         "- the handler set `Cancel` to True: the piece stays;\n"
         "- the handler wrote either square with `Piece`, or the whole board with `Clear`, `NewGame` or "
         "`Position`: its own writes stand and the board moves nothing. `Clear` shows every square bare and keeps "
         "the codes, so after `Clear` in `PieceDrop` `Piece` and `Position` still report the piece on its source "
         "square;\n"
         "- the control's window was destroyed meanwhile: nothing moves;\n"
         "- the host released its last reference to the control in a handler of the move's input: from then on "
         "the control raises no event (so no `PieceDrop`) and moves nothing.\n\n"
         "A handler may write anything else and the move is still made: `Piece` on other squares, `Mark`, "
         "`ClearMarks`, `DrawArrow`, `ClearArrows`, `Flipped`, `ShowCoordinates`, and `Enabled` or `AllowMoves` "
         "set to False (the move it accepted is made, then nothing more is picked up), as in a game's last move.\n\n"
         "`Flipped` turns only the picture: `col` 1 is file a and `row` 1 rank 8 whichever way up the board is "
         "shown, so `Piece`, `Mark`, `DrawArrow`, `PieceDrop` and the mouse events name the same squares either "
         "way. `X` and `Y` are measured from the drawn square's top-left corner, and the arrow keys move the "
         "cursor as the eye sees it.\n\n"
         "A pawn the board moves stays a pawn. To promote, the handler writes both squares: writing a square stops "
         "the board's own move, so writing only the target leaves the pawn on its source square beside the new "
         "piece. In VBA (`Cancel` may be set as well; it changes nothing once a square is written):\n\n"
         "```vb\n"
         "Private Sub OvlBoard1_PieceDrop(fromCol As Integer, fromRow As Integer, toCol As Integer, "
         "toRow As Integer, Cancel As Boolean)\n"
         "    If OvlBoard1.Piece(fromCol, fromRow) = Wpawn And toRow = 1 Then\n"
         "        OvlBoard1.Piece(fromCol, fromRow) = None\n"
         "        OvlBoard1.Piece(toCol, toRow) = WQueen\n"
         "    End If\n"
         "End Sub\n"
         "```\n\n"
         "To let the user choose the piece, the handler writes the pawn's move the same way and calls "
         "`ChoosePromotion(toCol, toRow)`: a column of queen, knight, rook and bishop shows over the square, and "
         "`PromotionChosen(col, row, Piece)` answers with the piece chosen, or `None` when the choice was "
         "dismissed (Escape, a click elsewhere, the focus lost, a write to that square, `Enabled` False, another "
         "`ChoosePromotion`); the handler writes the piece or takes the move back. The board writes nothing.\n\n"
         "`MovePiece` makes a move as an accepted drop does, without asking `PieceDrop`, and slides the piece "
         "there over `AnimationTime` milliseconds; a `Position` write slides the pieces that moved. The state "
         "changes at once: only the pixels follow, and any write or lift ends the slide.\n\n"
         "The kit's `board_host.cpp` is a complete C++ host doing the same: it shows an `OvlBoard` in a window, "
         "connects its event sink and handles `PieceDrop`.\n";
}

void WriteErrors(std::ostream& out) {
  struct Raised {
    board::AutomationError error;
    std::string when;
  };
  const Raised errors[] = {
      {board::NotAtDesignTimeError(),
       "`Piece`, or `OvlBoard`'s `Position`, is written while the container is in design mode"},
      {board::OverflowError(), "a square's code or a saved value does not fit 16 bits"},
      {board::ImageIndexOutOfBoundsError(),
       "`Piece` is written with a code that has no picture (below 1 or above 14); the code is stored and the "
       "square shows bare"},
      {board::TypeMismatchError(),
       "a saved property cannot be read as a number; a load refused for it, or for an overflow, changes nothing"},
      {board::InvalidPropertyValueError("…"),
       "`OvlBoard`: `Position` is written with text that is neither a placement nor a whole FEN record (the text "
       "after the colon names the field and what is wrong; nothing changes), or `Mark` with a number that is no "
       "`MarkNum`"},
      {board::InvalidPropertyArrayIndexError(),
       "`OvlBoard`: `Piece` or `Mark` is read or written with `col` or `row` outside 1 to 8"},
      {board::InvalidArgumentError("…"),
       "`OvlBoard`: `DrawArrow` is given a square off the board, the same square twice, or a new arrow while the "
       "board holds " + std::to_string(control::BoardView::kMostArrows) + " (the text after the colon says which)"},
  };
  out << "\n## Errors\n\n"
         "A member's error reaches a script host as `Err.Number` and `Err.Description`, a dispatch caller as "
         "`DISP_E_EXCEPTION` with the number in `EXCEPINFO::scode`, and a vtable caller as the `HRESULT` "
         "`0x800A0000 | number` with the text in `IErrorInfo`. Coordinates off the board are not an error for "
         "`OvlChess`'s `Piece`, read or written: the control shows the message box \"Invalid request\" and the "
         "member succeeds (a read gives 0). `OvlBoard`'s `Piece`, `Mark` and `DrawArrow` refuse them with an "
         "error below and show no box.\n\n"
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
  WritePosition(page);
  WriteMarksAndArrows(page);
  WriteMoves(page);
  WriteErrors(page);
  // Binary, so the page has the same line ends as the copy kept in the sources.
  std::ofstream file(argv[1], std::ios::binary);
  file << page.str();
  return file.good() ? 0 : 1;
}
