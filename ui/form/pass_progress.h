#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

#include "engine/pass_options.h"
#include "present/progress_pace.h"
#include "ui/form/texts.h"
#include "ui/form/view.h"

namespace qomdex::form {

// The window's progress policy for one pass, preview or undo: the view's progress window shows
// at the pace of ProgressPace, updated at most every 50 ms; the window's events other than input
// run as often, before it shows and while the pass works between entries. A pass or a preview
// offers Cancel, which stops it after the current entry; an undo cannot be stopped, so it offers
// none and counts its steps by the outcomes it records. Closes the progress window when it goes
// away.
class PassProgress : public PassObserver {
 public:
  using Clock = present::ProgressPace::Clock;
  using Now = std::function<Clock::time_point()>;

  // Follows a pass, or the dry run of a preview; `now` tells the time and must outlive this
  // object.
  PassProgress(View& view, const Now& now, Action action = Action::kPass);
  // Follows an undo of `total` renames.
  PassProgress(View& view, const Now& now, std::size_t total);
  ~PassProgress() override;
  PassProgress(const PassProgress&) = delete;
  PassProgress& operator=(const PassProgress&) = delete;

  // Returns false once Cancel has been pressed.
  bool EntryDone(std::size_t done, std::size_t total, const NativeString& name) override;
  void Working() override;
  void Renamed(const std::filesystem::path& directory, NativeStringView from,
               NativeStringView to) override;
  void Failed(const PassReport::Failure& failure) override;
  void Removed(const std::filesystem::path& path) override;

 private:
  void Step(std::size_t done, std::size_t total, const NativeString& name);
  // Lets the window's events run, at most every 50 ms, while no progress window shows yet.
  void KeepAnswering(Clock::time_point now);
  void UndoStep(const std::filesystem::path& path);

  View& view_;
  const Now& now_;
  Action action_;
  std::size_t undo_total_ = 0;
  std::size_t undo_done_ = 0;
  present::ProgressPace pace_;
};

}  // namespace qomdex::form
