// The rating desk: lookup of a site, the history picture, recording an evaluation and the
// question about a site left unevaluated.
#include "base/dialog_look.h"
#include "base/display_scale.h"
#include "base/format_text.h"
#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
#include "desk_internal.h"
#include "rating_picture.h"
#include "site_database.h"

namespace {

constexpr const char* kMissingRatingCaption = "Missing Raiting";
constexpr const char* kQuestionStart = "Site ";
constexpr const char* kQuestionEnd = " is not evaluated. You want to evaluate this site?";

constexpr int kCreditLists[] = {IDC_LOTTO_LIST, IDC_TRAFFIC_LIST, IDC_BANNER_LIST};

int RatingButton(int rating) { return IDC_RATING_BUTTON_BASE + rating; }

void SetPicture(const Desk& desk, HWND window, HBITMAP picture) {
    HWND control = GetDlgItem(window, IDC_RATING_PICTURE);
    const HBITMAP previous =
        reinterpret_cast<HBITMAP>(SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)));
    // The control's first picture (from the dialog template), or a copy it may have made,
    // is ours to delete; the pictures of the desk are not.
    if (previous && previous != desk.grid.get() && previous != desk.picture.get() &&
        previous != desk.scaledGrid.get() && previous != desk.scaledPicture.get())
        DeleteObject(previous);
    InvalidateRect(control, nullptr, FALSE);
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

HBITMAP ShownGrid(const Desk& desk) { return desk.scaledGrid ? desk.scaledGrid.get() : desk.grid.get(); }

// The drawn picture as the control shows it: stretched to the window's scale.
HBITMAP ShownPicture(const Desk& desk) {
    if (desk.scaledPicture && StretchFrames(desk.scaledPicture.get(), desk.picture.get()))
        return desk.scaledPicture.get();
    return desk.picture.get();
}

// The rating group is one stop of the Tab round: the checked button, or Poor, the group's first,
// when none is checked. Checking a radio button gives it WS_TABSTOP and unchecking takes it
// away, so a desk that clears every rating would otherwise leave the group out of the round.
void KeepRatingGroupInTabRound(HWND window) {
    int stop = 1;
    for (int rating = 1; rating <= 5; ++rating)
        if (IsDlgButtonChecked(window, RatingButton(rating)) == BST_CHECKED) stop = rating;
    for (int rating = 1; rating <= 5; ++rating) {
        HWND button = GetDlgItem(window, RatingButton(rating));
        const LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
        SetWindowLongPtrA(button, GWL_STYLE, rating == stop ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
    }
}

}  // namespace

bool OpenDesk(Desk& desk, HWND window) {
    desk.grid.reset(LoadPicture(IDB_RATING_GRID, kPictureWidth, kPictureHeight));
    desk.marks.reset(LoadPicture(IDB_RATING_MARKS, 5 * kMarkSize, 4 * kMarkSize));
    if (!desk.grid || !desk.marks) return false;
    desk.picture.reset(CreatePictureLike(desk.grid.get()));
    if (!desk.picture) return false;
    // The picture is drawn at 96 DPI, where the marks fall on whole pixels, and shown
    // stretched to the window's scale; unstretched if the copies cannot be made.
    const int shownHeight = DialogPixels(window, kPictureHeight);
    if (shownHeight != kPictureHeight) {
        desk.scaledGrid.reset(ScaledPicture(desk.grid.get(), 1, shownHeight));
        desk.scaledPicture.reset(ScaledPicture(desk.picture.get(), 1, shownHeight));
        if (!desk.scaledGrid || !desk.scaledPicture) {
            desk.scaledGrid.reset();
            desk.scaledPicture.reset();
        }
        SetPicture(desk, window, ShownGrid(desk));
    }
    return true;
}

void CloseDesk(Desk& desk) {
    desk.marks.reset();
    desk.grid.reset();
    desk.picture.reset();
    desk.scaledGrid.reset();
    desk.scaledPicture.reset();
}

