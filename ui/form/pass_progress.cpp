#include "ui/form/pass_progress.h"

#include <algorithm>

#include "location/join_path.h"

namespace qomdex::form {
namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);
// Handing the event loop a turn for every entry would cost more than the renames on a fast disk.
constexpr auto kUpdateInterval = std::chrono::milliseconds(50);
constexpr std::size_t kBarSteps = 1000;

}  // namespace

PassProgress::PassProgress(View& view, const Now& now, Action action)
    : view_(view), now_(now), action_(action), started_(now_()), last_update_(started_) {}

PassProgress::PassProgress(View& view, const Now& now, std::size_t total)
    : view_(view),
      now_(now),
      action_(Action::kUndo),
      undo_total_(total),
      started_(now_()),
      last_update_(started_) {}

PassProgress::~PassProgress() {
  if (shown_) view_.CloseProgress();
}

bool PassProgress::EntryDone(std::size_t done, std::size_t total, const NativeString& name) {
  Step(done, total, name);
  return !(shown_ && view_.ProgressCanceled());
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
  if (now - last_update_ < kUpdateInterval) return;
  last_update_ = now;
  view_.LetEventsRun();
}

void PassProgress::Step(std::size_t done, std::size_t total, const NativeString& name) {
  const Clock::time_point now = now_();
  if (!shown_) {
    if (now - started_ < kQuietStart) {
      KeepAnswering(now);
      return;
    }
    view_.ShowProgress(action_ != Action::kUndo);
    shown_ = true;
  } else if (now - last_update_ < kUpdateInterval) {
    return;
  }
  last_update_ = now;
  view_.UpdateProgress(ProgressText(action_, done, total, name),
                       static_cast<int>(done * kBarSteps / std::max<std::size_t>(total, 1)));
}

}  // namespace qomdex::form
