// The session clock: a one-second multimedia timer that counts the session's length and
// shows it in the status bar, and the session's start, pause and end.
//
// Hand-off from the timer thread: the tick only stores the new count (one aligned 32-bit
// word) and POSTS it to a small hidden window of ours, a child of the status bar; that
// window's procedure runs on the UI thread and sets the status text. The tick therefore
// never waits on the UI thread, so the UI thread can cancel the timer synchronously
// (TIME_KILL_SYNCHRONOUS: no tick runs after timeKillEvent returns) without any risk of
// deadlock. Each posted tick carries the number of the clock run it belongs to, so a tick
// still queued from a cancelled run cannot overwrite the text of a newer one, while the last
// ticks of the latest run still show after a stop.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <atomic>

#include "../app/app_resources.h"
#include "../app/main_window.h"
#include "../base/unix_time.h"
#include "../resources/rtln_ids.h"
#include "session.h"
#include "session_internal.h"

namespace {

constexpr UINT kClockTickMessage = WM_APP + 1;  // wParam: elapsed seconds, lParam: clock run
constexpr char kClockReceiverClass[] = "RtlnSessionClockReceiver";
constexpr char kStatusDatePicture[] = "MM'/'dd'/'yy";  // slashes whatever the locale's separator
constexpr char kStartTip[] = "Start Session";
constexpr char kClockTip[] = "Time Session";
constexpr int kDatePart = 0;
constexpr int kStartPart = 1;
constexpr int kClockPart = 2;
constexpr UINT kTickPeriodMs = 1000;

HWND g_statusBar;
HWND g_clockReceiver;
char g_dateText[32];
std::atomic<int32_t> g_elapsed{0};  // written by the tick while the timer runs, else by EndSession
int32_t g_startTime;
UINT g_timerId;
DWORD_PTR g_clockRun;  // number of the current clock run, handed to each tick
std::atomic<LONG> g_deliveredTicks{0};
TimerStarter g_startTimer = timeSetEvent;

void CALLBACK SessionTick(UINT, UINT, DWORD_PTR run, DWORD_PTR, DWORD_PTR) {
    const int32_t next = NextElapsed(g_elapsed.load(std::memory_order_relaxed));
    g_elapsed.store(next, std::memory_order_relaxed);
    if (g_clockReceiver) PostMessageA(g_clockReceiver, kClockTickMessage, static_cast<WPARAM>(next), run);
}

void ShowClock(int32_t elapsed) {
    char text[kClockTextSize];
    FormatClock(elapsed, text);
    SetStatusText(kClockPart, text);
}

LRESULT CALLBACK ClockReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kClockTickMessage) return DefWindowProcA(window, message, wParam, lParam);
    // A tick of the current run still counts after the timer was cancelled (Stop, Save, exit):
    // its second is in the session, so the clock shows it. Ticks of older runs are dropped.
    if (static_cast<DWORD_PTR>(lParam) == g_clockRun) {
        ShowClock(static_cast<int32_t>(wParam));
        ++g_deliveredTicks;
    }
    return 0;
}

void CreateClockReceiver(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ClockReceiverProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClockReceiverClass;
    RegisterClassA(&windowClass);  // already registered by an earlier window: fine
    // A hidden child of the bar, so it is destroyed with the main window.
    g_clockReceiver =
        CreateWindowExA(0, kClockReceiverClass, "", WS_CHILD, 0, 0, 0, 0, g_statusBar, nullptr, instance, nullptr);
}

void ShowStartTime() {
    char text[16];
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, sizeof text))
        SetStatusText(kStartPart, text);
}

}  // namespace

HWND SessionStatusBar() { return g_statusBar; }

void SetStatusText(int part, const char* text) {
    if (g_statusBar) SendMessageA(g_statusBar, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

int32_t SessionElapsed() { return g_elapsed.load(std::memory_order_relaxed); }
int32_t SessionStartTime() { return g_startTime; }
LONG DeliveredClockTicks() { return g_deliveredTicks.load(); }

void SetSessionTimerStarter(TimerStarter starter) { g_startTimer = starter ? starter : timeSetEvent; }

void CreateSessionStatusBar(HWND window) {
    const HINSTANCE instance = AppInstance();
    g_clockReceiver = nullptr;
    RECT client = {};
    GetClientRect(window, &client);
    g_statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS, 0, 0, 0, 0, window,
                                  nullptr, instance, nullptr);
    if (!g_statusBar) return;
    const int quarter = client.right / 4;
    int edges[4] = {quarter, 2 * quarter + 6, 3 * quarter + 8, 4 * quarter};
    SendMessageA(g_statusBar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    for (int part = 0; part < 4; ++part)
        SendMessageA(g_statusBar, SB_SETICON, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(StatusIcon(part)));
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, kStatusDatePicture, g_dateText, sizeof g_dateText))
        g_dateText[0] = 0;
    SetStatusText(kDatePart, g_dateText);
    SendMessageA(g_statusBar, SB_SETTIPTEXTA, kDatePart, reinterpret_cast<LPARAM>(g_dateText));
    SendMessageA(g_statusBar, SB_SETTIPTEXTA, kStartPart, reinterpret_cast<LPARAM>(kStartTip));
    SendMessageA(g_statusBar, SB_SETTIPTEXTA, kClockPart, reinterpret_cast<LPARAM>(kClockTip));
    CreateClockReceiver(instance);
}

bool IsSessionClockRunning() { return g_timerId != 0; }

bool StartSession(HWND window) {
    if (g_timerId != 0) return true;  // already running: nothing to start
    if (SessionElapsed() == 0) {
        g_startTime = static_cast<int32_t>(CurrentUnixTime());
        SetStatusText(kClockPart, "00:00:00");
        EmptyCounterFields(window);
        EnableMenuCommand(IDM_SAVE, false);
    } else {
        // Ticks of the stopped run still queued will be dropped: show the length they reached.
        ShowClock(SessionElapsed());
    }
    EnableMenuCommand(IDM_STOP, true);
    EnableMenuCommand(IDM_CONTINUE, false);
    ++g_clockRun;
    g_timerId = g_startTimer(kTickPeriodMs, 0, SessionTick, g_clockRun,
                             TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (g_timerId == 0) return false;
    ShowStartTime();
    return true;
}

void KillSessionTimer() {
    if (g_timerId == 0) return;
    timeKillEvent(g_timerId);
    g_timerId = 0;
}

void StopSession(HWND) {
    KillSessionTimer();
    EnableMenuCommand(IDM_STOP, false);
    EnableMenuCommand(IDM_CONTINUE, true);
}

void EndSession() {
    KillSessionTimer();
    g_elapsed.store(0, std::memory_order_relaxed);
    EnableMenuCommand(IDM_STOP, false);
    EnableMenuCommand(IDM_CONTINUE, true);
    EnableMenuCommand(IDM_SAVE, false);
    EnableMenuCommand(IDM_STATISTICS, true);
}
