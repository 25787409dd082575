#include "tests/qt/window_driver.h"

#include <QTest>

#include "location/text_encoding.h"
#include "tests/support/dir1_walk.h"
#include "ui/qt/appearance.h"
#include "ui/qt/directory_model.h"

namespace qomdex::testing {

bool WindowDriver::Show() {
  window_.show();
  return QTest::qWaitForWindowExposed(&window_);
}

bool OpenInDir1(ui::qomde& window, const std::filesystem::path& directory) {
  auto* dir1 = window.findChild<QListView*>(QStringLiteral("Dir1"));
  const auto* model = static_cast<const ui::DirectoryModel*>(dir1->model());
  return WalkDir1(
      directory, [&]() -> const form::DirectoryRows& { return model->rows(); },
      [&](std::size_t row) {
        dir1->setCurrentIndex(model->index(static_cast<int>(row)));
        QTest::keyClick(dir1, Qt::Key_Return);
      });
}

bool WindowDriver::Open(const std::filesystem::path& directory) {
  return OpenInDir1(window_, directory);
}

bool WindowDriver::ActivateInDir1(const QString& text, int first_row) {
  auto* dir1 = Find<QListView>("Dir1");
  const QModelIndexList found =
      dir1->model()->match(dir1->model()->index(first_row, 0), Qt::DisplayRole, text, 1,
                           Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (found.isEmpty()) return false;
  dir1->setCurrentIndex(found.front());
  QTest::keyClick(dir1, Qt::Key_Return);
  return true;
}

QStringList WindowDriver::Rows(const char* list, int first_row) const {
  const QAbstractItemModel* model = Find<QListView>(list)->model();
  QStringList rows;
  for (int row = first_row; row < model->rowCount(); ++row) {
    rows << model->index(row, 0).data().toString();
  }
  return rows;
}

QString WindowDriver::CurrentDirectory() const {
  return Find<QListView>("Dir1")->currentIndex().data().toString();
}

QStringList WindowDriver::Subfolders() const {
  return Rows("Dir1", Find<QListView>("Dir1")->currentIndex().row() + 1);
}

}  // namespace qomdex::testing
