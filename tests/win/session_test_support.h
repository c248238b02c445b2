#pragma once
// Helpers of the session tests: a window holding the counter fields, and a watcher that
// reads and dismisses the message boxes of this process.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "resources/rtln_ids.h"
#include "win_test_files.h"

namespace session_test {

using win_test::FileExists;
using win_test::Pump;
using win_test::ReadFileBytes;
using win_test::ScratchFolder;
using win_test::WriteFileBytes;

// A top-level window with the five counter fields, the ticket bar and the credit lists,
// under the ids of the main window.
class CounterWindow {
public:
    CounterWindow() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        window_ = CreateWindowExA(0, "STATIC", "session test", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        for (int id : {IDC_TICKETS, IDC_ERRORS, IDC_LOTTO_CREDITS, IDC_TRAFFIC_CREDITS, IDC_FREE_BANNERS})
            Child("EDIT", id, ES_MULTILINE | ES_NUMBER);
        Child(PROGRESS_CLASSA, IDC_TICKET_PROGRESS, 0);
        for (int id : {IDC_LOTTO_LIST, IDC_TRAFFIC_LIST, IDC_BANNER_LIST}) Child("COMBOBOX", id, CBS_DROPDOWNLIST);
    }
    ~CounterWindow() { DestroyWindow(window_); }
    CounterWindow(const CounterWindow&) = delete;
    CounterWindow& operator=(const CounterWindow&) = delete;
    HWND get() const { return window_; }
    void Set(int id, const char* text) const { SetDlgItemTextA(window_, id, text); }
    std::string Text(int id) const {
        char text[64];
        GetDlgItemTextA(window_, id, text, sizeof text);
        return text;
    }

private:
    // A control that cannot be made leaves the window unusable: it is reported as such.
    void Child(const char* className, int id, DWORD style) {
        const HWND child =
            CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 100, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
        if (!child) ADD_FAILURE() << "no " << className << " " << id;
    }
    HWND window_;
};

// A timer that does not fire within a test (its period is a minute) and keeps the tick it
// was given, so that the test gives each second by hand.
struct HandTimer {
    static inline LPTIMECALLBACK tick = nullptr;
    static inline DWORD_PTR user = 0;
    static MMRESULT WINAPI Start(UINT, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR dwUser, UINT flags) {
        tick = callback;
        user = dwUser;
        return timeSetEvent(60000, resolution, callback, dwUser, flags);
    }
    static void Second() { tick(0, 0, user, 0, 0); }
};

struct Box {
    std::string caption;
    std::string text;
};

// Reads every message box this process shows while it lives, and presses its OK.
class BoxWatcher {
public:
    BoxWatcher() : thread_([this] { Run(); }) {}
    ~BoxWatcher() { Stop(); }
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;
    std::vector<Box> Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        std::lock_guard<std::mutex> lock(mutex_);
        return boxes_;
    }

private:
    void Run() {
        while (!stop_) {
            EnumWindows(Look, reinterpret_cast<LPARAM>(this));
            Sleep(10);
        }
    }
    static BOOL CALLBACK Look(HWND window, LPARAM self) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (process != GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window))
            return TRUE;
        // Only a message box is asked for its text: asking another dialog (the main window)
        // would wait on the test's own thread, which may be waiting for this one.
        if (!GetDlgItem(window, 0xFFFF) || !GetDlgItem(window, IDOK)) return TRUE;
        char caption[64] = {}, text[256] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (lstrcmpA(caption, "Error") != 0 && lstrcmpA(caption, "Tavrik Rateline") != 0) return TRUE;
        auto* watcher = reinterpret_cast<BoxWatcher*>(self);
        // A box is read and pressed once: on a slow machine it may still show at the next look.
        if (std::find(watcher->pressed_.begin(), watcher->pressed_.end(), window) != watcher->pressed_.end())
            return TRUE;
        watcher->pressed_.push_back(window);
        GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
        {
            std::lock_guard<std::mutex> lock(watcher->mutex_);
            watcher->boxes_.push_back({caption, text});
        }
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        return TRUE;
    }

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Box> boxes_;
    std::vector<HWND> pressed_;  // only the watcher's thread touches it
    std::thread thread_;
};

}  // namespace session_test
