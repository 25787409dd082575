#include "cli/line_output.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace qomdex::cli {
namespace {

using namespace std::chrono_literals;
using Clock = LineOutput::Clock;

// A clock that moves only when the test moves it, and that tells when the output's writer is
// asleep and until when, so the test knows what the writer has done without timing it.
class FakeTimer : public LineOutput::Timer {
 public:
  Clock::time_point Now() override {
    std::lock_guard lock(mutex_);
    return now_;
  }
  void WaitUntil(Clock::time_point due) override {
    std::unique_lock lock(mutex_);
    asleep_until_ = due;
    changed_.notify_all();
    changed_.wait(lock, [&] { return woken_ || now_ >= due; });
    woken_ = false;
    asleep_until_.reset();
  }
  void Wake() override {
    std::lock_guard lock(mutex_);
    woken_ = true;
    changed_.notify_all();
  }
  void Set(Clock::time_point now) {
    std::lock_guard lock(mutex_);
    now_ = now;
    changed_.notify_all();
  }
  // Blocks until the writer sleeps until `due`.
  void AwaitWriterAsleepUntil(Clock::time_point due) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return asleep_until_ == due && !woken_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  Clock::time_point now_{};
  std::optional<Clock::time_point> asleep_until_;
  bool woken_ = false;
};

// Each line is written at most a tenth of a second after it was made, whether another line
// follows or not, and every line is written by the final flush.
TEST(LineOutputTest, WritesEachLineWhenDueWithoutWaitingForTheNext) {
  std::ostringstream out;
  FakeTimer timer;
  const struct {
    std::chrono::milliseconds at;
    const char* line;  // null: no line, the clock only moves on
    const char* out;
    std::chrono::milliseconds writer_wakes;  // for the oldest line held; 0: nothing is held
  } steps[] = {
      {10ms, "a", "", 110ms},
      {99ms, "b", "", 110ms},
      {109ms, nullptr, "", 110ms},
      {110ms, nullptr, "a\nb\n", 0ms},
      {150ms, "c", "a\nb\n", 250ms},
      {240ms, "d", "a\nb\n", 250ms},
      {250ms, nullptr, "a\nb\nc\nd\n", 0ms},
      {900ms, "e", "a\nb\nc\nd\n", 1000ms},
  };
  {
    LineOutput output(out, &timer);
    for (const auto& step : steps) {
      timer.Set(Clock::time_point(step.at));
      if (step.line != nullptr) output.Line(step.line, true);
      timer.AwaitWriterAsleepUntil(step.writer_wakes == 0ms ? Clock::time_point::max()
                                                            : Clock::time_point(step.writer_wakes));
      EXPECT_EQ(out.str(), step.out) << step.at.count() << " ms";
    }
    EXPECT_EQ(output.lost_renames(), 1u) << "e is made and not yet written";
    output.Line("f", true);
    EXPECT_TRUE(output.Flush());
  }
  EXPECT_EQ(out.str(), "a\nb\nc\nd\ne\nf\n");
}

}  // namespace
}  // namespace qomdex::cli
