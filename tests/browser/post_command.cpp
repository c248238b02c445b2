// Usage: post_command.exe ID
// Posts WM_COMMAND ID to the program's main window, as a menu command arrives from the user,
// and prints the time of posting in milliseconds since 1970. Exit code 1 when the window is
// not there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const HWND window = FindWindowA("#32770", "Tavrik Rateline");
    const WPARAM id = static_cast<WPARAM>(std::strtoul(argv[1], nullptr, 10));
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    if (!window || !PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0)) return 1;
    // FILETIME counts 100 ns from 1601; 11644473600 s lie between 1601 and 1970.
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    std::printf("%llu\n", ticks / 10000 - 11644473600000ULL);
    return 0;
}
