#include "cli/console_observer.h"

#include <new>

#include "cli/cli.h"
#include "present/outcome_words.h"
#include "present/quoting.h"

namespace qomdex::cli {

using present::Voice;

ConsoleObserver::ConsoleObserver(LineOutput& output, std::ostream& err, Progress& progress,
                                 const std::atomic<int>& stop_signal)
    : output_(output), err_(err), progress_(progress), stop_signal_(stop_signal) {}

template <typename Write>
bool ConsoleObserver::Guarded(Write&& write) {
  try {
    write();
    return true;
  } catch (const std::bad_alloc&) {
    memory_ran_out_ = true;
    return false;
  }
}

bool ConsoleObserver::StopRequested() {
  return stop_signal_.load() != 0 || output_.failed() || memory_ran_out_;
}

bool ConsoleObserver::EntryDone(std::size_t done, std::size_t total, const NativeString& name) {
  Guarded([&] { progress_.EntryDone(done, total, name); });
  return !StopRequested();
}

void ConsoleObserver::Renamed(const std::filesystem::path& directory, NativeStringView from,
                              NativeStringView to) {
  ++renamed_;
  const bool written = Guarded([&] {
    Head(directory, false);
    line_.clear();
    present::AppendRenamedText(from, to, line_);
    output_.Line(line_, true);
  });
  if (!written) ++lines_not_made_;
}

void ConsoleObserver::Removed(const std::filesystem::path& path) {
  ++removed_;
  Guarded([&] {
    Head(path.parent_path(), true);
    Note(present::RemovedText(path));
  });
}

void ConsoleObserver::Kept(const PassReport::Kept& kept) {
  Guarded([&] { Note(present::KeptText(Voice::kConsole, kept)); });
}

void ConsoleObserver::Failed(const PassReport::Failure& failure) {
  any_failed_ = true;
  Guarded([&] {
    Head(failure.kind == PassReport::FailureKind::kUnreadableDirectory ? failure.path
                                                                       : failure.path.parent_path(),
         true);
    Note(present::FailureText(Voice::kConsole, failure, false));
  });
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
