#include "system_library.h"

#include <cstring>

void* SystemFunction(const char* dll, const char* name) {
    char path[MAX_PATH];
    const UINT folderLength = GetSystemDirectoryA(path, MAX_PATH);
    if (folderLength == 0 || folderLength + 1 + std::strlen(dll) >= MAX_PATH) return nullptr;
    path[folderLength] = '\\';
    std::strcpy(path + folderLength + 1, dll);
    // Loaded once for the rest of the run: the handle is never freed.
    HMODULE module = LoadLibraryA(path);
    return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}
