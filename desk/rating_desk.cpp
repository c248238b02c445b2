// The rating desk: lookup of a site, the history picture, recording an evaluation and the
// question about a site left unevaluated.
#include <initializer_list>

#include "base/dialog_look.h"
#include "base/display_scale.h"
#include "base/format_text.h"
#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
#include "desk_internal.h"
#include "product_facts.h"
#include "rating_picture.h"
#include "site_database.h"

namespace {

DeskState g_desk;

constexpr const char* kMissingRatingCaption = "Missing Raiting";
constexpr const char* kQuestionStart = "Site ";
constexpr const char* kQuestionEnd = " is not evaluated. You want to evaluate this site?";

constexpr int kPictureBoxUnits = 55;  // the height of the picture's box in the main window's template

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
    // is ours to delete; the pictures of the desk are not.
    if (previous && previous != g_desk.grid.get() && previous != g_desk.picture.get() &&
        previous != g_desk.scaledGrid.get() && previous != g_desk.scaledPicture.get())
        DeleteObject(previous);
    InvalidateRect(control, nullptr, FALSE);
}

bool VisitRecord(void* context, int32_t stampTime, int rating) {
    return static_cast<MarkPlanner*>(context)->Visit(stampTime, rating);
}

// The grid and the mark sheet keep their 24-bit colours whatever the display's depth.
HBITMAP LoadPicture(int id, int width, int height) {
    return static_cast<HBITMAP>(
        LoadImageA(AppInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION));
}

HBITMAP CreatePictureLike(HBITMAP grid) {
    BITMAP size;
    if (!GetObjectA(grid, sizeof size, &size)) return nullptr;
    return CreateDib24(size.bmWidth, size.bmHeight);
}

HBITMAP ShownGrid() { return g_desk.scaledGrid ? g_desk.scaledGrid.get() : g_desk.grid.get(); }

// The drawn picture as the control shows it: stretched to the display's scale above 96 DPI.
HBITMAP ShownPicture() {
    if (g_desk.scaledPicture && StretchFrames(g_desk.scaledPicture.get(), g_desk.picture.get()))
        return g_desk.scaledPicture.get();
    return g_desk.picture.get();
}

}  // namespace

DeskState& TheDesk() { return g_desk; }
const RatingDesk& Desk() { return g_desk.shown; }

bool OpenDesk(HWND window) {
    g_desk.grid.reset(LoadPicture(IDB_RATING_GRID, kPictureWidth, kPictureHeight));
    g_desk.marks.reset(LoadPicture(IDB_RATING_MARKS, 5 * kMarkSize, 4 * kMarkSize));
    if (!g_desk.grid || !g_desk.marks) return false;
    g_desk.picture.reset(CreatePictureLike(g_desk.grid.get()));
    if (!g_desk.picture) return false;
    // The picture is drawn at 96 DPI, where the marks fall on whole pixels, and shown
    // stretched; unstretched if the copies cannot be made.
    if (DisplayScaled()) {
        const int room = DialogUnitsHigh(window, kPictureBoxUnits);
        g_desk.scaledGrid.reset(ScaledPicture(g_desk.grid.get(), 1, room));
        g_desk.scaledPicture.reset(ScaledPicture(g_desk.picture.get(), 1, room));
        if (!g_desk.scaledGrid || !g_desk.scaledPicture) {
            g_desk.scaledGrid.reset();
            g_desk.scaledPicture.reset();
        }
        SetPicture(window, ShownGrid());
    }
    return true;
}

void CloseDesk() {
    g_desk.marks.reset();
    g_desk.grid.reset();
    g_desk.picture.reset();
    g_desk.scaledGrid.reset();
    g_desk.scaledPicture.reset();
}

void ShowBackgroundPicture(HWND window) {
    if (!g_desk.showingRatingPicture) return;
    SetPicture(window, ShownGrid());
    g_desk.showingRatingPicture = false;
}

