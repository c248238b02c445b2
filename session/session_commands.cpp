// The "Sessions" menu, "Statistics", and what the main window runs when it closes or the
// desktop session ends.
#include "session.h"

#include "desk/desk.h"
#include "session_internal.h"

void OnStop(HWND window, WORD) {
    if (ConfirmPendingEvaluation(window)) return;  // the member evaluates the site first
    StopSession(window);
}

void OnContinue(HWND window, WORD) { StartSession(window); }  // a failure is not reported

void OnStatistics(HWND window, WORD) { ShowSessions(window); }

// A failed save keeps the session as it was (the member can save again once the file is
// free); a written record, or nothing to write, ends it.
void OnSave(HWND window, WORD) {
    if (SaveSession(window) != SaveResult::Failed) EndSession();
    ResetDesk(window);
}

void SaveCountedSession(HWND window) {
    if (SessionElapsed() != 0) SaveSession(window);
}

// The process may end without the window's destroy handling: store the session now,
// asking nothing. A written session is ended, so a later destroy does not store it again;
// after a failure the destroy handling tries once more.
void SaveOnEndSession(HWND window) {
    if (SessionElapsed() != 0 && SaveSession(window) == SaveResult::Written) EndSession();
}
