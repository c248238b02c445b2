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
#include <cstring>

#include "base/dialog_look.h"
#include "base/display_scale.h"
#include "base/unix_time.h"
#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
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

void CALLBACK SessionTick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    Session& session = *reinterpret_cast<Session*>(user);
    const int32_t next = NextElapsed(session.elapsed.load(std::memory_order_relaxed));
    session.elapsed.store(next, std::memory_order_relaxed);
    if (session.clockReceiver)
        PostMessageA(session.clockReceiver, kClockTickMessage, static_cast<WPARAM>(next),
                     static_cast<LPARAM>(session.clockRun.load(std::memory_order_relaxed)));
}

void ShowClock(const Session& session, int32_t elapsed) {
    char text[kClockTextSize];
    FormatClock(elapsed, text);
    SetStatusText(session, kClockPart, text);
}

// The receiver keeps its session in GWLP_USERDATA.
LRESULT CALLBACK ClockReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* session = reinterpret_cast<Session*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != kClockTickMessage || !session) return DefWindowProcA(window, message, wParam, lParam);
    // A tick of the current run still counts after the timer was cancelled (Stop, Save, exit):
    // its second is in the session, so the clock shows it. Ticks of older runs are dropped.
    if (static_cast<DWORD_PTR>(lParam) == session->clockRun.load(std::memory_order_relaxed))
        ShowClock(*session, static_cast<int32_t>(wParam));
    return 0;
}

void CreateClockReceiver(Session& session, HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ClockReceiverProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClockReceiverClass;
    RegisterClassA(&windowClass);  // already registered by an earlier window: fine
    // A hidden child of the bar, so it is destroyed with the main window.
    session.clockReceiver = CreateWindowExA(0, kClockReceiverClass, "", WS_CHILD, 0, 0, 0, 0, session.statusBar,
                                            nullptr, instance, nullptr);
    if (session.clockReceiver)
        SetWindowLongPtrA(session.clockReceiver, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&session));
}

// The locale's time marks (AM/PM) may be letters of any script. Without LOCALE_USE_CP_ACP the
// 8-bit text would come in the locale's own code page, not the program's.
void ShowStartTime(const Session& session) {
    char text[32];
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS | LOCALE_USE_CP_ACP, nullptr, nullptr, text, sizeof text))
        SetStatusText(session, kStartPart, text);
}

// The bar's font and icons are the system's and follow the DPI; the window's width follows its
// own scale, which may grow less (base/display_scale.h). Where it does, the bar's font follows
// the window's scale, and each part is moved right as far as its icon and its widest text
// need: the window's quarters, the second and third a few pixels further, where they suffice.
void FitStatusFont(Session& session, HWND window) {
    const int windowDpi = DialogDpi(window);
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (windowDpi >= SystemDpi() || !SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return;
    metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, windowDpi, SystemDpi());
    session.statusFont.reset(CreateFontIndirectA(&metrics.lfStatusFont));
    if (session.statusFont)
        SendMessageA(session.statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(session.statusFont.get()), FALSE);
}

