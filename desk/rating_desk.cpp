// The rating desk: lookup of a site, the history picture, recording an evaluation and the
// question about a site left unevaluated.
#include <initializer_list>

#include "base/dialog_look.h"
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
    if (previous && previous != g_desk.grid.get() && previous != g_desk.picture.get()) DeleteObject(previous);
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
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = size.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    const ScreenDc screen(GetDC(nullptr));
    void* bits = nullptr;
    return CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

DeskState& TheDesk() { return g_desk; }
const RatingDesk& Desk() { return g_desk.shown; }

bool OpenDesk() {
    g_desk.grid.reset(LoadPicture(IDB_RATING_GRID, 103, 90));
    g_desk.marks.reset(LoadPicture(IDB_RATING_MARKS, 70, 56));
    if (!g_desk.grid || !g_desk.marks) return false;
    g_desk.picture.reset(CreatePictureLike(g_desk.grid.get()));
    return static_cast<bool>(g_desk.picture);
}

void CloseDesk() {
    g_desk.marks.reset();
    g_desk.grid.reset();
    g_desk.picture.reset();
}

void ShowBackgroundPicture(HWND window) {
    if (!g_desk.showingRatingPicture) return;
    SetPicture(window, g_desk.grid.get());
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
        SetPicture(window, g_desk.picture.get());
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
