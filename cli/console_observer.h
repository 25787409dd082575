#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>

#include "cli/line_output.h"
#include "cli/progress.h"
#include "engine/pass_options.h"

namespace qomdex::cli {

// Follows a pass for qomdex-cli: each rename's line goes to the output the moment it is made,
// kept entries and failures to the error stream, progress to the terminal. Asks the pass to stop
// after the current entry once a stop signal has come, the output can no longer be written or
// memory ran out.
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
  // An undo of renames made in several folders writes each folder's "FOLDER:" line before the
  // first line about it, as the walk that made them did.
  void UndoFolders(std::size_t count) override { head_folders_ = count > 1; }

  // Returns true once any rename has failed.
  bool any_failed() const { return any_failed_; }
  // Return how many renames were made (by an undo: put back) and leftovers removed.
  std::size_t renamed() const { return renamed_; }
  std::size_t removed() const { return removed_; }
  // Notes that memory ran out, so the run stops after the current entry.
  void MemoryRanOut() { memory_ran_out_ = true; }
  // Returns true once memory has run out, here or where MemoryRanOut was called.
  bool memory_ran_out() const { return memory_ran_out_; }
  // Returns how many renames were made whose lines memory did not suffice to make.
  std::size_t lines_not_made() const { return lines_not_made_; }

 private:
  // Runs `write`, which writes to the output or the error stream; returns false, having noted
  // it, when memory ran out for it.
  template <typename Write>
  bool Guarded(Write&& write);
  // Writes a sentence to the error stream as the program's line, erasing the progress line first.
  void Note(const std::string& sentence);
  // Writes the folder's "FOLDER:" line where an undo heads its folders and the last line was
  // about another; `before_message`: flushed, so it shows above a message on the error stream.
  void Head(const std::filesystem::path& folder, bool before_message);

  LineOutput& output_;
  std::ostream& err_;
  Progress& progress_;
  const std::atomic<int>& stop_signal_;
  bool any_failed_ = false;
  std::size_t renamed_ = 0;
  std::size_t removed_ = 0;
  bool memory_ran_out_ = false;
  std::size_t lines_not_made_ = 0;
  bool head_folders_ = false;
  std::filesystem::path headed_;  // the folder whose line was written last
  std::string line_;              // one buffer for every rename's line
};

}  // namespace qomdex::cli
