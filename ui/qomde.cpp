#include "ui/qomde.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <algorithm>
#include <cstdint>
#include <exception>
#include <utility>

#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "engine/undo.h"
#include "engine/version.h"
#include "ui/appearance.h"
#include "ui/directory_model.h"
#include "ui/file_model.h"
#include "ui/indent_delegate.h"
#include "ui/messages.h"
#include "ui/native_text.h"
#include "ui/pass_progress.h"
#include "ui/twips.h"
#include "ui/wrapping_button.h"

namespace qomdex::ui {
namespace {

constexpr int kClientWidth = 9510;
constexpr int kClientHeight = 7935;
constexpr TwipsRect kDrive1Place{120, 120, 3375, 315};
constexpr TwipsRect kDir1Place{120, 480, 3375, 7290};
constexpr TwipsRect kFile1Place{3480, 480, 3375, 7305};
constexpr TwipsRect kOptFilePlace{7560, 240, 1095, 615};
constexpr TwipsRect kOptFolderPlace{7560, 960, 1575, 615};
constexpr TwipsRect kCommand1Place{7200, 1800, 2175, 1455};
// The lists are as high as the window's outer height less this; a window that is not higher
// leaves them at their last height.
constexpr int kListHeightAllowance = 1000;

// Colours, as 0x00BBGGRR.
constexpr std::uint32_t kOptionText = 0x000000FF;  // red
constexpr std::uint32_t kLabel6Text = 0x00C0C0FF;  // light red
constexpr std::uint32_t kLabel6Lit = 0x000000FF;   // red
constexpr std::uint32_t kLabel6Back = 0x00C0FFFF;  // light yellow
constexpr std::uint32_t kCreditText = 0x00C0C000;  // teal, Label1's normal colour too
constexpr std::uint32_t kLabel1Lit = 0x00FFFF00;   // cyan
constexpr std::uint32_t kCreditBack = 0x00FFFFFF;  // white

constexpr int kCreditLeft = 7080;
constexpr int kCreditHeight = 300;

template <typename Control>
Control* Make(QWidget* window, const char* name, const TwipsRect& place) {
  auto* control = new Control(window);
  control->setObjectName(QLatin1String(name));
  Place(*control, place);
  return control;
}

// One line of the credit block, as wide as its text.
QLabel* MakeCreditLine(QWidget* window, const char* name, int top, const QString& text,
                       std::uint32_t text_color, std::uint32_t background) {
  auto* label = Make<QLabel>(window, name, {kCreditLeft, top, 0, kCreditHeight});
  label->setText(text);
  label->setFont(ClassicSansFont(12, QFont::Normal));
  SetColors(*label, FromBgr(text_color), FromBgr(background));
  label->resize(label->sizeHint().width(), label->height());
  return label;
}

QIcon ApplicationIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/qomdex-16.png"));
  icon.addFile(QStringLiteral(":/icons/qomdex-32.png"));
  return icon;
}

}  // namespace

qomde::qomde(Reporter report, QWidget* parent)
    : QWidget(parent),
      report_(std::move(report)),
      lists_(Fold),
      dir1_model_(new DirectoryModel(this)),
      file1_model_(new FileModel(this)) {
  if (!report_) {
    report_ = [this](const QString& message) {
      QMessageBox::warning(this, windowTitle(), message);
    };
  }
  setObjectName(QStringLiteral("qomde"));
  setWindowTitle(QStringLiteral("Remove Leading Numbers from file name"));
  setWindowIcon(ApplicationIcon());
  resize(TwipsToPixels(kClientWidth, logicalDpiX()), TwipsToPixels(kClientHeight, logicalDpiY()));
  setMouseTracking(true);

  CreateLists();
  CreateCommands();
  CreateCreditBlock();
  setTabOrder(Drive1, Dir1);
  setTabOrder(Dir1, File1);
  setTabOrder(File1, Command1);
  setTabOrder(Command1, OptFile);
  setTabOrder(OptFile, OptFolder);

  FormLoad();
}

