#include "control/caller_value.h"

#include <gtest/gtest.h>

#include "control/argument_binding.h"

using control::CallerValue;
using control::ChildId;
using control::ChildIdOf;
using control::NextStep;
using control::Step;
using control::ValueKind;

namespace {

// What each kind (every one of them) leads to, by value and by reference, with a pointer that is not null.
struct KindRule {
  ValueKind kind;
  Step byValue, byReference;
};
constexpr KindRule kRules[] = {
    {ValueKind::Empty, Step::Plain, Step::Refuse},
    {ValueKind::Null, Step::Plain, Step::Refuse},
    {ValueKind::Int32, Step::Plain, Step::Plain},
    {ValueKind::Number, Step::Plain, Step::Plain},
    {ValueKind::Text, Step::Plain, Step::Plain},
    {ValueKind::Boolean, Step::Plain, Step::Plain},
    {ValueKind::Error, Step::Plain, Step::Plain},
    {ValueKind::Missing, Step::Plain, Step::Plain},
    {ValueKind::Variant, Step::Refuse, Step::FollowReference},
    {ValueKind::Object, Step::AskObject, Step::AskObject},
    {ValueKind::Array, Step::Refuse, Step::Refuse},
    {ValueKind::Other, Step::Refuse, Step::Refuse},
};
static_assert(std::size(kRules) == static_cast<size_t>(ValueKind::Other) + 1);

TEST(CallerValue, EachKindIsPlainFollowedOrRefused) {
  for (const KindRule& rule : kRules) {
    SCOPED_TRACE(static_cast<int>(rule.kind));
    EXPECT_EQ(NextStep({rule.kind, false, false}, 0), rule.byValue);
    EXPECT_EQ(NextStep({rule.kind, true, false}, 0), rule.byReference);
    // A null reference or object leads nowhere, whatever it would have held.
    EXPECT_EQ(NextStep({rule.kind, true, true}, 0), Step::Refuse);
    EXPECT_EQ(NextStep({rule.kind, false, true}, 0), Step::Refuse);
  }
}

TEST(CallerValue, ChainsEndAtTheBoundEvenAtAPlainValue) {
  const CallerValue reference{ValueKind::Variant, true, false}, object{ValueKind::Object}, number{ValueKind::Int32};
  for (int depth = 0; depth <= control::arguments::kMaxIndirection; ++depth) {
    EXPECT_EQ(NextStep(reference, depth), Step::FollowReference) << depth;
    EXPECT_EQ(NextStep(object, depth), Step::AskObject) << depth;
    EXPECT_EQ(NextStep(number, depth), Step::Plain) << depth;
  }
  for (int depth : {-1, control::arguments::kMaxIndirection + 1})
    for (const CallerValue& value : {reference, object, number}) EXPECT_EQ(NextStep(value, depth), Step::Refuse);
}

// Only an Int32 from 0 to 64 passed by value, or Empty, names a child; no
// reference or object is followed, so no code of the caller's runs.
TEST(CallerValue, ChildIdsAreInt32ByValueOrEmpty) {
  for (const KindRule& rule : kRules)
    for (bool byReference : {false, true})
      for (bool null : {false, true}) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(rule.kind) << " " << byReference << null);
        const auto id = ChildIdOf({rule.kind, byReference, null}, 9);
        const bool byValue = !byReference && !null;
        if (byValue && rule.kind == ValueKind::Int32)
          EXPECT_EQ(id.value().Number(), 9);
        else if (byValue && rule.kind == ValueKind::Empty)
          EXPECT_TRUE(id.value().IsBoard());
        else
          EXPECT_FALSE(id);
      }
  const CallerValue int32{ValueKind::Int32};
  EXPECT_TRUE(ChildIdOf(int32, 0).value().IsBoard());
  EXPECT_EQ(ChildIdOf(int32, 64).value().Number(), 64);
  for (int32_t outside : {-1, 65, INT32_MIN, INT32_MAX, 0x10001}) EXPECT_FALSE(ChildIdOf(int32, outside)) << outside;
}

}  // namespace
