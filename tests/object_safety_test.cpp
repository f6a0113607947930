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
       {InterfaceUse::PropertyBag, kSafeForUntrustedData, kSafeForUntrustedData},
       true,
       kSafeForUntrustedData},
      {"enabled bits outside the mask are ignored", {}, {InterfaceUse::PropertyBag, 0, kSafeForUntrustedData}, true, 0},
      {"data disabled again",
       Request{InterfaceUse::PropertyBag, kSafeForUntrustedData, kSafeForUntrustedData},
       {InterfaceUse::PropertyBag, kSafeForUntrustedData, 0},
       true,
       0},
      {"scripting refused", {}, {InterfaceUse::Other, kSafeForUntrustedCaller, kSafeForUntrustedCaller}, false, 0},
      {"scripting asked through persistence refused",
       {},
       {InterfaceUse::PropertyBag, kSafeForUntrustedCaller | kSafeForUntrustedData, kSafeForUntrustedData},
       false,
       0},
      {"a refusal keeps what was enabled",
       Request{InterfaceUse::PropertyBag, kSafeForUntrustedData, kSafeForUntrustedData},
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
    EXPECT_EQ(options.Enabled(InterfaceUse::PropertyBag), c.persistenceEnabled);
    EXPECT_EQ(options.Enabled(InterfaceUse::Other), 0u);
  }
}

// Options set for one interface stay with it: IObjectSafety keeps them per interface.
TEST(ObjectSafety, EachInterfaceKeepsItsOwnOptions) {
  constexpr InterfaceUse kLoaders[] = {InterfaceUse::PropertyBag, InterfaceUse::StreamInit, InterfaceUse::Storage};
  for (InterfaceUse set : kLoaders) {
    control::SafetyOptions options;
    ASSERT_TRUE(options.Set(set, kSafeForUntrustedData, kSafeForUntrustedData));
    for (InterfaceUse other : kLoaders)
      EXPECT_EQ(options.Enabled(other), other == set ? kSafeForUntrustedData : 0u) << static_cast<int>(set);
    ASSERT_TRUE(options.Set(InterfaceUse::Other, 0, kSafeForUntrustedData));
    EXPECT_EQ(options.Enabled(InterfaceUse::Other), 0u);
    EXPECT_EQ(options.Enabled(set), kSafeForUntrustedData);
  }
}
