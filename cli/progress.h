#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

#include "location/native_name.h"
#include "present/progress_pace.h"

namespace qomdex::cli {

// Shows a one-line progress indicator on a terminal for passes that run longer than half a
// second. The line is cut to the terminal's width, so it never wraps and erasing it leaves
// nothing behind.
class Progress {
 public:
  using Clock = present::ProgressPace::Clock;

  // Writes to `terminal` only when `show` is true; `columns` gives the terminal's width (0 when
  // unknown); `now` is injectable for tests.
  Progress(std::ostream& terminal, bool show, std::function<int()> columns = {},
           std::function<Clock::time_point()> now = Clock::now);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // Erases the line and starts the half-second wait anew, for the next pass.
  void Restart();
  // Erases the line, if one shows.
  void Clear();
  // Redraws the line for an entry done, at the pace of ProgressPace, at most every tenth of a
  // second.
  void EntryDone(std::size_t done, std::size_t total, const NativeString& name);
  // From now on shows, before the entries, which folder of a walk the pass is in: `number` of
  // the `found` so far, with a "+" while folders not yet listed may hold more.
  void Folder(std::size_t number, std::size_t found, bool all_found);

 private:
  std::ostream& terminal_;
  bool show_;
  std::function<int()> columns_;
  std::function<Clock::time_point()> now_;
  present::ProgressPace pace_;
  std::string folder_;  // "folder 12/340+, " in a walk, else empty
};

}  // namespace qomdex::cli
