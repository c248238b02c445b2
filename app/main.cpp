// Entry of rtln.exe: one copy per desktop session, process-wide resources, the main window.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "../resources/rtln_ids.h"
#include "app_resources.h"
#include "main_window.h"

namespace {

constexpr const char* kMutexName = "TAVRIK_RATELINE";
constexpr const char* kMainWindowTitle = "Tavrik Rateline";

HANDLE g_mutex;
bool g_comInitialized;  // each successful CoInitializeEx is balanced by one CoUninitialize
bool g_released;

// False when another copy runs; that copy's window has been brought forward.
bool EnsureSingleInstance() {
    g_mutex = CreateMutexA(nullptr, TRUE, kMutexName);
    if (g_mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND running = FindWindowA("#32770", kMainWindowTitle)) {
            if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
            SetForegroundWindow(running);
        }
        CloseHandle(g_mutex);
        g_mutex = nullptr;
        return false;
    }
    return true;
}

int RunMainWindow() {
    return static_cast<int>(DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0));
}

void ReleaseAppResources() {
    if (g_released) return;
    g_released = true;
    if (g_mutex) {
        ReleaseMutex(g_mutex);
        CloseHandle(g_mutex);
    }
    g_mutex = nullptr;
    ReleaseIconsAndBrush();
    if (g_comInitialized) CoUninitialize();
    g_comInitialized = false;
}

// The last resort for a failure nothing else handles (an access violation, for example),
// on whatever thread it happens: the process-wide resources are released and the program ends
// with 1, as after any other shutdown, without a message. The program's code is built without
// C++ exceptions, so a structured exception is the only kind that can reach here. The process
// is terminated rather than exited: after such a failure no library's exit code is run.
LONG WINAPI EndAfterUnhandledFailure(EXCEPTION_POINTERS*) {
    ReleaseAppResources();
    TerminateProcess(GetCurrentProcess(), 1);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!EnsureSingleInstance()) return 0;
    SetUnhandledExceptionFilter(EndAfterUnhandledFailure);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    g_comInitialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    SetAppInstance(instance);
    if (LoadAppResources()) RunMainWindow();
    ReleaseAppResources();
    return 1;
}
