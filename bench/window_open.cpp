// Measures the Qt window on one large directory the way a user meets it: the time from opening
// the directory in Dir1 to the lists shown and painted, then a file pass over it through the
// command button, each with the longest stretch in which the window handled no events. With
// --preview, measures instead the time from Ctrl+P to the preview dialog shown and painted, then
// the time Space on its first row takes to untick it and show every row recomputed. With
// --start, measures the program's start on the directory, as `qomdex DIRECTORY` starts: from
// main() to the window shown with its lists on the directory and painted. Runs offscreen unless
// told otherwise.
//
// Usage: qomdex_window_bench DIRECTORY [--no-pass | --preview | --start]
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "tests/qt/window_driver.h"
#include "ui/qt/qomde.h"

using qomdex::ui::qomde;

int main(int argc, char** argv) {
  QElapsedTimer since_main;
  since_main.start();
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY [--no-pass | --preview | --start]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Read before Qt starts, which takes the arguments it knows for its own and may move the rest.
  const std::filesystem::path target = std::filesystem::absolute(argv[1]).lexically_normal();
  const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray();
  QApplication app(argc, argv);
  const bool run_pass = mode != "--no-pass" && mode != "--preview";

  const auto report = [](const QString& message) {
    std::fprintf(stderr, "message: %s\n", qPrintable(message.left(200)));
  };
  if (mode == "--start") {
    qomde started(report, nullptr, target);
    started.show();
    if (!QTest::qWaitForWindowExposed(&started)) return 1;
    started.repaint();
    QCoreApplication::processEvents();
    std::printf("started on %d files and painted in %.0f ms\n",
                started.findChild<QListView*>(QStringLiteral("File1"))->model()->rowCount(),
                static_cast<double>(since_main.nsecsElapsed()) / 1e6);
    return 0;
  }
  qomde window(report);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  // A timer asks to run every 10 ms; the longest wait between its runs is the longest time the
  // window answered nothing.
  QElapsedTimer since_tick;
  qint64 longest_gap_ns = 0;
  QTimer ticker;
  ticker.setInterval(10);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longest_gap_ns = std::max(longest_gap_ns, since_tick.nsecsElapsed());
    since_tick.restart();
  });
  const auto start_watching = [&] {
    longest_gap_ns = 0;
    ticker.start();
    since_tick.start();
  };
  const auto longest_gap_ms = [&] {
    // The stretch still open when the watched work ends counts too.
    return static_cast<double>(std::max(longest_gap_ns, since_tick.nsecsElapsed())) / 1e6;
  };

  // The way down is walked first; only the last step, the large directory, is timed.
  const std::filesystem::path parent = target.parent_path();
  if (!qomdex::testing::OpenInDir1(window, parent)) return 1;
  QElapsedTimer clock;
  start_watching();
  clock.start();
  if (!qomdex::testing::OpenInDir1(window, target.filename())) return 1;
  const double open_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  const double open_gap_ms = longest_gap_ms();
  ticker.stop();
  clock.restart();
  window.repaint();
  QCoreApplication::processEvents();
  const double paint_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  const int files = window.findChild<QListView*>(QStringLiteral("File1"))->model()->rowCount();
  std::printf(
      "opened %d files in %.0f ms (longest time without handling events %.0f ms), "
      "painted in %.0f ms\n",
      files, open_ms, open_gap_ms, paint_ms);
  if (mode == "--preview") {
    // The dialog is modal: it is measured, and closed, from within its own event loop. The
    // progress dialog of the dry run runs events before it shows, so the look comes back until
    // it finds the preview.
    int rows = -1;
    double preview_ms = 0;
    double tick_ms = 0;
    double tick_gap_ms = 0;
    std::function<void()> look = [&] {
      auto* dialog = window.findChild<QDialog*>(QStringLiteral("Preview"));
      if (dialog == nullptr) {
        QTimer::singleShot(0, look);
        return;
      }
      dialog->repaint();
      preview_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
      auto* table = dialog->findChild<QAbstractItemView*>();
      rows = table->model()->rowCount();
      table->setFocus();
      table->setCurrentIndex(table->model()->index(0, 0));
      start_watching();
      clock.restart();
      QTest::keyClick(table, Qt::Key_Space);
      dialog->repaint();
      tick_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
      tick_gap_ms = longest_gap_ms();
      ticker.stop();
      dialog->reject();
    };
    QTimer::singleShot(0, look);
    clock.restart();
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    std::printf("preview of %d rows shown and painted in %.0f ms\n", rows, preview_ms);
    std::printf(
        "a tick recomputed the rows and painted them in %.0f ms (longest time without handling "
        "events %.0f ms)\n",
        tick_ms, tick_gap_ms);
    return rows < 0 ? 1 : 0;
  }
  if (!run_pass) return 0;

  start_watching();
  clock.restart();
  window.findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
  std::printf("pass in %.2f s, longest time without handling events %.0f ms\n",
              static_cast<double>(clock.nsecsElapsed()) / 1e9, longest_gap_ms());
  return 0;
}
