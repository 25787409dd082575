// The Win32 window builds the form's controls natively and wires their events to the form:
// places, classes, texts and colours as painted, hover, resize, the command, undo, the preview
// and the progress window.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

// clang-format off
#include "ui/win32/win32.h"
#include <oleacc.h>
#include <shlobj.h>
// clang-format on

#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"
#include "tests/win32/open_in_dir1.h"
#include "ui/form/twips.h"
#include "ui/win32/message_window.h"
#include "ui/win32/preview_window.h"
#include "ui/win32/qomde.h"

namespace qomdex::testing {
namespace {

using form::ControlId;
using form::ControlKind;
using form::TwipsToPixels;

// The window with its messages collected instead of shown in message boxes.
struct Window {
  Window() : view([this](const std::wstring& message) { messages.push_back(message); }) {}
  std::vector<std::wstring> messages;
  win32::qomde view;
  HWND Control(ControlId id) const { return view.Control(id); }
  int Dpi() const { return static_cast<int>(GetDpiForWindow(view.window())); }
};

// A control's rectangle in the window's client area.
RECT Place(const Window& window, ControlId id) {
  RECT place{};
  GetWindowRect(window.Control(id), &place);
  MapWindowPoints(nullptr, window.view.window(), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::wstring Text(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), int(text.size()))));
  return text;
}

std::wstring ClassOf(HWND control) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  return name;
}

// The colours a control paints its client area with, read from a memory bitmap.
std::set<COLORREF> PaintedColors(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
               PRF_CLIENT | PRF_ERASEBKGND);
  std::set<COLORREF> colors;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) colors.insert(GetPixel(memory, x, y));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return colors;
}

LPARAM PointAt(int x, int y) { return MAKELPARAM(x, y); }

LPARAM CenterOf(const Window& window, ControlId id) {
  const RECT place = Place(window, id);
  return PointAt((place.left + place.right) / 2, (place.top + place.bottom) / 2);
}

bool Open(Window& window, const std::filesystem::path& directory) {
  return OpenInDir1(window.view, directory);
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

TEST(Win32WindowTest, OpensWithTitleClientSizeAndEveryControlInPlace) {
  Window window;
  ASSERT_EQ(window.Dpi(), 96);
  EXPECT_EQ(Text(window.view.window()), L"Remove Leading Numbers from file name");
  RECT client{};
  GetClientRect(window.view.window(), &client);
  EXPECT_EQ(client.right, 634);
  EXPECT_EQ(client.bottom, 529);
  EXPECT_TRUE(window.messages.empty());

  struct Native {
    ControlKind kind;
    const wchar_t* window_class;
    DWORD style;
  };
  const Native natives[] = {
      {ControlKind::kDriveList, L"ComboBox", CBS_DROPDOWNLIST},
      {ControlKind::kDirectoryList, L"ListBox", LBS_NODATA | LBS_OWNERDRAWFIXED},
      {ControlKind::kFileList, L"ListBox", LBS_NODATA | LBS_OWNERDRAWFIXED},
      {ControlKind::kOption, L"Button", BS_AUTORADIOBUTTON},
      {ControlKind::kCommand, L"Button", BS_MULTILINE},
      {ControlKind::kLabel, L"Static", SS_LEFT},
  };
  for (const form::ControlEntry& entry : form::ControlTable(form::Toolkit::kWin32)) {
    if (!entry.shown) continue;
    SCOPED_TRACE(entry.name);
    const HWND control = window.Control(entry.id);
    const Native& native = *std::ranges::find(natives, entry.kind, &Native::kind);
    EXPECT_EQ(ClassOf(control), native.window_class);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)) & native.style,
              native.style);
    const RECT place = Place(window, entry.id);
    EXPECT_EQ(place.left, TwipsToPixels(entry.place.left, 96));
    EXPECT_EQ(place.top, TwipsToPixels(entry.place.top, 96));
    if (!entry.sized_to_text) {
      EXPECT_EQ(place.right - place.left, TwipsToPixels(entry.place.width, 96));
    }
    if (entry.kind != ControlKind::kDriveList) {
      EXPECT_EQ(place.bottom - place.top, TwipsToPixels(entry.place.height, 96));
    }
    if (!entry.text.empty()) {
      EXPECT_EQ(Text(control), win32::Wide(entry.text));
    }
    if (entry.kind == ControlKind::kOption) {
      EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), entry.selected ? BST_CHECKED : 0);
    }
  }
  // Tab moves through the lists, the command, then the option pair, which it enters at its
  // selected button (the arrow keys move within the pair).
  std::vector<HWND> order{window.Control(ControlId::Drive1)};
  for (int i = 0; i < 5; ++i) {
    order.push_back(GetNextDlgTabItem(window.view.window(), order.back(), FALSE));
  }
  EXPECT_EQ(order, (std::vector<HWND>{
                       window.Control(ControlId::Drive1), window.Control(ControlId::Dir1),
                       window.Control(ControlId::File1), window.Control(ControlId::Command1),
                       window.Control(ControlId::OptFile), window.Control(ControlId::Drive1)}));
}

