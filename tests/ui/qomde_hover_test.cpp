// Label6 and Label1 light up under the pointer and go back to normal only over the bare window.

#include <QLabel>
#include <QTest>

#include "tests/ui/window_driver.h"
#include "ui/twips.h"

namespace qomdex::testing {
namespace {

const QColor kLabel6Normal(255, 192, 192);
const QColor kLabel6Lit(255, 0, 0);
const QColor kLabel1Normal(0, 192, 192);
const QColor kLabel1Lit(0, 255, 255);

QColor TextColor(const QWidget* label) { return label->palette().color(QPalette::WindowText); }

}  // namespace

class QomdeHoverTest : public QObject {
  Q_OBJECT

 private slots:
  void LabelsLightUpAndGoBackOverTheBareWindow_data() {
    QTest::addColumn<QStringList>("moves");  // controls the pointer moves over; "" the bare window
    QTest::addColumn<QColor>("label6");
    QTest::addColumn<QColor>("label1");
    QTest::newRow("onto Label6") << QStringList{"Label6"} << kLabel6Lit << kLabel1Normal;
    QTest::newRow("onto Label1") << QStringList{"Label1"} << kLabel6Normal << kLabel1Lit;
    QTest::newRow("Label6, then the bare window")
        << QStringList{"Label6", ""} << kLabel6Normal << kLabel1Normal;
    QTest::newRow("Label1, then the bare window")
        << QStringList{"Label1", ""} << kLabel6Normal << kLabel1Normal;
    QTest::newRow("both lit at once")
        << QStringList{"Label6", "Label1"} << kLabel6Lit << kLabel1Lit;
    QTest::newRow("over another label")
        << QStringList{"Label6", "Label1", "Label2"} << kLabel6Lit << kLabel1Lit;
    QTest::newRow("over a list") << QStringList{"Label6", "File1"} << kLabel6Lit << kLabel1Normal;
    QTest::newRow("over the command")
        << QStringList{"Label1", "Command1"} << kLabel6Normal << kLabel1Lit;
    QTest::newRow("over an option")
        << QStringList{"Label6", "OptFolder"} << kLabel6Lit << kLabel1Normal;
  }
  void LabelsLightUpAndGoBackOverTheBareWindow() {
    QFETCH(QStringList, moves);
    QFETCH(QColor, label6);
    QFETCH(QColor, label1);
    WindowDriver driver;
    QVERIFY(driver.Show());
    ui::qomde& window = driver.window();
    // Between the file list and the credit block, below the command.
    const QPoint bare(ui::TwipsToPixels(7000, window.logicalDpiX()),
                      ui::TwipsToPixels(4000, window.logicalDpiY()));
    QVERIFY(window.childAt(bare) == nullptr);

    for (const QString& name : moves) {
      if (name.isEmpty()) {
        QTest::mouseMove(&window, bare);
      } else {
        auto* control = driver.Find<QWidget>(name.toLatin1().constData());
        QTest::mouseMove(control, control->rect().center());
      }
    }
    QCOMPARE(TextColor(driver.Find<QLabel>("Label6")), label6);
    QCOMPARE(TextColor(driver.Find<QLabel>("Label1")), label1);
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeHoverTest)
#include "qomde_hover_test.moc"
