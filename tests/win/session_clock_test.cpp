// The session clock on its multimedia timer: the status bar, starting, pausing and
// ending, the timer's failure, and a thousand starts and stops with ticks in flight.
#include <gtest/gtest.h>

#include <cstdio>

#include "session/session.h"
#include "session/session_internal.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

std::string StatusText(const Session& session, int part) {
    char text[128] = {};
    const LRESULT info = SendMessageA(session.statusBar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0);
    if (LOWORD(info) < sizeof text)
        SendMessageA(session.statusBar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string TipText(const Session& session, int part) {
    char text[128] = {};
    SendMessageA(session.statusBar, SB_GETTIPTEXTA, MAKEWPARAM(part, sizeof text), reinterpret_cast<LPARAM>(text));
    return text;
}

int ClockSeconds(const std::string& text) {
    int h = 0, m = 0, s = 0;
    return std::sscanf(text.c_str(), "%d:%d:%d", &h, &m, &s) == 3 ? h * 3600 + m * 60 + s : -1;
}

MMRESULT WINAPI FastTimer(UINT, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) {
    return timeSetEvent(1, resolution, callback, user, flags);  // ticks every millisecond
}

MMRESULT WINAPI FailingTimer(UINT, UINT, LPTIMECALLBACK, DWORD_PTR, UINT) { return 0; }

// Dispatches this thread's messages until the clock shows the text, for at most 5 seconds.
bool ClockShows(const Session& session, const std::string& text) {
    const DWORD begin = GetTickCount();
    while (StatusText(session, 2) != text) {
        if (GetTickCount() - begin > 5000) return false;
        Pump(1);
    }
    return true;
}

// Each test starts with a new session on the system's timer.
class SessionClock : public ::testing::Test {
protected:
    void SetUp() override {
        CreateSessionStatusBar(session, window.get());
        ASSERT_NE(session.statusBar, nullptr);
    }
    CounterWindow window;
    Session session;
};

}  // namespace

TEST_F(SessionClock, StatusBarHasFourPartsWithTheDateAndTips) {
    // Quarters of the window's 402-pixel client area, rounded down: 100 (not 100.5), the
    // middle two pushed 6 and 8 pixels right, the last at 400, 2 short of the edge.
    SetWindowPos(window.get(), nullptr, 0, 0, 402, 300, SWP_NOZORDER);
    DestroyWindow(session.statusBar);
    CreateSessionStatusBar(session, window.get());
    int edges[4] = {};
    ASSERT_EQ(SendMessageA(session.statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 4);
    EXPECT_EQ(std::vector<int>(edges, edges + 4), (std::vector<int>{100, 206, 308, 400}));

    SYSTEMTIME today;
    GetLocalTime(&today);
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%02d", today.wMonth, today.wDay, today.wYear % 100);
    EXPECT_EQ(StatusText(session, 0), date);
    EXPECT_EQ(TipText(session, 0), date);
    EXPECT_EQ(TipText(session, 1), "Start Session");
    EXPECT_EQ(TipText(session, 2), "Time Session");
    EXPECT_EQ(StatusText(session, 1), "");
    EXPECT_EQ(StatusText(session, 2), "");
}

TEST_F(SessionClock, NewSessionCountsSecondsAndAPauseKeepsEverything) {
    window.Set(IDC_TICKETS, "7");
    window.Set(IDC_LOTTO_CREDITS, "5");
    SendDlgItemMessageA(window.get(), IDC_TICKET_PROGRESS, PBM_SETPOS, 7, 0);
    session.startTimer = HandTimer::Start;
    ASSERT_TRUE(StartSession(session, window.get()));
    EXPECT_TRUE(static_cast<bool>(session.timer));
    EXPECT_EQ(StatusText(session, 2), "00:00:00");
    EXPECT_NE(StatusText(session, 1), "");
    EXPECT_EQ(window.Text(IDC_TICKETS), "");  // a new session empties the counters
    EXPECT_EQ(window.Text(IDC_LOTTO_CREDITS), "");
    EXPECT_EQ(SendDlgItemMessageA(window.get(), IDC_TICKET_PROGRESS, PBM_GETPOS, 0, 0), 0);

    HandTimer::Second();
    EXPECT_TRUE(ClockShows(session, "00:00:01"));

    StopSession(session, window.get());
    EXPECT_FALSE(static_cast<bool>(session.timer));
    window.Set(IDC_TICKETS, "3");
    ASSERT_TRUE(StartSession(session, window.get()));
    EXPECT_EQ(window.Text(IDC_TICKETS), "3");  // continuing keeps the counters
    EXPECT_EQ(StatusText(session, 2), "00:00:01");
    HandTimer::Second();
    EXPECT_TRUE(ClockShows(session, "00:00:02"));

    EndSession(session, window.get());
    EXPECT_FALSE(static_cast<bool>(session.timer));
    EXPECT_EQ(session.elapsed.load(), 0);
    ASSERT_TRUE(StartSession(session, window.get()));  // after the end, a new session
    EXPECT_EQ(StatusText(session, 2), "00:00:00");
    EXPECT_EQ(window.Text(IDC_TICKETS), "");
}

TEST_F(SessionClock, TimerThatCannotBeCreatedLeavesNoSession) {
    session.startTimer = FailingTimer;
    window.Set(IDC_ERRORS, "4");
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_FALSE(StartSession(session, window.get())) << attempt;
        EXPECT_FALSE(static_cast<bool>(session.timer)) << attempt;
        EXPECT_EQ(session.elapsed.load(), 0) << attempt;
    }
    EXPECT_EQ(window.Text(IDC_ERRORS), "");  // the new session's first step stays
    EXPECT_EQ(StatusText(session, 2), "00:00:00");
    EXPECT_EQ(StatusText(session, 1), "");  // the start time is shown only for a running clock
}

TEST_F(SessionClock, ThousandStartsAndStopsWithTicksInFlight) {
    session.startTimer = FastTimer;
    const DWORD begin = GetTickCount();
    for (int cycle = 0; cycle < 1000; ++cycle) {
        ASSERT_TRUE(StartSession(session, window.get())) << cycle;
        Pump(cycle % 3);  // let some ticks arrive, leave others queued or running
        StopSession(session, window.get());
        ASSERT_FALSE(static_cast<bool>(session.timer)) << cycle;
    }
    const DWORD took = GetTickCount() - begin;
    EXPECT_LT(took, 60000u);
    const int32_t reached = session.elapsed.load();
    EXPECT_GT(reached, 0);
    Pump(100);  // no tick runs after a stop; the last run's queued ones still show
    EXPECT_EQ(session.elapsed.load(), reached);
    EXPECT_EQ(ClockSeconds(StatusText(session, 2)), reached);
}
