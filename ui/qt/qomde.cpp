#include "ui/qt/qomde.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QRadioButton>
#include <QThread>
#include <QUrl>
#include <memory>

#include "present/progress_scale.h"
#include "ui/form/control_table.h"
#include "ui/form/twips.h"
#include "ui/qt/appearance.h"
#include "ui/qt/cut_text_delegate.h"
#include "ui/qt/directory_model.h"
#include "ui/qt/file_model.h"
#include "ui/qt/indent_delegate.h"
#include "ui/qt/message_dialog.h"
#include "ui/qt/placement.h"
#include "ui/qt/preview_dialog.h"
#include "ui/qt/wrapping_button.h"

namespace qomdex::ui {
namespace {

using form::ControlId;
using form::ControlKind;

// Returns a command's key as Qt's, or none.
QKeySequence ShortcutOf(const form::CommandKey& key) {
  const Qt::KeyboardModifiers modifiers = key.control ? Qt::ControlModifier : Qt::NoModifier;
  switch (key.name) {
    case form::KeyName::kNone: return {};
    case form::KeyName::kLetter:
      return QKeySequence(modifiers | Qt::Key(Qt::Key_A + (key.letter - 'A')));
    case form::KeyName::kF5: return QKeySequence(modifiers | Qt::Key_F5);
    case form::KeyName::kSpace: return QKeySequence(modifiers | Qt::Key_Space);
    case form::KeyName::kEnter: return QKeySequence(modifiers | Qt::Key_Return);
  }
  return {};
}

QIcon ApplicationIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/qomdex-16.png"));
  icon.addFile(QStringLiteral(":/icons/qomdex-32.png"));
  return icon;
}

// Returns the local paths among the URLs a drag carries, in their order.
std::vector<std::filesystem::path> LocalPaths(const QMimeData& data) {
  std::vector<std::filesystem::path> paths;
  for (const QUrl& url : data.urls()) {
    if (url.isLocalFile()) paths.emplace_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return paths;
}

}  // namespace

qomde::qomde(Reporter report, QWidget* parent, const std::optional<std::filesystem::path>& folder)
    : QWidget(parent), report_(std::move(report)), form_(*this) {
  setObjectName(QStringLiteral("qomde"));
  setWindowTitle(ToQString(form::kTitle));
  setWindowIcon(ApplicationIcon());
  resize(form::TwipsToPixels(form::kClientWidthTwips, logicalDpiX()),
         form::TwipsToPixels(form::kClientHeightTwips, logicalDpiY()));
  setMouseTracking(true);

  const std::vector<form::ControlEntry> table = form::ControlTable(form::Toolkit::kQt);
  for (const form::ControlEntry& entry : table) {
    if (entry.shown) controls_.emplace(entry.id, Create(entry));
  }
  const std::vector<ControlId> focus = form::FocusOrder(table);
  for (std::size_t i = 1; i < focus.size(); ++i) {
    setTabOrder(Control(focus[i - 1]), Control(focus[i]));
  }
  CreateActions();
  setAcceptDrops(true);
  form_.FormLoad(folder);
}

QWidget* qomde::Create(const form::ControlEntry& entry) {
  QWidget* control = nullptr;
  switch (entry.kind) {
    case ControlKind::kDriveList:
    case ControlKind::kDirectoryList:
    case ControlKind::kFileList: control = CreateList(entry); break;
    case ControlKind::kOption: {
      auto* option = new QRadioButton(ToQString(entry.text), this);
      option->setChecked(entry.selected);
      control = option;
      break;
    }
    case ControlKind::kCommand: {
      auto* command = new WrappingButton(ToQString(entry.text), this);
      connect(command, &QPushButton::clicked, this, [this] { form_.Command1Click(); });
      control = command;
      break;
    }
    case ControlKind::kLabel: {
      auto* label = new QLabel(ToQString(entry.text), this);
      // The window hears every move over a label, so the hover rule can run.
      label->setMouseTracking(true);
      label->installEventFilter(this);
      control = label;
      break;
    }
  }
  control->setObjectName(QLatin1String(entry.name));
  control->setAccessibleName(ToQString(entry.accessible_name));
  control->setAccessibleDescription(ToQString(entry.accessible_description));
  if (entry.font.points > 0) control->setFont(ClassicSansFont(entry.font));
  Place(*control, entry.place);
  if (entry.background) {
    SetColors(*control, FromBgr(entry.text_color.value_or(0)), FromBgr(*entry.background));
  } else if (entry.text_color) {
    ui::SetTextColor(*control, FromBgr(*entry.text_color));
  }
  if (entry.sized_to_text) control->resize(control->sizeHint().width(), control->height());
  return control;
}

QWidget* qomde::CreateList(const form::ControlEntry& entry) {
  if (entry.kind == ControlKind::kDriveList) {
    drive1_ = new QComboBox(this);
    // On Linux a combo box is named by the label it is the buddy of (its own name is the drive
    // chosen), so it gets one, never shown.
    auto* label = new QLabel(ToQString(entry.accessible_name), this);
    label->setObjectName(QStringLiteral("Drive1Label"));
    label->setBuddy(drive1_);
    label->hide();
    connect(drive1_, &QComboBox::activated, this,
            [this](int index) { form_.Drive1Change(static_cast<std::size_t>(index)); });
    return drive1_;
  }
  auto* list = new QListView(this);
  // Every entry has the height of the first, so a list of 100,000 entries lays out at once.
  list->setUniformItemSizes(true);
  if (entry.kind == ControlKind::kDirectoryList) {
    dir1_ = list;
    dir1_model_ = new DirectoryModel(this);
    list->setModel(dir1_model_);
    list->setItemDelegate(new IndentDelegate(list));
    // Enter reaches the event filter; the clicks come as signals.
    list->installEventFilter(this);
    connect(list, &QListView::clicked, this,
            [this](const QModelIndex& index) { Dir1Gesture(index, form::RowGesture::kSelect); });
    connect(list, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
      Dir1Gesture(index, form::RowGesture::kDoubleClick);
    });
  } else {
    file1_model_ = new FileModel(this);
    list->setModel(file1_model_);
    list->setItemDelegate(new CutTextDelegate(list));
  }
  return list;
}

