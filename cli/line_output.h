#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>

namespace qomdex::cli {

// Writes qomdex-cli's record to standard output as it is made: lines are gathered for at most a
// tenth of a second (or 64 KiB) and then written and flushed together, so a kill loses little and
// a million lines cost few system calls; every write is checked, so a closed pipe or a full disk
// is noticed instead of ignored.
class LineOutput {
 public:
  using Clock = std::chrono::steady_clock;

  // `now` is injectable for tests.
  explicit LineOutput(std::ostream& out, std::function<Clock::time_point()> now = Clock::now);

  // Writes one line (given without its newline); `for_rename` counts it as the line of a rename
  // made. Writes nothing once writing has failed.
  void Line(std::string_view text, bool for_rename);

  // Writes out whatever is held; returns false once any write has failed.
  bool Flush();

  // Returns true once a write has failed.
  bool failed() const { return static_cast<bool>(error_); }
  // Returns the system's reason for the failed write.
  const std::error_code& error() const { return error_; }
  // Returns how many renames were made whose lines were not written out (all of them since the
  // last successful flush, once writing has failed).
  std::size_t lost_renames() const { return unconfirmed_renames_; }

 private:
  std::ostream& out_;
  std::string pending_;
  std::function<Clock::time_point()> now_;
  Clock::time_point last_flush_;
  std::size_t unconfirmed_renames_ = 0;
  std::error_code error_;
};

}  // namespace qomdex::cli
