#include <QApplication>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "engine/version.h"
#include "ui/form/window_arguments.h"
#include "ui/qt/qomde.h"

int main(int argc, char** argv) {
  // Help, version and usage errors need no display, so the arguments are read before Qt starts.
  const std::variant<qomdex::form::WindowStart, int> start =
      qomdex::form::ParseWindowArguments({argv + 1, argv + argc}, std::cout, std::cerr);
  if (const int* status = std::get_if<int>(&start)) return *status;
  // Qt is given no argument of the user's, so none is taken for one of its own options.
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  QApplication::setApplicationName(QStringLiteral("qomdex"));
  QApplication::setApplicationVersion(QLatin1String(qomdex::kVersionText));
  // The AppStream id, which also names the desktop entry, so a shell matches the window to it.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.qomdex.Qomdex"));
  qomdex::ui::qomde window({}, nullptr, std::get<qomdex::form::WindowStart>(start).folder);
  window.show();
  return QApplication::exec();
}