enum class Move { kBare, kLabel6, kLabel1, kLabel2 };
struct LabelsPaintTheirColoursAndLightUpUnderThePointerCase {
  const char* name;
  std::vector<Move> moves;
  form::Bgr label6;
  form::Bgr label1;
};
const LabelsPaintTheirColoursAndLightUpUnderThePointerCase
    kLabelsPaintTheirColoursAndLightUpUnderThePointerRows[] = {
        {"as it opens", {}, form::kLabel6Normal, form::kLabel1Normal},
        {"onto Label6", {Move::kLabel6}, form::kLabel6Lit, form::kLabel1Normal},
        {"onto Label1, then Label2",
         {Move::kLabel1, Move::kLabel2},
         form::kLabel6Normal,
         form::kLabel1Lit},
        {"both, then the bare window",
         {Move::kLabel6, Move::kLabel1, Move::kBare},
         form::kLabel6Normal,
         form::kLabel1Normal},
};

class LabelsPaintTheirColoursAndLightUpUnderThePointer
    : public ::testing::TestWithParam<LabelsPaintTheirColoursAndLightUpUnderThePointerCase> {};

TEST_P(LabelsPaintTheirColoursAndLightUpUnderThePointer, Holds) {
  const LabelsPaintTheirColoursAndLightUpUnderThePointerCase& c = GetParam();
  Window window;
  for (const Move move : c.moves) {
    // Between the file list and the credit block, below the command.
    LPARAM at = PointAt(TwipsToPixels(7000, 96), TwipsToPixels(4000, 96));
    if (move == Move::kLabel6) at = CenterOf(window, ControlId::Label6);
    if (move == Move::kLabel1) at = CenterOf(window, ControlId::Label1);
    if (move == Move::kLabel2) at = CenterOf(window, ControlId::Label2);
    SendMessageW(window.view.window(), WM_MOUSEMOVE, 0, at);
  }
  const std::set<COLORREF> label6 = PaintedColors(window.Control(ControlId::Label6));
  const std::set<COLORREF> label1 = PaintedColors(window.Control(ControlId::Label1));
  EXPECT_TRUE(label6.contains(c.label6));
  EXPECT_TRUE(label6.contains(0x00C0FFFF));  // light yellow behind
  EXPECT_TRUE(label1.contains(c.label1));
  EXPECT_TRUE(label1.contains(0x00FFFFFF));  // white behind
  EXPECT_TRUE(PaintedColors(window.Control(ControlId::Label2)).contains(form::kLabel1Normal));
}

INSTANTIATE_TEST_SUITE_P(Win32WindowTest, LabelsPaintTheirColoursAndLightUpUnderThePointer,
                         ::testing::ValuesIn(kLabelsPaintTheirColoursAndLightUpUnderThePointerRows),
                         [](const auto& row) { return testing::RowName(row.param.name); });

