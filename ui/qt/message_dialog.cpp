#include "ui/qt/message_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/qt/appearance.h"

namespace qomdex::ui {
namespace {

// The details box shows about this many lines of text before it scrolls.
constexpr int kDetailLines = 16;
constexpr int kDetailColumns = 80;

}  // namespace

QDialog* NewMessageDialog(QWidget* parent, const QString& title, const form::Message& message) {
  auto* dialog = new QDialog(parent);
  dialog->setObjectName(QStringLiteral("Message"));
  dialog->setWindowTitle(title);
  auto* layout = new QVBoxLayout(dialog);
  auto* text = new QLabel(ToQString(message.text), dialog);
  text->setObjectName(QStringLiteral("MessageText"));
  text->setWordWrap(true);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(text);
  if (!message.details.empty()) {
    auto* details = new QPlainTextEdit(ToQString(message.details), dialog);
    details->setObjectName(QStringLiteral("MessageDetails"));
    details->setReadOnly(true);
    details->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    details->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics metrics(details->font());
    int height = metrics.lineSpacing() * kDetailLines;
    if (const QScreen* screen = dialog->screen()) {
      height = std::min(height, screen->availableGeometry().height() / 3);
    }
    details->setFixedHeight(height);
    details->setMinimumWidth(metrics.averageCharWidth() * kDetailColumns);
    layout->addWidget(details);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  layout->addWidget(buttons);
  return dialog;
}

}  // namespace qomdex::ui
