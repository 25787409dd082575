#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/form/qomde.h"
#include "ui/form/view.h"

namespace qomdex::testing {

// A view that records what the form asks of it, with the answers a test sets.
class FakeView : public form::View {
 public:
  void SetTextColor(form::ControlId control, form::Bgr color) override;
  void SetHeightTwips(form::ControlId control, int twips) override;
  int OuterHeightTwips() const override { return outer_height_twips; }
  bool IsMinimized() const override { return minimized; }
  bool IsSelected(form::ControlId option) const override { return option == selected_option; }
  void ShowDrives(const std::vector<std::u16string>& texts) override { drives = texts; }
  void SelectDrive(std::optional<std::size_t> position) override { drive = position; }
  void ShowDirectories(const form::DirectoryRows& rows) override;
  void SelectDirectory(std::size_t row) override { dir1_row = row; }
  void ShowFiles(const form::FileRows& rows) override { files = rows; }
  void ShowCommand(const form::Command& command) override;
  void ShowPreview(const form::PreviewRows& rows) override;
  void ShowPreviewRows(std::size_t first) override { redrawn_from.push_back(first); }
  void ClosePreview() override { ++previews_closed; }
  void ShowMessage(const form::Message& message) override;
  // Runs the work on a thread of its own, as a toolkit's view does.
  void RunAside(const std::function<void()>& work) override;
  void LetEventsRun() override;
  void ShowProgress(bool cancelable) override;
  void UpdateProgress(const std::u16string& text, int permille) override;
  bool ProgressCanceled() const override { return canceled; }
  void CloseProgress() override { progress.push_back("close"); }

  // The texts of Dir1's rows after the current one, and of File1's rows, in ASCII.
  std::vector<std::string> Subfolders() const;
  std::vector<std::string> Files() const;
  // Opens a directory in Dir1 one folder at a time from the root, as a user would; returns
  // false when a folder on the way is not listed.
  bool Open(form::qomde& window, const std::filesystem::path& directory) const;

  // Answers.
  int outer_height_twips = 8500;
  bool minimized = false;
  form::ControlId selected_option = form::ControlId::OptFile;
  bool canceled = false;
  // Runs inside UpdateProgress and LetEventsRun, where a toolkit lets pending events run.
  std::function<void()> on_update;
  // Runs while the preview shows, as its user would, with the rows it shows.
  std::function<void(const form::PreviewRows&)> in_preview;

  // Records.
  std::vector<std::pair<form::ControlId, form::Bgr>> colors;
  std::map<form::ControlId, int> heights;
  std::vector<std::u16string> drives;
  std::optional<std::size_t> drive;
  form::DirectoryRows dir1;
  std::optional<std::size_t> dir1_row;
  form::FileRows files;
  std::u16string undo_text;  // the undo command's caption, as last shown
  bool undo_enabled = false;
  std::vector<form::PreviewRows> previews;  // as each preview opened
  std::vector<std::size_t> redrawn_from;    // the first row of each redraw of a preview
  int previews_closed = 0;                  // by the form
  std::vector<std::u16string> messages;     // the text, then a line break and the details
  std::vector<std::string> details;         // the details alone
  std::vector<std::string>
      progress;        // "show" or "show without Cancel", "update <permille>", "close"
  int asides = 0;      // works run aside
  int events_run = 0;  // times pending events were let run outside the progress window
};

// Returns ASCII text as the form's UTF-16 text, and back (non-ASCII shows as '?').
std::u16string U16(const std::string& text);
std::string Narrow(const std::u16string& text);

}  // namespace qomdex::testing
