// The Qt window's dialogs as the form drives them: the progress of a long pass or undo, and a
// message with a list of details.

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "tests/qt/window_driver.h"
#include "ui/qt/message_dialog.h"

namespace qomdex::testing {

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void ProgressDialogShowsUpdatesCancelsAndCloses() {
    WindowDriver driver;
    QVERIFY(driver.Show());
    form::View& view = driver.window();
    view.ShowProgress(true);
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

    // An undo cannot be stopped, so its progress dialog offers no Cancel.
    view.ShowProgress(false);
    dialog = driver.Find<QProgressDialog>("PassProgress");
    QVERIFY(dialog->findChild<QPushButton*>() == nullptr);
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->close());
    QVERIFY(dialog->isVisible());
    QVERIFY(!view.ProgressCanceled());
    view.CloseProgress();
  }

  void ThousandsOfFailuresScrollInADialogNoTallerThanTheScreen() {
    QWidget owner;
    form::Message message{u"2000 failures while renaming.", {}};
    for (int i = 0; i < 2000; ++i) message.details += u"Could not rename '1\\n' as '\\n'\n";
    message.details.pop_back();
    QDialog* dialog = ui::NewMessageDialog(&owner, QStringLiteral("title"), message);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QVERIFY(dialog->height() <= dialog->screen()->availableGeometry().height() / 2);
    QCOMPARE(dialog->findChild<QLabel*>("MessageText")->text(),
             QStringLiteral("2000 failures while renaming."));
    auto* details = dialog->findChild<QPlainTextEdit*>("MessageDetails");
    QVERIFY(details->isReadOnly());
    QVERIFY(details->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    QCOMPARE(details->document()->blockCount(), 2000);
    QVERIFY(details->verticalScrollBar()->maximum() > 0);
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::DialogsTest)
#include "dialogs_test.moc"
