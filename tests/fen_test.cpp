#include "board/fen.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "board/automation_error.h"
#include "tests/error_number.h"

using namespace board::literals;

namespace {

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

TEST(Fen, PlacementsRoundTripLandOnTheirSquaresAndWriteNonPiecesAsEmpty) {
  const board::Placement start = board::ReadPlacement(kStart);
  EXPECT_EQ(start[0], board::Brook);  // a8: row 1, col 1
  EXPECT_EQ(start[board::SquareIndex(4_col, 8_row).value - 1], board::WQueen);  // d1
  EXPECT_EQ(start[board::SquareIndex(5_col, 4_row).value - 1], board::None);    // e5
  EXPECT_EQ(board::WritePlacement(start), kStart);
  std::mt19937 random(7);
  for (int trial = 0; trial < 200; ++trial) {
    board::Placement codes;
    for (board::PieceCode& code : codes)
      code = board::PieceCode(random() % 3 == 0 ? int32_t(random() % 12 + 2) : board::None);
    const std::string text = board::WritePlacement(codes);
    EXPECT_EQ(board::ReadPlacement(text), codes) << text;
  }
  board::Placement odd = board::ReadPlacement("8/8/8/8/8/8/8/8");
  odd[0] = board::PieceCode(0), odd[1] = board::PieceCode(14), odd[2] = board::PieceCode(-5);
  odd[3] = board::PieceCode(1000), odd[7] = board::Wking;
  EXPECT_EQ(board::WritePlacement(odd), "7K/8/8/8/8/8/8/8");
}

TEST(Fen, ThePlacementAloneOrAWholeRecordReadsTheSameAndBlanksAroundAreTrimmed) {
  const board::Placement start = board::ReadPlacement(kStart);
  for (const char* line : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                           "  rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR\t",
                           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b - e3 12 40\r\n",
                           "rnbqkbnr/pppppppp/44/8/8/8/PPPPPPPP/RNBQKBNR  b\tKq  h6 0 0",
                           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w Qk - 100 12345678901234567890"})
    EXPECT_EQ(board::ReadPlacement(line), start) << line;
  EXPECT_EQ(board::ReadPlacement(std::wstring(L" ") + L"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), start);
}

// The limit counts every character, the trimmed blanks too, in narrow and wide text alike.
TEST(Fen, TextOfTheLongestLengthIsReadAndOneCharacterMoreIsRefused) {
  std::string longest = std::string(kStart) + " w KQkq - 0 1";
  longest.resize(board::kLongestPositionText, ' ');
  const std::wstring wideLongest(longest.begin(), longest.end());
  EXPECT_EQ(board::ReadPlacement(longest), board::ReadPlacement(kStart));
  EXPECT_EQ(board::ReadPlacement(wideLongest), board::ReadPlacement(kStart));
  EXPECT_EQ(ErrorNumberOf([&] { board::ReadPlacement(longest + ' '); }), 380);
  EXPECT_EQ(ErrorNumberOf([&] { board::ReadPlacement(wideLongest + L' '); }), 380);
}

TEST(Fen, MalformedTextIsRefusedWithAPreciseReason) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "is empty"},
      {" \t  ", "is empty"},
      {"8/8/8/8/8/8/8", "has 7 ranks"},
      {"8/8/8/8/8/8/8/8/8", "has 9 ranks"},
      {"rnbqkbnr", "has 1 rank;"},
      {"8/8/8/8/8/8/8/", "in rank 1; a rank has 8"},
      {"ppppppppp/8/8/8/8/8/8/8", "more than 8 squares in rank 8"},
      {"8/7/8/8/8/8/8/8", "has 7 squares in rank 7"},
      {"8/8/8/53p/8/8/8/8", "more than 8 squares in rank 5"},
      {"9/8/8/8/8/8/8/8", "digit 9 in rank 8"},
      {"8/8/0p7/8/8/8/8/8", "digit 0 in rank 6"},
      {"8/8/8/8/3x4/8/8/8", "has 'x' in rank 4"},
      {"8/8/8/8/8/8/8/7\x01", "character 0x01 in rank 1"},
      {std::string(2000, '8'), "longer than 1024"},
      {std::string(1025, ' '), "longer than 1024"},
      {"8/8/8/8/8/8/8/8 garbage ///", "has the side to move 'garbage'; it is w or b"},
      {"8/8/8/8/8/8/8/8 W KQkq - 0 1", "side to move 'W'"},
      {"8/8/8/8/8/8/8/8 w", "has no castling field after the side to move"},
      {"8/8/8/8/8/8/8/8 w KQkq", "has no en passant field after the castling field"},
      {"8/8/8/8/8/8/8/8 w KQkq - 0", "has no fullmove number after the halfmove clock"},
      {"8/8/8/8/8/8/8/8 w QK - 0 1", "castling field 'QK'; it is - or some of KQkq"},
      {"8/8/8/8/8/8/8/8 w KK - 0 1", "castling field 'KK'"},
      {"8/8/8/8/8/8/8/8 w -K - 0 1", "castling field '-K'"},
      {"8/8/8/8/8/8/8/8 w - e4 0 1", "en passant field 'e4'; it is - or a square on rank 3 or 6"},
      {"8/8/8/8/8/8/8/8 w - i3 0 1", "en passant field 'i3'"},
      {"8/8/8/8/8/8/8/8 w - - -1 1", "halfmove clock '-1'; it is a whole number"},
      {"8/8/8/8/8/8/8/8 w - - 0 1.5", "fullmove number '1.5'"},
      {"8/8/8/8/8/8/8/8 w - - 0 \x01", "has the fullmove number; it is"},
      {"8/8/8/8/8/8/8/8 w - - 0 1 garbage", "'garbage' after the fullmove number"},
      {"8/8/8/8/8/8/8 w - - 0 1", "has 7 ranks"},
  };
  for (const auto& [text, reason] : cases) {
    try {
      board::ReadPlacement(text);
      ADD_FAILURE() << "accepted: " << text.substr(0, 40);
    } catch (const board::AutomationError& e) {
      EXPECT_EQ(e.number(), 380) << text.substr(0, 40);
      EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
  }
  // A wide character would otherwise narrow onto a letter: U+0150 onto 'P'.
  EXPECT_THROW(board::ReadPlacement(std::wstring(L"8/8/8/8/8/8/8/7\u0150")), board::AutomationError);
}

}  // namespace
