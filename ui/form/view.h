#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/form/commands.h"
#include "ui/form/control_table.h"
#include "ui/form/list_rows.h"
#include "ui/form/preview_rows.h"
#include "ui/form/texts.h"

namespace qomdex::form {

// What the window's form asks of a toolkit: show what the form decided, and answer what only
// the toolkit knows. A view decides nothing. No method throws.
class View {
 public:
  virtual ~View() = default;

  // Sets the colour a control draws its text in.
  virtual void SetTextColor(ControlId control, Bgr color) = 0;
  // Sets a control's height in twips; its place and width stay.
  virtual void SetHeightTwips(ControlId control, int twips) = 0;
  // Returns the window's outer height in twips, frame and title bar included.
  virtual int OuterHeightTwips() const = 0;
  // Returns true while the window is minimized.
  virtual bool IsMinimized() const = 0;
  // Returns true when an option button is selected.
  virtual bool IsSelected(ControlId option) const = 0;

  // Fills Drive1 with drives' texts, in order; none is selected.
  virtual void ShowDrives(const std::vector<std::u16string>& drives) = 0;
  // Selects the drive at a position of Drive1, or none.
  virtual void SelectDrive(std::optional<std::size_t> position) = 0;
  // Fills Dir1 with rows, keeping them until the next call.
  virtual void ShowDirectories(const DirectoryRows& rows) = 0;
  // Selects the row of Dir1 that stands for the directory shown.
  virtual void SelectDirectory(std::size_t row) = 0;
  // Fills File1 with rows, keeping them until the next call.
  virtual void ShowFiles(const FileRows& rows) = 0;

  // Shows a command's caption and whether it can be chosen, after either changed; its key and
  // places stay as the table built them.
  virtual void ShowCommand(const Command& command) = 0;
  // Shows the preview of what the command would do: its heading over its rows, with their tick
  // boxes, of which only those in view are asked for, and the keys and buttons of the form's
  // commands that belong to it; returns when it has been closed.
  virtual void ShowPreview(const PreviewRows& rows) = 0;
  // The rows of the preview that shows changed from `first` on, and with them its heading and
  // perhaps their count: draws them again.
  virtual void ShowPreviewRows(std::size_t first) = 0;
  // Closes the preview that shows; ShowPreview then returns.
  virtual void ClosePreview() = 0;
  // Shows the user one message, its details (if any) in a scrollable box that can be copied
  // from, and returns when it has been seen.
  virtual void ShowMessage(const Message& message) = 0;

  // Runs `work`, which throws nothing, to its end on a thread of its own, and meanwhile lets the
  // window's events other than the user's input run (the window repaints); returns when the
  // work is done.
  virtual void RunAside(const std::function<void()>& work) = 0;
  // Lets pending events other than the user's input run, so the window repaints mid-work.
  virtual void LetEventsRun() = 0;

  // Shows the progress window of a long pass or undo, with a Cancel button when `cancelable`; it
  // keeps the window's controls from taking input until CloseProgress.
  virtual void ShowProgress(bool cancelable) = 0;
  // Updates the progress window's text and bar (0 to present::kProgressScale), then lets pending
  // events run.
  virtual void UpdateProgress(const std::u16string& text, int permille) = 0;
  // Returns true once Cancel has been pressed in the progress window.
  virtual bool ProgressCanceled() const = 0;
  // Closes the progress window, if one shows.
  virtual void CloseProgress() = 0;
};

}  // namespace qomdex::form
