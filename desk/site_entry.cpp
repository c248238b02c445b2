// The Site ID entry: Paste from the clipboard, the typed Site ID box, and the reset of the
// desk after every confirmed or skipped site.
#include <cstring>
#include <initializer_list>

#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
#include "desk_internal.h"
#include "site_digits.h"

namespace {

constexpr const char* kTooLongText = "Error! The Clipboard contains the inadmissible amount a symbol.";
constexpr const char* kTooManyDigitsText = "Error! The Site ID can't be more than 6 symbols.";
constexpr const char* kTooFewDigitsText = "Error! The Site ID can't be less than 4 symbols.";
// Clipboard that can't be opened, holds no text, or a text without any digit.
constexpr const char* kNoSiteIdText = "Error! No Site ID was found.";

// Shows the message for a refused Site ID; true when it was accepted.
bool Judge(HWND window, SiteIdVerdict verdict) {
    switch (verdict) {
    case SiteIdVerdict::kAccepted: return true;
    case SiteIdVerdict::kTooLong: ShowDeskError(window, kTooLongText); break;
    case SiteIdVerdict::kNoDigit: ShowDeskError(window, kNoSiteIdText); break;
    case SiteIdVerdict::kTooManyDigits: ShowDeskError(window, kTooManyDigitsText); break;
    case SiteIdVerdict::kTooFewDigits: ShowDeskError(window, kTooFewDigitsText); break;
    }
    return false;
}

// Reads the clipboard's text into siteDigits; the clipboard is closed before any message.
SiteIdVerdict ReadClipboardDigits(char (&digits)[kSiteDigitsSize]) {
    const OpenedClipboard clipboard = OpenClipboardOf(nullptr);
    if (!clipboard) return SiteIdVerdict::kNoDigit;
    HGLOBAL block = GetClipboardData(CF_TEXT);
    const char* text = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    if (!text) return SiteIdVerdict::kNoDigit;
    const GlobalLockOwner lock(block);
    return ExtractSiteDigits(text, GlobalSize(block), digits);
}

}  // namespace

void SetSiteIdBoxQuietly(HWND window, const char* text) {
    TheDesk().settingSiteIdBox = true;
    SetDlgItemTextA(window, IDC_SITE_ID, text);
    TheDesk().settingSiteIdBox = false;
}

bool PasteSiteId(HWND window) {
    RatingDesk& desk = TheDesk().shown;
    if (!Judge(window, ReadClipboardDigits(desk.siteDigits))) return false;
    SetDlgItemTextA(window, IDC_SITE_NUMBER, "");
    ShowBackgroundPicture(window);
    Enable(window, IDC_SKIP_SITE, true);
    return true;
}

bool TakeSiteNumber(HWND window, SiteSource source) {
    RatingDesk& desk = TheDesk().shown;
    if (source == SiteSource::kBox) {
        char text[64];
        const int length = GetDlgItemTextA(window, IDC_SITE_ID, text, sizeof text);
        if (length <= 0) return false;
        // Text can reach the box by a paste whatever its characters: the digits must pass
        // the same rule as a pasted Site ID.
        if (!Judge(window, ClassifyDigitCount(CollectDigits(text, static_cast<size_t>(length), desk.siteDigits))))
            return false;
    } else if (!desk.siteDigits[0]) {
        return false;
    }
    desk.currentSiteNumber = SiteNumberOf(desk.siteDigits);
    return true;
}

void OnSiteIdChanged(HWND window, WORD) {
    if (TheDesk().settingSiteIdBox) return;
    if (ConfirmPendingEvaluation(window)) return;
    Enable(window, IDC_FIND, GetWindowTextLengthA(GetDlgItem(window, IDC_SITE_ID)) > 3);
}

void ResetDesk(HWND window) {
    ShowBackgroundPicture(window);
    SetSiteIdBoxQuietly(window, "");
    SetDlgItemTextA(window, IDC_SITE_NUMBER, "");
    for (int id = IDC_RATING_POOR; id <= IDC_RATING_GREAT; ++id) {
        CheckDlgButton(window, id, BST_UNCHECKED);
        Enable(window, id, false);
    }
    Enable(window, IDC_SITE_ID, true);
    Enable(window, IDC_PASTE, true);
    // Find follows the box's length, and the box is empty now.
    Enable(window, IDC_FIND, false);
    for (int id : {IDC_TICKET, IDC_COUNT, IDC_SKIP_SITE, IDC_LOTTO_LIST, IDC_TRAFFIC_LIST, IDC_BANNER_LIST})
        Enable(window, id, false);
    RatingDesk& desk = TheDesk().shown;
    std::memset(desk.siteDigits, 0, sizeof desk.siteDigits);
    desk.siteIsNew = false;
    desk.evaluatedToday = false;
    desk.currentSiteNumber = 0;
    if (const OpenedClipboard clipboard = OpenClipboardOf(window)) EmptyClipboard();
    FocusControl(window, IDC_PASTE);
}