TEST(Win32WindowTest, ShowingAndResizingSetOnlyTheListHeights) {
  Window window;
  ShowWindow(window.view.window(), SW_SHOWNOACTIVATE);
  const auto list_height = [&] {
    RECT outer{};
    GetWindowRect(window.view.window(), &outer);
    return TwipsToPixels(form::PixelsToTwips(outer.bottom - outer.top, 96) - 1000, 96);
  };
  const auto height = [&](ControlId id) {
    const RECT place = Place(window, id);
    return place.bottom - place.top;
  };
  EXPECT_EQ(height(ControlId::Dir1), list_height());
  EXPECT_EQ(height(ControlId::File1), list_height());

  std::map<ControlId, RECT> before;
  for (const form::ControlEntry& entry : form::ControlTable(form::Toolkit::kWin32)) {
    if (entry.shown) before[entry.id] = Place(window, entry.id);
  }
  SetWindowPos(window.view.window(), nullptr, 0, 0, 400, 700, SWP_NOMOVE | SWP_NOZORDER);
  for (const auto& [id, place] : before) {
    RECT expected = place;
    if (id == ControlId::Dir1 || id == ControlId::File1)
      expected.bottom = place.top + list_height();
    const RECT now = Place(window, id);
    EXPECT_TRUE(EqualRect(&now, &expected)) << static_cast<int>(id);
  }
}

TEST(Win32WindowTest, OptionButtonsCommandAndUndoRenameOnDisk) {
  TempDir dir;
  dir.Touch("01 a.txt");
  dir.MakeDir("02 b");
  Window window;
  ASSERT_TRUE(Open(window, dir.path()));
  EXPECT_EQ(SendMessageW(window.Control(ControlId::File1), LB_GETCOUNT, 0, 0), 1);

  Click(window.Control(ControlId::OptFolder));
  EXPECT_EQ(SendMessageW(window.Control(ControlId::OptFile), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"01 a.txt", "02 b"}));
  Click(window.Control(ControlId::Command1));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"01 a.txt", "b"}));
  const form::DirectoryRows& rows = window.view.dir1_rows();
  EXPECT_EQ(rows.Text(rows.size() - 1), u"b");

  SendMessageW(window.view.window(), WM_COMMAND, win32::qomde::CommandItem(form::CommandId::kUndo),
               0);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"01 a.txt", "02 b"}));
  EXPECT_TRUE(window.messages.empty());

  std::filesystem::remove(dir / "02 b");  // still listed: the snapshot predates this
  ASSERT_TRUE(Open(window, "02 b"));
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_NE(window.messages.front().find(L"Cannot read"), std::wstring::npos);
}

// What a test saw of the preview window, looked at from within the window's own message loop,
// which it then closes.
struct SeenPreview {
  const Window* window = nullptr;
  bool owner_enabled = true;
  DWORD list_style = 0;
  LRESULT rows = -1;
  std::wstring first_result;  // asked of the window as the list draws it
};
SeenPreview seen_preview;

void CALLBACK LookAtPreview(HWND, UINT, UINT_PTR timer, DWORD) {
  SeenPreview& seen = seen_preview;
  const HWND preview = seen.window->view.preview_window();
  // The window lets timers run while the dry run reads, before the preview shows: the timer
  // comes back until it finds it.
  if (preview == nullptr) return;
  KillTimer(nullptr, timer);
  seen.owner_enabled = IsWindowEnabled(seen.window->view.window()) != FALSE;
  const HWND list = FindWindowExW(preview, nullptr, WC_LISTVIEWW, nullptr);
  seen.list_style = static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE));
  seen.rows = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  wchar_t text[64] = {};
  LVITEMW cell{};
  cell.iSubItem = 1;
  cell.pszText = text;
  cell.cchTextMax = 64;
  SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&cell));
  seen.first_result = text;
  SendMessageW(preview, WM_COMMAND, IDCANCEL, 0);
}

