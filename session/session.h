#pragma once
// The session statistics as the main window sees them: what it sets up when it opens,
// the commands it dispatches, and what it must run when it closes.
#include <windows.h>

#include <cstdint>

// Opening, in this order: the status bar (once the window has its size), then the sites
// counter, the ticket maximum and the three credit lists.
void CreateSessionStatusBar(HWND window);
void OpenSessionCounters(HWND window);

// Whether the session clock's periodic timer runs.
bool IsSessionClockRunning();

// Begins a new session or continues a paused one and starts the clock; false when the
// timer could not be created.
bool StartSession(HWND window);

// The ticket bar's range: 0 to the maximum's low 16 bits, 60 for -1 (no maximum set). Called
// at opening and after the Player Settings dialog stored a new maximum.
void SetTicketMaximum(HWND window, int32_t maximum);

// The ticket maximum as the member types it: the text's leading number, 0 for none.
int32_t ParseTicketMaximum(const char* text);

// New sites counted so far (shown in status part 3, stored as "nSites").
int32_t SitesCounter();


// The Player Sessions dialog, owned by the window; whether it ended with OK.
bool ShowSessions(HWND window);
// Fills its list from sess.qzd, newest first; false when the dialog must close.
bool FillSessionList(HWND dialog);

// Cancels the clock's timer. After it returns no tick runs any more.
void KillSessionTimer();
// Closing: the timer, then the status bar's icons.
void CloseSessionClock();

// Closing: stores the session if the clock has counted time.
void SaveCountedSession(HWND window);

// The desktop session ends (log-off, shut-down): store what must not be lost now, asking
// nothing; a failed save shows its message.
void SaveOnEndSession(HWND window);

// Main window commands.
void OnTicket(HWND window, WORD code);
void OnCount(HWND window, WORD code);
void OnTicketsChanged(HWND window, WORD code);
void OnLottoList(HWND window, WORD code);
void OnTrafficList(HWND window, WORD code);
void OnFreeBannerList(HWND window, WORD code);
void OnStop(HWND window, WORD code);
void OnContinue(HWND window, WORD code);
void OnStatistics(HWND window, WORD code);
void OnSave(HWND window, WORD code);
