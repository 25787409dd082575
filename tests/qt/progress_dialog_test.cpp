// The Qt window's progress dialog, as the form drives it for a long pass.

#include <QProgressDialog>
#include <QTest>

#include "tests/qt/window_driver.h"

namespace qomdex::testing {

class ProgressDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void DialogShowsUpdatesCancelsAndCloses() {
    WindowDriver driver;
    QVERIFY(driver.Show());
    form::View& view = driver.window();
    view.ShowProgress();
    auto* dialog = driver.Find<QProgressDialog>("PassProgress");
    QVERIFY(dialog != nullptr && dialog->isVisible());
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QCOMPARE(dialog->windowTitle(), driver.window().windowTitle());

    view.UpdateProgress(u"Renaming 3 of 4\n03 c", 750);
    QCOMPARE(dialog->labelText(), QStringLiteral("Renaming 3 of 4\n03 c"));
    QCOMPARE(dialog->value(), 750);
    QVERIFY(!view.ProgressCanceled());
    dialog->cancel();
    QVERIFY(view.ProgressCanceled());

    view.CloseProgress();
    QVERIFY(driver.Find<QProgressDialog>("PassProgress") == nullptr);
    QVERIFY(!view.ProgressCanceled());
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::ProgressDialogTest)
#include "progress_dialog_test.moc"
