#include "board/fen.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "board/automation_error.h"

using board::Placement;

namespace {

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

Placement Empty() {
  Placement codes;
  codes.fill(board::None);
  return codes;
}

TEST(Fen, PlacementsRoundTripAndLandOnTheirSquares) {
  const Placement start = board::ReadPlacement(kStart);
  EXPECT_EQ(start[0], board::Brook);             // a8: row 1, col 1
  EXPECT_EQ(start[4], board::Bking);             // e8
  EXPECT_EQ(start[board::SquareIndex(4, 8).value - 1], board::WQueen);  // d1
  EXPECT_EQ(start[board::SquareIndex(7, 7).value - 1], board::Wpawn);   // g2
  EXPECT_EQ(start[board::SquareIndex(5, 4).value - 1], board::None);    // e5
  EXPECT_EQ(board::WritePlacement(start), kStart);
  EXPECT_EQ(board::WritePlacement(Empty()), "8/8/8/8/8/8/8/8");
  EXPECT_EQ(board::ReadPlacement("8/8/8/8/8/8/8/8"), Empty());

  std::mt19937 random(7);
  for (int trial = 0; trial < 200; ++trial) {
    Placement codes;
    for (int32_t& code : codes) code = random() % 3 == 0 ? int32_t(random() % 12 + 2) : board::None;
    const std::string text = board::WritePlacement(codes);
    EXPECT_EQ(board::ReadPlacement(text), codes) << text;
  }
}

TEST(Fen, CodesThatAreNoPieceWriteAsEmpty) {
  Placement codes = Empty();
  codes[0] = 0, codes[1] = 14, codes[2] = -5, codes[3] = 1000, codes[7] = board::Wking;
  EXPECT_EQ(board::WritePlacement(codes), "7K/8/8/8/8/8/8/8");
}

TEST(Fen, WholeLinesAndBlanksAroundReadTheirFirstField) {
  const Placement start = board::ReadPlacement(kStart);
  for (const char* line : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                           "  rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR\t",
                           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b - e3 12 40\r\n",
                           "rnbqkbnr/pppppppp/44/8/8/8/PPPPPPPP/RNBQKBNR garbage after the field ///"})
    EXPECT_EQ(board::ReadPlacement(line), start) << line;
  EXPECT_EQ(board::ReadPlacement(std::wstring(L" 8/8/8/8/8/8/8/8 w - - 0 1")), Empty());
}

TEST(Fen, MalformedTextIsRefusedWithAPreciseReason) {
  struct Case {
    std::string text;
    const char* reason;
  };
  const Case cases[] = {
      {"", "is empty"},
      {" \t  ", "is empty"},
      {"8/8/8/8/8/8/8", "has 7 ranks"},
      {"8/8/8/8/8/8/8/8/8", "has 9 ranks"},
      {"rnbqkbnr", "has 1 rank;"},
      {"8/8/8/8/8/8/8/", "in rank 1; a rank has 8"},
      {"ppppppppp/8/8/8/8/8/8/8", "more than 8 squares in rank 8"},
      {"8/7/8/8/8/8/8/8", "has 7 squares in rank 7"},
      {"8/8/8/53p/8/8/8/8", "more than 8 squares in rank 5"},
      {"8/8/8/8/8/8/8/44P", "more than 8 squares in rank 1"},
      {"9/8/8/8/8/8/8/8", "digit 9 in rank 8"},
      {"8/8/0p7/8/8/8/8/8", "digit 0 in rank 6"},
      {"8/8/8/8/3x4/8/8/8", "has 'x' in rank 4"},
      {"8/8/8/8/8/8/8/7\x01", "character 0x01 in rank 1"},
      {std::string(2000, '8'), "longer than 1024"},
      {std::string(1025, ' '), "longer than 1024"},
  };
  for (const Case& c : cases) {
    try {
      board::ReadPlacement(c.text);
      ADD_FAILURE() << "accepted: " << c.text.substr(0, 40);
    } catch (const board::AutomationError& e) {
      EXPECT_EQ(e.number(), 380) << c.text.substr(0, 40);
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
  // A wide character would otherwise narrow onto a letter: U+0150 onto 'P'.
  EXPECT_THROW(board::ReadPlacement(std::wstring(L"8/8/8/8/8/8/8/7\u0150")), board::AutomationError);
}

}  // namespace
