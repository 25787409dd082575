#include "ui/win32/qomde.h"

// Opens the window and runs its messages until it is closed.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  // COM carries the controls' names and descriptions to screen readers.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  qomdex::win32::qomde window;
  ShowWindow(window.window(), show);

  ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'Z', qomdex::win32::qomde::kUndoCommand},
                  {FVIRTKEY, VK_F5, qomdex::win32::qomde::kRefreshCommand}};
  const HACCEL accelerators = CreateAcceleratorTableW(keys, 2);
  MSG message;
  while (IsWindow(window.window()) && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(window.window(), accelerators, &message)) continue;
    // Tab, the arrow keys and Enter move between and act on the controls, as in a dialog.
    if (IsDialogMessageW(window.window(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DestroyAcceleratorTable(accelerators);
  if (com) CoUninitialize();
  return 0;
}
