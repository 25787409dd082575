#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "ui/form/qomde.h"
#include "ui/form/view.h"

class QAction;
class QComboBox;
class QDialog;
class QListView;
class QModelIndex;
class QProgressDialog;

namespace qomdex::ui {

class DirectoryModel;
class FileModel;

// The main window in Qt: builds the controls of the form's table, each a child named after
// itself, forwards their events to the form's handlers and shows what the form decides.
class qomde : public QWidget, public form::View {
  Q_OBJECT

 public:
  // Takes the text of a message, its details after it, in place of the window's own dialogs.
  using Reporter = std::function<void(const QString& message)>;

  // Builds the window and runs its load rule, on `folder` when one is given. Every message goes to
  // `report`, or to a message box (a dialog with a scrolling list when it has details) when
  // `report` is empty. Reads the disk; never throws for anything the disk can cause.
  explicit qomde(Reporter report = {}, QWidget* parent = nullptr,
                 const std::optional<std::filesystem::path>& folder = std::nullopt);

  void SetTextColor(form::ControlId control, form::Bgr color) override;
  void SetHeightTwips(form::ControlId control, int twips) override;
  int OuterHeightTwips() const override;
  bool IsMinimized() const override;
  bool IsSelected(form::ControlId option) const override;
  void ShowDrives(const std::vector<std::u16string>& drives) override;
  void SelectDrive(std::optional<std::size_t> position) override;
  void ShowDirectories(const form::DirectoryRows& rows) override;
  void SelectDirectory(std::size_t row) override;
  void ShowFiles(const form::FileRows& rows) override;
  void ShowCommand(const form::Command& command) override;
  void ShowPreview(const form::PreviewRows& rows) override;
  void ShowPreviewRows(std::size_t first) override;
  void ClosePreview() override;
  void ShowMessage(const form::Message& message) override;
  void RunAside(const std::function<void()>& work) override;
  void LetEventsRun() override;
  void ShowProgress(bool cancelable) override;
  void UpdateProgress(const std::u16string& text, int permille) override;
  bool ProgressCanceled() const override;
  void CloseProgress() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A folder or file dragged from a file manager: the form moves the lists to it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QWidget* Create(const form::ControlEntry& entry);
  QWidget* CreateList(const form::ControlEntry& entry);
  // Creates an action for each of the form's commands, with its key where it works over the
  // window, and the lists' context menu of those it offers.
  void CreateActions();
  QWidget* Control(form::ControlId id) const { return controls_.at(id); }
  // Opens the folder at a row of Dir1 when the form says the gesture opens one.
  void Dir1Gesture(const QModelIndex& index, form::RowGesture gesture);

  Reporter report_;
  form::qomde form_;
  std::map<form::ControlId, QWidget*> controls_;
  DirectoryModel* dir1_model_ = nullptr;
  FileModel* file1_model_ = nullptr;
  QComboBox* drive1_ = nullptr;
  QListView* dir1_ = nullptr;
  std::map<form::CommandId, QAction*> actions_;
  QPointer<QProgressDialog> progress_;
  QPointer<QDialog> preview_;
};

}  // namespace qomdex::ui
