#include "ui/form/qomde.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <utility>

#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "engine/pass.h"
#include "engine/undo.h"
#include "location/platform.h"
#include "location/text_encoding.h"
#include "ui/form/texts.h"

namespace qomdex::form {
namespace {

// The lists are as high as the window's outer height less this.
constexpr int kListHeightAllowance = 1000;

// Holds a flag up for one scope, however the scope is left.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
};

// Follows a dry run that runs to its end.
class ToTheEnd : public PassObserver {
 public:
  bool EntryDone(std::size_t, std::size_t, const NativeString&) override { return true; }
};

bool SameSnapshot(const EntryList::State& a, const EntryList::State& b) {
  return a.names == b.names && a.path == b.path;
}

}  // namespace

qomde::qomde(View& view, PassProgress::Now now) : view_(view), now_(std::move(now)), lists_(Fold) {
  // A large directory takes most of a second to list; read aside, the window keeps repainting.
  lists_.SetReadingRunner([this](const std::function<void()>& reading) { RunAside(reading); });
}

void qomde::RunAside(const std::function<void()>& work) {
  std::exception_ptr failure;
  view_.RunAside([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  if (failure) std::rethrow_exception(failure);
}

template <typename Work>
void qomde::Handle(Work&& work) {
  Message message;
  try {
    message = work();
  } catch (const std::filesystem::filesystem_error& error) {
    message = UnreadableMessage(error);
    try {
      if (std::optional<Message> moved = LeaveIfGone(error.path1(), error.code())) message = *moved;
    } catch (...) {
      // Nowhere left to move to: the lists stay where they were, and the reason shows.
    }
  } catch (const std::bad_alloc&) {
    message = MemoryMessage();
  } catch (const std::exception& error) {
    message = UnexpectedMessage(error.what());
  } catch (...) {
    message = UnexpectedMessage({});
  }
  try {
    SyncViews();
    if (!message.text.empty()) view_.ShowMessage(message);
  } catch (...) {
    // Only a lack of memory gets here, and then nothing is left to show it with; the window
    // goes on with what it shows.
  }
}

template <typename Work>
void qomde::Navigate(Work&& work) {
  if (busy_) return;
  {
    const ScopedFlag busy(busy_);
    Handle(std::forward<Work>(work));
  }
  if (resize_skipped_) FormResize();
}

void qomde::FormLoad(const std::optional<std::filesystem::path>& folder) {
  Navigate([&] {
    state_ = PassState{};
    Message message;
    if (folder) {
      try {
        lists_.OpenOn(*folder);
        return message;
      } catch (const std::filesystem::filesystem_error& error) {
        message = UnreadableMessage(error);
      }
    }
    lists_.Load();
    return message;
  });
}

void qomde::FormResize() {
  // The window repaints and resizes while it reads or renames; the lists follow once it is done.
  if (busy_) {
    resize_skipped_ = true;
    return;
  }
  resize_skipped_ = false;
  const int outer_height = view_.OuterHeightTwips();
  // A minimized window, or one too low for any list, leaves the lists at their last height.
  if (view_.IsMinimized() || outer_height <= kListHeightAllowance) return;
  view_.SetHeightTwips(ControlId::Dir1, outer_height - kListHeightAllowance);
  view_.SetHeightTwips(ControlId::File1, outer_height - kListHeightAllowance);
}

void qomde::FormMouseMove() {
  view_.SetTextColor(ControlId::Label6, kLabel6Normal);
  view_.SetTextColor(ControlId::Label1, kLabel1Normal);
}

void qomde::Label1MouseMove() { view_.SetTextColor(ControlId::Label1, kLabel1Lit); }

void qomde::Label6MouseMove() { view_.SetTextColor(ControlId::Label6, kLabel6Lit); }

void qomde::Drive1Change(std::size_t position) {
  Navigate([this, position] {
    lists_.ChooseDrive(lists_.Drive1().drives().at(position));
    return Message();
  });
}

void qomde::Dir1Change(std::size_t row) {
  Navigate([this, row] {
    lists_.OpenDirectory(dir1_rows_.PathAt(row));
    return Message();
  });
}

void qomde::FormDragDrop(const std::vector<std::filesystem::path>& paths) {
  // Of several entries dropped at once, the first says where the lists go.
  if (paths.empty()) return;
  Navigate([&] {
    lists_.OpenOn(paths.front());
    return Message();
  });
}

void qomde::Command1Click() { RunChosenPass(ChosenPass(), {}); }

void qomde::RunChosenPass(std::optional<EntryKind> kind, const LeaveOut& leave_out) {
  // The progress window keeps input away from the window mid-pass; this holds for any input
  // that reaches a handler all the same.
  if (busy_) return;
  {
    const ScopedFlag running(busy_);
    // A pass cut short by a failure it does not report (memory running out) leaves no renames
    // to undo rather than the last pass's, whose names have moved on.
    last_renames_ = {};
    Handle([&] {
      PassProgress progress(view_, now_);
      const PassOptions options{.observer = &progress, .leave_out = leave_out};
      PassReport report;
      if (kind) {
        try {
          report = *kind == EntryKind::kFolder
                       ? FolderRoutine(state_, lists_.Dir1(), lists_.Dir2(), options)
                       : FileRoutine(state_, lists_.File1(), lists_.File2(), options);
        } catch (const std::bad_alloc&) {
          // The pass ended before re-reading the lists: they show the names it renamed by
          // their old ones, which the next pass would try again. Re-read them if memory allows.
          try {
            lists_.Dir1().Refresh();
            lists_.File1().Refresh();
          } catch (...) {
            // Then the lists stay as they were; the message says memory ran out.
          }
          throw;
        }
      }
      last_renames_ = std::move(report.renamed);
      return Joined(ReportMessage(Action::kPass, report), LeaveIfGone(report));
    });
  }
  FormResize();
}

void qomde::Preview() {
  if (busy_ || preview_) return;
  const std::optional<EntryKind> kind = ChosenPass();
  if (!kind) return;
  preview_.emplace(*kind);
  bool shown = false;
  {
    const ScopedFlag running(busy_);
    Handle([&] {
      PassProgress progress(view_, now_, Action::kPreview);
      std::optional<PreviewRows> rows = DryRunPreview(progress);
      if (rows) preview_->rows = std::move(*rows);
      shown = rows.has_value();
      return Message();
    });
  }
  FormResize();
  if (shown) {
    ShowPreviewCommands(true);
    view_.ShowPreview(preview_->rows);
    ShowPreviewCommands(false);
  }
  // The renames are what the user ticked, left out as the preview last showed them.
  const LeftOutNames left_out = std::move(preview_->left_out);
  const bool rename = shown && preview_->rename;
  preview_.reset();
  if (rename) RunChosenPass(kind, left_out.ForPass());
}

std::optional<PreviewRows> qomde::DryRunPreview(PassObserver& progress) {
  const EntryKind kind = preview_->kind;
  PreviewRows found(kind == EntryKind::kFolder, lists_.Visible(kind).count());
  PreviewRecorder recorder(found, progress);
  const PassOptions options{.dry_run = true,
                            .observer = &recorder,
                            .keep_renamed = false,
                            .leave_out = preview_->left_out.Recording(found)};
  // The dry run counts copy numbers on a copy of the window's state, so the next pass starts
  // from the same count and gives the names shown here.
  PassState state = state_;
  const PassReport report =
      RunPass(kind, state, lists_.Visible(kind), lists_.Mirror(kind), options);
  // Rows cut short by Cancel would tell only part of the story.
  if (report.stopped) return std::nullopt;
  return found;
}

void qomde::TickPreviewRows(const std::vector<std::size_t>& rows) {
  if (busy_ || !preview_ || preview_->failed) return;
  const std::size_t first = preview_->left_out.Toggle(preview_->rows, rows);
  if (first == preview_->rows.count()) return;
  bool recomputed = false;
  {
    const ScopedFlag running(busy_);
    Handle([&] {
      // Each row after the first one toggled may now get another new name or copy number; the
      // dry run is read aside, so the window repaints meanwhile.
      std::optional<PreviewRows> found;
      RunAside([&] {
        ToTheEnd observer;
        found = DryRunPreview(observer);
      });
      // Replaced here, not aside: the preview draws its rows meanwhile.
      if (found) preview_->rows = std::move(*found);
      recomputed = found.has_value();
      return Message();
    });
  }
  if (!recomputed) {
    // The folder can no longer be read, and the lists may have moved on from it: what the rows
    // show can no longer be renamed, so the preview closes and renames nothing.
    preview_->failed = true;
    ShowPreviewCommands(false);
    view_.ClosePreview();
    return;
  }
  ShowPreviewCommands(true);
  view_.ShowPreviewRows(first);
}

void qomde::ShowPreviewCommands(bool shown) {
  UpdateCommand(CommandId::kTick, kTickCommand, shown);
  UpdateCommand(CommandId::kRename, kRenameCommand, shown && preview_->rows.ticked() > 0);
}

void qomde::UndoLastPass() {
  if (busy_ || last_renames_.empty()) return;
  {
    const ScopedFlag running(busy_);
    Handle([this] {
      PassProgress progress(view_, now_, last_renames_.size());
      PassReport report = UndoRenames(last_renames_, {.observer = &progress});
      last_renames_ = {};
      // Both visible lists may show names the undo changed. A list that cannot be re-read joins
      // the report, as after a pass, so it never hides the undo's own failures.
      RefreshAfterPass(lists_.Dir1(), {}, report);
      RefreshAfterPass(lists_.File1(), {}, report);
      return Joined(ReportMessage(Action::kUndo, report), LeaveIfGone(report));
    });
  }
  FormResize();
}

void qomde::Refresh() {
  Navigate([this] {
    lists_.Drive1().Refresh();
    // A list that cannot be read stays as it was; both stand on the same directory, so the
    // second fails only when the directory went between the two readings.
    lists_.Dir1().Refresh();
    lists_.File1().Refresh();
    return Message();
  });
}

std::optional<Message> qomde::LeaveIfGone(const std::filesystem::path& folder,
                                          const std::error_code& error) {
  const std::filesystem::path gone = lists_.Dir1().path();
  if (folder != gone || !platform::IsMissingDirectory(error)) return std::nullopt;
  for (std::filesystem::path above = gone.parent_path(); !above.empty();
       above = above.parent_path()) {
    try {
      lists_.OpenDirectory(above);
      return MovedUpMessage(gone, above);
    } catch (const std::filesystem::filesystem_error&) {
      // Gone too, or not to be read: the next folder up may do.
    }
    if (above == above.parent_path()) break;
  }
  // Not even the root is left (a drive taken away): the start location is.
  lists_.Load();
  return MovedUpMessage(gone, lists_.Dir1().path());
}

std::optional<Message> qomde::LeaveIfGone(const PassReport& report) {
  for (const PassReport::Failure& failure : report.failures) {
    if (failure.kind != PassReport::FailureKind::kUnreadableDirectory) continue;
    if (std::optional<Message> moved = LeaveIfGone(failure.path, failure.error)) return moved;
  }
  return std::nullopt;
}

std::optional<EntryKind> qomde::ChosenPass() const {
  if (view_.IsSelected(ControlId::OptFolder)) return EntryKind::kFolder;
  if (view_.IsSelected(ControlId::OptFile)) return EntryKind::kFile;
  return std::nullopt;
}

void qomde::RunCommand(CommandId id, const std::vector<std::size_t>& rows) {
  const auto command = std::ranges::find(commands_, id, &Command::id);
  if (command == commands_.end() || !command->enabled) return;
  switch (id) {
    case CommandId::kPreview: Preview(); break;
    case CommandId::kUndo: UndoLastPass(); break;
    case CommandId::kRefresh: Refresh(); break;
    case CommandId::kTick: TickPreviewRows(rows); break;
    case CommandId::kRename:
      if (!preview_ || preview_->failed || busy_) break;
      preview_->rename = true;
      view_.ClosePreview();
      break;
  }
}

void qomde::UpdateCommand(CommandId id, std::u16string caption, bool enabled) {
  const auto command = std::ranges::find(commands_, id, &Command::id);
  command->caption = std::move(caption);
  command->enabled = enabled;
  view_.ShowCommand(*command);
}

void qomde::ShowUndo() {
  // An undo acts in the folder of the pass, which the lists may have left since.
  std::filesystem::path elsewhere;
  if (!last_renames_.empty() && (*last_renames_.begin()).directory != lists_.Dir1().path()) {
    elsewhere = (*last_renames_.begin()).directory;
  }
  UpdateCommand(CommandId::kUndo, UndoText(last_renames_.size(), elsewhere),
                !last_renames_.empty());
}

void qomde::SyncViews() {
  const std::vector<std::filesystem::path>& drives = lists_.Drive1().drives();
  std::vector<std::u16string> drive_texts;
  for (const std::filesystem::path& drive : drives)
    drive_texts.push_back(NativeToUtf16(drive.native()));
  if (drive_texts != shown_drives_) {
    view_.ShowDrives(drive_texts);
    shown_drives_ = std::move(drive_texts);
  }
  const auto drive = std::ranges::find(drives, lists_.Drive1().drive());
  view_.SelectDrive(drive == drives.end() ? std::nullopt
                                          : std::optional<std::size_t>(drive - drives.begin()));

  if (!SameSnapshot(lists_.Dir1().state(), shown_dir1_)) {
    shown_dir1_ = lists_.Dir1().state();
    dir1_rows_ = DirectoryRows(shown_dir1_);
    view_.ShowDirectories(dir1_rows_);
  }
  // Dir1's selection follows the directory shown, also after a folder failed to open.
  if (const std::optional<std::size_t> row = dir1_rows_.current_row()) view_.SelectDirectory(*row);

  if (!SameSnapshot(lists_.File1().state(), shown_file1_)) {
    shown_file1_ = lists_.File1().state();
    view_.ShowFiles(FileRows(shown_file1_));
  }
  // The undo command's caption follows both the last pass and where the lists stand.
  ShowUndo();
}

}  // namespace qomdex::form
