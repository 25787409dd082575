#pragma once

#include <memory>
#include <string>

#include "ui/form/preview_rows.h"
#include "ui/win32/row_tooltips.h"
#include "ui/win32/win32.h"

namespace qomdex::win32 {

// The preview's window: the heading, the rows in a list view that holds none of them and asks for
// the texts of the rows it draws (so 100,000 rows show at once), and Close, over an owner that
// takes no input while it shows. Keeps a reference to `rows`, which must outlive it.
class PreviewWindow {
 public:
  // Shows the window over `owner`, titled `title`, and disables the owner.
  PreviewWindow(HWND owner, const std::wstring& title, const form::PreviewRows& rows);
  // Closes the window and enables the owner again.
  ~PreviewWindow();
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  // Runs the messages until Close, Escape or the close box is pressed.
  void Run();
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
  // Gives the list view the text of one cell it is about to draw.
  void GiveText(NMLVDISPINFOW& info) const;

  const form::PreviewRows& rows_;
  HWND owner_;
  HWND window_ = nullptr;
  HWND heading_ = nullptr;
  HWND list_ = nullptr;
  std::unique_ptr<RowTooltips> tooltips_;
  bool closed_ = false;
};

}  // namespace qomdex::win32
