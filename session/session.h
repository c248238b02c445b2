#pragma once
// The session statistics: the counter fields, the session clock in the status bar, the history
// file and the Player Sessions dialog. The main window owns one Session and runs the steps of
// each command.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>

#include "base/handle.h"

// Creates the clock's periodic event: timeSetEvent, or a test's replacement.
using TimerStarter = MMRESULT(WINAPI*)(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user,
                                       UINT flags);

struct Session {
    HWND statusBar = nullptr;
    HWND clockReceiver = nullptr;  // hidden child of the bar that shows the clock's ticks
    IconHandle statusIcons[4];
    GdiObject<HFONT> statusFont;  // the system's status font at the window's scale, where that is less
    char dateText[32] = "";
    std::atomic<int32_t> elapsed{0};  // written by the tick while the timer runs, else by EndSession
    int32_t startTime = 0;
    TimerStarter startTimer = timeSetEvent;
    MultimediaTimer timer;
    std::atomic<DWORD_PTR> clockRun{0};  // number of the current clock run, read by its ticks
    int32_t sitesCounter = 0;            // new sites counted so far
};

// Opening, in this order: the status bar (once the window has its size), then the sites
// counter, the ticket maximum and the three credit lists.
void CreateSessionStatusBar(Session& session, HWND window);
void OpenSessionCounters(Session& session, HWND window);

// Begins a new session or continues a paused one and starts the clock; false when the
// timer could not be created.
bool StartSession(Session& session, HWND window);
// Pauses the clock.
void StopSession(Session& session, HWND window);

// The ticket bar's range: 0 to the maximum's low 16 bits, 60 for -1 (no maximum set).
void SetTicketMaximum(HWND window, int32_t maximum);

// A counted site: one more ticket (the evaluation was right) or error, and one more new site
// when the database did not know it.
enum class Count { kTicket, kError };
void CountSite(Session& session, HWND window, Count count, bool siteWasNew);

// A credit list closed up: true when its pick added an amount to its field.
enum class CreditKind { kLotto, kTraffic, kBanner };
bool AddCredits(HWND window, CreditKind kind);

// The Tickets field changed: the ticket bar follows it.
void ShowTicketCount(HWND window);

// "Save": a failed save keeps the session as it was (the member can save again once the file
// is free); a written record, or nothing to write, ends it.
void SaveAndEndSession(Session& session, HWND window);

// The Player Sessions dialog, owned by the window; whether it ended with OK.
bool ShowSessions(HWND window);

// Closing: the timer, then the status bar's icons.
void CloseSessionClock(Session& session);
// Closing: stores the session if the clock has counted time.
void SaveCountedSession(const Session& session, HWND window);

// The desktop session ends (log-off, shut-down): store what must not be lost now, asking
// nothing; a failed save shows its message.
void SaveOnEndSession(Session& session, HWND window);
