// The Qt window's preview: Ctrl+P and "Preview..." in the lists' context menu open the dialog
// with the form's rows in a table, and nothing is renamed; Space and a click on a tick box reach
// the form, and the Rename button renames what is ticked.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <set>
#include <string>

#include "tests/qt/window_driver.h"
#include "tests/support/temp_dir.h"

namespace qomdex::testing {

class QomdePreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensFromTheKeyAndTheListsMenus_data() {
    QTest::addColumn<QString>("menu_of");  // the list whose menu is used; none: Ctrl+P
    QTest::newRow("Ctrl+P") << QString();
    QTest::newRow("File1's menu") << "File1";
    QTest::newRow("Dir1's menu") << "Dir1";
  }
  void OpensFromTheKeyAndTheListsMenus() {
    QFETCH(QString, menu_of);
    TempDir dir;
    for (const char* file : {"01 a.txt", "02 b.txt", "c.txt"}) dir.Touch(file);
    const std::set<std::string> before = dir.Names();
    WindowDriver driver;
    QVERIFY(driver.Show());
    QVERIFY(driver.Open(dir.path()));

    // The dialog is modal: it is looked at, and closed, from within its own event loop. The
    // window runs events while it reads the directory, before the dialog shows, so the look
    // comes back until it finds it.
    int shown_rows = -1;
    std::function<void()> look_at_dialog = [&] {
      auto* dialog = driver.Find<QDialog>("Preview");
      if (dialog == nullptr) {
        QTimer::singleShot(0, look_at_dialog);
        return;
      }
      shown_rows = dialog->findChild<QTableView*>("PreviewRows")->model()->rowCount();
      dialog->reject();
    };
    auto* preview = driver.Find<QAction>("Preview");
    QCOMPARE(preview->text(), QStringLiteral("Preview..."));
    QStringList menu_actions;
    if (menu_of.isEmpty()) {
      QTimer::singleShot(0, look_at_dialog);
      QTest::keyClick(&driver.window(), Qt::Key_P, Qt::ControlModifier);
    } else {
      QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        for (const QAction* action : menu->actions()) menu_actions << action->objectName();
        QTimer::singleShot(0, look_at_dialog);
        menu->setActiveAction(preview);
        QTest::keyClick(menu, Qt::Key_Return);
      });
      auto* list = driver.Find<QListView>(menu_of.toLatin1().constData());
      const QPoint at(10, 10);
      QContextMenuEvent click(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
      QApplication::sendEvent(list->viewport(), &click);
      QCOMPARE(menu_actions, (QStringList{"Preview", "UndoLastRename"}));
    }

    QCOMPARE(shown_rows, 2);
    QVERIFY(driver.Find<QDialog>("Preview") == nullptr);
    QCOMPARE(dir.Names(), before);
    QVERIFY(driver.messages().isEmpty());
  }

  void SpaceAndTheTickBoxLeaveOutAndRenameRenamesTheRest_data() {
    QTest::addColumn<bool>("space");
    QTest::newRow("Space") << true;
    QTest::newRow("a click on the tick box") << false;
  }
  void SpaceAndTheTickBoxLeaveOutAndRenameRenamesTheRest() {
    QFETCH(bool, space);
    TempDir dir;
    for (const char* file : {"01 a.txt", "02 b.txt"}) dir.Touch(file);
    WindowDriver driver;
    QVERIFY(driver.Show());
    QVERIFY(driver.Open(dir.path()));
    QVariant ticked_before;
    QVariant ticked_after;
    std::function<void()> act = [&] {
      auto* dialog = driver.Find<QDialog>("Preview");
      if (dialog == nullptr) {
        QTimer::singleShot(0, act);
        return;
      }
      auto* table = dialog->findChild<QTableView*>("PreviewRows");
      const QModelIndex first = table->model()->index(0, 0);
      ticked_before = first.data(Qt::CheckStateRole);
      if (space) {
        table->setFocus();
        table->selectRow(0);
        QTest::keyClick(table, Qt::Key_Space);
      } else {
        table->model()->setData(first, Qt::Unchecked, Qt::CheckStateRole);
      }
      ticked_after = first.data(Qt::CheckStateRole);
      QTest::mouseClick(dialog->findChild<QPushButton*>("RenameTicked"), Qt::LeftButton);
    };
    QTimer::singleShot(0, act);
    QTest::keyClick(&driver.window(), Qt::Key_P, Qt::ControlModifier);

    QCOMPARE(ticked_before, QVariant(Qt::Checked));
    QCOMPARE(ticked_after, QVariant(Qt::Unchecked));
    QVERIFY(driver.Find<QDialog>("Preview") == nullptr);
    QCOMPARE(dir.Names(), (std::set<std::string>{"01 a.txt", "b.txt"}));
    QCOMPARE(driver.Rows("File1"), (QStringList{"01 a.txt", "b.txt"}));
    QVERIFY(driver.Find<QAction>("UndoLastRename")->isEnabled());
    QVERIFY(driver.messages().isEmpty());
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdePreviewTest)
#include "qomde_preview_test.moc"
