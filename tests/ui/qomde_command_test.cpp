// Command1 runs the pass the options choose, in real temporary directories; failures are
// reported together and the window goes on.

#include <QRadioButton>
#include <QTest>
#include <set>
#include <string>
#include <system_error>

#include "tests/support/temp_dir.h"
#include "tests/ui/window_driver.h"

namespace qomdex::testing {
namespace {

using Names = std::set<std::string>;

QString ReasonText(std::errc error) {
  return QString::fromLocal8Bit(std::make_error_code(error).message());
}

}  // namespace

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
    QVERIFY(driver.messages().isEmpty());
  }

  void FailedRenamesAreReportedTogetherAndTheWindowGoesOn() {
    TempDir dir;
    // "a.txt" is taken, so both numbered files get copy names, and those are taken too.
    for (const char* name :
         {"1 a.txt", "2 a.txt", "3 b.txt", "a.txt", "a copy ( 1).txt", "a copy ( 2).txt"}) {
      dir.Touch(name);
    }
    WindowDriver driver;
    QVERIFY(driver.Show());
    QVERIFY(driver.Open(dir.path()));
    QTest::mouseClick(driver.Find<QWidget>("Command1"), Qt::LeftButton);

    QCOMPARE(driver.messages().size(), 1);
    const QString& message = driver.messages().front();
    for (const char* part :
         {"\"1 a.txt\"", "\"a copy ( 1).txt\"", "\"2 a.txt\"", "\"a copy ( 2).txt\""}) {
      QVERIFY2(message.contains(QLatin1String(part)), qPrintable(message));
    }
    QCOMPARE(message.count(ReasonText(std::errc::file_exists)), 2);
    QVERIFY(!message.contains(QLatin1String("3 b.txt")));

    QCOMPARE(dir.Read("b.txt"), std::string("3 b.txt"));
    QCOMPARE(dir.Read("a copy ( 1).txt"), std::string("a copy ( 1).txt"));
    QVERIFY(driver.window().isVisible());
    QVERIFY(driver.Rows("File1").contains("b.txt"));
    QVERIFY(driver.Rows("File1").contains("1 a.txt"));
  }

  void NameThatIsNotTextKeepsItsBytes() {
    TempDir dir;
    dir.Touch("01 \xff\xfe.txt");
    WindowDriver driver;
    QVERIFY(driver.Show());
    QVERIFY(driver.Open(dir.path()));
    QCOMPARE(driver.Rows("File1"), QStringList{QStringLiteral("01 \uFFFD\uFFFD.txt")});
    QTest::mouseClick(driver.Find<QWidget>("Command1"), Qt::LeftButton);

    QCOMPARE(dir.Names(), Names{"\xff\xfe.txt"});
    QCOMPARE(driver.Rows("File1"), QStringList{QStringLiteral("\uFFFD\uFFFD.txt")});
    QVERIFY(driver.messages().isEmpty());
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeCommandTest)
#include "qomde_command_test.moc"
