#include "board/fen.h"

#include "board/automation_error.h"
#include "board/text.h"

#include <iterator>
#include <vector>

namespace board {

namespace {

// Letters in code order from the pawn: pawn, rook, knight, bishop, queen, king.
constexpr std::string_view kCreamLetters = "PRNBQK";
constexpr std::string_view kRedLetters = "prnbqk";

char LetterOf(int32_t code) {
  if (code >= Wpawn && code <= Wking) return kCreamLetters[code - Wpawn];
  if (code >= Bpawn && code <= Bking) return kRedLetters[code - Bpawn];
  return 0;
}

int32_t CodeOf(char letter) {
  if (const size_t at = kCreamLetters.find(letter); at != std::string_view::npos) return Wpawn + int32_t(at);
  if (const size_t at = kRedLetters.find(letter); at != std::string_view::npos) return Bpawn + int32_t(at);
  return 0;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The fields of the text, split by runs of blanks; blanks around it are dropped.
std::vector<std::string_view> FieldsOf(std::string_view text) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    while (start < text.size() && IsBlank(text[start])) ++start;
    if (start == text.size()) return fields;
    size_t end = start;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    fields.push_back(text.substr(start, end - start));
    start = end;
  }
}

[[noreturn]] void Refuse(const std::string& what) { throw InvalidPropertyValueError(Joined({"Position ", what})); }

std::string Shown(char c) {
  if (c > ' ' && c < 127) return Joined({"'", std::string_view(&c, 1), "'"});
  constexpr char kHex[] = "0123456789ABCDEF";
  const auto byte = static_cast<unsigned char>(c);
  const char digits[] = {kHex[byte >> 4], kHex[byte & 15]};
  return Joined({"character 0x", std::string_view(digits, 2)});
}

bool IsSideToMove(std::string_view field) { return field == "w" || field == "b"; }

bool IsCastling(std::string_view field) {
  if (field == "-") return true;
  constexpr std::string_view kOrder = "KQkq";
  size_t next = 0;
  for (char c : field) {
    const size_t at = kOrder.find(c, next);
    if (at == std::string_view::npos) return false;
    next = at + 1;
  }
  return !field.empty();
}

bool IsEnPassant(std::string_view field) {
  if (field == "-") return true;
  return field.size() == 2 && field[0] >= 'a' && field[0] <= 'h' && (field[1] == '3' || field[1] == '6');
}

bool IsCount(std::string_view field) {
  for (char c : field)
    if (c < '0' || c > '9') return false;
  return !field.empty();
}

// The fields of a FEN record after the placement. The control keeps none of them,
// but a record it takes must be one: a typo there is as likely a wrong position.
struct RecordField {
  std::string_view name;
  bool (*wellFormed)(std::string_view);
  std::string_view rule;
};
constexpr RecordField kRecordFields[] = {
    {"side to move", IsSideToMove, "w or b"},
    {"castling field", IsCastling, "- or some of KQkq in that order"},
    {"en passant field", IsEnPassant, "- or a square on rank 3 or 6, as e3"},
    {"halfmove clock", IsCount, "a whole number"},
    {"fullmove number", IsCount, "a whole number"},
};

// The field in quotes when it is short and printable, for the error's text.
std::string QuotedIfShown(std::string_view field) {
  constexpr size_t kLongestShown = 16;
  if (field.size() > kLongestShown) return {};
  for (char c : field)
    if (c <= ' ' || c >= 127) return {};
  return Joined({" '", field, "'"});
}

void CheckRecordFields(const std::vector<std::string_view>& fields) {
  if (fields.size() == 1) return;
  std::string_view after = "placement";
  for (size_t i = 0; i < std::size(kRecordFields); ++i) {
    const RecordField& expected = kRecordFields[i];
    if (i + 1 == fields.size())
      Refuse(Joined({"has no ", expected.name, " after the ", after,
                     "; give the placement alone or all six fields of a FEN record"}));
    const std::string_view field = fields[i + 1];
    if (!expected.wellFormed(field))
      Refuse(Joined({"has the ", expected.name, QuotedIfShown(field), "; it is ", expected.rule}));
    after = expected.name;
  }
  if (fields.size() > std::size(kRecordFields) + 1)
    Refuse(Joined({"has", QuotedIfShown(fields[std::size(kRecordFields) + 1]),
                   " after the fullmove number, where a FEN record ends"}));
}

// Fills the 8 squares of row `row` from one rank's text.
void ReadRank(std::string_view rank, int row, Placement& codes) {
  const std::string name = Joined({"rank ", std::string(1, RankOf(Row(static_cast<int16_t>(row))))});
  int col = 0;
  for (char c : rank) {
    if (c >= '1' && c <= '8') {
      col += c - '0';
    } else if (const int32_t code = CodeOf(c); code != 0) {
      if (col < kBoardSize) codes[(row - 1) * kBoardSize + col] = PieceCode(code);
      ++col;
    } else if (c == '0' || c == '9') {
      Refuse(Joined({"has the digit ", std::string_view(&c, 1), " in ", name, "; a run of empty squares is 1 to 8"}));
    } else {
      Refuse(Joined({"has ", Shown(c), " in ", name, ", neither a piece letter (PNBRQK, pnbrqk) nor a digit"}));
    }
    if (col > kBoardSize) Refuse(Joined({"has more than 8 squares in ", name}));
  }
  if (col < kBoardSize) Refuse(Joined({"has ", std::to_string(col), " squares in ", name, "; a rank has 8"}));
}

Placement ReadPlacementField(std::string_view field) {
  int ranks = 1;
  for (char c : field) ranks += c == '/';
  if (ranks != kBoardSize) Refuse(Joined({"has ", std::to_string(ranks), ranks == 1 ? " rank" : " ranks", "; it needs 8 split by '/'"}));
  Placement codes;
  codes.fill(None);
  size_t start = 0;
  for (int row = 1; row <= kBoardSize; ++row) {
    const size_t end = row < kBoardSize ? field.find('/', start) : field.size();
    ReadRank(field.substr(start, end - start), row, codes);
    start = end + 1;
  }
  return codes;
}

}  // namespace

std::string WritePlacement(const Placement& codes) {
  std::string text;
  for (int row = 1; row <= kBoardSize; ++row) {
    int empty = 0;
    for (int col = 1; col <= kBoardSize; ++col) {
      const char letter = LetterOf(codes[(row - 1) * kBoardSize + col - 1].value);
      if (letter == 0) {
        ++empty;
        continue;
      }
      if (empty > 0) text += static_cast<char>('0' + empty);
      text += letter;
      empty = 0;
    }
    if (empty > 0) text += static_cast<char>('0' + empty);
    if (row < kBoardSize) text += '/';
  }
  return text;
}

Placement ReadPlacement(std::string_view text) {
  if (text.size() > kLongestPositionText)
    Refuse(Joined({"is longer than ", std::to_string(kLongestPositionText), " characters"}));
  const std::vector<std::string_view> fields = FieldsOf(text);
  if (fields.empty()) Refuse("is empty; it needs 8 ranks split by '/'");
  const Placement codes = ReadPlacementField(fields.front());
  CheckRecordFields(fields);
  return codes;
}

Placement ReadPlacement(std::wstring_view text) {
  if (text.size() > kLongestPositionText)
    Refuse(Joined({"is longer than ", std::to_string(kLongestPositionText), " characters"}));
  std::string narrow;
  for (wchar_t c : text) {
    if (static_cast<uint32_t>(c) > 127) Refuse("has a character that is not ASCII");
    narrow += static_cast<char>(c);
  }
  return ReadPlacement(narrow);
}

}  // namespace board
