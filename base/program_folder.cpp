#include "program_folder.h"

#include <windows.h>

#include "format_text.h"

namespace {

char g_dataFolder[kPathBytes];  // empty: the program folder

bool JoinFile(const char* folder, const char* fileName, char* out, size_t outSize) {
    const int written = FormatText(out, outSize, "%s\\%s", folder, fileName);
    return written > 0 && static_cast<size_t>(written) < outSize;
}

}  // namespace

bool ProgramFilePath(const char* fileName, char* out, size_t outSize) {
    char module[kPathBytes];
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    constexpr DWORD kFileNameLength = 9;  // "\rtln.exe"
    if (length <= kFileNameLength || length >= sizeof module) return false;
    module[length - kFileNameLength] = 0;
    return JoinFile(module, fileName, out, outSize);
}

bool DataFilePath(const char* fileName, char* out, size_t outSize) {
    return g_dataFolder[0] ? JoinFile(g_dataFolder, fileName, out, outSize) : ProgramFilePath(fileName, out, outSize);
}

void UseDataFolder(const char* folder) {
    if (FormatText(g_dataFolder, sizeof g_dataFolder, "%s", folder ? folder : "") < 0) g_dataFolder[0] = 0;
}

namespace {

// The program file's path as the wide calls take it; false if it cannot be made.
bool WideProgramFilePath(const char* fileName, wchar_t (&out)[MAX_PATH]) {
    char path[kPathBytes];
    return ProgramFilePath(fileName, path, sizeof path) && MultiByteToWideChar(CP_ACP, 0, path, -1, out, MAX_PATH) > 0;
}

}  // namespace

bool AddProgramFont(const char* fileName) {
    wchar_t path[MAX_PATH];
    return WideProgramFilePath(fileName, path) && AddFontResourceW(path) > 0;
}

void RemoveProgramFont(const char* fileName) {
    wchar_t path[MAX_PATH];
    if (WideProgramFilePath(fileName, path)) RemoveFontResourceW(path);
}
