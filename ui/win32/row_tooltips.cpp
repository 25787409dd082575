#include "ui/win32/row_tooltips.h"

#include <utility>

namespace qomdex::win32 {

RowTooltips::RowTooltips(HWND owner, HWND control, RowAt row_at, TextOf text_of)
    : control_(control), row_at_(std::move(row_at)), text_of_(std::move(text_of)) {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // A long name breaks over lines rather than running off the screen.
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN) / 2);
  SetWindowSubclass(control, ControlProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

RowTooltips::~RowTooltips() {
  RemoveWindowSubclass(control_, ControlProcedure, 0);
  DestroyWindow(tooltip_);
}

bool RowTooltips::OnNotify(NMHDR& header) {
  if (header.hwndFrom != tooltip_ || header.code != TTN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(control_, &at);
  // No C++ exception may cross the system's message dispatch; a tooltip that cannot be made for
  // lack of memory shows nothing.
  try {
    row_ = row_at_(at);
    text_ = row_ < 0 ? std::wstring() : text_of_(row_);
  } catch (...) {
    text_.clear();
  }
  info.lpszText = text_.data();
  return true;
}

LRESULT CALLBACK RowTooltips::ControlProcedure(HWND control, UINT message, WPARAM wparam,
                                               LPARAM lparam, UINT_PTR, DWORD_PTR self) {
  if (message == WM_MOUSEMOVE) {
    auto* tooltips = reinterpret_cast<RowTooltips*>(self);
    const LRESULT row =
        tooltips->row_at_({static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
    if (row != tooltips->row_) {
      // The tooltip asks for its text once each time it shows: a new row starts it anew.
      tooltips->row_ = row;
      SendMessageW(tooltips->tooltip_, TTM_ACTIVATE, FALSE, 0);
      SendMessageW(tooltips->tooltip_, TTM_ACTIVATE, TRUE, 0);
    }
  }
  return DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace qomdex::win32