void LayOutStatusParts(const Session& session, HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    const int quarter = client.right / 4;
    int edges[4] = {quarter, 2 * quarter + DialogPixels(window, 6), 3 * quarter + DialogPixels(window, 8), 4 * quarter};
    char startSample[32] = "";
    const SYSTEMTIME lateEvening = {2000, 1, 6, 1, 23, 59, 0, 0};
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS | LOCALE_USE_CP_ACP, &lateEvening, nullptr, startSample,
                   sizeof startSample);
    const char* widest[4] = {session.dateText, startSample, "00:00:00", "0000"};
    int borders[3] = {};  // horizontal border, vertical border, gap between parts
    SendMessageA(session.statusBar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const ScreenDc dc(GetDC(nullptr));
    const auto font = reinterpret_cast<HFONT>(SendMessageA(session.statusBar, WM_GETFONT, 0, 0));
    const Selection selection = Select(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    int left = 0;
    for (int part = 0; part < 4; ++part) {
        SIZE text = {};
        GetTextExtentPoint32A(dc.get(), widest[part], static_cast<int>(std::strlen(widest[part])), &text);
        const int need = borders[2] + 4 * borders[0] + GetSystemMetrics(SM_CXSMICON) + text.cx + 6;
        if (edges[part] < left + need) edges[part] = left + need;
        left = edges[part];
    }
    SendMessageA(session.statusBar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
}

}  // namespace

void SetStatusText(const Session& session, int part, const char* text) {
    if (session.statusBar)
        SendMessageA(session.statusBar, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

void CreateSessionStatusBar(Session& session, HWND window) {
    const HINSTANCE instance = AppInstance();
    for (int part = 0; part < 4; ++part)
        session.statusIcons[part].reset(static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(IDI_STATUS_DATE + part), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    session.clockReceiver = nullptr;
    session.statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS, 0, 0, 0, 0,
                                        window, nullptr, instance, nullptr);
    if (!session.statusBar) return;
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, LOCALE_USE_CP_ACP, nullptr, kStatusDatePicture, session.dateText,
                        sizeof session.dateText))
        session.dateText[0] = 0;
    FitStatusFont(session, window);
    LayOutStatusParts(session, window);
    for (int part = 0; part < 4; ++part)
        SendMessageA(session.statusBar, SB_SETICON, static_cast<WPARAM>(part),
                     reinterpret_cast<LPARAM>(session.statusIcons[part].get()));
    SetStatusText(session, kDatePart, session.dateText);
    SendMessageA(session.statusBar, SB_SETTIPTEXTA, kDatePart, reinterpret_cast<LPARAM>(session.dateText));
    SendMessageA(session.statusBar, SB_SETTIPTEXTA, kStartPart, reinterpret_cast<LPARAM>(kStartTip));
    SendMessageA(session.statusBar, SB_SETTIPTEXTA, kClockPart, reinterpret_cast<LPARAM>(kClockTip));
    CreateClockReceiver(session, instance);
}

bool StartSession(Session& session, HWND window) {
    if (session.timer) return true;  // already running: nothing to start
    const int32_t elapsed = session.elapsed.load(std::memory_order_relaxed);
    if (elapsed == 0) {
        session.startTime = static_cast<int32_t>(CurrentUnixTime());
        SetStatusText(session, kClockPart, "00:00:00");
        EmptyCounterFields(window);
        EnableMenuCommand(window, IDM_SAVE, false);
    } else {
        // Ticks of the stopped run still queued will be dropped: show the length they reached.
        ShowClock(session, elapsed);
    }
    EnableMenuCommand(window, IDM_STOP, true);
    EnableMenuCommand(window, IDM_CONTINUE, false);
    ++session.clockRun;
    session.timer.reset(session.startTimer(kTickPeriodMs, 0, SessionTick, reinterpret_cast<DWORD_PTR>(&session),
                                           TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS));
    if (!session.timer) return false;
    ShowStartTime(session);
    return true;
}

void CloseSessionClock(Session& session) {
    session.timer.reset();
    for (IconHandle& icon : session.statusIcons) icon.reset();
    session.statusFont.reset();
}

void StopSession(Session& session, HWND window) {
    session.timer.reset();
    EnableMenuCommand(window, IDM_STOP, false);
    EnableMenuCommand(window, IDM_CONTINUE, true);
}

void EndSession(Session& session, HWND window) {
    session.timer.reset();
    session.elapsed.store(0, std::memory_order_relaxed);
    EnableMenuCommand(window, IDM_STOP, false);
    EnableMenuCommand(window, IDM_CONTINUE, true);
    EnableMenuCommand(window, IDM_SAVE, false);
    EnableMenuCommand(window, IDM_STATISTICS, true);
}
