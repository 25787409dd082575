#pragma once

#include <string>

#include "ui/form/commands.h"
#include "ui/win32/win32.h"

namespace qomdex::win32 {

// Returns a length in pixels at 96 dpi as pixels at `dpi`.
inline int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

// Registers a window class of the program's, once: the arrow cursor, the dialog face colour and
// `icon` (may be null). A class that cannot be registered shows when a window of it is created.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HICON icon = nullptr);

// Creates a window with a dialog frame and a client area of `width` by `height` pixels at 96 dpi,
// centred over `owner`, and hands `self` to its procedure (WindowObject). Returns null on failure.
HWND CreatePopupOver(HWND owner, const wchar_t* class_name, const std::wstring& title, DWORD style,
                     int width, int height, void* self);

// Returns the virtual key of a command's key, without its Ctrl; 0 for none.
WORD VirtualKeyOf(const form::CommandKey& key);

// Runs the messages waiting for this thread that `filter` lets through (PM_QS_* flags; 0 lets
// all through), each offered to `dialog`'s keyboard handling first when it is given. A quit
// request is put back for the main loop.
void RunWaitingMessages(UINT filter, HWND dialog = nullptr);

// Runs this thread's messages, each offered to `dialog`'s keyboard handling first, until
// `closed` is set (by `dialog`'s procedure). A quit request is put back for the main loop.
void RunUntilClosed(HWND dialog, const bool& closed);

// In a window procedure: keeps the object handed to CreateWindowExW when the window is created,
// and returns it; null before then.
template <typename Object>
Object* WindowObject(HWND window, UINT message, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace qomdex::win32