void qomde::CreateActions() {
  for (const form::Command& command : form_.commands()) {
    auto* action = new QAction(ToQString(command.caption), this);
    action->setObjectName(QLatin1String(command.name));
    action->setShortcut(ShortcutOf(command.key));
    action->setEnabled(command.enabled);
    if (command.places & form::kWindowKey) {
      addAction(action);
    } else {
      // The preview's keys work only on the table it adds them to.
      action->setShortcutContext(Qt::WidgetShortcut);
    }
    const form::CommandId id = command.id;
    connect(action, &QAction::triggered, this, [this, id] {
      form_.RunCommand(id, preview_ ? SelectedPreviewRows(*preview_) : std::vector<std::size_t>());
    });
    actions_.emplace(id, action);
  }
  for (ControlId id : {ControlId::Dir1, ControlId::File1}) {
    auto* list = static_cast<QListView*>(Control(id));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
      QMenu menu(list);
      for (const form::Command& command : form_.commands()) {
        if (command.places & form::kListMenu) menu.addAction(actions_.at(command.id));
      }
      menu.exec(list->viewport()->mapToGlobal(at));
    });
  }
}

void qomde::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  form_.FormResize();
}

void qomde::mouseMoveEvent(QMouseEvent* event) {
  // The labels pass their moves on to the window after handling them; only a move over the
  // bare surface is the window's own.
  if (childAt(event->position().toPoint()) == nullptr) form_.FormMouseMove();
  QWidget::mouseMoveEvent(event);
}

void qomde::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalPaths(*event->mimeData()).empty()) event->acceptProposedAction();
}

