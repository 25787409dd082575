#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <ostream>

#include "engine/pass_options.h"

namespace qomdex::cli {

// Shows a one-line progress indicator for passes that run longer than half a second, and stops
// a pass after the current entry once `interrupted` is set (by Ctrl+C).
class Progress : public PassObserver {
 public:
  using Clock = std::chrono::steady_clock;

  // Writes to `terminal` only when `show` is true; `now` is injectable for tests.
  Progress(std::ostream& terminal, bool show, const std::atomic<bool>& interrupted,
           std::function<Clock::time_point()> now = Clock::now);
  ~Progress() override;

  // Starts the half-second wait anew, for the next pass.
  void Restart();
  bool EntryDone(std::size_t done, std::size_t total, const NativeString& name) override;

 private:
  void Clear();

  std::ostream& terminal_;
  bool show_;
  const std::atomic<bool>& interrupted_;
  std::function<Clock::time_point()> now_;
  Clock::time_point started_;
  Clock::time_point last_drawn_;
  bool drawn_ = false;
};

}  // namespace qomdex::cli
