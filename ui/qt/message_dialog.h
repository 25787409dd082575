#pragma once

#include <QDialog>

#include "ui/form/texts.h"

namespace qomdex::ui {

// The dialog of a message with details: its text, then the details in a read-only box that
// scrolls and can be copied from, and OK. However long the details, it is no taller than a
// third of the screen. Owned by `parent`; not shown.
QDialog* NewMessageDialog(QWidget* parent, const QString& title, const form::Message& message);

}  // namespace qomdex::ui
