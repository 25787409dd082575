#include "ui/win32/windows_of_view.h"

namespace qomdex::win32 {

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HICON icon) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  if (GetClassInfoExW(instance, name, &window_class)) return;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = icon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

HWND CreatePopupOver(HWND owner, const wchar_t* class_name, const std::wstring& title, DWORD style,
                     int width, int height, void* self) {
  const UINT dpi = GetDpiForWindow(owner);
  RECT frame{0, 0, Scaled(width, dpi), Scaled(height, dpi)};
  AdjustWindowRectExForDpi(&frame, style, FALSE, WS_EX_DLGMODALFRAME, dpi);
  RECT over{};
  GetWindowRect(owner, &over);
  const int outer_width = frame.right - frame.left;
  const int outer_height = frame.bottom - frame.top;
  return CreateWindowExW(WS_EX_DLGMODALFRAME, class_name, title.c_str(), style,
                         over.left + (over.right - over.left - outer_width) / 2,
                         over.top + (over.bottom - over.top - outer_height) / 2, outer_width,
                         outer_height, owner, nullptr, GetModuleHandleW(nullptr), self);
}

WORD VirtualKeyOf(const form::CommandKey& key) {
  switch (key.name) {
    case form::KeyName::kNone: return 0;
    // A letter's virtual key is its capital.
    case form::KeyName::kLetter: return static_cast<WORD>(key.letter);
    case form::KeyName::kF5: return VK_F5;
    case form::KeyName::kSpace: return VK_SPACE;
    case form::KeyName::kEnter: return VK_RETURN;
  }
  return 0;
}

void RunWaitingMessages(UINT filter, HWND dialog) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | filter)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (dialog != nullptr && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void RunUntilClosed(HWND dialog, const bool& closed) {
  MSG message{};
  while (!closed && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (!closed) PostQuitMessage(static_cast<int>(message.wParam));
}

}  // namespace qomdex::win32
