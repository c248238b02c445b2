// Placeholder bodies so the program links while the session statistics are being built.
#include "session.h"

void CreateSessionStatusBar(HWND) {}
void OpenSessionCounters(HWND) {}
bool IsSessionClockRunning() { return false; }
bool StartSession(HWND) { return false; }
void KillSessionTimer() {}
void SaveCountedSession(HWND) {}
void SaveOnEndSession(HWND) {}
void OnTicket(HWND, WORD) {}
void OnCount(HWND, WORD) {}
void OnTicketsChanged(HWND, WORD) {}
void OnLottoList(HWND, WORD) {}
void OnTrafficList(HWND, WORD) {}
void OnFreeBannerList(HWND, WORD) {}
void OnStop(HWND, WORD) {}
void OnContinue(HWND, WORD) {}
void OnStatistics(HWND, WORD) {}
void OnSave(HWND, WORD) {}
