// The Qt window builds the form's control table: title, size, each control's object name, place,
// font and colours, the tab order, and the command's wrapped caption.

#include <QAccessible>
#include <QLabel>
#include <QTest>

#include "tests/qt/window_driver.h"
#include "ui/form/twips.h"
#include "ui/qt/appearance.h"
#include "ui/qt/wrapping_button.h"

namespace qomdex::testing {
namespace {

// A control's rectangle in twips, read back from its pixels.
QRect InTwips(const QWidget& control) {
  const QRect r = control.geometry();
  const int x_dpi = control.logicalDpiX();
  const int y_dpi = control.logicalDpiY();
  return {form::PixelsToTwips(r.x(), x_dpi), form::PixelsToTwips(r.y(), y_dpi),
          form::PixelsToTwips(r.width(), x_dpi), form::PixelsToTwips(r.height(), y_dpi)};
}

// Twips read back from whole pixels are exact to within one pixel.
bool Near(int actual_twips, int expected_twips, int dpi) {
  return std::abs(actual_twips - expected_twips) <= 1440 / dpi;
}

constexpr int kTextWide = -1;  // a credit line is as wide as its text

}  // namespace

class QomdeLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowOpensWithTitleAndClientSize() {
    WindowDriver driver;
    const ui::qomde& window = driver.window();
    QCOMPARE(window.objectName(), QStringLiteral("qomde"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Remove Leading Numbers from file name"));
    QVERIFY(Near(form::PixelsToTwips(window.width(), window.logicalDpiX()), 9510,
                 window.logicalDpiX()));
    QVERIFY(Near(form::PixelsToTwips(window.height(), window.logicalDpiY()), 7935,
                 window.logicalDpiY()));
    QVERIFY(!window.windowIcon().isNull());
    QVERIFY(driver.messages().isEmpty());
  }

  void ControlsStandWhereTheTableSays_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");    // left, top, width, height
    QTest::addColumn<double>("points");  // 0: the toolkit's default font
    QTest::addColumn<bool>("bold");
    QTest::newRow("Drive1") << "Drive1" << QRect(120, 120, 3375, 315) << 0.0 << false;
    QTest::newRow("Dir1") << "Dir1" << QRect(120, 480, 3375, 7290) << 0.0 << false;
    QTest::newRow("File1") << "File1" << QRect(3480, 480, 3375, 7305) << 0.0 << false;
    QTest::newRow("OptFile") << "OptFile" << QRect(7560, 240, 1095, 615) << 18.0 << false;
    QTest::newRow("OptFolder") << "OptFolder" << QRect(7560, 960, 1575, 615) << 18.0 << false;
    QTest::newRow("Command1") << "Command1" << QRect(7200, 1800, 2175, 1455) << 9.75 << true;
    // The credit block, top to bottom, one line every 360 twips.
    const char* credit_lines[] = {"Label6", "Label1", "Label2", "Label4",
                                  "Label3", "Label7", "Label5"};
    for (int i = 0; i < 7; ++i) {
      QTest::newRow(credit_lines[i])
          << credit_lines[i] << QRect(7080, 5160 + 360 * i, kTextWide, 300) << 12.0 << false;
    }
  }
  void ControlsStandWhereTheTableSays() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(double, points);
    QFETCH(bool, bold);
    WindowDriver driver;  // not shown, so the lists keep their heights as laid out
    const auto* control = driver.Find<QWidget>(name.toLatin1().constData());
    QVERIFY(control != nullptr);
    const QRect actual = InTwips(*control);
    const int dpi = control->logicalDpiX();
    QVERIFY2(Near(actual.x(), twips.x(), dpi) && Near(actual.y(), twips.y(), dpi) &&
                 Near(actual.height(), twips.height(), dpi),
             qPrintable(QStringLiteral("at %1,%2 high %3")
                            .arg(actual.x())
                            .arg(actual.y())
                            .arg(actual.height())));
    if (twips.width() == kTextWide) {
      const auto* label = qobject_cast<const QLabel*>(control);
      QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
    } else {
      QVERIFY2(Near(actual.width(), twips.width(), dpi),
               qPrintable(QString::number(actual.width())));
    }
    if (points > 0) {
      QCOMPARE(control->font().pointSizeF(), points);
      QCOMPARE(control->font().bold(), bold);
      QVERIFY(!control->font().italic() && !control->font().underline());
    }
  }

