#pragma once

#include <string>

#include "ui/win32/win32.h"

namespace qomdex::win32 {

// The progress window of a long pass or undo: a line of text, a bar and a Cancel button, over an
// owner window that takes no input while it shows.
class ProgressWindow {
 public:
  // Shows the window over `owner`, titled `title`, with Cancel when `cancelable`, and disables
  // the owner.
  ProgressWindow(HWND owner, const std::wstring& title, bool cancelable);
  // Closes the window and enables the owner again.
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  // Shows a text and a bar position (0 to present::kProgressScale), then runs the messages that
  // are waiting.
  void Update(const std::wstring& text, int permille);
  // Returns true once Cancel has been pressed.
  bool canceled() const { return canceled_; }
  // Returns the window.
  HWND window() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND owner_;
  HWND window_ = nullptr;
  HWND text_ = nullptr;
  HWND bar_ = nullptr;
  bool cancelable_;
  bool canceled_ = false;
};

}  // namespace qomdex::win32
