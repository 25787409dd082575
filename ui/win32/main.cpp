#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "location/text_encoding.h"
#include "ui/form/window_arguments.h"
#include "ui/win32/qomde.h"

namespace {

// Returns the program's arguments after its name, in UTF-8.
std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int count = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) args.push_back(qomdex::NativeToUtf8(argv[i]));
    LocalFree(argv);
  }
  return args;
}

// Writes text where a console program would: to the standard handle the program was given (a
// pipe, a file or a console), else to the console of the program that started it; a program
// started without either (from Explorer) shows the text in a message box.
void Say(DWORD standard, const std::string& utf8, bool failure) {
  const std::wstring text = qomdex::NativeFromUtf8(utf8);
  HANDLE handle = GetStdHandle(standard);
  bool own_console = false;
  if ((handle == nullptr || handle == INVALID_HANDLE_VALUE) &&
      AttachConsole(ATTACH_PARENT_PROCESS)) {
    handle = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
    own_console = true;
  }
  DWORD mode = 0;
  DWORD written = 0;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
    MessageBoxW(nullptr, text.c_str(), L"qomdex", failure ? MB_ICONERROR : MB_ICONINFORMATION);
  } else if (GetConsoleMode(handle, &mode)) {
    WriteConsoleW(handle, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
  } else {
    WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  }
  if (own_console && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}

}  // namespace

// Opens the window, on the folder given when there is one, and runs its messages until it is
// closed. --help, --version and usage errors end the program before any window is made.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  std::ostringstream out;
  std::ostringstream err;
  const std::variant<qomdex::form::WindowStart, int> start =
      qomdex::form::ParseWindowArguments(Arguments(), out, err);
  if (const int* status = std::get_if<int>(&start)) {
    if (*status == 0) {
      Say(STD_OUTPUT_HANDLE, out.str(), false);
    } else {
      Say(STD_ERROR_HANDLE, err.str(), true);
    }
    return *status;
  }
  // COM carries the controls' names and descriptions to screen readers.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  qomdex::win32::qomde window({}, std::get<qomdex::form::WindowStart>(start).folder);
  ShowWindow(window.window(), show);

  MSG message;
  while (IsWindow(window.window()) && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(window.window(), window.accelerators(), &message)) continue;
    // Tab, the arrow keys and Enter move between and act on the controls, as in a dialog.
    if (IsDialogMessageW(window.window(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (com) CoUninitialize();
  return 0;
}
