#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

namespace qomdex {

// What one pass did, entry by entry. A failure of one entry never ends a pass: it is recorded
// here and the pass goes on. The front ends choose the words for each kind of outcome.
struct PassReport {
  struct Renamed {
    std::filesystem::path from;
    std::filesystem::path to;
  };

  // Why an entry whose name would have been cleaned was left alone on purpose.
  enum class KeptReason {
    kWouldHide,     // its new name would start with a dot, which hides it
    kWouldBeEmpty,  // a folder named only with cut characters
  };
  struct Kept {
    std::filesystem::path path;
    KeptReason reason;
  };

  enum class FailureKind {
    kRename,               // the system refused to give `path` the name `target`
    kUnreadableDirectory,  // the directory `path` could not be read after the pass
  };
  struct Failure {
    FailureKind kind;
    std::filesystem::path path;    // the entry, or the directory
    std::filesystem::path target;  // the name the entry was to get (kRename only)
    std::error_code error;         // the system's reason
  };

  std::vector<Renamed> renamed;
  std::vector<Kept> kept;
  std::vector<Failure> failures;
  // True when an observer stopped the pass before its last entry.
  bool stopped = false;
};

}  // namespace qomdex
