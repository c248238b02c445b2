// Entry of rtln.exe: one copy per desktop session, process-wide resources, the main window.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "base/dialog_look.h"
#include "base/handle.h"
#include "resources/rtln_ids.h"
#include "main_window.h"
#include "product_facts.h"

namespace {

constexpr const char* kMutexName = "TAVRIK_RATELINE";
constexpr const char* kMainWindowTitle = RTLN_PRODUCT_NAME;

// What the process holds for its whole run, released once whichever way the run ends.
struct Process {
    HeldMutex mutex;
    bool comInitialized = false;  // each successful CoInitializeEx is balanced by one CoUninitialize
    bool released = false;
};

Process g_process;

// False when another copy runs; that copy's window has been brought forward.
bool EnsureSingleInstance() {
    KernelHandle mutex(CreateMutexA(nullptr, TRUE, kMutexName));
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {  // another copy holds it: closed, never released
        if (HWND running = FindWindowA("#32770", kMainWindowTitle)) {
            if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
            SetForegroundWindow(running);
        }
        return false;
    }
    g_process.mutex.reset(mutex.release());
    return true;
}

int RunMainWindow() {
    MainWindowState window = {};
    return static_cast<int>(DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                            reinterpret_cast<LPARAM>(&window)));
}

void ReleaseAppResources() {
    if (g_process.released) return;
    g_process.released = true;
    g_process.mutex.reset();
    ReleaseIconsAndBrush();
    if (g_process.comInitialized) CoUninitialize();
    g_process.comInitialized = false;
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
    g_process.comInitialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    SetAppInstance(instance);
    LoadAppResources();
    RunMainWindow();
    ReleaseAppResources();
    return 1;
}
