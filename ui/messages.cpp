#include "ui/messages.h"

#include <QStringList>

#include "location/join_path.h"
#include "ui/native_text.h"

namespace qomdex::ui {
namespace {

QString Quoted(const QString& text) { return u'"' + text + u'"'; }

QString Reason(const std::string& reason) { return QString::fromLocal8Bit(reason); }

QString CannotRead(const std::filesystem::path& directory, const std::string& reason) {
  return QStringLiteral("Cannot read %1: %2").arg(Quoted(PathText(directory)), Reason(reason));
}

}  // namespace

QString FailureMessage(const PassReport& report) {
  if (report.failures.empty()) return {};
  QStringList lines{QStringLiteral("Some entries could not be renamed:")};
  for (const PassReport::Failure& failure : report.failures) {
    if (failure.kind == PassReport::FailureKind::kUnreadableDirectory) {
      lines << CannotRead(failure.path, failure.error.message());
    } else {
      lines << QStringLiteral("%1 \u2192 %2: %3")
                   .arg(Quoted(NameText(LastComponent(failure.path))),
                        Quoted(NameText(LastComponent(failure.target))),
                        Reason(failure.error.message()));
    }
  }
  return lines.join(u'\n');
}

QString UnreadableMessage(const std::filesystem::filesystem_error& error) {
  return CannotRead(error.path1(), error.code().message());
}

QString UnexpectedMessage(const QString& what) {
  const QString text = QStringLiteral("An unexpected failure stopped this action.");
  return what.isEmpty() ? text : text + u'\n' + what;
}

}  // namespace qomdex::ui
