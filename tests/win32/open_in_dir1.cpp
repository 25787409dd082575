#include "tests/win32/open_in_dir1.h"

#include <algorithm>
#include <cwctype>
#include <string>

namespace qomdex::testing {
namespace {

bool SameName(const std::u16string& a, const std::wstring& b) {
  return std::ranges::equal(a, b, [](char16_t x, wchar_t y) {
    return std::towupper(static_cast<wint_t>(x)) == std::towupper(static_cast<wint_t>(y));
  });
}

}  // namespace

bool OpenInDir1(win32::qomde& window, const std::filesystem::path& directory) {
  const HWND dir1 = window.Control(form::ControlId::Dir1);
  for (const std::filesystem::path& part : directory.relative_path()) {
    const form::DirectoryRows& rows = window.dir1_rows();
    std::size_t row = *rows.current_row() + 1;
    const std::wstring shown = win32::Wide(form::ShownName(part.native()));
    while (row < rows.size() && !SameName(rows.Text(row), shown)) ++row;
    if (row == rows.size()) return false;
    SendMessageW(dir1, LB_SETCURSEL, row, 0);
    SendMessageW(window.window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(dir1), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(dir1));
  }
  return true;
}

}  // namespace qomdex::testing
