#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace qomdex {

// What one pass did, entry by entry. A failure of one entry never ends a pass: it is recorded
// here and the pass goes on.
struct PassReport {
  struct Renamed {
    std::filesystem::path from;
    std::filesystem::path to;
  };
  // An entry left alone on purpose, although its name would have been cleaned.
  struct Kept {
    std::filesystem::path path;
    std::string reason;
  };
  struct Failure {
    std::filesystem::path path;    // the entry (or the directory, when it could not be re-read)
    std::filesystem::path target;  // the name the entry was to get; empty for a directory
    std::error_code error;
    std::string reason;  // the system's reason, ready to show
  };

  std::vector<Renamed> renamed;
  std::vector<Kept> kept;
  std::vector<Failure> failures;
  // True when an observer stopped the pass before its last entry.
  bool stopped = false;
};

}  // namespace qomdex