  void ControlsShowTheirColors_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");  // invalid: the toolkit's default
    const QColor red(255, 0, 0);
    const QColor teal(0, 192, 192);
    const QColor white(255, 255, 255);
    QTest::newRow("OptFile") << "OptFile" << red << QColor();
    QTest::newRow("OptFolder") << "OptFolder" << red << QColor();
    QTest::newRow("Label6") << "Label6" << QColor(255, 192, 192) << QColor(255, 255, 192);
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label7"}) {
      QTest::newRow(name) << name << teal << white;
    }
  }
  void ControlsShowTheirColors() {
    QFETCH(QString, name);
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    WindowDriver driver;
    const auto* control = driver.Find<QWidget>(name.toLatin1().constData());
    QCOMPARE(control->palette().color(control->foregroundRole()), text);
    if (background.isValid()) {
      QVERIFY(control->autoFillBackground());
      QCOMPARE(control->palette().color(control->backgroundRole()), background);
    }
  }

  void FocusMovesThroughListsCommandThenOptions() {
    WindowDriver driver;
    QStringList order;
    QWidget* start = driver.Find<QWidget>("Drive1");
    QWidget* widget = start;
    do {
      if ((widget->focusPolicy() & Qt::TabFocus) && widget->parentWidget() == &driver.window()) {
        order << widget->objectName();
      }
      widget = widget->nextInFocusChain();
    } while (widget != start);
    QCOMPARE(order, QStringList({"Drive1", "Dir1", "File1", "Command1", "OptFile", "OptFolder"}));
  }

  void ScreenReadersHearEachControlsNameAndDescription() {
    WindowDriver driver;
    QVERIFY(driver.Show());
    int checked = 0;
    for (const form::ControlEntry& entry : form::ControlTable(form::Toolkit::kQt)) {
      if (!entry.shown) continue;
      QAccessibleInterface* control =
          QAccessible::queryAccessibleInterface(driver.Find<QWidget>(entry.name));
      QVERIFY2(control != nullptr, entry.name);
      QString name = control->text(QAccessible::Name);
      // Qt names a combo box on Linux by the label it is the buddy of, and its own name is
      // the entry chosen.
      for (const auto& [label, relation] : control->relations(QAccessible::Label)) {
        name = label->text(QAccessible::Name);
      }
      QCOMPARE(name, ui::ToQString(entry.accessible_name));
      QCOMPARE(control->text(QAccessible::Description),
               ui::ToQString(entry.accessible_description));
      ++checked;
    }
    QCOMPARE(checked, 13);
  }

  void CreditLinesFitInsideTheWindow() {
    WindowDriver driver;
    QVERIFY(driver.Show());
    for (const char* name :
         {"Label6", "Label1", "Label2", "Label3", "Label4", "Label5", "Label7"}) {
      const auto* label = driver.Find<QLabel>(name);
      QVERIFY2(label->geometry().right() < driver.window().width(), name);
      QVERIFY2(label->width() >= label->sizeHint().width(), name);
    }
  }

  void CommandCaptionShowsWholeOnSeveralLines() {
    WindowDriver driver;
    const auto* command = driver.Find<ui::WrappingButton>("Command1");
    QCOMPARE(command->text(), QStringLiteral("Remove Leading Numbers, Space, Dash, Underscore"));
    const QRect area = command->CaptionArea();
    const QRect needed = command->fontMetrics().boundingRect(
        area, ui::WrappingButton::kCaptionFlags, command->text());
    QVERIFY2(area.contains(needed), "the caption does not fit inside the button");
    QVERIFY(needed.height() >= 2 * command->fontMetrics().height());
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeLayoutTest)
#include "qomde_layout_test.moc"
