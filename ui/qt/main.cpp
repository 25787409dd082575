#include <QApplication>

#include "engine/version.h"
#include "ui/qt/qomde.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("qomdex"));
  QApplication::setApplicationVersion(QLatin1String(qomdex::kVersionText));
  // The AppStream id, which also names the desktop entry, so a shell matches the window to it.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.qomdex.Qomdex"));
  qomdex::ui::qomde window;
  window.show();
  return QApplication::exec();
}
