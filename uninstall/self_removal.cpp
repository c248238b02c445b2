#include "self_removal.h"

#include <cstring>

#include "base/handle.h"
#include "removal_plan.h"

namespace uninstall {

namespace {

constexpr DWORD kWaitForOriginalMs = 60000;
constexpr int kDeleteTries = 50;  // 100 ms apart: the ended process's file may be held a moment

// The folder's full name in its long form, with a trailing backslash; false when unknown.
bool LongFolder(const char* folder, char (&out)[kPathBuffer]) {
    const DWORD length = GetLongPathNameA(folder, out, kPathBuffer);
    return length > 0 && length < kPathBuffer;
}

// Whether two folders are the same, letter case aside. Compared as wide text: the 8-bit
// comparison may read the program's UTF-8 in the locale's own code page.
bool SameFolder(const char* a, const char* b) {
    wchar_t wideA[MAX_PATH], wideB[MAX_PATH];
    return MultiByteToWideChar(CP_ACP, 0, a, -1, wideA, MAX_PATH) > 0 &&
           MultiByteToWideChar(CP_ACP, 0, b, -1, wideB, MAX_PATH) > 0 && lstrcmpiW(wideA, wideB) == 0;
}

// Whether the program file `self` lies in programFolder.
bool RunsFrom(const char* self, const char* programFolder) {
    const char* lastBackslash = std::strrchr(self, '\\');
    if (!lastBackslash) return false;
    const size_t length = static_cast<size_t>(lastBackslash - self) + 1;  // the folder, with its backslash
    char folder[kPathBuffer], ownFolder[kPathBuffer], installed[kPathBuffer];
    std::memcpy(folder, self, length);
    folder[length] = '\0';
    return LongFolder(folder, ownFolder) && LongFolder(programFolder, installed) && SameFolder(ownFolder, installed);
}

}  // namespace

void HandOverSelfRemoval(const char* programFolder) {
    if (!programFolder[0]) return;
    char self[kPathBuffer] = "", temp[kPathBuffer], copy[kPathBuffer];
    const DWORD selfLength = GetModuleFileNameA(nullptr, self, sizeof self);
    if (selfLength == 0 || selfLength >= sizeof self || !RunsFrom(self, programFolder)) return;
    const DWORD tempLength = GetTempPathA(sizeof temp, temp);
    if (tempLength == 0 || tempLength >= sizeof temp || !GetTempFileNameA(temp, "uni", 0, copy)) return;
    KernelHandle original;  // this process, for the copy to wait on
    char commandLine[kCommandBuffer];
    if (!CopyFileA(self, copy, FALSE) ||
        !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), original.out(), SYNCHRONIZE,
                         TRUE, 0) ||
        !FormatSelfRemoval(copy, reinterpret_cast<uintptr_t>(original.get()), programFolder, commandLine)) {
        DeleteFileA(copy);
        return;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // It works in the temporary folder, so that no one holds the program folder as its current one.
    if (!CreateProcessA(copy, commandLine, nullptr, nullptr, TRUE, 0, nullptr, temp, &startup, &process)) {
        DeleteFileA(copy);
        return;
    }
    const KernelHandle thread(process.hThread), child(process.hProcess);
}

bool FinishSelfRemoval(const char* arguments) {
    uint64_t handle = 0;
    char folder[kPathBuffer], uninstaller[kPathBuffer], company[kPathBuffer];
    if (!ParseSelfRemoval(arguments, &handle, folder)) return false;
    {
        const KernelHandle original(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle)));
        WaitForSingleObject(original.get(), kWaitForOriginalMs);
    }
    if (JoinPath(folder, kUninstallerFile, uninstaller))
        for (int tries = 1; !DeleteFileA(uninstaller) && GetLastError() != ERROR_FILE_NOT_FOUND && tries < kDeleteTries;
             ++tries)
            Sleep(100);
    // Each stays while it holds anything else.
    if (RemoveDirectoryA(folder) && CompanyFolderOf(folder, company)) RemoveDirectoryA(company);
    return true;
}

}  // namespace uninstall
