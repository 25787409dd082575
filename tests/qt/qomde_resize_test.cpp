// The Qt window's resizes reach the form's resize rule: the lists follow the outer height and
// nothing else moves.

#include <QHash>
#include <QTest>

#include "tests/qt/window_driver.h"
#include "ui/form/twips.h"

namespace qomdex::testing {

class QomdeResizeTest : public QObject {
  Q_OBJECT

 private slots:
  void ListsFollowTheOuterHeightAlone_data() {
    QTest::addColumn<int>("client_width");  // twips
    QTest::addColumn<int>("client_height");
    QTest::addColumn<bool>("lists_follow");
    QTest::newRow("taller") << 9510 << 12000 << true;
    QTest::newRow("narrower, cutting off the right column") << 4000 << 7935 << true;
  }
  void ListsFollowTheOuterHeightAlone() {
    QFETCH(int, client_width);
    QFETCH(int, client_height);
    QFETCH(bool, lists_follow);
    WindowDriver driver;
    QVERIFY(driver.Show());
    ui::qomde& window = driver.window();
    const int dpi = window.logicalDpiY();
    auto list_height = [&] {
      return form::TwipsToPixels(form::PixelsToTwips(window.frameGeometry().height(), dpi) - 1000,
                                 dpi);
    };
    // Showing the window is its first resize.
    QCOMPARE(driver.Find<QWidget>("Dir1")->height(), list_height());
    QCOMPARE(driver.Find<QWidget>("File1")->height(), list_height());

    QHash<QWidget*, QRect> before;
    for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      before.insert(control, control->geometry());
    }
    window.resize(form::TwipsToPixels(client_width, window.logicalDpiX()),
                  form::TwipsToPixels(client_height, dpi));

    for (auto it = before.cbegin(); it != before.cend(); ++it) {
      QRect expected = it.value();
      const QString name = it.key()->objectName();
      if (lists_follow && (name == "Dir1" || name == "File1")) expected.setHeight(list_height());
      QVERIFY2(it.key()->geometry() == expected, qPrintable(name));
    }
  }
};

}  // namespace qomdex::testing

QTEST_MAIN(qomdex::testing::QomdeResizeTest)
#include "qomde_resize_test.moc"
