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

#include "base/dialog_look.h"
#include "base/display_scale.h"
#include "base/unix_time.h"
#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
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

SessionState g_session;
TimerStarter g_startTimer = timeSetEvent;

void EnableSessionMenu(UINT id, bool enabled) { EnableMenuCommand(g_session.window, id, enabled); }

void CALLBACK SessionTick(UINT, UINT, DWORD_PTR run, DWORD_PTR, DWORD_PTR) {
    const int32_t next = NextElapsed(g_session.elapsed.load(std::memory_order_relaxed));
    g_session.elapsed.store(next, std::memory_order_relaxed);
    if (g_session.clockReceiver)
        PostMessageA(g_session.clockReceiver, kClockTickMessage, static_cast<WPARAM>(next), run);
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
    if (static_cast<DWORD_PTR>(lParam) == g_session.clockRun) {
        ShowClock(static_cast<int32_t>(wParam));
        ++g_session.deliveredTicks;
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
    g_session.clockReceiver = CreateWindowExA(0, kClockReceiverClass, "", WS_CHILD, 0, 0, 0, 0, g_session.statusBar,
                                              nullptr, instance, nullptr);
}

// The locale's time marks (AM/PM) may be letters of any script. Without LOCALE_USE_CP_ACP the
// 8-bit text would come in the locale's own code page, not the program's.
void ShowStartTime() {
    char text[32];
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS | LOCALE_USE_CP_ACP, nullptr, nullptr, text, sizeof text))
        SetStatusText(kStartPart, text);
}

}  // namespace

HWND SessionStatusBar() { return g_session.statusBar; }

void SetStatusText(int part, const char* text) {
    if (g_session.statusBar)
        SendMessageA(g_session.statusBar, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

int32_t SessionElapsed() { return g_session.elapsed.load(std::memory_order_relaxed); }
int32_t SessionStartTime() { return g_session.startTime; }
LONG DeliveredClockTicks() { return g_session.deliveredTicks.load(); }

void SetSessionTimerStarter(TimerStarter starter) { g_startTimer = starter ? starter : timeSetEvent; }

SessionState& TheSession() { return g_session; }

void CreateSessionStatusBar(HWND window) {
    const HINSTANCE instance = AppInstance();
    g_session.window = window;
    for (int part = 0; part < 4; ++part)
        g_session.statusIcons[part].reset(static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(IDI_STATUS_DATE + part), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    g_session.clockReceiver = nullptr;
    RECT client = {};
    GetClientRect(window, &client);
    g_session.statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS, 0, 0, 0, 0,
                                          window, nullptr, instance, nullptr);
    if (!g_session.statusBar) return;
    const int quarter = client.right / 4;
    int edges[4] = {quarter, 2 * quarter + ScalePixels(6), 3 * quarter + ScalePixels(8), 4 * quarter};
    SendMessageA(g_session.statusBar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    for (int part = 0; part < 4; ++part)
        SendMessageA(g_session.statusBar, SB_SETICON, static_cast<WPARAM>(part),
                     reinterpret_cast<LPARAM>(g_session.statusIcons[part].get()));
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, LOCALE_USE_CP_ACP, nullptr, kStatusDatePicture, g_session.dateText,
                        sizeof g_session.dateText))
        g_session.dateText[0] = 0;
    SetStatusText(kDatePart, g_session.dateText);
    SendMessageA(g_session.statusBar, SB_SETTIPTEXTA, kDatePart, reinterpret_cast<LPARAM>(g_session.dateText));
    SendMessageA(g_session.statusBar, SB_SETTIPTEXTA, kStartPart, reinterpret_cast<LPARAM>(kStartTip));
    SendMessageA(g_session.statusBar, SB_SETTIPTEXTA, kClockPart, reinterpret_cast<LPARAM>(kClockTip));
    CreateClockReceiver(instance);
}

bool IsSessionClockRunning() { return static_cast<bool>(g_session.timer); }

bool StartSession(HWND window) {
    if (g_session.timer) return true;  // already running: nothing to start
    if (SessionElapsed() == 0) {
        g_session.startTime = static_cast<int32_t>(CurrentUnixTime());
        SetStatusText(kClockPart, "00:00:00");
        EmptyCounterFields(window);
        EnableMenuCommand(window, IDM_SAVE, false);
    } else {
        // Ticks of the stopped run still queued will be dropped: show the length they reached.
        ShowClock(SessionElapsed());
    }
    EnableMenuCommand(window, IDM_STOP, true);
    EnableMenuCommand(window, IDM_CONTINUE, false);
    ++g_session.clockRun;
    g_session.timer.reset(g_startTimer(kTickPeriodMs, 0, SessionTick, g_session.clockRun,
                                       TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS));
    if (!g_session.timer) return false;
    ShowStartTime();
    return true;
}

void KillSessionTimer() { g_session.timer.reset(); }

void CloseSessionClock() {
    KillSessionTimer();
    for (IconHandle& icon : g_session.statusIcons) icon.reset();
}

void StopSession(HWND window) {
    KillSessionTimer();
    EnableMenuCommand(window, IDM_STOP, false);
    EnableMenuCommand(window, IDM_CONTINUE, true);
}

void EndSession() {
    KillSessionTimer();
    g_session.elapsed.store(0, std::memory_order_relaxed);
    EnableSessionMenu(IDM_STOP, false);
    EnableSessionMenu(IDM_CONTINUE, true);
    EnableSessionMenu(IDM_SAVE, false);
    EnableSessionMenu(IDM_STATISTICS, true);
}
