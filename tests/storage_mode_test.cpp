#include "control/storage_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using control::StorageAnswer;

namespace {

// A container's calls, one letter each: s Save to the same storage, a Save to
// another, h HandsOffStorage, c SaveCompleted(NULL), n SaveCompleted(new).
// The answers: . done, U unexpected, R a storage required.
std::string Answers(const std::string& calls) {
  control::StorageMode mode;
  std::string answers;
  for (char call : calls) {
    StorageAnswer answer = StorageAnswer::Done;
    switch (call) {
      case 's': answer = mode.Save(true); break;
      case 'a': answer = mode.Save(false); break;
      case 'h': mode.HandsOff(); break;
      case 'c': answer = mode.SaveCompleted(false); break;
      case 'n': answer = mode.SaveCompleted(true); break;
    }
    answers += answer == StorageAnswer::Done ? '.' : answer == StorageAnswer::Unexpected ? 'U' : 'R';
  }
  return answers;
}

TEST(StorageMode, AnswersEachCallAsTheProtocolOrdersThem) {
  struct Case {
    const char* what;
    std::string calls, answers;
  };
  const std::vector<Case> cases = {
      {"a save, then its completion", "sc", ".."},
      {"a completion with nothing before it", "c", "U"},
      {"a second completion", "scn", "..U"},
      {"saving again before completing", "ssc", "..."},
      {"hands off after a save, then saving to the same storage", "shs", "..U"},
      {"hands off from normal, then saving to the same storage", "hs", ".U"},
      {"hands off: only a new storage completes", "hcn", ".R."},
      {"hands off after a save: only a new storage completes", "shcn", "..R."},
      {"saving to another storage while hands off, then a new one", "hacns", "..R.."},
      {"after completing, the old rules again", "hnsc", "...."},
  };
  for (const Case& c : cases) EXPECT_EQ(Answers(c.calls), c.answers) << c.what;
}

}  // namespace
