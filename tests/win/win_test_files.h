#pragma once
// The file helpers and a message pump shared by the Windows-side tests.
#include <windows.h>

#include "tests/test_files.h"

namespace win_test {

using test_files::Bytes;
using test_files::FileExists;
using test_files::ReadFileBytes;
using test_files::ScratchFolder;
using test_files::WriteFileBytes;

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
