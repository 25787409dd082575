#pragma once

#include <chrono>
#include <functional>

#include "engine/pass_options.h"
#include "ui/form/view.h"

namespace qomdex::form {

// The window's progress policy for one pass: the view's progress window shows only for a pass
// that runs longer than half a second, is updated at most every 50 ms, and a Cancel there stops
// the pass after the current entry. Closes the progress window when it goes away.
class PassProgress : public PassObserver {
 public:
  using Clock = std::chrono::steady_clock;
  using Now = std::function<Clock::time_point()>;

  // `now` tells the time; it must outlive this object.
  PassProgress(View& view, const Now& now);
  ~PassProgress() override;
  PassProgress(const PassProgress&) = delete;
  PassProgress& operator=(const PassProgress&) = delete;

  // Returns false once Cancel has been pressed.
  bool EntryDone(std::size_t done, std::size_t total, const NativeString& name) override;

 private:
  View& view_;
  const Now& now_;
  Clock::time_point started_;
  Clock::time_point last_update_;
  bool shown_ = false;
};

}  // namespace qomdex::form
