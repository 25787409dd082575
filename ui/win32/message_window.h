#pragma once

#include <string>

#include "ui/form/texts.h"
#include "ui/win32/win32.h"

namespace qomdex::win32 {

// The window of a message with details: its text, then the details in a read-only box that
// scrolls and can be copied from, and OK, over an owner that takes no input while it shows.
// However long the details, it keeps its size.
class MessageWindow {
 public:
  // Shows the window over `owner`, titled `title`, and disables the owner.
  MessageWindow(HWND owner, const std::wstring& title, const form::Message& message);
  // Closes the window and enables the owner again.
  ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  // Runs the messages until OK, Escape or the close box is pressed.
  void Run();
  // Returns the window.
  HWND window() const { return window_; }
  // Returns the box of the details.
  HWND details() const { return details_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND owner_;
  HWND window_ = nullptr;
  HWND details_ = nullptr;
  bool closed_ = false;
};

}  // namespace qomdex::win32
