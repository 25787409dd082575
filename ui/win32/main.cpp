#include "ui/win32/qomde.h"

// Opens the window and runs its messages until it is closed.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  // COM carries the controls' names and descriptions to screen readers.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  qomdex::win32::qomde window;
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