TEST(Win32WindowTest, CtrlPAndTheListsMenuOpenThePreview) {
  for (const bool ctrl_p : {true, false}) {
    SCOPED_TRACE(ctrl_p ? "Ctrl+P" : "the lists' menu");
    TempDir dir;
    for (const char* file : {"01 a.txt", "02 b.txt", "c.txt"}) dir.Touch(file);
    const std::set<std::string> before = dir.Names();
    Window window;
    ASSERT_TRUE(Open(window, dir.path()));
    seen_preview = SeenPreview();
    seen_preview.window = &window;
    const UINT_PTR timer = SetTimer(nullptr, 0, 0, LookAtPreview);
    if (ctrl_p) {
      BYTE keys[256] = {};
      GetKeyboardState(keys);
      keys[VK_CONTROL] = 0x80;
      SetKeyboardState(keys);
      MSG key{window.Control(ControlId::File1), WM_KEYDOWN, 'P', 0, 0, {}};
      EXPECT_TRUE(TranslateAcceleratorW(window.view.window(), window.view.accelerators(), &key));
      keys[VK_CONTROL] = 0;
      SetKeyboardState(keys);
    } else {
      const HMENU menu = window.view.CreateListMenu();
      wchar_t text[64] = {};
      GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
      EXPECT_EQ(std::wstring(text), L"Preview...");
      const UINT preview = GetMenuItemID(menu, 0);
      EXPECT_EQ(GetMenuItemID(menu, 1),
                static_cast<UINT>(win32::qomde::CommandItem(form::CommandId::kUndo)));
      DestroyMenu(menu);
      SendMessageW(window.view.window(), WM_COMMAND, preview, 0);
    }
    KillTimer(nullptr, timer);

    EXPECT_EQ(seen_preview.rows, 2);
    EXPECT_EQ(seen_preview.list_style & (LVS_OWNERDATA | LVS_REPORT),
              static_cast<DWORD>(LVS_OWNERDATA | LVS_REPORT));
    EXPECT_EQ(seen_preview.first_result, L"a.txt");
    EXPECT_FALSE(seen_preview.owner_enabled);
    EXPECT_EQ(window.view.preview_window(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(window.view.window()));
    EXPECT_EQ(dir.Names(), before);
    EXPECT_TRUE(window.messages.empty());
  }
}

TEST(Win32WindowTest, ProgressWindowHoldsTheWindowUntilItCloses) {
  Window window;
  form::View& view = window.view;
  view.ShowProgress(true);
  const HWND progress = window.view.progress_window();
  ASSERT_TRUE(IsWindowVisible(progress));
  EXPECT_FALSE(IsWindowEnabled(window.view.window()));
  view.UpdateProgress(u"Renaming 3 of 4\n03 c", 750);
  const HWND bar = FindWindowExW(progress, nullptr, PROGRESS_CLASSW, nullptr);
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 750);
  EXPECT_EQ(Text(FindWindowExW(progress, nullptr, WC_STATICW, nullptr)), L"Renaming 3 of 4\n03 c");
  EXPECT_FALSE(view.ProgressCanceled());
  Click(FindWindowExW(progress, nullptr, WC_BUTTONW, L"Cancel"));
  EXPECT_TRUE(view.ProgressCanceled());
  view.CloseProgress();
  EXPECT_FALSE(IsWindow(progress));
  EXPECT_TRUE(IsWindowEnabled(window.view.window()));

  // An undo cannot be stopped, so its progress window offers no Cancel.
  view.ShowProgress(false);
  const HWND cancel = FindWindowExW(window.view.progress_window(), nullptr, WC_BUTTONW, L"Cancel");
  EXPECT_FALSE(IsWindowVisible(cancel));
  SendMessageW(window.view.progress_window(), WM_COMMAND, IDCANCEL, 0);
  SendMessageW(window.view.progress_window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(view.ProgressCanceled());
  EXPECT_TRUE(IsWindowVisible(window.view.progress_window()));
  view.CloseProgress();
}

// Returns the name the system's accessibility interface gives a control, or nothing.
std::wstring AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&accessible)))) {
    return {};
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::wstring text;
  if (SUCCEEDED(accessible->get_accName(self, &name)) && name != nullptr) text = name;
  SysFreeString(name);
  accessible->Release();
  return text;
}

