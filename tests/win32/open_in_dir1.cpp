#include "tests/win32/open_in_dir1.h"

#include "tests/support/dir1_walk.h"

namespace qomdex::testing {

bool OpenInDir1(win32::qomde& window, const std::filesystem::path& directory) {
  const HWND dir1 = window.Control(form::ControlId::Dir1);
  return WalkDir1(
      directory, [&]() -> const form::DirectoryRows& { return window.dir1_rows(); },
      [&](std::size_t row) {
        SendMessageW(dir1, LB_SETCURSEL, row, 0);
        SendMessageW(window.window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(dir1), LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(dir1));
      });
}

}  // namespace qomdex::testing
