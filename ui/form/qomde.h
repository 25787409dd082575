#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/pass_report.h"
#include "engine/pass_state.h"
#include "location/entry_list.h"
#include "location/location_lists.h"
#include "ui/form/commands.h"
#include "ui/form/list_rows.h"
#include "ui/form/pass_progress.h"
#include "ui/form/view.h"

namespace qomdex::form {

// The main window without its toolkit: it owns the five location lists and the pass state for
// its whole life, handles every event the view forwards, and tells the view what to show. No
// handler throws: whatever fails is shown to the user as one message, and the window goes on.
class qomde {
 public:
  // Keeps `view`, which must outlive the form; `now` tells the time for the progress policy.
  // Reads nothing until FormLoad.
  explicit qomde(View& view, PassProgress::Now now = PassProgress::Clock::now);
  qomde(const qomde&) = delete;
  qomde& operator=(const qomde&) = delete;

  // Resets the pass state and stands every list on `folder` (a file: its folder), Drive1 on its
  // drive; without one, or when it cannot be read (which a message reports), on the start
  // location. Reads the disk.
  void FormLoad(const std::optional<std::filesystem::path>& folder = std::nullopt);
  // Sets Dir1's and File1's heights to the window's outer height less 1000 twips.
  void FormResize();
  // The pointer is over the bare window surface: both hover labels go back to normal.
  void FormMouseMove();
  // The pointer is over Label1: it lights up.
  void Label1MouseMove();
  // The pointer is over Label6: it lights up.
  void Label6MouseMove();
  // The user picked the drive at a position of Drive1. Reads the disk.
  void Drive1Change(std::size_t position);
  // The user opened the folder at a row of Dir1. Reads the disk.
  void Dir1Change(std::size_t row);
  // Paths were dropped on the window: the lists move to the first, a folder or a file's folder,
  // Drive1 to its drive; one that cannot be read is reported and nothing moves. Reads the disk.
  void FormDragDrop(const std::vector<std::filesystem::path>& paths);
  // Runs the pass the selected option chooses over the directory the lists stand on. Renames.
  void Command1Click();
  // Shows what the pass the selected option chooses would do, from a dry run over the directory
  // the lists stand on, with the progress window of a pass, every row that would be renamed
  // ticked. Renames nothing and leaves the copy numbers of the next pass as they were, unless the
  // user chooses Rename in the preview: the pass then runs as Command1Click runs it, leaving out
  // the entries unticked. Reads the disk.
  void Preview();
  // Ticks or unticks rows of the preview that shows (see LeftOutNames::Toggle), and shows the
  // rows the pass would now give, from the first one toggled on. Reads the disk.
  void TickPreviewRows(const std::vector<std::size_t>& rows);
  // Gives the entries the last pass renamed their old names back, last first, with the progress
  // window of a pass. Renames.
  void UndoLastPass();
  // Re-reads the drives and the lists where they stand (F5). Reads the disk.
  void Refresh();
  // Runs a command of the table, unless it cannot be chosen now; `rows` are the preview's
  // selected rows, which the tick command ticks or unticks.
  void RunCommand(CommandId id, const std::vector<std::size_t>& rows = {});
  // Returns every command as it stands now: the views build their keys and menus from it.
  const std::vector<Command>& commands() const { return commands_; }

 private:
  // What a preview that shows holds.
  struct PreviewSession {
    explicit PreviewSession(EntryKind pass) : kind(pass) {}
    EntryKind kind;
    PreviewRows rows;
    LeftOutNames left_out;
    bool rename = false;  // Rename was chosen
    bool failed = false;  // a tick's rows could not be recomputed
  };

  template <typename Work>
  void Handle(Work&& work);
  // Runs `work` aside (see View::RunAside) and throws here what it threw.
  void RunAside(const std::function<void()>& work);
  // Runs the pass `kind` chooses, or none, leaving out what `leave_out` names. Renames.
  void RunChosenPass(std::optional<EntryKind> kind, const LeaveOut& leave_out);
  // Returns the rows of the preview's pass run dry, leaving out what its user unticked, or none
  // when `progress` stopped it. Reads the disk; touches nothing of the window's.
  std::optional<PreviewRows> DryRunPreview(PassObserver& progress);
  // Sets whether the preview's commands can be chosen: only while it shows, Rename only while a
  // row is ticked.
  void ShowPreviewCommands(bool shown);
  // Handles a move of the lists (or a first stand), unless the window is busy.
  template <typename Work>
  void Navigate(Work&& work);
  // When `error` says that `folder`, the folder the lists stand on, is no longer there, moves the
  // lists to the nearest folder above it that can be read (the start location when none can) and
  // returns the message that says so; otherwise returns nothing and moves nothing. Reads the
  // disk; throws std::filesystem::filesystem_error when not even the start location can be read.
  std::optional<Message> LeaveIfGone(const std::filesystem::path& folder,
                                     const std::error_code& error);
  // The same for the first directory a pass or an undo could not re-read.
  std::optional<Message> LeaveIfGone(const PassReport& report);
  void SyncViews();
  // Sets a command's caption and whether it can be chosen, and shows it.
  void UpdateCommand(CommandId id, std::u16string caption, bool enabled);
  // Shows the undo command for the last pass's renames, naming their folder when the lists
  // stand on another.
  void ShowUndo();
  // Returns the pass the selected option runs: Folder's or File's; none while neither is.
  std::optional<EntryKind> ChosenPass() const;

  View& view_;
  PassProgress::Now now_;
  PassState state_;
  LocationLists lists_;
  // The renames of the last pass, in memory only, for undo.
  RenameRecord last_renames_;
  // Set while a handler reads or renames: the view lets events run meanwhile, and any handler
  // they reach that would move a list or rename returns at once.
  bool busy_ = false;
  bool resize_skipped_ = false;
  // What the view shows, so that a list whose snapshot is unchanged keeps its place.
  std::vector<std::u16string> shown_drives_;
  EntryList::State shown_dir1_;
  EntryList::State shown_file1_;
  DirectoryRows dir1_rows_;
  std::vector<Command> commands_ = CommandTable();
  std::optional<PreviewSession> preview_;
};

}  // namespace qomdex::form
