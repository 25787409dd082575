#pragma once

#include "location/platform_test_helper.h"

namespace qomdex::testing {

// Makes the never-replacing rename take one of its fallbacks for as long as it lives, and
// forgets any act left waiting between a fallback's steps when it goes.
class ForcedFallback {
 public:
  explicit ForcedFallback(platform::PlatformTestHelper::Fallback fallback) {
    platform::PlatformTestHelper::ForceFallback(fallback);
  }
  ~ForcedFallback() {
    platform::PlatformTestHelper::ForceFallback(platform::PlatformTestHelper::Fallback::kNone);
    platform::PlatformTestHelper::BetweenSteps(nullptr);
  }
  ForcedFallback(const ForcedFallback&) = delete;
  ForcedFallback& operator=(const ForcedFallback&) = delete;
};

}  // namespace qomdex::testing
