#include "program_folder.h"

#include <windows.h>

#include "format_text.h"

bool ProgramFilePath(const char* fileName, char* out, size_t outSize) {
    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    constexpr DWORD kFileNameLength = 9;  // "\rtln.exe"
    if (length <= kFileNameLength || length >= sizeof module) return false;
    module[length - kFileNameLength] = 0;
    const int written = FormatText(out, outSize, "%s\\%s", module, fileName);
    return written > 0 && static_cast<size_t>(written) < outSize;
}
