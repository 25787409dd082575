// A click on Command1 in the Qt window runs the pass its option buttons choose, and the window's
// undo action (Ctrl+Z, the lists' context menu) gives the names back.

#include <QAction>
#include <QRadioButton>
#include <QTest>
#include <set>
#include <string>

#include "tests/qt/window_driver.h"
#include "tests/support/temp_dir.h"

namespace qomdex::testing {
using Names = std::set<std::string>;

class QomdeCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void OptionsChooseThePass_data() {
    QTest::addColumn<bool>("choose_folder");
    QTest::addColumn<QStringList>("file1");
    QTest::addColumn<QStringList>("subfolders");
    QTest::addColumn<QString>("renamed_file");  // holds the content of "01 a.txt" afterwards
    QTest::newRow("File, as the window opens")
        << false << QStringList{"a.txt"} << QStringList{"02 b"} << "a.txt";
    QTest::newRow("Folder") << true << QStringList{"01 a.txt"} << QStringList{"b"} << "01 a.txt";
  }
  void OptionsChooseThePass() {
    QFETCH(bool, choose_folder);
    QFETCH(QStringList, file1);
    QFETCH(QStringList, subfolders);
    QFETCH(QString, renamed_file);
    TempDir dir;
    dir.Touch("01 a.txt");
    dir.MakeDir("02 b");
    WindowDriver driver;
    QVERIFY(driver.Show());
    QVERIFY(driver.Open(dir.path()));
    auto* opt_file = driver.Find<QRadioButton>("OptFile");
    auto* opt_folder = driver.Find<QRadioButton>("OptFolder");
    QVERIFY(opt_file->isChecked() && !opt_folder->isChecked());

    if (choose_folder) {
      QTest::mouseClick(opt_folder, Qt::LeftButton);
      QVERIFY(opt_folder->isChecked() && !opt_file->isChecked());
      QCOMPARE(dir.Names(), (Names{"01 a.txt", "02 b"}));  // choosing renames nothing
    }
    QTest::mouseClick(driver.Find<QWidget>("Command1"), Qt::LeftButton);

    QCOMPARE(driver.Rows("File1"), file1);
    QCOMPARE(driver.Subfolders(), subfolders);
    QCOMPARE(dir.Names().size(), 2u);
    QCOMPARE(dir.Read(renamed_file.toStdString()), std::string("01 a.txt"));

    auto* undo = driver.Find<QAction>("UndoLastRename");
    QCOMPARE(undo->text(), QStringLiteral("Undo last rename (1 entry)"));
    QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    undo->trigger();
    QCOMPARE(dir.Names(), (Names{"01 a.txt", "02 b"}));
    QCOMPARE(driver.Rows("File1"), QStringList{"01 a.txt"});
    QVERIFY(!undo->isEnabled());

    dir.Touch("c.txt");  // by another program
    QTest::keyClick(&driver.window(), Qt::Key_F5);
    QCOMPARE(driver.Rows("File1"), (QStringList{"01 a.txt", "c.txt"}));
    QVERIFY(driver.messages().isEmpty());
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeCommandTest)
#include "qomde_command_test.moc"
