#include "cli/console_observer.h"

#include "cli/cli.h"
#include "present/outcome_words.h"
#include "present/quoting.h"

namespace qomdex::cli {

using present::Voice;

ConsoleObserver::ConsoleObserver(LineOutput& output, std::ostream& err, Progress& progress,
                                 const std::atomic<int>& stop_signal)
    : output_(output), err_(err), progress_(progress), stop_signal_(stop_signal) {}

bool ConsoleObserver::StopRequested() { return stop_signal_.load() != 0 || output_.failed(); }

bool ConsoleObserver::EntryDone(std::size_t done, std::size_t total, const NativeString& name) {
  progress_.EntryDone(done, total, name);
  return !StopRequested();
}

void ConsoleObserver::Renamed(const std::filesystem::path& directory, NativeStringView from,
                              NativeStringView to) {
  ++renamed_;
  Head(directory, false);
  line_.clear();
  present::AppendRenamedText(from, to, line_);
  output_.Line(line_, true);
}

void ConsoleObserver::Removed(const std::filesystem::path& path) {
  ++removed_;
  Head(path.parent_path(), true);
  Note(present::RemovedText(path));
}

void ConsoleObserver::Kept(const PassReport::Kept& kept) {
  Note(present::KeptText(Voice::kConsole, kept));
}

void ConsoleObserver::Failed(const PassReport::Failure& failure) {
  any_failed_ = true;
  Head(failure.kind == PassReport::FailureKind::kUnreadableDirectory ? failure.path
                                                                     : failure.path.parent_path(),
       true);
  Note(present::FailureText(Voice::kConsole, failure, false));
}

void ConsoleObserver::Note(const std::string& sentence) {
  progress_.Clear();
  err_ << kProgramName << ": " << sentence << '\n';
}

void ConsoleObserver::Head(const std::filesystem::path& folder, bool before_message) {
  if (!head_folders_ || folder == headed_) return;
  headed_ = folder;
  progress_.Clear();
  output_.Line(present::QuoteName(folder) + ":", false);
  if (before_message) output_.Flush();
}

}  // namespace qomdex::cli
