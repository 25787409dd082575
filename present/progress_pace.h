#pragma once

#include <chrono>

namespace qomdex::present {

// When a long action's progress shows and how often it is drawn again: not in the action's first
// half second, so a short one never flashes a progress line or window; then at once, and from
// then on at most once an interval. Its owner tells it the time.
class ProgressPace {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts the half second at `now`; `interval` is the least time between two drawings.
  ProgressPace(Clock::duration interval, Clock::time_point now);

  // Starts the half second anew, for the next action; nothing counts as shown.
  void Restart(Clock::time_point now);
  // Returns true when the progress is to be drawn now, and counts it drawn and shown.
  bool Due(Clock::time_point now);
  // Returns true, and counts a turn, when an interval has passed since the last drawing or turn:
  // for work that is to run as seldom as drawing, shown or not.
  bool Turn(Clock::time_point now);
  // The progress shown was erased; the next drawing comes as soon as it is asked for.
  void Erased() { shown_ = false; }
  // Returns true while the progress shows.
  bool shown() const { return shown_; }

 private:
  Clock::duration interval_;
  Clock::time_point started_;
  Clock::time_point last_;
  bool shown_ = false;
};

}  // namespace qomdex::present
