// Start-up to visible main window: rtln.exe against a bare one-dialog program, same run.
// Usage: startup_bench <program folder with rtln.exe> <bare_dialog.exe> [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts the program, waits until its window is visible, returns the time; then closes it.
double TimeToWindow(const std::string& exe, const char* title) {
    std::string commandLine = "\"" + exe + "\"";
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return -1;
    HWND window = nullptr;
    for (int i = 0; i < 20000 && !window; ++i) {
        HWND found = FindWindowA("#32770", title);
        if (found && IsWindowVisible(found))
            window = found;
        else
            Sleep(1);
    }
    QueryPerformanceCounter(&shown);
    if (window) PostMessageA(window, WM_COMMAND, title[0] == 'T' ? 105 : IDCANCEL, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 9);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return window ? Milliseconds(start, shown) : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench <folder with rtln.exe> <bare_dialog.exe> [rounds]\n");
        return 2;
    }
    const std::string rtln = std::string(argv[1]) + "\\rtln.exe";
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 9;
    std::vector<double> program, bare;
    TimeToWindow(rtln, "Tavrik Rateline");  // warm both once
    TimeToWindow(argv[2], "Bare Dialog");
    for (int i = 0; i < rounds; ++i) {  // interleaved, so both see the same conditions
        program.push_back(TimeToWindow(rtln, "Tavrik Rateline"));
        bare.push_back(TimeToWindow(argv[2], "Bare Dialog"));
    }
    const double p = Median(program), b = Median(bare);
    std::printf("start-up to visible window: rtln %.1f ms, bare dialog %.1f ms, ratio %.2f (median of %d)\n", p, b,
                p / b, rounds);
    return 0;
}
