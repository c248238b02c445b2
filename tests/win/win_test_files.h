#pragma once
// Whole-file helpers and a message pump shared by the Windows-side tests.
#include <windows.h>

#include <string>
#include <vector>

namespace win_test {

using Bytes = std::vector<unsigned char>;

inline bool WriteBytes(const std::string& path, const Bytes& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        bytes.empty() ||
        (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
    CloseHandle(file);
    return ok;
}

inline Bytes ReadBytes(const std::string& path) {
    Bytes bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Dispatches this thread's messages for ms milliseconds.
inline void Pump(DWORD ms) {
    const DWORD begin = GetTickCount();
    do {
        MSG message;
        // What is queued is dispatched, even for 0 ms; but a timer that posts faster than its
        // messages are handled (a 1 ms timer under Wine's heap checking) must not hold the
        // caller here for ever, so a second past the time ends it.
        while (GetTickCount() - begin < ms + 1000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(1);
    } while (GetTickCount() - begin < ms);
}

}  // namespace win_test
