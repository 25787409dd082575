#include "ui/win32/qomde.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "ui/form/cut_text_tooltip.h"
#include "ui/form/twips.h"
#include "ui/win32/accessibility.h"
#include "ui/win32/message_window.h"
#include "ui/win32/windows_of_view.h"

namespace qomdex::win32 {
namespace {

using form::ControlId;
using form::ControlKind;
using form::TwipsToPixels;

constexpr wchar_t kClassName[] = L"qomde";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kFirstControlId = 100;
// A drop-down list's own height is the closed box and its open list together.
constexpr int kDropDownRows = 8;

int ChildId(ControlId id) { return kFirstControlId + static_cast<int>(id); }

HMENU ChildMenu(ControlId id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(ChildId(id))); }

struct NativeKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD extended_style;
};

NativeKind KindOf(ControlKind kind) {
  constexpr DWORD kList = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                          // The list boxes hold no strings: they draw the form's rows, so a
                          // folder of any size is shown at once.
                          LBS_NODATA | LBS_OWNERDRAWFIXED;
  switch (kind) {
    case ControlKind::kDriveList:
      return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::kDirectoryList:
    case ControlKind::kFileList: return {WC_LISTBOXW, kList, WS_EX_CLIENTEDGE};
    case ControlKind::kOption: return {WC_BUTTONW, WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case ControlKind::kCommand:
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER, 0};
    case ControlKind::kLabel:
      // Without SS_NOTIFY a label lets the pointer's moves through to the window.
      return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
  }
  return {};
}

// Returns a command's key as the system's accelerator that sends `item`.
ACCEL AcceleratorOf(const form::CommandKey& key, int item) {
  const BYTE modifiers = FVIRTKEY | (key.control ? FCONTROL : 0);
  return {modifiers, VirtualKeyOf(key), static_cast<WORD>(item)};
}

HFONT CreateClassicFont(const form::ControlFont& choice, UINT dpi) {
  const int height = -static_cast<int>(std::lround(choice.points * dpi / 72.0));
  // The classic face is a bitmap font drawn for 96 dpi; past that, its outline twin of the same
  // widths scales cleanly where the bitmaps would be stretched.
  const bool classic = dpi == 96;
  return CreateFontW(height, 0, 0, 0, choice.weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                     classic ? OUT_DEFAULT_PRECIS : OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     classic ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                     classic ? Wide(form::kClassicFace).c_str() : L"Microsoft Sans Serif");
}

}  // namespace

