// Undo of the last pass from the window: every name back, copy-suffixed ones included; an entry
// changed meanwhile is skipped and reported while the others are reversed.

#include <QAction>
#include <QTest>
#include <set>
#include <string>

#include "tests/support/temp_dir.h"
#include "tests/ui/window_driver.h"

namespace qomdex::testing {

using Names = std::set<std::string>;

class QomdeUndoTest : public QObject {
  Q_OBJECT

 private slots:
  void UndoRestoresTheLastPass_data() {
    QTest::addColumn<bool>("change_one_meanwhile");
    QTest::newRow("untouched since the pass") << false;
    QTest::newRow("one renamed again meanwhile") << true;
  }
  void UndoRestoresTheLastPass() {
    QFETCH(bool, change_one_meanwhile);
    TempDir dir;
    for (const char* name : {"01 a.txt", "02 a.txt", "03 b"}) dir.Touch(name);
    WindowDriver driver;
    QVERIFY(driver.Show());
    QVERIFY(driver.Open(dir.path()));
    auto* undo = driver.Find<QAction>("UndoLastRename");
    QVERIFY(!undo->isEnabled());

    QTest::mouseClick(driver.Find<QWidget>("Command1"), Qt::LeftButton);
    QCOMPARE(dir.Names(), (Names{"a.txt", "a copy ( 1).txt", "b"}));
    QCOMPARE(undo->text(), QStringLiteral("Undo last rename (3 entries)"));
    if (change_one_meanwhile) std::filesystem::rename(dir / "b", dir / "by hand");

    undo->trigger();

    const Names expected = change_one_meanwhile ? Names{"01 a.txt", "02 a.txt", "by hand"}
                                                : Names{"01 a.txt", "02 a.txt", "03 b"};
    QCOMPARE(dir.Names(), expected);
    QCOMPARE(dir.Read("02 a.txt"), std::string("02 a.txt"));
    QCOMPARE(driver.messages().size(), change_one_meanwhile ? 1 : 0);
    if (change_one_meanwhile) QVERIFY(driver.messages().front().contains(QLatin1String("\"b\"")));
    QVERIFY(driver.Rows("File1").contains(QStringLiteral("02 a.txt")));
    QVERIFY(!undo->isEnabled());
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeUndoTest)
#include "qomde_undo_test.moc"