void ShowDeskError(HWND window, const char* text) {
    MessageBoxA(window, text, RTLN_PRODUCT_NAME, MB_OK | MB_ICONERROR);
}

// The lookup after its first step: walks the site's records, draws the picture, sets the desk.
static bool LookUpSite(HWND window) {
    MarkPlanner planner;
    planner.now = CurrentUnixTime();
    if (!ScanSite(window, g_desk.shown.currentSiteNumber, VisitRecord, &planner)) return false;
    planner.Finish();
    const bool composed = ComposeRatingPicture(g_desk.picture.get(), g_desk.grid.get(), g_desk.marks.get(),
                                               planner.marks, planner.markCount);

    const int result = planner.result;
    for (int rating = 1; rating <= 5; ++rating) {
        CheckDlgButton(window, RatingButton(rating), rating == result ? BST_CHECKED : BST_UNCHECKED);
        Enable(window, RatingButton(rating), true);
    }
    EnableTicketAndLists(window, result != 0);
    g_desk.shown.siteIsNew = result == 0;
    g_desk.shown.evaluatedToday = planner.evaluatedToday;
    g_desk.shown.shownRating = result;

    // A picture that could not be drawn would still hold the previous site's history.
    if (composed) {
        SetPicture(window, ShownPicture());
        g_desk.showingRatingPicture = true;
    } else {
        ShowBackgroundPicture(window);
    }
    SetDlgItemInt(window, IDC_SITE_NUMBER, static_cast<UINT>(g_desk.shown.currentSiteNumber), TRUE);
    SetSiteIdBoxQuietly(window, "");
    for (int id : {IDC_SITE_ID, IDC_PASTE, IDC_FIND, IDC_COUNT}) Enable(window, id, false);
    Enable(window, IDC_SKIP_SITE, true);
    // The entry controls are disabled now: the member goes on at the rating.
    FocusControl(window, RatingButton(result ? result : 1));
    return true;
}

bool FindSite(HWND window, SiteSource source) { return TakeSiteNumber(window, source) && LookUpSite(window); }

int CheckedRating(HWND window) {
    for (int rating = 1; rating <= 5; ++rating)
        if (IsDlgButtonChecked(window, RatingButton(rating)) == BST_CHECKED) return rating;
    return 0;
}

void RecordIncorrectEvaluation(HWND window) {
    AppendEvaluation(window, g_desk.shown.currentSiteNumber, CheckedRating(window));
}

void RecordCorrectEvaluation(HWND window) {
    const int checked = CheckedRating(window);
    // Without a checked rating there is nothing to record (the Ticket button and the
    // lists are enabled only with one).
    if (checked == 0) return;
    if (g_desk.shown.evaluatedToday && checked == g_desk.shown.shownRating) return;
    AppendEvaluation(window, g_desk.shown.currentSiteNumber, checked);
}

bool ConfirmPendingEvaluation(HWND window) {
    const bool siteOnDesk = IsWindowEnabled(GetDlgItem(window, IDC_TICKET)) ||
                            IsWindowEnabled(GetDlgItem(window, IDC_COUNT)) ||
                            IsWindowEnabled(GetDlgItem(window, IDC_RATING_GREAT));
    if (!siteOnDesk) return false;
    char question[128];
    FormatText(question, sizeof question, "%s%d%s", kQuestionStart, static_cast<int>(g_desk.shown.currentSiteNumber),
               kQuestionEnd);
    if (MessageBoxA(window, question, kMissingRatingCaption, MB_YESNO | MB_ICONQUESTION) == IDYES) return true;
    ResetDesk(window);
    return false;
}

void OnSkipSite(HWND window, WORD) {
    if (!ConfirmPendingEvaluation(window)) ResetDesk(window);
}

void OnRatingButton(HWND window, WORD) {
    // A rating button that takes the focus unchecked says so as a click; only a checked one counts.
    if (CheckedRating(window) == 0) return;
    EnableTicketAndLists(window, true);
    Enable(window, IDC_COUNT, true);
}
