// Pointer moves over the Qt window reach the form's hover handlers: Label6 and Label1 light up
// and go back to normal only over the bare window.

#include <QLabel>
#include <QTest>

#include "tests/qt/window_driver.h"
#include "ui/form/twips.h"

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
    QTest::newRow("Label1, then the bare window")
        << QStringList{"Label1", ""} << kLabel6Normal << kLabel1Normal;
    QTest::newRow("Label1, then a list")
        << QStringList{"Label1", "File1"} << kLabel6Normal << kLabel1Lit;
  }
  void LabelsLightUpAndGoBackOverTheBareWindow() {
    QFETCH(QStringList, moves);
    QFETCH(QColor, label6);
    QFETCH(QColor, label1);
    WindowDriver driver;
    QVERIFY(driver.Show());
    ui::qomde& window = driver.window();
    // Between the file list and the credit block, below the command.
    const QPoint bare(form::TwipsToPixels(7000, window.logicalDpiX()),
                      form::TwipsToPixels(4000, window.logicalDpiY()));
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