void qomde::dropEvent(QDropEvent* event) {
  const std::vector<std::filesystem::path> paths = LocalPaths(*event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  form_.FormDragDrop(paths);
}

bool qomde::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (watched == Control(ControlId::Label6)) form_.Label6MouseMove();
    if (watched == Control(ControlId::Label1)) form_.Label1MouseMove();
  }
  const int key =
      event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : Qt::Key_unknown;
  if (watched == dir1_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
    Dir1Gesture(dir1_->currentIndex(), form::RowGesture::kEnter);
    return true;
  }
  // A progress dialog without Cancel (an undo, which runs to its end) stays until the work is
  // done: Escape and the close box would otherwise hide it.
  const bool escape = key == Qt::Key_Escape;
  if (watched == progress_ && (escape || event->type() == QEvent::Close)) {
    event->ignore();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void qomde::Dir1Gesture(const QModelIndex& index, form::RowGesture gesture) {
  if (index.isValid() && form::OpensFolder(gesture)) {
    form_.Dir1Change(static_cast<std::size_t>(index.row()));
  }
}

void qomde::SetTextColor(ControlId control, form::Bgr color) {
  ui::SetTextColor(*Control(control), FromBgr(color));
}

void qomde::SetHeightTwips(ControlId control, int twips) {
  ui::SetHeightTwips(*Control(control), twips);
}

int qomde::OuterHeightTwips() const { return ui::OuterHeightTwips(*this); }

bool qomde::IsMinimized() const { return isMinimized(); }

bool qomde::IsSelected(ControlId option) const {
  return static_cast<const QRadioButton*>(Control(option))->isChecked();
}

void qomde::ShowDrives(const std::vector<std::u16string>& drives) {
  drive1_->clear();
  for (const std::u16string& drive : drives) drive1_->addItem(ToQString(drive));
}

void qomde::SelectDrive(std::optional<std::size_t> position) {
  drive1_->setCurrentIndex(position ? static_cast<int>(*position) : -1);
}

void qomde::ShowDirectories(const form::DirectoryRows& rows) { dir1_model_->Show(rows); }

void qomde::SelectDirectory(std::size_t row) {
  dir1_->setCurrentIndex(dir1_model_->index(static_cast<int>(row)));
}

void qomde::ShowFiles(const form::FileRows& rows) { file1_model_->Show(rows); }

void qomde::ShowCommand(const form::Command& command) {
  QAction* action = actions_.at(command.id);
  action->setText(ToQString(command.caption));
  action->setEnabled(command.enabled);
}

void qomde::ShowPreview(const form::PreviewRows& rows) {
  QList<QAction*> keys;
  QList<QAction*> buttons;
  for (const form::Command& command : form_.commands()) {
    if (command.places & form::kPreviewKey) keys << actions_.at(command.id);
    if (command.places & form::kPreviewButton) buttons << actions_.at(command.id);
  }
  QDialog* dialog = NewPreviewDialog(
      this, ToQString(form::kPreviewTitle), rows,
      [this](const std::vector<std::size_t>& ticked) {
        form_.RunCommand(form::CommandId::kTick, ticked);
      },
      keys, buttons);
  preview_ = dialog;
  dialog->exec();
  preview_ = nullptr;
  delete dialog;
}

void qomde::ShowPreviewRows(std::size_t first) {
  if (preview_) ui::ShowPreviewRows(*preview_, first);
}

void qomde::ClosePreview() {
  if (preview_) preview_->accept();
}

void qomde::ShowMessage(const form::Message& message) {
  if (report_) {
    report_(
        ToQString(message.details.empty() ? message.text : message.text + u'\n' + message.details));
  } else if (message.details.empty()) {
    QMessageBox::warning(this, windowTitle(), ToQString(message.text));
  } else {
    QDialog* dialog = NewMessageDialog(this, windowTitle(), message);
    dialog->exec();
    delete dialog;
  }
}

void qomde::ShowProgress(bool cancelable) {
  progress_ = new QProgressDialog(this);
  progress_->setObjectName(QStringLiteral("PassProgress"));
  progress_->setWindowTitle(windowTitle());
  progress_->setWindowModality(Qt::ApplicationModal);
  progress_->setAutoClose(false);
  progress_->setAutoReset(false);
  progress_->setMinimumDuration(0);
  progress_->setRange(0, present::kProgressScale);
  if (!cancelable) {
    progress_->setCancelButton(nullptr);
    progress_->installEventFilter(this);
  }
  progress_->show();
}

void qomde::RunAside(const std::function<void()>& work) {
  QEventLoop waiting;
  std::unique_ptr<QThread> thread(QThread::create(work));
  // Queued to this thread, so a work that ends before the loop starts still ends the loop.
  connect(thread.get(), &QThread::finished, &waiting, &QEventLoop::quit);
  thread->start();
  // The user's input waits until the work is done, as it would for a window that did the work
  // itself; the window repaints and resizes meanwhile.
  waiting.exec(QEventLoop::ExcludeUserInputEvents);
  thread->wait();
}

void qomde::LetEventsRun() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void qomde::UpdateProgress(const std::u16string& text, int permille) {
  progress_->setLabelText(ToQString(text));
  progress_->setValue(permille);
  // Re-entering the window here is safe: the dialog is application-modal, so only paints,
  // resizes and the dialog's own Cancel get through, and the form's handlers that would move
  // the lists or rename anything return at once while a pass runs.
  QCoreApplication::processEvents();
}

bool qomde::ProgressCanceled() const { return progress_ && progress_->wasCanceled(); }

void qomde::CloseProgress() {
  // Forgotten before it goes: hiding it on the way out runs the event filter, which must not
  // look at a dialog half torn down.
  QProgressDialog* dialog = progress_;
  progress_ = nullptr;
  delete dialog;
}

}  // namespace qomdex::ui
