#include "ui/win32/message_window.h"

#include "ui/win32/windows_of_view.h"

namespace qomdex::win32 {
namespace {

constexpr wchar_t kClassName[] = L"qomdexMessage";
// The window's client size and its controls, in pixels at 96 dpi.
constexpr int kWidth = 520;
constexpr int kHeight = 330;
constexpr int kMargin = 12;
constexpr int kTextHeight = 36;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 26;

// An edit box breaks lines only at "\r\n".
std::wstring EditLines(const std::u16string& text) {
  std::wstring lines;
  for (const char16_t c : text) {
    if (c == u'\n') lines.push_back(L'\r');
    lines.push_back(static_cast<wchar_t>(c));
  }
  return lines;
}

}  // namespace

MessageWindow::MessageWindow(HWND owner, const std::wstring& title, const form::Message& message)
    : owner_(owner) {
  RegisterWindowClass(kClassName, Procedure);
  const UINT dpi = GetDpiForWindow(owner);
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  window_ = CreatePopupOver(owner, kClassName, title, kStyle, kWidth, kHeight, this);
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const int inner = Scaled(kWidth - 2 * kMargin, dpi);
  const HWND text = CreateWindowExW(0, WC_STATICW, EditLines(message.text).c_str(),
                                    WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                    Scaled(kMargin, dpi), Scaled(kMargin, dpi), inner,
                                    Scaled(kTextHeight, dpi), window_, nullptr, nullptr, nullptr);
  const int details_top = kMargin + kTextHeight + kMargin / 2;
  details_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, EditLines(message.details).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                                 ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                             Scaled(kMargin, dpi), Scaled(details_top, dpi), inner,
                             Scaled(kHeight - details_top - 2 * kMargin - kButtonHeight, dpi),
                             window_, nullptr, nullptr, nullptr);
  const HWND ok = CreateWindowExW(
      0, WC_BUTTONW, L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
      Scaled(kWidth - kMargin - kButtonWidth, dpi), Scaled(kHeight - kMargin - kButtonHeight, dpi),
      Scaled(kButtonWidth, dpi), Scaled(kButtonHeight, dpi), window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
  for (HWND control : {text, details_, ok}) SendMessageW(control, WM_SETFONT, WPARAM(font), TRUE);
  // The window is modal: its owner takes no input until it closes.
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetFocus(ok);
}

MessageWindow::~MessageWindow() {
  EnableWindow(owner_, TRUE);
  DestroyWindow(window_);
}

void MessageWindow::Run() { RunUntilClosed(window_, closed_); }

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = WindowObject<MessageWindow>(window, message, lparam);
  // OK, Escape and the close box all close the window.
  const bool close =
      (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) ||
      message == WM_CLOSE;
  if (close && self) {
    self->closed_ = true;
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace qomdex::win32
