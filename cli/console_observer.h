#pragma once

#include <atomic>
#include <ostream>
#include <string>

#include "cli/line_output.h"
#include "cli/progress.h"
#include "engine/pass_options.h"

namespace qomdex::cli {

// Follows a pass for qomdex-cli: each rename's line goes to the output the moment it is made,
// kept entries and failures to the error stream, progress to the terminal. Asks the pass to stop
// after the current entry once a stop signal has come or the output can no longer be written.
class ConsoleObserver : public PassObserver {
 public:
  ConsoleObserver(LineOutput& output, std::ostream& err, Progress& progress,
                  const std::atomic<int>& stop_signal);

  bool StopRequested() override;
  bool EntryDone(std::size_t done, std::size_t total, const NativeString& name) override;
  void Renamed(const std::filesystem::path& directory, NativeStringView from,
               NativeStringView to) override;
  void Kept(const PassReport::Kept& kept) override;
  void Failed(const PassReport::Failure& failure) override;
  void Removed(const std::filesystem::path& path) override;

  // Returns true once any rename has failed.
  bool any_failed() const { return any_failed_; }

 private:
  // Writes a sentence to the error stream as the program's line, erasing the progress line first.
  void Note(const std::string& sentence);

  LineOutput& output_;
  std::ostream& err_;
  Progress& progress_;
  const std::atomic<int>& stop_signal_;
  bool any_failed_ = false;
  std::string line_;  // one buffer for every rename's line
};

}  // namespace qomdex::cli
