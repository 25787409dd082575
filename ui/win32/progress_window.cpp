#include "ui/win32/progress_window.h"

#include "present/progress_scale.h"
#include "ui/win32/windows_of_view.h"

namespace qomdex::win32 {
namespace {

constexpr wchar_t kClassName[] = L"qomdexProgress";
constexpr int kCancelId = IDCANCEL;
// The window's client size and its controls, in pixels at 96 dpi.
constexpr int kWidth = 360;
constexpr int kHeight = 130;

}  // namespace

ProgressWindow::ProgressWindow(HWND owner, const std::wstring& title, bool cancelable)
    : owner_(owner), cancelable_(cancelable) {
  RegisterWindowClass(kClassName, Procedure);
  const UINT dpi = GetDpiForWindow(owner);
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
  window_ = CreatePopupOver(owner, kClassName, title, kStyle, kWidth, kHeight, this);
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  text_ = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                          Scaled(12, dpi), Scaled(10, dpi), Scaled(336, dpi), Scaled(36, dpi),
                          window_, nullptr, nullptr, nullptr);
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, Scaled(12, dpi),
                         Scaled(54, dpi), Scaled(336, dpi), Scaled(18, dpi), window_, nullptr,
                         nullptr, nullptr);
  const HWND cancel =
      CreateWindowExW(0, WC_BUTTONW, L"Cancel",
                      WS_CHILD | (cancelable ? WS_VISIBLE : 0u) | WS_TABSTOP | BS_DEFPUSHBUTTON,
                      Scaled(264, dpi), Scaled(88, dpi), Scaled(84, dpi), Scaled(26, dpi), window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelId)), nullptr, nullptr);
  for (HWND control : {text_, cancel}) SendMessageW(control, WM_SETFONT, WPARAM(font), TRUE);
  SendMessageW(bar_, PBM_SETRANGE32, 0, present::kProgressScale);
  // The window is modal: its owner takes no input until it closes.
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

ProgressWindow::~ProgressWindow() {
  EnableWindow(owner_, TRUE);
  DestroyWindow(window_);
}

void ProgressWindow::Update(const std::wstring& text, int permille) {
  SetWindowTextW(text_, text.c_str());
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(permille), 0);
  // Running the waiting messages here is safe: the owner is disabled, so only paints, moves of
  // this window and its Cancel get through, and the form's handlers that would move the lists or
  // rename anything return at once while a pass runs.
  RunWaitingMessages(0, window_);
}

LRESULT CALLBACK ProgressWindow::Procedure(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  auto* self = WindowObject<ProgressWindow>(window, message, lparam);
  // Cancel, Escape and the close box all stop the pass after the current entry.
  const bool cancel = (message == WM_COMMAND && LOWORD(wparam) == kCancelId) ||
                      (message == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_CLOSE);
  if (cancel && self) {
    // Without Cancel (an undo, which runs to its end) the window stays until the work is done.
    if (self->cancelable_) self->canceled_ = true;
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace qomdex::win32
