// Placeholder bodies so the program links while the rating desk is being built.
#include "desk.h"

namespace {
RatingDesk g_desk;
}

const RatingDesk& Desk() { return g_desk; }
void OnPaste(HWND, WORD) {}
void OnFind(HWND, WORD) {}
void OnSkipSite(HWND, WORD) {}
void OnSiteIdChanged(HWND, WORD) {}
void OnRatingButton(HWND, WORD) {}
bool ConfirmPendingEvaluation(HWND) { return false; }
void RecordCorrectEvaluation(HWND) {}
int CheckedRating(HWND) { return 0; }
void ResetDesk(HWND) {}
