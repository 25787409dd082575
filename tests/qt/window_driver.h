#pragma once

#include <QListView>
#include <QStringList>
#include <filesystem>

#include "ui/qt/qomde.h"

namespace qomdex::testing {

// Opens a directory in the window's Dir1 one folder at a time from the root, picking each with
// the keyboard; returns false when a folder on the way is not listed.
bool OpenInDir1(ui::qomde& window, const std::filesystem::path& directory);

// The main window with its messages collected instead of shown in message boxes, and the steps
// a user takes with it.
class WindowDriver {
 public:
  WindowDriver() : window_([this](const QString& message) { messages_ << message; }) {}

  ui::qomde& window() { return window_; }
  const QStringList& messages() const { return messages_; }

  // Returns the control with this name, or null.
  template <typename Control>
  Control* Find(const char* name) const {
    return window_.findChild<Control*>(QLatin1String(name));
  }

  // Shows the window; returns false when it is never exposed.
  bool Show();

  // Opens a directory in Dir1 (see OpenInDir1).
  bool Open(const std::filesystem::path& directory);

  // Picks the first entry of Dir1 from a row on with this text and activates it with the Return
  // key; returns false when no entry has it.
  bool ActivateInDir1(const QString& text, int first_row = 0);

  // Returns the texts of a list's entries from a row on.
  QStringList Rows(const char* list, int first_row = 0) const;

  // Returns the text of Dir1's current entry, the directory the lists stand on.
  QString CurrentDirectory() const;

  // Returns the subfolders Dir1 shows, the entries after the current one.
  QStringList Subfolders() const;

 private:
  QStringList messages_;
  ui::qomde window_;
};

}  // namespace qomdex::testing
