// The progress dialog of a long pass, with the clock in the test's hand.

#include "ui/pass_progress.h"

#include <QTest>
#include <QWidget>

namespace qomdex::testing {

using namespace std::chrono_literals;
using ui::PassProgress;

class PassProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsOnlyForAPassLongerThanHalfASecond() {
    QWidget window;
    PassProgress::Clock::time_point now{};
    PassProgress progress(&window, [&] { return now; });
    for (auto at : {0ms, 200ms, 499ms}) {
      now = PassProgress::Clock::time_point(at);
      QVERIFY(progress.EntryDone(1, 200'000, "01 a"));
      QVERIFY(progress.dialog() == nullptr);
    }
    now = PassProgress::Clock::time_point(500ms);
    QVERIFY(progress.EntryDone(3, 200'000, "03 c"));
    QVERIFY(progress.dialog() != nullptr && progress.dialog()->isVisible());
    QVERIFY(progress.dialog()->labelText().contains(QLatin1String("03 c")));
    QCOMPARE(progress.dialog()->windowModality(), Qt::ApplicationModal);
  }

  void CancelStopsThePassAfterTheCurrentEntry() {
    QWidget window;
    PassProgress::Clock::time_point now{};
    PassProgress progress(&window, [&] { return now; });
    now += 1s;
    QVERIFY(progress.EntryDone(1, 3, "01 a"));
    progress.dialog()->cancel();
    now += 1ms;  // within the update interval: the answer must still be "stop"
    QVERIFY(!progress.EntryDone(2, 3, "02 b"));
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::PassProgressTest)
#include "pass_progress_test.moc"
