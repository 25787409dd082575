#include "cli/progress.h"

#include "cli/cli.h"
#include "location/quoting.h"

namespace qomdex::cli {
namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);
// Redrawing for every entry would cost more than the renames on a fast disk.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr char kEraseLine[] = "\r\x1b[K";

}  // namespace

Progress::Progress(std::ostream& terminal, bool show, const std::atomic<bool>& interrupted,
                   std::function<Clock::time_point()> now)
    : terminal_(terminal), show_(show), interrupted_(interrupted), now_(std::move(now)) {
  Restart();
}

Progress::~Progress() { Clear(); }

void Progress::Restart() {
  Clear();
  started_ = now_();
}

bool Progress::EntryDone(std::size_t done, std::size_t total, const NativeString& name) {
  if (show_) {
    const Clock::time_point now = now_();
    if (now - started_ >= kQuietStart && (!drawn_ || now - last_drawn_ >= kRedrawInterval)) {
      terminal_ << kEraseLine << kProgramName << ": " << done << '/' << total << ' '
                << QuoteName(name) << std::flush;
      drawn_ = true;
      last_drawn_ = now;
    }
  }
  return !interrupted_.load();
}

void Progress::Clear() {
  if (!drawn_) return;
  terminal_ << kEraseLine << std::flush;
  drawn_ = false;
}

}  // namespace qomdex::cli
