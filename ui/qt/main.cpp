#include <QApplication>

#include "engine/version.h"
#include "ui/qt/qomde.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("qomdex"));
  QApplication::setApplicationVersion(QLatin1String(qomdex::kVersionText));
  qomdex::ui::qomde window;
  window.show();
  return QApplication::exec();
}
