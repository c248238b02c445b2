// The Site ID entry: Paste from the clipboard, the typed Site ID box, and the reset of the
// desk after every confirmed or skipped site.
#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
#include "desk_internal.h"
#include "product_facts.h"
#include "site_digits.h"

namespace {

constexpr const char* kTooLongText = "Error! The Clipboard contains the inadmissible amount a symbol.";
constexpr const char* kTooManyDigitsText = "Error! The Site ID can't be more than 6 symbols.";
constexpr const char* kTooFewDigitsText = "Error! The Site ID can't be less than 4 symbols.";
// Clipboard that can't be opened, holds no text, or a text without any digit.
constexpr const char* kNoSiteIdText = "Error! No Site ID was found.";

const char* RefusalText(SiteIdVerdict verdict) {
    switch (verdict) {
    case SiteIdVerdict::kAccepted: break;
    case SiteIdVerdict::kTooLong: return kTooLongText;
    case SiteIdVerdict::kNoDigit: return kNoSiteIdText;
    case SiteIdVerdict::kTooManyDigits: return kTooManyDigitsText;
    case SiteIdVerdict::kTooFewDigits: return kTooFewDigitsText;
    }
    return nullptr;
}

// The Site ID of accepted digits; nothing after the message of a refused one.
std::optional<int32_t> Judge(HWND window, SiteIdVerdict verdict, const char* digits) {
    if (const char* text = RefusalText(verdict)) {
        MessageBoxA(window, text, RTLN_PRODUCT_NAME, MB_OK | MB_ICONERROR);
        return std::nullopt;
    }
    return SiteNumberOf(digits);
}

// Reads the clipboard's text into digits; the clipboard is closed before any message.
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

void SetSiteIdBoxQuietly(Desk& desk, HWND window, const char* text) {
    desk.settingSiteIdBox = true;
    SetDlgItemTextA(window, IDC_SITE_ID, text);
    desk.settingSiteIdBox = false;
}

std::optional<int32_t> PasteSiteId(Desk& desk, HWND window) {
    char digits[kSiteDigitsSize] = {};
    const std::optional<int32_t> site = Judge(window, ReadClipboardDigits(digits), digits);
    if (!site) return site;
    SetDlgItemTextA(window, IDC_SITE_NUMBER, "");
    ShowBackgroundPicture(desk, window);
    desk.phase = DeskPhase::kTaken;
    ShowPhase(desk, window);
    return site;
}

std::optional<int32_t> TakeBoxSiteId(HWND window) {
    char text[64];
    const int length = GetDlgItemTextA(window, IDC_SITE_ID, text, sizeof text);
    if (length <= 0) return std::nullopt;
    // Text can reach the box by a paste whatever its characters: the digits must pass the
    // same rule as a pasted Site ID.
    char digits[kSiteDigitsSize] = {};
    return Judge(window, ClassifyDigitCount(CollectDigits(text, static_cast<size_t>(length), digits)), digits);
}

void SiteIdBoxChanged(Desk& desk, HWND window) {
    if (desk.settingSiteIdBox || ConfirmPendingEvaluation(desk, window)) return;
    ShowPhase(desk, window);  // Find follows the box's length
}

void ResetDesk(Desk& desk, HWND window) {
    ShowBackgroundPicture(desk, window);
    SetSiteIdBoxQuietly(desk, window, "");
    SetDlgItemTextA(window, IDC_SITE_NUMBER, "");
    for (int id = IDC_RATING_POOR; id <= IDC_RATING_GREAT; ++id) CheckDlgButton(window, id, BST_UNCHECKED);
    desk.phase = DeskPhase::kReady;
    desk.siteNumber = 0;
    desk.shownRating = 0;
    desk.siteIsNew = false;
    desk.evaluatedToday = false;
    ShowPhase(desk, window);
    if (const OpenedClipboard clipboard = OpenClipboardOf(window)) EmptyClipboard();
    FocusControl(window, IDC_PASTE);
}
