#include "ui/pass_progress.h"

#include <QCoreApplication>
#include <QLocale>

#include "ui/native_text.h"

namespace qomdex::ui {
namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);
// Handing the event loop a turn for every entry would cost more than the renames on a fast disk.
constexpr auto kUpdateInterval = std::chrono::milliseconds(50);
// The dialog counts in steps of its own, so any number of entries fits its int range.
constexpr int kSteps = 1000;

}  // namespace

PassProgress::PassProgress(QWidget* window, std::function<Clock::time_point()> now)
    : window_(window), now_(std::move(now)), started_(now_()) {}

PassProgress::~PassProgress() { delete dialog_; }

void PassProgress::Show() {
  dialog_ = new QProgressDialog(window_);
  dialog_->setObjectName(QStringLiteral("PassProgress"));
  dialog_->setWindowTitle(window_->windowTitle());
  dialog_->setWindowModality(Qt::ApplicationModal);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setMinimumDuration(0);
  dialog_->setRange(0, kSteps);
  dialog_->show();
}

bool PassProgress::EntryDone(std::size_t done, std::size_t total, const NativeString& name) {
  const Clock::time_point now = now_();
  if (!dialog_) {
    if (now - started_ < kQuietStart) return true;
    Show();
  } else if (now - last_update_ < kUpdateInterval) {
    return !dialog_->wasCanceled();
  }
  last_update_ = now;
  const QLocale locale;
  dialog_->setLabelText(QStringLiteral("Renaming %1 of %2\n%3")
                            .arg(locale.toString(static_cast<qulonglong>(done)),
                                 locale.toString(static_cast<qulonglong>(total)), NameText(name)));
  dialog_->setValue(static_cast<int>(done * kSteps / total));
  QCoreApplication::processEvents();
  return !dialog_->wasCanceled();
}

}  // namespace qomdex::ui