qomde::qomde(Reporter report, const std::optional<std::filesystem::path>& folder)
    : report_(std::move(report)), form_(*this), table_(form::ControlTable(form::Toolkit::kWin32)) {
  // The icon group of the version resource.
  RegisterWindowClass(kClassName, Procedure,
                      LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
  window_ = CreateWindowExW(0, kClassName, Wide(form::kTitle).c_str(), kStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  const UINT dpi = Dpi();
  RECT frame{0, 0, TwipsToPixels(form::kClientWidthTwips, static_cast<int>(dpi)),
             TwipsToPixels(form::kClientHeightTwips, static_cast<int>(dpi))};
  AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CreateControls();
  CreateTooltips();
  Layout();
  std::vector<ACCEL> keys;
  for (const form::Command& command : form_.commands()) {
    if (!(command.places & form::kWindowKey) || command.key.name == form::KeyName::kNone) continue;
    keys.push_back(AcceleratorOf(command.key, CommandItem(command.id)));
  }
  accelerators_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
  DragAcceptFiles(window_, TRUE);
  form_.FormLoad(folder);
}

qomde::~qomde() {
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  tooltips_.clear();
  progress_.reset();
  if (IsWindow(window_)) DestroyWindow(window_);
  for (const auto& [id, brush] : backgrounds_) DeleteObject(brush);
  for (HFONT font : fonts_) DeleteObject(font);
}

void qomde::CreateControls() {
  // Controls are made in the order Tab moves through them, the rest after.
  std::vector<const form::ControlEntry*> order;
  for (const ControlId id : form::FocusOrder(table_)) {
    order.push_back(&*std::ranges::find(table_, id, &form::ControlEntry::id));
  }
  for (const form::ControlEntry& entry : table_) {
    if (entry.shown && std::ranges::find(order, &entry) == order.end()) order.push_back(&entry);
  }
  bool first_option = true;
  for (const form::ControlEntry* entry : order) {
    const NativeKind native = KindOf(entry->kind);
    // A list shows no text of its own; its window text is its name, which a screen reader reads.
    const bool list =
        entry->kind == ControlKind::kDirectoryList || entry->kind == ControlKind::kFileList;
    // Each control starts a group of its own but the option buttons, which form one.
    const bool starts_group = entry->kind != ControlKind::kOption || first_option;
    if (entry->kind == ControlKind::kOption) first_option = false;
    const HWND control =
        CreateWindowExW(native.extended_style, native.window_class,
                        Wide(list ? entry->accessible_name : entry->text).c_str(),
                        WS_CHILD | WS_VISIBLE | native.style | (starts_group ? WS_GROUP : 0), 0, 0,
                        0, 0, window_, ChildMenu(entry->id), GetModuleHandleW(nullptr), nullptr);
    controls_.emplace(entry->id, control);
    Annotate(control, Wide(entry->accessible_name), Wide(entry->accessible_description));
    if (entry->kind == ControlKind::kOption) {
      // A themed option button draws its caption in the theme's colour, not the table's.
      SetWindowTheme(control, L"", L"");
      SendMessageW(control, BM_SETCHECK, entry->selected ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (entry->text_color) text_colors_[entry->id] = *entry->text_color;
    // 0x00BBGGRR is the form of a COLORREF.
    if (entry->background) backgrounds_[entry->id] = CreateSolidBrush(*entry->background);
  }
}

void qomde::CreateTooltips() {
  for (const ControlId id : {ControlId::Dir1, ControlId::File1}) {
    const HWND list = Control(id);
    tooltips_.push_back(std::make_unique<RowTooltips>(
        window_, list,
        [list](POINT at) -> LRESULT {
          const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
          return HIWORD(hit) != 0 ? -1 : LOWORD(hit);
        },
        [this, id](LRESULT row) { return RowTooltip(id, static_cast<std::size_t>(row)); }));
  }
}

void qomde::Layout() {
  const UINT dpi = Dpi();
  const int idpi = static_cast<int>(dpi);
  for (HFONT font : fonts_) DeleteObject(font);
  fonts_.clear();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
  const HFONT default_font = CreateFontIndirectW(&metrics.lfMessageFont);
  fonts_.push_back(default_font);

  const HDC dc = GetDC(window_);
  for (const form::ControlEntry& entry : table_) {
    if (!entry.shown) continue;
    const HWND control = Control(entry.id);
    HFONT font = default_font;
    if (entry.font.points > 0) fonts_.push_back(font = CreateClassicFont(entry.font, dpi));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int width = TwipsToPixels(entry.place.width, idpi);
    int height = TwipsToPixels(entry.place.height, idpi);
    const HGDIOBJ old_font = SelectObject(dc, font);
    TEXTMETRICW text{};
    GetTextMetricsW(dc, &text);
    if (entry.sized_to_text) {
      const std::wstring caption = Wide(entry.text);
      SIZE extent{};
      GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
      width = extent.cx + Scaled(2, dpi);
    }
    SelectObject(dc, old_font);
    if (entry.kind == ControlKind::kDriveList) height *= kDropDownRows;
    if (entry.kind == ControlKind::kDirectoryList || entry.kind == ControlKind::kFileList) {
      SendMessageW(control, LB_SETITEMHEIGHT, 0, text.tmHeight + Scaled(2, dpi));
    }
    SetWindowPos(control, nullptr, TwipsToPixels(entry.place.left, idpi),
                 TwipsToPixels(entry.place.top, idpi), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ReleaseDC(window_, dc);
  InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK qomde::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = WindowObject<qomde>(window, message, lparam);
  if (self == nullptr || self->window_ != window) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  // No C++ exception may cross the system's message dispatch. The form's handlers catch what
  // they do; only a lack of memory in the view itself gets here.
  try {
    return self->Handle(message, wparam, lparam);
  } catch (...) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT qomde::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wparam), HIWORD(wparam)); return 0;
    case WM_SHOWWINDOW:
      // The resize rule runs first when the window is shown.
      if (wparam) form_.FormResize();
      break;
    case WM_SIZE:
      if (!controls_.empty()) form_.FormResize();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove({static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_NOTIFY:
      for (const auto& tooltips : tooltips_) {
        if (tooltips->OnNotify(*reinterpret_cast<NMHDR*>(lparam))) return 0;
      }
      break;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wparam),
                    {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
      return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wparam)); return 0;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      form_.FormResize();
      return 0;
    }
    default: break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void qomde::OnDropFiles(HDROP drop) {
  std::vector<std::filesystem::path> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
    DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
    paths.emplace_back(std::move(path));
  }
  DragFinish(drop);
  form_.FormDragDrop(paths);
}

void qomde::OnCommand(int id, int code) {
  // The form ignores an id its table does not hold.
  if (id >= kFirstCommandItem && id <= kFirstCommandItem + UINT8_MAX) {
    form_.RunCommand(static_cast<form::CommandId>(id - kFirstCommandItem));
  } else if (id == IDOK) {
    // Enter in a list comes to the window as its default command.
    if (GetFocus() == Control(ControlId::Dir1)) Dir1Gesture(form::RowGesture::kEnter);
  } else if (id == ChildId(ControlId::Drive1) && code == CBN_SELCHANGE) {
    const LRESULT position = SendMessageW(Control(ControlId::Drive1), CB_GETCURSEL, 0, 0);
    if (position != CB_ERR) form_.Drive1Change(static_cast<std::size_t>(position));
  } else if (id == ChildId(ControlId::Dir1) && code == LBN_DBLCLK) {
    Dir1Gesture(form::RowGesture::kDoubleClick);
  } else if (id == ChildId(ControlId::Dir1) && code == LBN_SELCHANGE) {
    // A list box tells a click from an arrow key no better than this.
    Dir1Gesture(form::RowGesture::kSelect);
  } else if (id == ChildId(ControlId::Command1) && code == BN_CLICKED) {
    form_.Command1Click();
  }
}

void qomde::Dir1Gesture(form::RowGesture gesture) {
  if (!form::OpensFolder(gesture)) return;
  const LRESULT row = SendMessageW(Control(ControlId::Dir1), LB_GETCURSEL, 0, 0);
  if (row != LB_ERR) form_.Dir1Change(static_cast<std::size_t>(row));
}

void qomde::OnMouseMove(POINT at) {
  const HWND under = ChildWindowFromPointEx(window_, at, CWP_SKIPINVISIBLE);
  if (under == window_) {
    form_.FormMouseMove();
  } else if (under == Control(ControlId::Label6)) {
    form_.Label6MouseMove();
  } else if (under == Control(ControlId::Label1)) {
    form_.Label1MouseMove();
  }
}

LRESULT qomde::OnColor(HDC dc, HWND control) {
  const auto id = static_cast<ControlId>(GetDlgCtrlID(control) - kFirstControlId);
  if (const auto color = text_colors_.find(id); color != text_colors_.end()) {
    ::SetTextColor(dc, color->second);
  }
  if (const auto brush = backgrounds_.find(id); brush != backgrounds_.end()) {
    LOGBRUSH fill{};
    GetObjectW(brush->second, sizeof(fill), &fill);
    SetBkColor(dc, fill.lbColor);
    return reinterpret_cast<LRESULT>(brush->second);
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void qomde::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const bool dir1 = item.hwndItem == Control(ControlId::Dir1);
  const auto row = static_cast<std::size_t>(item.itemID);
  const std::size_t rows = dir1 ? dir1_rows_.size() : file1_rows_.size();
  if (item.itemID != static_cast<UINT>(-1) && row < rows) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    const ControlId list = dir1 ? ControlId::Dir1 : ControlId::File1;
    RECT text = RowTextPlace(list, item.rcItem, row);
    const std::wstring caption = RowText(list, row);
    // A name too long for the list is cut short with "…"; its tooltip shows it whole.
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

std::wstring qomde::RowText(ControlId list, std::size_t row) const {
  return Wide(list == ControlId::Dir1 ? dir1_rows_.Text(row) : file1_rows_.Text(row));
}

RECT qomde::RowTextPlace(ControlId list, RECT row_place, std::size_t row) const {
  row_place.left += Scaled(2, Dpi());
  if (list == ControlId::Dir1) {
    row_place.left +=
        TwipsToPixels(form::IndentTwips(dir1_rows_.Indent(row)), static_cast<int>(Dpi()));
  }
  return row_place;
}

std::wstring qomde::RowTooltip(ControlId list, std::size_t row) const {
  const HWND control = Control(list);
  RECT row_place{};
  if (row >= (list == ControlId::Dir1 ? dir1_rows_.size() : file1_rows_.size()) ||
      SendMessageW(control, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&row_place)) == LB_ERR) {
    return {};
  }
  const RECT room = RowTextPlace(list, row_place, row);
  const std::wstring text = RowText(list, row);
  const HDC dc = GetDC(control);
  const HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old_font);
  ReleaseDC(control, dc);
  const std::u16string whole(text.begin(), text.end());
  return Wide(form::CutTextTooltip({{whole, extent.cx > room.right - room.left}}));
}

void qomde::OnContextMenu(HWND list, POINT at) {
  if (list != Control(ControlId::Dir1) && list != Control(ControlId::File1)) return;
  if (at.x == -1 && at.y == -1) {  // from the keyboard: under the list's top-left corner
    RECT place{};
    GetWindowRect(list, &place);
    at = {place.left, place.top};
  }
  const HMENU menu = CreateListMenu();
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  DestroyMenu(menu);
}

HMENU qomde::CreateListMenu() const {
  const HMENU menu = CreatePopupMenu();
  for (const form::Command& command : form_.commands()) {
    if (!(command.places & form::kListMenu)) continue;
    AppendMenuW(menu, MF_STRING | (command.enabled ? 0u : MF_GRAYED),
                static_cast<UINT_PTR>(CommandItem(command.id)), Wide(command.caption).c_str());
  }
  return menu;
}

void qomde::SetTextColor(ControlId control, form::Bgr color) {
  auto& current = text_colors_[control];
  if (current == color) return;
  current = color;
  InvalidateRect(Control(control), nullptr, TRUE);
}

void qomde::SetHeightTwips(ControlId control, int twips) {
  RECT place{};
  GetWindowRect(Control(control), &place);
  SetWindowPos(Control(control), nullptr, 0, 0, place.right - place.left,
               TwipsToPixels(twips, static_cast<int>(Dpi())),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int qomde::OuterHeightTwips() const {
  RECT outer{};
  GetWindowRect(window_, &outer);
  return form::PixelsToTwips(outer.bottom - outer.top, static_cast<int>(Dpi()));
}

bool qomde::IsMinimized() const { return IsIconic(window_) != FALSE; }

bool qomde::IsSelected(ControlId option) const {
  return SendMessageW(Control(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void qomde::ShowDrives(const std::vector<std::u16string>& drives) {
  const HWND drive1 = Control(ControlId::Drive1);
  SendMessageW(drive1, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& drive : drives) {
    SendMessageW(drive1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(drive).c_str()));
  }
}

void qomde::SelectDrive(std::optional<std::size_t> position) {
  SendMessageW(Control(ControlId::Drive1), CB_SETCURSEL,
               position ? static_cast<WPARAM>(*position) : static_cast<WPARAM>(-1), 0);
}

void qomde::ShowDirectories(const form::DirectoryRows& rows) {
  dir1_rows_ = rows;
  SendMessageW(Control(ControlId::Dir1), LB_SETCOUNT, rows.size(), 0);
  InvalidateRect(Control(ControlId::Dir1), nullptr, TRUE);
}

void qomde::SelectDirectory(std::size_t row) {
  SendMessageW(Control(ControlId::Dir1), LB_SETCURSEL, row, 0);
}

void qomde::ShowFiles(const form::FileRows& rows) {
  file1_rows_ = rows;
  SendMessageW(Control(ControlId::File1), LB_SETCOUNT, rows.size(), 0);
  InvalidateRect(Control(ControlId::File1), nullptr, TRUE);
}

void qomde::ShowCommand(const form::Command& command) {
  // The lists' menu is made anew each time it opens, from the form's table as it stands; the
  // preview's buttons follow their commands.
  if (preview_) preview_->CommandChanged(command);
}

void qomde::ShowPreview(const form::PreviewRows& rows) {
  PreviewWindow shown(window_, Wide(form::kPreviewTitle), rows, form_.commands(),
                      [this](form::CommandId id, const std::vector<std::size_t>& selected) {
                        form_.RunCommand(id, selected);
                      });
  preview_ = &shown;
  shown.Run();
  preview_ = nullptr;
}

void qomde::ShowPreviewRows(std::size_t first) {
  if (preview_) preview_->RowsChanged(first);
}

void qomde::ClosePreview() {
  if (preview_) preview_->Close();
}

void qomde::ShowMessage(const form::Message& message) {
  if (report_) {
    report_(Wide(message.details.empty() ? message.text : message.text + u'\n' + message.details));
  } else if (message.details.empty()) {
    MessageBoxW(window_, Wide(message.text).c_str(), Wide(form::kTitle).c_str(),
                MB_OK | MB_ICONWARNING);
  } else {
    MessageWindow(window_, Wide(form::kTitle), message).Run();
  }
}

namespace {

// The messages that keep a window painted and its timers running; the user's input is left
// waiting until the work is done.
constexpr UINT kAnsweringFilter = PM_QS_PAINT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
constexpr DWORD kAnsweringWake = QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_TIMER;

DWORD WINAPI RunWork(LPVOID work) {
  (*static_cast<const std::function<void()>*>(work))();
  return 0;
}

}  // namespace

void qomde::RunAside(const std::function<void()>& work) {
  HANDLE thread = CreateThread(nullptr, 0, RunWork,
                               const_cast<void*>(static_cast<const void*>(&work)), 0, nullptr);
  if (thread == nullptr) {
    // No thread to be had: the work runs here, and the window waits for it.
    work();
    return;
  }
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, kAnsweringWake);
    if (woken == WAIT_OBJECT_0 + 1) {
      RunWaitingMessages(kAnsweringFilter);
      continue;
    }
    // Should the wait itself fail, the work is still waited for, without answering.
    if (woken != WAIT_OBJECT_0) WaitForSingleObject(thread, INFINITE);
    break;
  }
  CloseHandle(thread);
}

void qomde::LetEventsRun() { RunWaitingMessages(kAnsweringFilter); }

void qomde::ShowProgress(bool cancelable) {
  progress_ = std::make_unique<ProgressWindow>(window_, Wide(form::kTitle), cancelable);
}

void qomde::UpdateProgress(const std::u16string& text, int permille) {
  progress_->Update(Wide(text), permille);
}

bool qomde::ProgressCanceled() const { return progress_ && progress_->canceled(); }

void qomde::CloseProgress() { progress_.reset(); }

}  // namespace qomdex::win32
