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
// The WM_COMMAND id of the button of the command at a place of the table is this plus the place.
constexpr int kFirstButton = 2000;

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

PreviewWindow::PreviewWindow(HWND owner, const std::wstring& title, const form::PreviewRows& rows,
                             const std::vector<form::Command>& commands, RunCommand run)
    : rows_(rows), commands_(commands), run_(std::move(run)), owner_(owner) {
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
                              LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                          Scaled(kMargin, dpi), Scaled(list_top, dpi), inner,
                          Scaled(kHeight - list_top - 2 * kMargin - kButtonHeight, dpi), window_,
                          nullptr, nullptr, nullptr);
  // The command buttons stand left of Close, the first of the table nearest to it.
  int right = kWidth - kMargin;
  const auto add_button = [&](const std::wstring& caption, int id) {
    const HWND button = CreateWindowExW(
        0, WC_BUTTONW, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
        Scaled(right - kButtonWidth, dpi), Scaled(kHeight - kMargin - kButtonHeight, dpi),
        Scaled(kButtonWidth, dpi), Scaled(kButtonHeight, dpi), window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(button, WM_SETFONT, WPARAM(font), TRUE);
    right -= kButtonWidth + kMargin / 2;
    return button;
  };
  add_button(L"Close", IDCANCEL);
  for (std::size_t i = 0; i < commands_.size(); ++i) {
    const form::Command& command = commands_[i];
    if (!(command.places & form::kPreviewButton)) continue;
    const HWND button = add_button(Wide(command.caption), kFirstButton + static_cast<int>(i));
    EnableWindow(button, command.enabled);
    buttons_.emplace_back(command.id, button);
  }
  for (HWND control : {heading_, list_}) SendMessageW(control, WM_SETFONT, WPARAM(font), TRUE);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_CHECKBOXES);
  // The list holds no tick either: it asks for each row's as it draws it.
  SendMessageW(list_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
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

void PreviewWindow::RowsChanged(std::size_t first) {
  SetWindowTextW(heading_, Wide(rows_.heading()).c_str());
  SendMessageW(list_, LVM_SETITEMCOUNT, rows_.count(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  if (first < rows_.count()) {
    SendMessageW(list_, LVM_REDRAWITEMS, first, static_cast<LPARAM>(rows_.count() - 1));
  }
}

void PreviewWindow::CommandChanged(const form::Command& command) {
  for (const auto& [id, button] : buttons_) {
    if (id != command.id) continue;
    SetWindowTextW(button, Wide(command.caption).c_str());
    EnableWindow(button, command.enabled);
  }
}

bool PreviewWindow::RunKey(WORD key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  for (const form::Command& command : commands_) {
    if ((command.places & form::kPreviewKey) && VirtualKeyOf(command.key) == key &&
        command.key.control == control) {
      run_(command.id, SelectedRows());
      return true;
    }
  }
  return false;
}

std::vector<std::size_t> PreviewWindow::SelectedRows() const {
  std::vector<std::size_t> selected;
  for (LRESULT row = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
       row >= 0;
       row = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED)) {
    selected.push_back(static_cast<std::size_t>(row));
  }
  return selected;
}

void PreviewWindow::GiveText(NMLVDISPINFOW& info) const {
  const auto index = static_cast<std::size_t>(info.item.iItem);
  if (info.item.iItem < 0 || index >= rows_.count()) return;
  if ((info.item.mask & LVIF_STATE) != 0 && info.item.iSubItem == 0) {
    // State image 1 is the empty box, 2 the ticked one; 0 shows none.
    const form::PreviewRows::Tick tick = rows_.tick(index);
    const UINT image = tick == form::PreviewRows::Tick::kNone
                           ? 0
                           : (tick == form::PreviewRows::Tick::kTicked ? 2 : 1);
    info.item.state = INDEXTOSTATEIMAGEMASK(image);
    info.item.stateMask = LVIS_STATEIMAGEMASK;
  }
  if ((info.item.mask & LVIF_TEXT) == 0 || info.item.cchTextMax <= 0) return;
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
  // No C++ exception may cross the system's message dispatch: the form's handlers catch what
  // they do, and a row that cannot be made for lack of memory shows empty.
  try {
    // Close, Escape and the close box close the window; Enter is the key of a command.
    if ((message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) || message == WM_CLOSE) {
      self->closed_ = true;
      return 0;
    }
    if (message == WM_COMMAND && LOWORD(wparam) == IDOK) {
      self->RunKey(VK_RETURN);
      return 0;
    }
    if (message == WM_COMMAND && LOWORD(wparam) >= kFirstButton &&
        LOWORD(wparam) < kFirstButton + self->commands_.size()) {
      const form::Command& command = self->commands_[LOWORD(wparam) - kFirstButton];
      self->run_(command.id, self->SelectedRows());
      return 0;
    }
    if (message == WM_NOTIFY) {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->hwndFrom == self->list_) return self->OnNotify(*header, lparam);
      if (self->tooltips_ && self->tooltips_->OnNotify(*header)) return 0;
    }
  } catch (...) {
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT PreviewWindow::OnNotify(const NMHDR& header, LPARAM lparam) {
  if (header.code == LVN_GETDISPINFOW) {
    GiveText(*reinterpret_cast<NMLVDISPINFOW*>(lparam));
    return 0;
  }
  if (header.code == LVN_KEYDOWN) {
    RunKey(reinterpret_cast<const NMLVKEYDOWN*>(lparam)->wVKey);
    return 0;
  }
  if (header.code == NM_CLICK) {
    // A click on a row's tick box ticks or unticks that row alone.
    LVHITTESTINFO hit{};
    hit.pt = reinterpret_cast<const NMITEMACTIVATE*>(lparam)->ptAction;
    SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
      run_(form::CommandId::kTick, {static_cast<std::size_t>(hit.iItem)});
    }
    return 0;
  }
  return 0;
}

}  // namespace qomdex::win32
