#include "present/progress_pace.h"

namespace qomdex::present {
namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);

}  // namespace

ProgressPace::ProgressPace(Clock::duration interval, Clock::time_point now) : interval_(interval) {
  Restart(now);
}

void ProgressPace::Restart(Clock::time_point now) {
  started_ = last_ = now;
  shown_ = false;
}

bool ProgressPace::Due(Clock::time_point now) {
  if (now - started_ < kQuietStart || (shown_ && now - last_ < interval_)) return false;
  shown_ = true;
  last_ = now;
  return true;
}

bool ProgressPace::Turn(Clock::time_point now) {
  if (now - last_ < interval_) return false;
  last_ = now;
  return true;
}

}  // namespace qomdex::present