void qomde::CreateLists() {
  Drive1 = Make<QComboBox>(this, "Drive1", kDrive1Place);
  for (const std::filesystem::path& drive : lists_.Drive1().drives()) {
    Drive1->addItem(PathText(drive));
  }
  connect(Drive1, &QComboBox::activated, this, &qomde::Drive1Change);

  Dir1 = Make<QListView>(this, "Dir1", kDir1Place);
  Dir1->setModel(dir1_model_);
  Dir1->setItemDelegate(new IndentDelegate(Dir1));
  connect(Dir1, &QListView::activated, this, &qomde::Dir1Change);

  File1 = Make<QListView>(this, "File1", kFile1Place);
  File1->setModel(file1_model_);

  // Every entry has the height of the first, so a list of 100,000 entries lays out at once.
  Dir1->setUniformItemSizes(true);
  File1->setUniformItemSizes(true);

  undo_action_ = new QAction(this);
  undo_action_->setObjectName(QStringLiteral("UndoLastRename"));
  undo_action_->setShortcut(QKeySequence::Undo);
  addAction(undo_action_);
  connect(undo_action_, &QAction::triggered, this, &qomde::UndoLastPass);
  UpdateUndoAction();
  for (QListView* list : {Dir1, File1}) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint& position) { ShowUndoMenu(list, position); });
  }
}

void qomde::CreateCommands() {
  OptFile = Make<QRadioButton>(this, "OptFile", kOptFilePlace);
  OptFile->setText(QStringLiteral("File"));
  OptFolder = Make<QRadioButton>(this, "OptFolder", kOptFolderPlace);
  OptFolder->setText(QStringLiteral("Folder"));
  for (QRadioButton* option : {OptFile, OptFolder}) {
    option->setFont(ClassicSansFont(18, QFont::Normal));
    SetTextColor(*option, FromBgr(kOptionText));
  }
  OptFile->setChecked(true);

  Command1 = Make<WrappingButton>(this, "Command1", kCommand1Place);
  Command1->setText(QStringLiteral("Remove Leading Numbers, Space, Dash, Underscore"));
  Command1->setFont(ClassicSansFont(9.75, QFont::Bold));
  connect(Command1, &QPushButton::clicked, this, &qomde::Command1Click);
}

void qomde::CreateCreditBlock() {
  Label6 = MakeCreditLine(this, "Label6", 5160, QStringLiteral("Prgram Developed By:"), kLabel6Text,
                          kLabel6Back);
  Label1 = MakeCreditLine(this, "Label1", 5520, QStringLiteral("qomdex developers"), kCreditText,
                          kCreditBack);
  Label2 = MakeCreditLine(this, "Label2", 5880,
                          QStringLiteral("Version %1").arg(QLatin1String(kVersionText)),
                          kCreditText, kCreditBack);
  Label4 = MakeCreditLine(this, "Label4", 6240, QStringLiteral("Cleans file names"), kCreditText,
                          kCreditBack);
  Label3 =
      MakeCreditLine(this, "Label3", 6600, QStringLiteral("MIT License"), kCreditText, kCreditBack);
  Label7 = MakeCreditLine(this, "Label7", 6960, QStringLiteral("Built with Qt 6"), kCreditText,
                          kCreditBack);
  Label5 =
      MakeCreditLine(this, "Label5", 7320, QStringLiteral("and ICU"), kCreditText, kCreditBack);
  for (QLabel* label : {Label6, Label1}) {
    label->setMouseTracking(true);
    label->installEventFilter(this);
  }
}

void qomde::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!pass_running_) FormResize();
}

void qomde::mouseMoveEvent(QMouseEvent* event) {
  // Label1 and Label6 pass their moves on to the window after handling them; only a move over
  // the bare surface is the window's own.
  if (childAt(event->position().toPoint()) == nullptr) FormMouseMove();
  QWidget::mouseMoveEvent(event);
}

