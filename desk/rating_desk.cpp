// The rating desk: lookup of a site, the history picture, recording an evaluation and the
// question about a site left unevaluated.
#include <initializer_list>

#include "../base/dialog_controls.h"
#include "../base/format_text.h"
#include "../app/main_window.h"
#include "../resources/rtln_ids.h"
#include "desk_internal.h"
#include "rating_picture.h"
#include "site_database.h"

namespace {

RatingDesk g_desk;
bool g_showingRatingPicture;  // the picture control shows ratingPicture, not the background

constexpr const char* kMissingRatingCaption = "Missing Raiting";
constexpr const char* kQuestionStart = "Site ";
constexpr const char* kQuestionEnd = " is not evaluated. You want to evaluate this site?";

constexpr int kCreditLists[] = {IDC_LOTTO_LIST, IDC_TRAFFIC_LIST, IDC_BANNER_LIST};

int RatingButton(int rating) { return IDC_RATING_BUTTON_BASE + rating; }

void EnableTicketAndLists(HWND window, bool enabled) {
    Enable(window, IDC_TICKET, enabled);
    for (int id : kCreditLists) Enable(window, id, enabled);
}

void SetPicture(HWND window, HBITMAP picture) {
    HWND control = GetDlgItem(window, IDC_RATING_PICTURE);
    const HBITMAP previous =
        reinterpret_cast<HBITMAP>(SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)));
    // The control's first picture (from the dialog template), or a copy it may have made,
    // is ours to delete; the two pictures of the main window are not.
    if (previous && previous != RatingGridBitmap() && previous != RatingPictureSurface()) DeleteObject(previous);
    InvalidateRect(control, nullptr, FALSE);
}

bool VisitRecord(void* context, int32_t stampTime, int rating) {
    return static_cast<MarkPlanner*>(context)->Visit(stampTime, rating);
}

}  // namespace

const RatingDesk& Desk() { return g_desk; }
RatingDesk& MutableDesk() { return g_desk; }

void ShowBackgroundPicture(HWND window) {
    if (!g_showingRatingPicture) return;
    SetPicture(window, RatingGridBitmap());
    g_showingRatingPicture = false;
}

void ShowDeskError(HWND window, const char* text) {
    MessageBoxA(window, text, "Tavrik Rateline", MB_OK | MB_ICONERROR);
}

// The lookup after its first step: walks the site's records, draws the picture, sets the desk.
static bool LookUpSite(HWND window) {
    MarkPlanner planner;
    planner.now = CurrentUnixTime();
    if (!ScanSite(window, g_desk.currentSiteNumber, VisitRecord, &planner)) return false;
    planner.Finish();
    const bool composed = ComposeRatingPicture(RatingPictureSurface(), RatingGridBitmap(), RatingMarksBitmap(),
                                               planner.marks, planner.markCount);

    const int result = planner.result;
    for (int rating = 1; rating <= 5; ++rating) {
        CheckDlgButton(window, RatingButton(rating), rating == result ? BST_CHECKED : BST_UNCHECKED);
        Enable(window, RatingButton(rating), true);
    }
    EnableTicketAndLists(window, result != 0);
    g_desk.siteIsNew = result == 0;
    g_desk.evaluatedToday = planner.evaluatedToday;
    g_desk.shownRating = result;

    // A picture that could not be drawn would still hold the previous site's history.
    if (composed) {
        SetPicture(window, RatingPictureSurface());
        g_showingRatingPicture = true;
    } else {
        ShowBackgroundPicture(window);
    }
    SetDlgItemInt(window, IDC_SITE_NUMBER, static_cast<UINT>(g_desk.currentSiteNumber), TRUE);
    SetSiteIdBoxQuietly(window, "");
    for (int id : {IDC_SITE_ID, IDC_PASTE, IDC_FIND, IDC_COUNT}) Enable(window, id, false);
    Enable(window, IDC_SKIP_SITE, true);
    return true;
}

bool FindSite(HWND window, SiteSource source) { return TakeSiteNumber(window, source) && LookUpSite(window); }

int CheckedRating(HWND window) {
    for (int rating = 1; rating <= 5; ++rating)
        if (IsDlgButtonChecked(window, RatingButton(rating)) == BST_CHECKED) return rating;
    return 0;
}

void RecordCorrectEvaluation(HWND window) {
    const int checked = CheckedRating(window);
    // Without a checked rating there is nothing to record (the Ticket button and the
    // lists are enabled only with one).
    if (checked == 0) return;
    if (g_desk.evaluatedToday && checked == g_desk.shownRating) return;
    AppendEvaluation(window, g_desk.currentSiteNumber, checked);
}

bool ConfirmPendingEvaluation(HWND window) {
    const bool siteOnDesk = IsWindowEnabled(GetDlgItem(window, IDC_TICKET)) ||
                            IsWindowEnabled(GetDlgItem(window, IDC_COUNT)) ||
                            IsWindowEnabled(GetDlgItem(window, IDC_RATING_GREAT));
    if (!siteOnDesk) return false;
    char question[128];
    FormatText(question, sizeof question, "%s%d%s", kQuestionStart, static_cast<int>(g_desk.currentSiteNumber),
               kQuestionEnd);
    if (MessageBoxA(window, question, kMissingRatingCaption, MB_YESNO | MB_ICONQUESTION) == IDYES) return true;
    ResetDesk(window);
    return false;
}

void OnSkipSite(HWND window, WORD) {
    if (!ConfirmPendingEvaluation(window)) ResetDesk(window);
}

void OnRatingButton(HWND window, WORD) {
    EnableTicketAndLists(window, true);
    Enable(window, IDC_COUNT, true);
}
