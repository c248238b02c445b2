// The program is the pipe's server; a host is one of its clients as long as both run. Any
// process of the session could create a pipe of that name first, so the host accepts the pipe
// only from a server whose image is the rtln.exe beside it. Nothing secret crosses the pipe.
#include "program_link.h"

#include <cwchar>

#include "base/fill_pipe.h"
#include "base/handle.h"

// Declared by the SDK headers only for newer Windows than the programs' common target.
extern "C" {
WINBASEAPI BOOL WINAPI GetNamedPipeServerProcessId(HANDLE pipe, PULONG serverProcessId);
WINBASEAPI BOOL WINAPI QueryFullProcessImageNameW(HANDLE process, DWORD flags, LPWSTR name, PDWORD size);
}

namespace {

constexpr DWORD kRetryMilliseconds = 500;
constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION

FillRequested g_onFill = nullptr;
wchar_t g_program[MAX_PATH];

// The rtln.exe of the host's own folder; false when the host's path cannot be read.
bool ProgramBesideHost(wchar_t (&program)[MAX_PATH]) {
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    wchar_t* name = std::wcsrchr(program, L'\\');
    if (!name || (name - program) + 10 >= MAX_PATH) return false;
    std::wcscpy(name + 1, L"rtln.exe");
    return true;
}

// Reads the pipe until it breaks: each message is one fill.
void ServeFills(HANDLE pipe) {
    char message[16];
    DWORD read = 0;
    for (;;) {
        const BOOL ok = ReadFile(pipe, message, sizeof message, &read, nullptr);
        if (!ok && GetLastError() != ERROR_MORE_DATA) return;
        g_onFill();
    }
}

DWORD WINAPI LinkThread(void*) {
    wchar_t name[kFillPipeNameUnits];
    FillPipeName(name);
    for (;;) {
        const FileHandle pipe(CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (pipe && PipeServedBy(pipe.get(), g_program)) {
            ServeFills(pipe.get());
            continue;  // the program ended: wait for the next one
        }
        if (!pipe && GetLastError() == ERROR_PIPE_BUSY)
            WaitNamedPipeW(name, kRetryMilliseconds);
        else
            Sleep(kRetryMilliseconds);
    }
}

}  // namespace

bool PipeServedBy(HANDLE pipe, const wchar_t* program) {
    ULONG id = 0;
    if (!GetNamedPipeServerProcessId(pipe, &id)) return false;
    const KernelHandle process(OpenProcess(kQueryLimitedInformation, FALSE, id));
    if (!process) return false;
    wchar_t image[MAX_PATH];  // a longer path is not the program's, whose own fits
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameW(process.get(), 0, image, &size)) return false;
    // File names compare without regard to case, as the file system does.
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, image, -1, program, -1) == CSTR_EQUAL;
}

bool StartProgramLink(FillRequested onFill) {
    g_onFill = onFill;
    if (!ProgramBesideHost(g_program)) return false;
    const KernelHandle thread(CreateThread(nullptr, 0, LinkThread, nullptr, 0, nullptr));
    return static_cast<bool>(thread);
}
