#include "control/argument_binding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using control::arguments::Bind;
using control::arguments::kPutValueName;
using control::arguments::Refusal;
using control::arguments::Signature;

namespace {

constexpr long kCol = 0, kRow = 1, kValue = kPutValueName;
constexpr Signature kPieceGet{2, false}, kPiecePut{3, true}, kEnabledPut{1, true}, kMethod{0, false};

struct Case {
  std::string what;
  Signature signature;
  unsigned count;
  std::vector<long> names;  // the first `names.size()` arguments of the caller's array
  std::vector<unsigned> sources;
  Refusal refusal = Refusal::None;
  std::optional<unsigned> culprit = std::nullopt;
};

const Case kCases[] = {
    {"positional, the first written last", kPieceGet, 2, {}, {1, 0}},
    {"named in any order", kPieceGet, 2, {kRow, kCol}, {1, 0}},
    {"positional then named", kPieceGet, 2, {kRow}, {1, 0}},
    {"a put's value named, the rest positional", kPiecePut, 3, {kValue}, {2, 1, 0}},
    {"a put's value named among the others", kPiecePut, 3, {kRow, kValue, kCol}, {2, 0, 1}},
    {"a put of one value", kEnabledPut, 1, {kValue}, {0}},
    {"a method without arguments", kMethod, 0, {}, {}},

    {"a name given twice", kPieceGet, 2, {kCol, kCol}, {}, Refusal::ParameterNotFound, 1},
    {"a name a positional argument took", kPieceGet, 2, {kCol}, {}, Refusal::ParameterNotFound, 0},
    {"a name past the parameters", kPieceGet, 2, {kRow, 2}, {}, Refusal::ParameterNotFound, 1},
    {"a negative name", kPieceGet, 2, {-7, kRow}, {}, Refusal::ParameterNotFound, 0},
    {"a put's value given to a get", kPieceGet, 3, {kValue}, {}, Refusal::ParameterNotFound, 0},
    {"a put's value given twice", kPiecePut, 4, {kValue, kCol, kValue, kRow}, {}, Refusal::ParameterNotFound, 2},
    {"a put's value named as a parameter", kEnabledPut, 1, {0}, {}, Refusal::ParameterNotFound, 0},
    {"a put without its value's name", kPiecePut, 2, {kRow, kCol}, {}, Refusal::ParameterNotFound, 0},
    {"a put of positional arguments only", kEnabledPut, 1, {}, {}, Refusal::ParameterNotFound, 0},
    {"a put without arguments", kPiecePut, 0, {}, {}, Refusal::ParameterNotFound},
    {"a method given a name", kMethod, 1, {0}, {}, Refusal::ParameterNotFound, 0},

    {"a parameter left out", kPieceGet, 1, {kCol}, {}, Refusal::BadParameterCount},
    {"too few positional", kPieceGet, 1, {}, {}, Refusal::BadParameterCount},
    {"too many positional", kPieceGet, 3, {}, {}, Refusal::BadParameterCount},
    {"a put's value positional too", kPiecePut, 4, {kValue}, {}, Refusal::BadParameterCount},
    {"an argument to a method without parameters", kMethod, 1, {}, {}, Refusal::BadParameterCount},
    {"more names than arguments", kPieceGet, 1, {kCol, kRow}, {}, Refusal::BadParameterCount},
    // A put must have its value among its inputs; else the value's place is before the first.
    {"a put with no inputs given its value", {0, true}, 1, {kValue}, {}, Refusal::BadParameterCount},
};

TEST(ArgumentBinding, BindsAndRefusesAsOleDoes) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const auto binding = Bind(c.signature, c.count, c.names);
    EXPECT_EQ(binding.refusal, c.refusal);
    EXPECT_EQ(binding.culprit, c.culprit);
    if (c.refusal != Refusal::None) continue;
    for (size_t i = 0; i < c.sources.size(); ++i) EXPECT_EQ(binding.source[i], c.sources[i]) << "input " << i;
  }
}

TEST(ArgumentBinding, FollowsFourLevelsAndNoMore) {
  for (int depth = 0; depth <= control::arguments::kMaxIndirection; ++depth)
    EXPECT_TRUE(control::arguments::IndirectionAllowed(depth)) << depth;
  EXPECT_EQ(control::arguments::kMaxIndirection, 4);
  EXPECT_FALSE(control::arguments::IndirectionAllowed(5));
  EXPECT_FALSE(control::arguments::IndirectionAllowed(-1));
}

TEST(ArgumentBinding, MoreNamedThanGivenIsNoArrayAtAll) {
  EXPECT_TRUE(control::arguments::CountsAgree(2, 2));
  EXPECT_TRUE(control::arguments::CountsAgree(0, 0));
  EXPECT_FALSE(control::arguments::CountsAgree(1, 2));
}

}  // namespace
