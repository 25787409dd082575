#include "cli/console_observer.h"

#include "cli/cli.h"
#include "location/join_path.h"
#include "location/quoting.h"

namespace qomdex::cli {
namespace {

std::string QuotedName(const std::filesystem::path& path) { return QuoteName(LastComponent(path)); }

const char* Words(PassReport::KeptReason reason) {
  switch (reason) {
    case PassReport::KeptReason::kWouldHide: return "its new name would hide it";
    case PassReport::KeptReason::kWouldBeEmpty: return "its new name would be empty";
    case PassReport::KeptReason::kIsJournal: return "it is the rename journal";
    case PassReport::KeptReason::kDeviceName: return "its new name is a Windows device name";
  }
  return "";
}

}  // namespace

ConsoleObserver::ConsoleObserver(LineOutput& output, std::ostream& err, Progress& progress,
                                 const std::atomic<int>& stop_signal)
    : output_(output), err_(err), progress_(progress), stop_signal_(stop_signal) {}

bool ConsoleObserver::StopRequested() { return stop_signal_.load() != 0 || output_.failed(); }

bool ConsoleObserver::EntryDone(std::size_t done, std::size_t total, const NativeString& name) {
  progress_.EntryDone(done, total, name);
  return !StopRequested();
}

void ConsoleObserver::Renamed(const std::filesystem::path&, NativeStringView from,
                              NativeStringView to) {
  line_.clear();
  AppendQuotedName(from, line_);
  line_ += " -> ";
  AppendQuotedName(to, line_);
  output_.Line(line_, true);
}

void ConsoleObserver::Removed(const std::filesystem::path& path) {
  progress_.Clear();
  err_ << kProgramName << ": removed " << QuotedName(path) << ", left by a rename cut short\n";
}

void ConsoleObserver::Kept(const PassReport::Kept& kept) {
  progress_.Clear();
  err_ << kProgramName << ": kept " << QuotedName(kept.path) << ": " << Words(kept.reason) << '\n';
}

void ConsoleObserver::Failed(const PassReport::Failure& failure) {
  progress_.Clear();
  any_failed_ = true;
  switch (failure.kind) {
    case PassReport::FailureKind::kUnreadableDirectory:
      err_ << kProgramName << ": cannot read directory " << QuoteName(failure.path) << ": "
           << failure.error.message() << '\n';
      break;
    case PassReport::FailureKind::kRename:
      err_ << kProgramName << ": cannot rename " << QuotedName(failure.path) << " to "
           << QuotedName(failure.target) << ": " << failure.error.message() << '\n';
      break;
    case PassReport::FailureKind::kJournal:
      err_ << kProgramName << ": cannot write the journal, so " << QuotedName(failure.path)
           << " was not renamed to " << QuotedName(failure.target) << ": "
           << failure.error.message() << '\n';
      break;
    case PassReport::FailureKind::kNotRenamedEntry:
      if (failure.error) {
        err_ << kProgramName << ": cannot put back " << QuotedName(failure.path) << ": "
             << failure.error.message() << '\n';
      } else {
        err_ << kProgramName << ": left " << QuotedName(failure.path)
             << " alone: it is not the entry that was renamed\n";
      }
      break;
    case PassReport::FailureKind::kLeftover:
      err_ << kProgramName << ": cannot remove " << QuotedName(failure.path)
           << ", left by a rename cut short: " << failure.error.message() << '\n';
      break;
    case PassReport::FailureKind::kNotPlaceholder:
      err_ << kProgramName << ": left " << QuotedName(failure.path)
           << " alone: it is not the placeholder the rename made\n";
      break;
    case PassReport::FailureKind::kNotEmpty:
      err_ << kProgramName << ": left " << QuotedName(failure.path) << " alone: it is not empty\n";
      break;
  }
}

}  // namespace qomdex::cli
