#include "cli/line_output.h"

#include <cerrno>

namespace qomdex::cli {
namespace {

constexpr auto kLongestHold = std::chrono::milliseconds(100);
constexpr std::size_t kLargestHold = 64 * 1024;
constexpr auto kNever = LineOutput::Clock::time_point::max();

// The system's clock, and a wait on it that a new line can cut short.
class SystemTimer : public LineOutput::Timer {
 public:
  LineOutput::Clock::time_point Now() override { return LineOutput::Clock::now(); }

  void WaitUntil(LineOutput::Clock::time_point due) override {
    std::unique_lock lock(mutex_);
    if (due == kNever) {
      wake_.wait(lock, [&] { return woken_; });
    } else {
      wake_.wait_until(lock, due, [&] { return woken_; });
    }
    woken_ = false;
  }

  void Wake() override {
    {
      std::lock_guard lock(mutex_);
      woken_ = true;
    }
    wake_.notify_one();
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool woken_ = false;
};

}  // namespace

LineOutput::LineOutput(std::ostream& out, Timer* timer)
    : out_(out),
      own_timer_(timer != nullptr ? nullptr : std::make_unique<SystemTimer>()),
      timer_(timer != nullptr ? *timer : *own_timer_),
      writer_([this] { WriteWhenDue(); }) {}

LineOutput::~LineOutput() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  timer_.Wake();
  writer_.join();
}

void LineOutput::Line(std::string_view text, bool for_rename) {
  std::lock_guard lock(mutex_);
  if (error_) {
    if (for_rename) ++unconfirmed_renames_;
    return;
  }
  const Clock::time_point now = timer_.Now();
  // Room first, so a lack of memory leaves no line half held and the rename uncounted.
  pending_.reserve(pending_.size() + text.size() + 1);
  const bool first = pending_.empty();
  if (first) due_ = now + kLongestHold;
  pending_.append(text);
  pending_.push_back('\n');
  if (for_rename) ++unconfirmed_renames_;
  if (pending_.size() >= kLargestHold || now >= due_) {
    FlushHeld();
  } else if (first) {
    // The writer waits for nothing until told of a line.
    timer_.Wake();
  }
}

bool LineOutput::Flush() {
  std::lock_guard lock(mutex_);
  FlushHeld();
  return !error_;
}

void LineOutput::WriteWhenDue() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    const Clock::time_point due = pending_.empty() || error_ ? kNever : due_;
    lock.unlock();
    timer_.WaitUntil(due);
    lock.lock();
    if (!pending_.empty() && timer_.Now() >= due_) FlushHeld();
  }
}

void LineOutput::FlushHeld() {
  if (error_) return;
  errno = 0;
  out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
  out_.flush();
  if (!out_.good()) {
    // The stream keeps no reason; the failed write left it in errno.
    error_ = errno != 0 ? std::error_code(errno, std::generic_category())
                        : std::make_error_code(std::errc::io_error);
    return;
  }
  pending_.clear();
  unconfirmed_renames_ = 0;
}

bool LineOutput::failed() const {
  std::lock_guard lock(mutex_);
  return static_cast<bool>(error_);
}

std::error_code LineOutput::error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

std::size_t LineOutput::lost_renames() const {
  std::lock_guard lock(mutex_);
  return unconfirmed_renames_;
}

}  // namespace qomdex::cli