void ShowPhase(const Desk& desk, HWND window) {
    const bool entry = desk.phase == DeskPhase::kReady || desk.phase == DeskPhase::kTaken;
    const bool shown = !entry;
    const bool countable = desk.phase == DeskPhase::kRated || (shown && desk.shownRating != 0);
    Enable(window, IDC_SITE_ID, entry);
    Enable(window, IDC_PASTE, entry);
    Enable(window, IDC_FIND, entry && GetWindowTextLengthA(GetDlgItem(window, IDC_SITE_ID)) > 3);
    Enable(window, IDC_SKIP_SITE, desk.phase != DeskPhase::kReady);
    for (int rating = 1; rating <= 5; ++rating) Enable(window, RatingButton(rating), shown);
    Enable(window, IDC_TICKET, countable);
    for (int id : kCreditLists) Enable(window, id, countable);
    Enable(window, IDC_COUNT, desk.phase == DeskPhase::kRated);
    KeepRatingGroupInTabRound(window);
}

void ShowBackgroundPicture(Desk& desk, HWND window) {
    if (!desk.showingRatingPicture) return;
    SetPicture(desk, window, ShownGrid(desk));
    desk.showingRatingPicture = false;
}

bool LookUpSite(Desk& desk, HWND window, int32_t site) {
    MarkPlanner planner;
    planner.now = CurrentUnixTime();
    if (!ScanSite(window, site, [&](int32_t stampTime, int rating) { return planner.Visit(stampTime, rating); }))
        return false;
    planner.Finish();
    const bool composed =
        ComposeRatingPicture(desk.picture.get(), desk.grid.get(), desk.marks.get(), planner.marks, planner.markCount);

    const int result = planner.result;
    for (int rating = 1; rating <= 5; ++rating)
        CheckDlgButton(window, RatingButton(rating), rating == result ? BST_CHECKED : BST_UNCHECKED);
    desk.phase = DeskPhase::kLookedUp;
    desk.siteNumber = site;
    desk.siteIsNew = result == 0;
    desk.evaluatedToday = planner.evaluatedToday;
    desk.shownRating = result;

    // A picture that could not be drawn would still hold the previous site's history.
    if (composed) {
        SetPicture(desk, window, ShownPicture(desk));
        desk.showingRatingPicture = true;
    } else {
        ShowBackgroundPicture(desk, window);
    }
    SetDlgItemInt(window, IDC_SITE_NUMBER, static_cast<UINT>(site), TRUE);
    SetSiteIdBoxQuietly(desk, window, "");
    ShowPhase(desk, window);
    // The entry controls are disabled now: the member goes on at the rating.
    FocusControl(window, RatingButton(result ? result : 1));
    return true;
}

int CheckedRating(HWND window) {
    for (int rating = 1; rating <= 5; ++rating)
        if (IsDlgButtonChecked(window, RatingButton(rating)) == BST_CHECKED) return rating;
    return 0;
}

void RecordIncorrectEvaluation(const Desk& desk, HWND window) {
    AppendEvaluation(window, desk.siteNumber, CheckedRating(window));
}

void RecordCorrectEvaluation(const Desk& desk, HWND window) {
    const int checked = CheckedRating(window);
    // Without a checked rating there is nothing to record (the Ticket button and the
    // lists are enabled only with one).
    if (checked == 0) return;
    if (desk.evaluatedToday && checked == desk.shownRating) return;
    AppendEvaluation(window, desk.siteNumber, checked);
}

bool ConfirmPendingEvaluation(Desk& desk, HWND window) {
    if (desk.phase != DeskPhase::kLookedUp && desk.phase != DeskPhase::kRated) return false;
    char question[128];
    FormatText(question, sizeof question, "%s%d%s", kQuestionStart, static_cast<int>(desk.siteNumber), kQuestionEnd);
    if (MessageBoxA(window, question, kMissingRatingCaption, MB_YESNO | MB_ICONQUESTION) == IDYES) return true;
    ResetDesk(desk, window);
    return false;
}

void RatingClicked(Desk& desk, HWND window) {
    // A rating button that takes the focus unchecked says so as a click; only a checked one
    // counts, and only for a site on the desk.
    if (CheckedRating(window) == 0 || desk.phase == DeskPhase::kReady || desk.phase == DeskPhase::kTaken) return;
    desk.phase = DeskPhase::kRated;
    ShowPhase(desk, window);
}
