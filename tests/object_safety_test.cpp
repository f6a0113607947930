#include "control/object_safety.h"

#include <gtest/gtest.h>

#include <optional>

using control::InterfaceUse;
using control::kSafeForUntrustedCaller;
using control::kSafeForUntrustedData;

// Each request starts from nothing enabled, after an optional earlier one.
TEST(ObjectSafety, RequestsEnableAndDisableOnlyWhatTheyMask) {
  struct Request {
    InterfaceUse use;
    uint32_t mask, enabled;
  };
  const struct {
    const char* name;
    std::optional<Request> before;
    Request request;
    bool accepted;
    uint32_t persistenceEnabled;
  } cases[] = {
      {"data enabled",
       {},
       {InterfaceUse::Persistence, kSafeForUntrustedData, kSafeForUntrustedData},
       true,
       kSafeForUntrustedData},
      {"enabled bits outside the mask are ignored", {}, {InterfaceUse::Persistence, 0, kSafeForUntrustedData}, true, 0},
      {"data disabled again",
       Request{InterfaceUse::Persistence, kSafeForUntrustedData, kSafeForUntrustedData},
       {InterfaceUse::Persistence, kSafeForUntrustedData, 0},
       true,
       0},
      {"scripting refused", {}, {InterfaceUse::Other, kSafeForUntrustedCaller, kSafeForUntrustedCaller}, false, 0},
      {"scripting asked through persistence refused",
       {},
       {InterfaceUse::Persistence, kSafeForUntrustedCaller | kSafeForUntrustedData, kSafeForUntrustedData},
       false,
       0},
      {"a refusal keeps what was enabled",
       Request{InterfaceUse::Persistence, kSafeForUntrustedData, kSafeForUntrustedData},
       {InterfaceUse::Other, kSafeForUntrustedData, 0},
       false,
       kSafeForUntrustedData},
      {"an empty mask on any interface is accepted", {}, {InterfaceUse::Other, 0, 0}, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    control::SafetyOptions options;
    if (c.before) {
      ASSERT_TRUE(options.Set(c.before->use, c.before->mask, c.before->enabled));
    }
    EXPECT_EQ(options.Set(c.request.use, c.request.mask, c.request.enabled), c.accepted);
    EXPECT_EQ(options.Enabled(InterfaceUse::Persistence), c.persistenceEnabled);
    EXPECT_EQ(options.Enabled(InterfaceUse::Other), 0u);
  }
}
