// Dir1 and File1 of the Qt window show the form's rows; opening a folder with the keyboard moves
// the lists.

#include <QTest>
#include <filesystem>

#include "location/text_encoding.h"
#include "tests/qt/window_driver.h"
#include "tests/support/temp_dir.h"
#include "ui/qt/appearance.h"
#include "ui/qt/directory_model.h"

namespace qomdex::testing {

class QomdeNavigationTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowOpensOnTheRoot() {
    WindowDriver driver;
    QCOMPARE(driver.CurrentDirectory(), QStringLiteral("/"));
    QCOMPARE(driver.Find<QListView>("Dir1")->currentIndex().row(), 0);
    QVERIFY(driver.messages().isEmpty());
  }

  void OpeningFoldersMovesTheFileList() {
    TempDir dir;
    dir.Touch("top.txt");
    dir.MakeDir("sub");
    dir.Touch("sub/inner.txt");
    WindowDriver driver;
    QVERIFY(driver.Show());
    QVERIFY(driver.Open(dir.path()));
    const QString top = ui::ToQString(NativeToUtf16(dir.path().filename().native()));
    QCOMPARE(driver.CurrentDirectory(), top);
    QCOMPARE(driver.Rows("File1"), QStringList{"top.txt"});
    QCOMPARE(driver.Subfolders(), QStringList{"sub"});

    QVERIFY(driver.ActivateInDir1("sub"));
    QCOMPARE(driver.CurrentDirectory(), QStringLiteral("sub"));
    QCOMPARE(driver.Rows("File1"), QStringList{"inner.txt"});
    QVERIFY(driver.Subfolders().isEmpty());
    // Each ancestor one step further in than its parent.
    const QModelIndex current = driver.Find<QListView>("Dir1")->currentIndex();
    QCOMPARE(current.data(ui::DirectoryModel::kIndentRole).toInt(), current.row());

    QVERIFY(driver.ActivateInDir1(top));  // back up to an ancestor
    QCOMPARE(driver.CurrentDirectory(), top);
    QCOMPARE(driver.Rows("File1"), QStringList{"top.txt"});
    QVERIFY(driver.messages().isEmpty());
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeNavigationTest)
#include "qomde_navigation_test.moc"
