#include "board/fen.h"

#include "board/automation_error.h"
#include "board/text.h"

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

// The placement field of a FEN line: its first word.
std::string_view FirstWord(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  size_t end = start;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  return text.substr(start, end - start);
}

[[noreturn]] void Refuse(const std::string& what) { throw InvalidPropertyValueError(Joined({"Position ", what})); }

std::string Shown(char c) {
  if (c > ' ' && c < 127) return Joined({"'", std::string_view(&c, 1), "'"});
  constexpr char kHex[] = "0123456789ABCDEF";
  const auto byte = static_cast<unsigned char>(c);
  const char digits[] = {kHex[byte >> 4], kHex[byte & 15]};
  return Joined({"character 0x", std::string_view(digits, 2)});
}

// Fills the 8 squares of row `row` from one rank's text.
void ReadRank(std::string_view rank, int row, Placement& codes) {
  const std::string name = Joined({"rank ", std::to_string(kBoardSize + 1 - row)});
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
  const std::string_view field = FirstWord(text);
  if (field.empty()) Refuse("is empty; it needs 8 ranks split by '/'");
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
