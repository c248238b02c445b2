#pragma once
// The session statistics as the main window sees them: what it sets up when it opens,
// the commands it dispatches, and what it must run when it closes.
#include <windows.h>

// Opening, in this order: the status bar (once the window has its size), then the sites
// counter, the ticket maximum and the three credit lists.
void CreateSessionStatusBar(HWND window);
void OpenSessionCounters(HWND window);

// Whether the session clock's periodic timer runs.
bool IsSessionClockRunning();

// Begins a new session or continues a paused one and starts the clock; false when the
// timer could not be created.
bool StartSession(HWND window);

// Closing: cancels the clock's timer. After it returns no tick runs any more.
void KillSessionTimer();

// Closing: stores the session if the clock has counted time.
void SaveCountedSession(HWND window);

// The desktop session ends (log-off, shut-down): store what must not be lost, silently.
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
