#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "engine/pass_report.h"
#include "engine/pass_state.h"
#include "location/location_lists.h"

class QAction;
class QComboBox;
class QLabel;
class QListView;
class QModelIndex;
class QRadioButton;

namespace qomdex::ui {

class DirectoryModel;
class FileModel;
class WrappingButton;

// The main window: the drive, directory and file lists, the File/Folder choice, the command that
// cleans the names of the chosen entries, and the credit block. It owns the five location lists
// and the pass state for its whole life. Every control is a child named after itself.
class qomde : public QWidget {
  Q_OBJECT

 public:
  // Shows the user one message; the window's own shows a message box.
  using Reporter = std::function<void(const QString& message)>;

  // Builds the window and runs its load rule. Every message goes to `report`, or to a message
  // box when `report` is empty. Reads the disk; never throws for anything the disk can cause.
  explicit qomde(Reporter report = {}, QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateLists();
  void CreateCommands();
  void CreateCreditBlock();

  void FormLoad();
  void FormResize();
  void FormMouseMove();
  void Label1MouseMove();
  void Label6MouseMove();
  void Drive1Change(int index);
  void Dir1Change(const QModelIndex& index);
  void Command1Click();
  // Gives the entries the last pass renamed their old names back, last first.
  void UndoLastPass();
  void ShowUndoMenu(QListView* list, const QPoint& position);
  void UpdateUndoAction();

  // Runs the work of a handler that may move the lists or rename entries, then shows the lists
  // as they stand and reports the message the work returns or whatever it throws.
  template <typename Work>
  void Handle(Work&& work);
  void SyncViews();

  Reporter report_;
  PassState state_;
  // The renames of the last pass, in memory only, for undo.
  std::vector<PassReport::Renamed> last_renames_;
  QAction* undo_action_ = nullptr;
  // A resize that arrives while a pass shows its progress waits until the pass is over.
  bool pass_running_ = false;
  LocationLists lists_;
  DirectoryModel* dir1_model_ = nullptr;
  FileModel* file1_model_ = nullptr;

  QComboBox* Drive1 = nullptr;
  QListView* Dir1 = nullptr;
  QListView* File1 = nullptr;
  QRadioButton* OptFile = nullptr;
  QRadioButton* OptFolder = nullptr;
  WrappingButton* Command1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
};

}  // namespace qomdex::ui
