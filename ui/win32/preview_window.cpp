#include "ui/win32/preview_window.h"

#include "ui/form/cut_text_tooltip.h"
#include "ui/form/texts.h"
#include "ui/win32/windows_of_view.h"

namespace qomdex::win32 {
namespace {

constexpr wchar_t kClassName[] = L"qomdexPreview";
// The window's client size and its controls, in pixels at 96 dpi.
constexpr int kWidth = 600;
constexpr int kHeight = 420;
constexpr int kMargin = 12;
constexpr int kHeadingHeight = 20;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 26;
constexpr int kNameColumnWidth = 270;

void AddColumn(HWND list, int position, const char16_t* head, int width) {
  std::wstring text = Wide(head);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = text.data();
  column.cx = width;
  column.iSubItem = position;
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(&column));
}

}  // namespace

PreviewWindow::PreviewWindow(HWND owner, const std::wstring& title, const form::PreviewRows& rows)
    : rows_(rows), owner_(owner) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterWindowClass(kClassName, Procedure);
  const UINT dpi = GetDpiForWindow(owner);
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  window_ = CreatePopupOver(owner, kClassName, title, kStyle, kWidth, kHeight, this);
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const int inner = Scaled(kWidth - 2 * kMargin, dpi);
  heading_ = CreateWindowExW(0, WC_STATICW, Wide(rows.heading()).c_str(),
                             WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, Scaled(kMargin, dpi),
                             Scaled(kMargin, dpi), inner, Scaled(kHeadingHeight, dpi), window_,
                             nullptr, nullptr, nullptr);
  const int list_top = kMargin + kHeadingHeight + kMargin / 2;
  // A list shows no text of its own; its window text is its name, which a screen reader reads.
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, Wide(form::kPreviewTitle).c_str(),
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA |
                              LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                          Scaled(kMargin, dpi), Scaled(list_top, dpi), inner,
                          Scaled(kHeight - list_top - 2 * kMargin - kButtonHeight, dpi), window_,
                          nullptr, nullptr, nullptr);
  const HWND close = CreateWindowExW(
      0, WC_BUTTONW, L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
      Scaled(kWidth - kMargin - kButtonWidth, dpi), Scaled(kHeight - kMargin - kButtonHeight, dpi),
      Scaled(kButtonWidth, dpi), Scaled(kButtonHeight, dpi), window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), nullptr, nullptr);
  for (HWND control : {heading_, list_, close}) {
    SendMessageW(control, WM_SETFONT, WPARAM(font), TRUE);
  }
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  // A row whose texts are cut short shows them whole in a tooltip.
  tooltips_ = std::make_unique<RowTooltips>(
      window_, list_,
      [this](POINT at) -> LRESULT {
        LVHITTESTINFO hit{};
        hit.pt = at;
        return SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      },
      [this](LRESULT row) { return RowTooltip(static_cast<std::size_t>(row)); });
  const int name_width = Scaled(kNameColumnWidth, dpi);
  AddColumn(list_, 0, form::kPreviewNameHead, name_width);
  AddColumn(list_, 1, form::kPreviewResultHead, name_width);
  // The last column fills the rest of the list's width.
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
  // The list holds no rows: it only knows how many there are, and asks for the texts it draws.
  SendMessageW(list_, LVM_SETITEMCOUNT, rows.count(), LVSICF_NOINVALIDATEALL);
  // The window is modal: its owner takes no input until it closes.
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetFocus(list_);
}

PreviewWindow::~PreviewWindow() {
  tooltips_.reset();
  EnableWindow(owner_, TRUE);
  DestroyWindow(window_);
}

void PreviewWindow::Run() { RunUntilClosed(window_, closed_); }

void PreviewWindow::GiveText(NMLVDISPINFOW& info) const {
  if ((info.item.mask & LVIF_TEXT) == 0 || info.item.cchTextMax <= 0) return;
  const auto index = static_cast<std::size_t>(info.item.iItem);
  if (info.item.iItem < 0 || index >= rows_.count()) return;
  const form::PreviewRows::Row row = rows_.row(index);
  const std::wstring text = Wide(info.item.iSubItem == 0 ? row.name : row.result);
  // The list copies the text at once; it is cut to the room the list gives.
  lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
}

std::wstring PreviewWindow::RowTooltip(std::size_t index) const {
  if (index >= rows_.count()) return {};
  const form::PreviewRows::Row row = rows_.row(index);
  // The list keeps this much room beside a cell's text, on its two sides together.
  const int padding = Scaled(12, GetDpiForWindow(window_));
  const auto cut = [&](const std::u16string& text, int column) {
    const std::wstring wide = Wide(text);
    const auto width = static_cast<int>(
        SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
    return width + padding > static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, column, 0));
  };
  return Wide(
      form::CutTextTooltip({{row.name, cut(row.name, 0)}, {row.result, cut(row.result, 1)}}));
}

LRESULT CALLBACK PreviewWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = WindowObject<PreviewWindow>(window, message, lparam);
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  // Close, Enter, Escape and the close box all close the window.
  if ((message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) ||
      message == WM_CLOSE) {
    self->closed_ = true;
    return 0;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lparam);
    if (header->hwndFrom == self->list_ && header->code == LVN_GETDISPINFOW) {
      // No C++ exception may cross the system's message dispatch; a row that cannot be made for
      // lack of memory shows empty.
      try {
        self->GiveText(*reinterpret_cast<NMLVDISPINFOW*>(lparam));
      } catch (...) {
      }
      return 0;
    }
    if (self->tooltips_ && self->tooltips_->OnNotify(*header)) return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace qomdex::win32
