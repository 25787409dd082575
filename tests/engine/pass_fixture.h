#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/pass_options.h"
#include "engine/pass_report.h"
#include "engine/pass_state.h"

namespace qomdex::testing {

// Runs a callback after each entry of a pass; returning false stops the pass.
class CallbackObserver : public PassObserver {
 public:
  explicit CallbackObserver(std::function<bool(std::size_t done)> callback)
      : callback_(std::move(callback)) {}
  bool EntryDone(std::size_t done, std::size_t, const NativeString&) override {
    return callback_(done);
  }

 private:
  std::function<bool(std::size_t)> callback_;
};

// Opens a directory the way the window does and runs one pass over it.
PassReport RunFilePass(PassState& state, const std::filesystem::path& directory,
                       const PassOptions& options = {});
PassReport RunFolderPass(PassState& state, const std::filesystem::path& directory,
                         const PassOptions& options = {});

// Returns the last components of the paths a report names, for comparing with expectations.
std::vector<std::string> RenamedTo(const PassReport& report);
std::vector<std::string> FailedNames(const PassReport& report);

}  // namespace qomdex::testing
