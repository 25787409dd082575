// Dir1 and File1 of the Qt window show the form's rows; opening a folder with the keyboard, a
// drop from a file manager or a folder given at the start moves the lists.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
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

  void WindowStartsOnTheFolderGiven() {
    TempDir dir;
    dir.MakeDir("album");
    dir.Touch("album/01 a.mp3");
    ui::qomde window({}, nullptr, dir / "album");
    QCOMPARE(window.findChild<QListView*>(QStringLiteral("File1"))->model()->rowCount(), 1);
  }

  void DropMovesTheListsToALocalFolder_data() {
    QTest::addColumn<QStringList>("urls");  // "LOCAL/" stands for the test's folder
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");  // Dir1's current entry afterwards
    QTest::newRow("folder") << QStringList{"LOCAL/album"} << true << "album";
    QTest::newRow("file") << QStringList{"LOCAL/album/01 a.mp3"} << true << "album";
    QTest::newRow("remote only") << QStringList{"https://example.org/album"} << false << "other";
    QTest::newRow("remote, then local")
        << QStringList{"sftp://host/album", "LOCAL/album"} << true << "album";
  }

  void DropMovesTheListsToALocalFolder() {
    QFETCH(QStringList, urls);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    TempDir dir;
    dir.MakeDir("album");
    dir.Touch("album/01 a.mp3");
    dir.MakeDir("other");
    WindowDriver driver;
    QVERIFY(driver.Show());
    QVERIFY(driver.Open(dir / "other"));
    QMimeData data;
    QList<QUrl> list;
    const QString local = QString::fromStdString((dir / "").string());
    for (const QString& url : urls) {
      list << (url.startsWith("LOCAL/") ? QUrl::fromLocalFile(local + url.mid(6)) : QUrl(url));
    }
    data.setUrls(list);
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&driver.window(), &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&driver.window(), &drop);
    QCOMPARE(driver.CurrentDirectory(), shown);
    QVERIFY(driver.messages().isEmpty());
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeNavigationTest)
#include "qomde_navigation_test.moc"
