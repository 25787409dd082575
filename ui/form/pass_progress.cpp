#include "ui/form/pass_progress.h"

#include "ui/form/texts.h"

namespace qomdex::form {
namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);
// Handing the event loop a turn for every entry would cost more than the renames on a fast disk.
constexpr auto kUpdateInterval = std::chrono::milliseconds(50);
constexpr std::size_t kBarSteps = 1000;

}  // namespace

PassProgress::PassProgress(View& view, const Now& now) : view_(view), now_(now), started_(now_()) {}

PassProgress::~PassProgress() {
  if (shown_) view_.CloseProgress();
}

bool PassProgress::EntryDone(std::size_t done, std::size_t total, const NativeString& name) {
  const Clock::time_point now = now_();
  if (!shown_) {
    if (now - started_ < kQuietStart) return true;
    view_.ShowProgress();
    shown_ = true;
  } else if (now - last_update_ < kUpdateInterval) {
    return !view_.ProgressCanceled();
  }
  last_update_ = now;
  view_.UpdateProgress(ProgressText(done, total, name), static_cast<int>(done * kBarSteps / total));
  return !view_.ProgressCanceled();
}

}  // namespace qomdex::form
