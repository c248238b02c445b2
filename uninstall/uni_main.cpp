// Entry of uni_rtln.exe: removes the installed program, never while it runs. Exit code 0.
// Its only arguments are those it gives its own copy in the temporary folder.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "removal.h"
#include "self_removal.h"
#include "uninstall_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR lpCmdLine, int) {
    if (uninstall::FinishSelfRemoval(lpCmdLine)) return 0;
    InitCommonControls();
    const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!uninstall::RefuseWhileMainProgramRuns()) uninstall::ShowUninstallDialog(instance);
    if (comReady) CoUninitialize();
    uninstall::HandOverSelfRemoval(uninstall::CompletedProgramFolder());
    return 0;
}
