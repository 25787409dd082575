#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/form/commands.h"
#include "ui/form/preview_rows.h"
#include "ui/win32/row_tooltips.h"
#include "ui/win32/win32.h"

namespace qomdex::win32 {

// The preview's window: the heading, the rows in a list view that holds none of them and asks for
// the texts and tick boxes of the rows it draws (so 100,000 rows show at once), a button for each
// of the form's commands that has one, and Close, over an owner that takes no input while it
// shows. Keeps a reference to `rows`, which must outlive it.
class PreviewWindow {
 public:
  // Runs a command of the form's with the rows selected in the list.
  using RunCommand = std::function<void(form::CommandId id, const std::vector<std::size_t>& rows)>;

  // Shows the window over `owner`, titled `title`, with the buttons and keys of `commands`, which
  // go to `run`, and disables the owner.
  PreviewWindow(HWND owner, const std::wstring& title, const form::PreviewRows& rows,
                const std::vector<form::Command>& commands, RunCommand run);
  // Closes the window and enables the owner again.
  ~PreviewWindow();
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  // Runs the messages until Close, Escape, the close box or Close() closes it.
  void Run();
  // Ends Run.
  void Close() { closed_ = true; }
  // The rows changed from `first` on, perhaps their count and the heading too: draws them again.
  void RowsChanged(std::size_t first);
  // A command's caption or state changed: its button follows.
  void CommandChanged(const form::Command& command);
  // Returns the window.
  HWND window() const { return window_; }
  // Returns the list view of the rows.
  HWND list() const { return list_; }
  // Returns the heading above the rows.
  HWND heading() const { return heading_; }
  // Returns the tooltip of a row: the whole of each of its texts the list draws cut short, one a
  // line, else empty (no tooltip).
  std::wstring RowTooltip(std::size_t index) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // Gives the list view the text and tick box of one cell it is about to draw.
  void GiveText(NMLVDISPINFOW& info) const;
  // Runs the command whose key in the preview is `key`, if any; returns whether one ran.
  bool RunKey(WORD key);
  std::vector<std::size_t> SelectedRows() const;
  LRESULT OnNotify(const NMHDR& header, LPARAM lparam);

  const form::PreviewRows& rows_;
  std::vector<form::Command> commands_;
  RunCommand run_;
  HWND owner_;
  HWND window_ = nullptr;
  HWND heading_ = nullptr;
  HWND list_ = nullptr;
  std::unique_ptr<RowTooltips> tooltips_;
  // Each command's button, by the command.
  std::vector<std::pair<form::CommandId, HWND>> buttons_;
  bool closed_ = false;
};

}  // namespace qomdex::win32
