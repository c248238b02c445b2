#include "outside_links.h"

#include "base/handle.h"
#include "base/program_folder.h"
#include "base/settings.h"
#include "base/system_library.h"

namespace {

SystemFunctionRef<ShellExecutor> g_shellExecuteEx{"shell32.dll", "ShellExecuteExA"};

BOOL WINAPI ExecuteThroughShell(SHELLEXECUTEINFOA* request) {
    const ShellExecutor execute = g_shellExecuteEx.get();
    return execute ? execute(request) : FALSE;
}

ShellExecutor g_execute = ExecuteThroughShell;

}  // namespace

void SetShellExecutor(ShellExecutor executor) { g_execute = executor ? executor : ExecuteThroughShell; }

// SEE_MASK_INVOKEIDLIST lets the shell run the item's own default action, as a double click
// in the shell would. (Wine 8 refuses this mask without an ID list, error 87, and says so in
// a box of its own; Windows builds the ID list from the file or address.)
bool OpenDocument(HWND owner, const char* target) {
    SHELLEXECUTEINFOA request = {};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_INVOKEIDLIST;
    request.hwnd = owner;
    request.lpFile = target;  // no verb: the default action
    request.nShow = SW_SHOWNORMAL;
    return g_execute(&request) != FALSE;
}

void OpenInternetOptions() {
    char commandLine[] = "control.exe Inetcpl.cpl";  // CreateProcessA may write into it
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
    const KernelHandle thread(process.hThread), child(process.hProcess);  // the panel is not waited for
}

void OpenServicePage(HWND window) {
    char target[TextBytes(kPathReadUnits)];
    {
        RegKey key = OpenSettings(KEY_QUERY_VALUE);
        if (!key || !ReadSettingString(key.get(), kServicePageValue, target, kPathReadUnits)) return;
    }
    if (target[0]) OpenDocument(window, target);
}

void OpenHelpFile(HWND owner) {
    char path[kPathBytes];
    if (ProgramFilePath("rtln.chm", path, sizeof path)) OpenDocument(owner, path);
}
