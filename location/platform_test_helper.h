#pragma once

// Reaches the rare paths of the POSIX Rename in tests: file systems without the never-replacing
// rename or without hard links, and another program acting in the middle of a fallback. Not for
// use outside tests.

#include <functional>

namespace qomdex::platform {

class PlatformTestHelper {
 public:
  enum class Fallback {
    kNone,         // the system's own calls decide
    kHardLink,     // as if the file system lacked the never-replacing rename
    kReservation,  // as if it lacked hard links too
  };

  // Makes every later Rename behave as on such a file system, until set back to kNone.
  static void ForceFallback(Fallback fallback);

  // Runs `act` once, in the next fallback rename, after its first step (the new link made, or the
  // placeholder reserved and witnessed) and before its last.
  static void BetweenSteps(std::function<void()> act);
};

}  // namespace qomdex::platform