TEST(Win32WindowTest, ScreenReadersHearEachControlsName) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    Window window;
    int checked = 0;
    for (const form::ControlEntry& entry : form::ControlTable(form::Toolkit::kWin32)) {
      // A drop-down list's text is the entry chosen; its name is the system's annotation.
      if (!entry.shown || entry.kind == ControlKind::kDriveList) continue;
      SCOPED_TRACE(entry.name);
      const std::wstring name = win32::Wide(entry.accessible_name);
      EXPECT_EQ(Text(window.Control(entry.id)), name);
      EXPECT_EQ(AccessibleName(window.Control(entry.id)), name);
      ++checked;
    }
    EXPECT_EQ(checked, 12);
  }
  CoUninitialize();
}

TEST(Win32WindowTest, ThousandsOfFailuresScrollInAWindowOfFixedSize) {
  Window window;
  form::Message message{u"2000 failures while renaming.", {}};
  for (int i = 0; i < 2000; ++i) message.details += u"Could not rename x as y\n";
  message.details.pop_back();
  const win32::MessageWindow shown(window.view.window(), L"title", message);
  RECT outer{};
  GetWindowRect(shown.window(), &outer);
  EXPECT_LT(outer.bottom - outer.top, MulDiv(400, window.Dpi(), 96));
  EXPECT_FALSE(IsWindowEnabled(window.view.window()));
  const HWND details = shown.details();
  const auto style = static_cast<DWORD>(GetWindowLongW(details, GWL_STYLE));
  EXPECT_EQ(style & (ES_READONLY | ES_MULTILINE | WS_VSCROLL),
            static_cast<DWORD>(ES_READONLY | ES_MULTILINE | WS_VSCROLL));
  EXPECT_EQ(SendMessageW(details, EM_GETLINECOUNT, 0, 0), 2000);
  EXPECT_EQ(Text(details).substr(0, 25), L"Could not rename x as y\r\n");
}

// What a test saw of the preview's tick boxes as it pressed Space on the first row and then
// Rename, from within the preview's own message loop.
struct SeenTicks {
  const Window* window = nullptr;
  LRESULT extended_style = 0;
  LRESULT before = 0;  // the first row's state image
  LRESULT after = 0;
};
SeenTicks seen_ticks;

void CALLBACK UntickFirstAndRename(HWND, UINT, UINT_PTR timer, DWORD) {
  SeenTicks& seen = seen_ticks;
  const HWND preview = seen.window->view.preview_window();
  if (preview == nullptr) return;  // not yet shown: the timer comes back
  KillTimer(nullptr, timer);
  const HWND list = FindWindowExW(preview, nullptr, WC_LISTVIEWW, nullptr);
  seen.extended_style = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  seen.before = SendMessageW(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK);
  LVITEMW selected{};
  selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  selected.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
  SetFocus(list);
  SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
  seen.after = SendMessageW(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK);
  SendMessageW(FindWindowExW(preview, nullptr, WC_BUTTONW, L"Rename"), BM_CLICK, 0, 0);
}

TEST(Win32WindowTest, SpaceUnticksARowAndRenameRenamesTheRest) {
  TempDir dir;
  for (const char* file : {"01 a.txt", "02 b.txt"}) dir.Touch(file);
  Window window;
  ASSERT_TRUE(Open(window, dir.path()));
  seen_ticks = SeenTicks();
  seen_ticks.window = &window;
  const UINT_PTR timer = SetTimer(nullptr, 0, 0, UntickFirstAndRename);
  SendMessageW(window.view.window(), WM_COMMAND,
               win32::qomde::CommandItem(form::CommandId::kPreview), 0);
  KillTimer(nullptr, timer);

  EXPECT_TRUE(seen_ticks.extended_style & LVS_EX_CHECKBOXES);
  EXPECT_EQ(seen_ticks.before, INDEXTOSTATEIMAGEMASK(2));  // ticked
  EXPECT_EQ(seen_ticks.after, INDEXTOSTATEIMAGEMASK(1));   // unticked
  EXPECT_EQ(window.view.preview_window(), nullptr);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"01 a.txt", "b.txt"}));
  EXPECT_EQ(SendMessageW(window.Control(ControlId::File1), LB_GETCOUNT, 0, 0), 2);
  EXPECT_TRUE(window.messages.empty());
}

