// Start-up to visible main window: rtln.exe against a bare one-dialog program and against its
// own dialog template shown by a program that does nothing else, interleaved in one run.
// Usage: startup_bench <folder with rtln.exe> <bare_dialog.exe> <template_dialog.exe> [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../resources/rtln_ids.h"

namespace {

struct Candidate {
    std::string exe;
    const char* title;
    WORD closeCommand;
    std::vector<double> times;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts the program, waits until its window is visible, returns the time; then closes it.
double TimeToWindow(const Candidate& candidate) {
    std::string commandLine = "\"" + candidate.exe + "\"";
    const std::string folder = candidate.exe.substr(0, candidate.exe.find_last_of('\\'));
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
        HWND found = FindWindowA("#32770", candidate.title);
        if (found && IsWindowVisible(found))
            window = found;
        else
            Sleep(1);
    }
    QueryPerformanceCounter(&shown);
    if (window) PostMessageA(window, WM_COMMAND, candidate.closeCommand, 0);
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
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: startup_bench <folder with rtln.exe> <bare_dialog.exe> <template_dialog.exe> "
                     "[rounds]\n");
        return 2;
    }
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 9;
    Candidate program{std::string(argv[1]) + "\\rtln.exe", "Tavrik Rateline", IDM_EXIT, {}};
    Candidate bare{argv[2], "Bare Dialog", IDCANCEL, {}};
    Candidate shape{argv[3], "Tavrik Rateline", IDM_EXIT, {}};
    Candidate* const all[] = {&program, &bare, &shape};
    for (Candidate* candidate : all) TimeToWindow(*candidate);  // warm each once
    // Interleaved, so that all three see the same conditions.
    for (int i = 0; i < rounds; ++i)
        for (Candidate* candidate : all) candidate->times.push_back(TimeToWindow(*candidate));
    const double p = Median(program.times), b = Median(bare.times), t = Median(shape.times);
    std::printf("start-up to visible window (median of %d): rtln %.1f ms, bare dialog %.1f ms, ratio %.2f\n", rounds, p,
                b, p / b);
    std::printf("rtln's template alone %.1f ms: template / bare %.2f, rtln / template %.2f\n", t, t / b, p / t);
    return 0;
}
