#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

namespace qomdex::cli {

// Writes qomdex-cli's record to standard output as it is made: lines are gathered for at most a
// tenth of a second (or 64 KiB) and then written and flushed together, so a kill loses little and
// a million lines cost few system calls. A line is written when it is due whether or not another
// follows: a writer thread of its own wakes for it. Every write is checked, so a closed pipe or a
// full disk is noticed instead of ignored.
class LineOutput {
 public:
  using Clock = std::chrono::steady_clock;

  // The time, and the writer's waiting for it; a test stands in for both.
  class Timer {
   public:
    virtual ~Timer() = default;
    // Returns the time now.
    virtual Clock::time_point Now() = 0;
    // Blocks until `due`, or until Wake is called (also when it was called since the last wait).
    virtual void WaitUntil(Clock::time_point due) = 0;
    // Ends the current or the next wait at once.
    virtual void Wake() = 0;
  };

  // Writes to `out`, timed by `timer` (by the system's clock when it is null), which must outlive
  // the output. Starts the writer thread.
  explicit LineOutput(std::ostream& out, Timer* timer = nullptr);
  // Stops the writer thread; what is held and not flushed is not written.
  ~LineOutput();
  LineOutput(const LineOutput&) = delete;
  LineOutput& operator=(const LineOutput&) = delete;

  // Holds one line (given without its newline) for writing; `for_rename` counts it as the line
  // of a rename made. Writes nothing once writing has failed. Throws std::bad_alloc, holding
  // nothing of the line, when memory runs out.
  void Line(std::string_view text, bool for_rename);

  // Writes out whatever is held; returns false once any write has failed.
  bool Flush();

  // Returns true once a write has failed.
  bool failed() const;
  // Returns the system's reason for the failed write.
  std::error_code error() const;
  // Returns how many renames were made whose lines were not written out (all of them since the
  // last successful flush, once writing has failed).
  std::size_t lost_renames() const;

 private:
  // The writer thread: writes what is held once it is due, until the output is destroyed.
  void WriteWhenDue();
  // Writes out what is held; the caller holds mutex_.
  void FlushHeld();

  std::ostream& out_;
  std::unique_ptr<Timer> own_timer_;
  Timer& timer_;
  mutable std::mutex mutex_;
  std::string pending_;
  Clock::time_point due_;  // when the oldest line held must be written
  std::size_t unconfirmed_renames_ = 0;
  std::error_code error_;
  bool stopping_ = false;
  std::thread writer_;
};

}  // namespace qomdex::cli
