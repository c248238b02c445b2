// Entry of uni_rtln.exe: removes the installed program, never while it runs. Exit code 0.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "uninstall_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!uninstall::RefuseWhileMainProgramRuns()) uninstall::ShowUninstallDialog(instance);
    if (comReady) CoUninitialize();
    return 0;
}