TEST(Win32WindowTest, F5RereadsTheLists) {
  TempDir dir;
  dir.Touch("a.txt");
  Window window;
  ASSERT_TRUE(Open(window, dir.path()));
  dir.Touch("b.txt");
  EXPECT_EQ(SendMessageW(window.Control(ControlId::File1), LB_GETCOUNT, 0, 0), 1);
  SendMessageW(window.view.window(), WM_COMMAND,
               win32::qomde::CommandItem(form::CommandId::kRefresh), 0);
  EXPECT_EQ(SendMessageW(window.Control(ControlId::File1), LB_GETCOUNT, 0, 0), 2);
  EXPECT_TRUE(window.messages.empty());
}

// Returns a drop of these paths as Explorer hands it over, for WM_DROPFILES.
HDROP DropOf(const std::vector<std::filesystem::path>& paths) {
  std::wstring list;
  for (const std::filesystem::path& path : paths) list += path.native() + L'\0';
  list += L'\0';
  const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST(Win32WindowTest, TheFolderGivenAndADropFromExplorerMoveTheLists) {
  TempDir dir;
  dir.MakeDir("album");
  dir.Touch("album/01 a.mp3");
  dir.Touch("album/02 b.mp3");
  dir.MakeDir("other");
  dir.Touch("other/c.mp3");
  std::vector<std::wstring> messages;
  win32::qomde view([&](const std::wstring& message) { messages.push_back(message); },
                    dir / "other");
  const HWND file1 = view.Control(ControlId::File1);
  EXPECT_EQ(SendMessageW(file1, LB_GETCOUNT, 0, 0), 1);
  SendMessageW(view.window(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(DropOf({dir / "album" / "01 a.mp3", dir / "other"})), 0);
  EXPECT_EQ(SendMessageW(file1, LB_GETCOUNT, 0, 0), 2);
  EXPECT_TRUE(messages.empty());
}

// A name cut short with "…" in a list or the preview shows whole in its row's tooltip; a row shown
// whole has none.
struct TooltipCase {
  const char* name;
  const char* where;  // "File1", "Dir1" or "Preview"
  bool long_name;
};

void PrintTo(const TooltipCase& row, std::ostream* out) { *out << row.name; }

class Win32TooltipTest : public ::testing::TestWithParam<TooltipCase> {};

TEST_P(Win32TooltipTest, CutNamesShowWholeInATooltip) {
  const TooltipCase& c = GetParam();
  const std::string name = c.long_name ? "01 " + std::string(120, 'w') + ".mp3" : "01 a.mp3";
  const std::wstring wide(name.begin(), name.end());
  const std::wstring new_name = wide.substr(3);
  const std::string where = c.where;
  std::wstring expected;
  if (where == "Preview") {
    form::PreviewRows rows(false, 1);
    rows.AddRenamed(wide, new_name);
    Window window;
    win32::PreviewWindow preview(window.view.window(), L"Preview", rows, {}, {});
    if (c.long_name) expected = wide + L"\n" + new_name;
    EXPECT_EQ(preview.RowTooltip(0), expected);
    return;
  }
  TempDir dir;
  if (where == "File1") dir.Touch(name);
  if (where == "Dir1") dir.MakeDir(name);
  Window window;
  ASSERT_TRUE(Open(window, dir.path()));
  const ControlId list = where == "Dir1" ? ControlId::Dir1 : ControlId::File1;
  const auto row =
      static_cast<std::size_t>(SendMessageW(window.Control(list), LB_GETCOUNT, 0, 0) - 1);
  if (c.long_name) expected = wide;
  EXPECT_EQ(window.view.RowTooltip(list, row), expected);
}

const TooltipCase kTooltipCases[] = {
    {"File1Cut", "File1", true},     {"File1Whole", "File1", false},
    {"Dir1Cut", "Dir1", true},       {"Dir1Whole", "Dir1", false},
    {"PreviewCut", "Preview", true}, {"PreviewWhole", "Preview", false},
};

INSTANTIATE_TEST_SUITE_P(Tooltips, Win32TooltipTest, ::testing::ValuesIn(kTooltipCases),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qomdex::testing
