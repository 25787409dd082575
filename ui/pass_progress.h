#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <chrono>
#include <functional>

#include "engine/pass_options.h"

class QWidget;

namespace qomdex::ui {

// Shows a modal progress dialog over the window for a pass that runs longer than half a second,
// with a Cancel button that stops the pass after the current entry. While the dialog shows, the
// window repaints but takes no input.
class PassProgress : public PassObserver {
 public:
  using Clock = std::chrono::steady_clock;

  // `now` is injectable for tests.
  explicit PassProgress(QWidget* window, std::function<Clock::time_point()> now = Clock::now);
  ~PassProgress() override;
  PassProgress(const PassProgress&) = delete;
  PassProgress& operator=(const PassProgress&) = delete;

  bool EntryDone(std::size_t done, std::size_t total, const NativeString& name) override;

  // Returns the dialog once it shows, or null.
  QProgressDialog* dialog() const { return dialog_; }

 private:
  void Show();

  QWidget* window_;
  std::function<Clock::time_point()> now_;
  Clock::time_point started_;
  Clock::time_point last_update_;
  QPointer<QProgressDialog> dialog_;
};

}  // namespace qomdex::ui
