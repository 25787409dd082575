// Opening folders in Dir1 moves the file list after it; a folder that cannot be read is
// reported and every list stays where it was.

#include <QTest>
#include <filesystem>
#include <system_error>

#include "tests/support/temp_dir.h"
#include "tests/ui/window_driver.h"
#include "ui/directory_model.h"
#include "ui/native_text.h"

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
    const QString top = ui::PathText(dir.path().filename());
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

  void FolderThatCannotBeReadLeavesEveryListWhereItWas() {
    TempDir dir;
    dir.Touch("keep.txt");
    dir.MakeDir("gone");
    WindowDriver driver;
    QVERIFY(driver.Show());
    QVERIFY(driver.Open(dir.path()));
    std::filesystem::remove(dir / "gone");  // still listed: the snapshot predates this

    QVERIFY(driver.ActivateInDir1("gone"));

    QCOMPARE(driver.messages().size(), 1);
    const QString& message = driver.messages().front();
    QVERIFY2(message.contains(QLatin1String("gone")), qPrintable(message));
    QVERIFY2(message.contains(QString::fromLocal8Bit(
                 std::make_error_code(std::errc::no_such_file_or_directory).message())),
             qPrintable(message));
    QCOMPARE(driver.CurrentDirectory(), ui::PathText(dir.path().filename()));
    QCOMPARE(driver.Rows("File1"), QStringList{"keep.txt"});
    QCOMPARE(driver.Subfolders(), QStringList{"gone"});
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeNavigationTest)
#include "qomde_navigation_test.moc"
