#include "control/storage_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using control::StorageAnswer;

// A container's calls, a letter each: s Save to the same storage, a Save to
// another, h HandsOffStorage, c SaveCompleted(NULL), n SaveCompleted(new);
// answered . done, U unexpected, R a storage required.
TEST(StorageMode, CallsOutOfOrderAreAnswered) {
  const std::pair<std::string, std::string> cases[] = {
      {"scsc", "...."}, {"c", "U"}, {"scn", "..U"}, {"shs", "..U"}, {"hs", ".U"}, {"shcn", "..R."}, {"hacns", "..R.."}};
  for (const auto& [calls, expected] : cases) {
    control::StorageMode mode;
    std::string answers;
    for (char call : calls) {
      StorageAnswer answer = StorageAnswer::Done;
      if (call == 'h') mode.HandsOff();
      if (call == 's' || call == 'a') answer = mode.Save(call == 's');
      if (call == 'c' || call == 'n') answer = mode.SaveCompleted(call == 'n');
      answers += answer == StorageAnswer::Done ? '.' : answer == StorageAnswer::Unexpected ? 'U' : 'R';
    }
    EXPECT_EQ(answers, expected) << calls;
  }
}