bool qomde::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (watched == Label6) Label6MouseMove();
    if (watched == Label1) Label1MouseMove();
  }
  return QWidget::eventFilter(watched, event);
}

template <typename Work>
void qomde::Handle(Work&& work) {
  QString message;
  try {
    message = work();
  } catch (const std::filesystem::filesystem_error& error) {
    message = UnreadableMessage(error);
  } catch (const std::exception& error) {
    message = UnexpectedMessage(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    message = UnexpectedMessage({});
  }
  SyncViews();
  if (!message.isEmpty()) report_(message);
}

void qomde::FormLoad() {
  Handle([this] {
    state_ = PassState{};
    lists_.Load();
    return QString();
  });
}

void qomde::FormResize() {
  const int outer_height = OuterHeightTwips(*this);
  if (isMinimized() || outer_height <= kListHeightAllowance) return;
  SetHeightTwips(*Dir1, outer_height - kListHeightAllowance);
  SetHeightTwips(*File1, outer_height - kListHeightAllowance);
}

void qomde::FormMouseMove() {
  SetTextColor(*Label6, FromBgr(kLabel6Text));
  SetTextColor(*Label1, FromBgr(kCreditText));
}

void qomde::Label1MouseMove() { SetTextColor(*Label1, FromBgr(kLabel1Lit)); }

void qomde::Label6MouseMove() { SetTextColor(*Label6, FromBgr(kLabel6Lit)); }

void qomde::Drive1Change(int index) {
  Handle([this, index] {
    lists_.ChooseDrive(lists_.Drive1().drives().at(static_cast<std::size_t>(index)));
    return QString();
  });
}

void qomde::Dir1Change(const QModelIndex& index) {
  Handle([this, &index] {
    lists_.OpenDirectory(dir1_model_->PathAt(index.row()));
    return QString();
  });
}

void qomde::Command1Click() {
  pass_running_ = true;
  Handle([this] {
    PassProgress progress(this);
    const PassOptions options{.observer = &progress};
    PassReport report;
    if (OptFile->isChecked()) {
      report = FileRoutine(state_, lists_.File1(), lists_.File2(), options);
    }
    if (OptFolder->isChecked()) {
      report = FolderRoutine(state_, lists_.Dir1(), lists_.Dir2(), options);
    }
    last_renames_ = std::move(report.renamed);
    return FailureMessage(report);
  });
  pass_running_ = false;
  UpdateUndoAction();
  FormResize();
}

void qomde::UndoLastPass() {
  if (last_renames_.empty()) return;
  Handle([this] {
    const PassReport report = UndoRenames(last_renames_);
    last_renames_.clear();
    lists_.Dir1().Refresh();
    lists_.File1().Refresh();
    return FailureMessage(report);
  });
  UpdateUndoAction();
}

void qomde::ShowUndoMenu(QListView* list, const QPoint& position) {
  QMenu menu(list);
  menu.addAction(undo_action_);
  menu.exec(list->viewport()->mapToGlobal(position));
}

void qomde::UpdateUndoAction() {
  undo_action_->setText(
      QStringLiteral("Undo last rename (%1 entries)")
          .arg(QLocale().toString(static_cast<qulonglong>(last_renames_.size()))));
  undo_action_->setEnabled(!last_renames_.empty());
}

void qomde::SyncViews() {
  const auto& drives = lists_.Drive1().drives();
  const auto drive = std::find(drives.begin(), drives.end(), lists_.Drive1().drive());
  Drive1->setCurrentIndex(drive == drives.end() ? -1 : static_cast<int>(drive - drives.begin()));
  dir1_model_->Show(lists_.Dir1().state());
  Dir1->setCurrentIndex(dir1_model_->index(dir1_model_->CurrentRow()));
  file1_model_->Show(lists_.File1().state());
}

}  // namespace qomdex::ui
