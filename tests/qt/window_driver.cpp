#include "tests/qt/window_driver.h"

#include <QTest>

#include "location/text_encoding.h"
#include "ui/qt/appearance.h"

namespace qomdex::testing {

bool WindowDriver::Show() {
  window_.show();
  return QTest::qWaitForWindowExposed(&window_);
}

bool WindowDriver::Open(const std::filesystem::path& directory) {
  for (const std::filesystem::path& part : directory.relative_path()) {
    const int after_current = Find<QListView>("Dir1")->currentIndex().row() + 1;
    if (!ActivateInDir1(ui::ToQString(NativeToUtf16(part.native())), after_current)) return false;
  }
  return true;
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
