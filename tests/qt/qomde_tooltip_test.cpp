// Names cut short with "…" in the lists and the preview show whole in a tooltip; names that show
// whole have none.

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <memory>
#include <string>

#include "tests/qt/window_driver.h"
#include "tests/support/temp_dir.h"
#include "ui/qt/preview_dialog.h"

namespace qomdex::testing {
namespace {

// A name far wider than any list or column of the window.
const std::string kLongName = "01 " + std::string(120, 'w') + ".mp3";

// Returns the tooltip a view shows when the pointer rests on the middle of a row's cell.
QString TooltipAt(QAbstractItemView& view, const QModelIndex& index) {
  QToolTip::hideText();
  const QPoint at = view.visualRect(index).center();
  QHelpEvent event(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
  QApplication::sendEvent(view.viewport(), &event);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

}  // namespace

class QomdeTooltipTest : public QObject {
  Q_OBJECT

 private slots:
  void CutNamesShowWholeInATooltip_data() {
    QTest::addColumn<QString>("view");  // File1, Dir1 or the preview's column 0 or 1
    QTest::addColumn<bool>("long_name");
    QTest::newRow("File1, cut") << "File1" << true;
    QTest::newRow("File1, whole") << "File1" << false;
    QTest::newRow("Dir1, cut") << "Dir1" << true;
    QTest::newRow("Dir1, whole") << "Dir1" << false;
    QTest::newRow("preview's name, cut") << "0" << true;
    QTest::newRow("preview's new name, cut") << "1" << true;
    QTest::newRow("preview, whole") << "0" << false;
  }
  void CutNamesShowWholeInATooltip() {
    QFETCH(QString, view);
    QFETCH(bool, long_name);
    const std::string name = long_name ? kLongName : "01 a.mp3";
    const std::string new_name = name.substr(3);
    QString expected;
    if (long_name) expected = QString::fromStdString(view == "1" ? new_name : name);

    if (view == "File1" || view == "Dir1") {
      TempDir dir;
      if (view == "File1") dir.Touch(name);
      if (view == "Dir1") dir.MakeDir(name);
      WindowDriver driver;
      QVERIFY(driver.Show());
      QVERIFY(driver.Open(dir.path()));
      auto* list = driver.Find<QListView>(view.toLatin1().constData());
      const int row = list->model()->rowCount() - 1;  // the file, or the last subfolder
      QCOMPARE(list->model()->index(row, 0).data().toString(), QString::fromStdString(name));
      QCOMPARE(TooltipAt(*list, list->model()->index(row, 0)), expected);
      return;
    }
    form::PreviewRows rows(false, 1);
    rows.AddRenamed(name, new_name);
    QWidget owner;
    std::unique_ptr<QDialog> dialog(ui::NewPreviewDialog(
        &owner, QStringLiteral("Preview"), rows, [](const std::vector<std::size_t>&) {}, {}, {}));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    auto* table = dialog->findChild<QTableView*>("PreviewRows");
    QCOMPARE(TooltipAt(*table, table->model()->index(0, view.toInt())), expected);
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeTooltipTest)
#include "qomde_tooltip_test.moc"
