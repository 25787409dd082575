#include "ui/form/pass_progress.h"

#include <algorithm>

#include "location/join_path.h"
#include "present/progress_scale.h"

namespace qomdex::form {
namespace {

// Handing the event loop a turn for every entry would cost more than the renames on a fast disk.
constexpr auto kUpdateInterval = std::chrono::milliseconds(50);

}  // namespace

PassProgress::PassProgress(View& view, const Now& now, Action action)
    : view_(view), now_(now), action_(action), pace_(kUpdateInterval, now_()) {}

PassProgress::PassProgress(View& view, const Now& now, std::size_t total)
    : view_(view),
      now_(now),
      action_(Action::kUndo),
      undo_total_(total),
      pace_(kUpdateInterval, now_()) {}

PassProgress::~PassProgress() {
  if (pace_.shown()) view_.CloseProgress();
}

bool PassProgress::EntryDone(std::size_t done, std::size_t total, const NativeString& name) {
  Step(done, total, name);
  return !(pace_.shown() && view_.ProgressCanceled());
}

void PassProgress::Renamed(const std::filesystem::path& directory, NativeStringView,
                           NativeStringView to) {
  UndoStep(JoinPath(directory, NativeString(to)));
}

void PassProgress::Failed(const PassReport::Failure& failure) { UndoStep(failure.path); }

void PassProgress::Removed(const std::filesystem::path& path) { UndoStep(path); }

void PassProgress::UndoStep(const std::filesystem::path& path) {
  // A pass tells its progress entry by entry; only an undo counts its outcomes.
  if (action_ != Action::kUndo) return;
  // An unreadable directory is one outcome for many renames, so the count can fall short.
  undo_done_ = std::min(undo_done_ + 1, undo_total_);
  Step(undo_done_, undo_total_, LastComponent(path));
}

void PassProgress::Working() { KeepAnswering(now_()); }

void PassProgress::KeepAnswering(Clock::time_point now) {
  if (pace_.Turn(now)) view_.LetEventsRun();
}

void PassProgress::Step(std::size_t done, std::size_t total, const NativeString& name) {
  const Clock::time_point now = now_();
  const bool shown = pace_.shown();
  if (!pace_.Due(now)) {
    if (!shown) KeepAnswering(now);
    return;
  }
  if (!shown) view_.ShowProgress(action_ != Action::kUndo);
  view_.UpdateProgress(ProgressText(action_, done, total, name),
                       present::ProgressPosition(done, total));
}

}  // namespace qomdex::form
