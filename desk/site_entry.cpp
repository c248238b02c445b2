// The Site ID entry: Paste from the clipboard, the typed Site ID box, and the reset of the
// desk after every confirmed or skipped site.
#include <cstring>
#include <initializer_list>

#include "../base/dialog_controls.h"
#include "../resources/rtln_ids.h"
#include "desk_internal.h"
#include "site_digits.h"

namespace {

constexpr const char* kTooLongText = "Error! The Clipboard contains the inadmissible amount a symbol.";
constexpr const char* kTooManyDigitsText = "Error! The Site ID can't be more than 6 symbols.";
constexpr const char* kTooFewDigitsText = "Error! The Site ID can't be less than 4 symbols.";
// Clipboard that can't be opened, holds no text, or a text without any digit.
constexpr const char* kNoSiteIdText = "Error! No Site ID was found.";

bool g_settingSiteIdBox;

class Clipboard {
public:
    explicit Clipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;
    ~Clipboard() {
        if (open_) CloseClipboard();
    }
    bool open() const { return open_; }

private:
    bool open_;
};

class GlobalLockOf {
public:
    explicit GlobalLockOf(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    GlobalLockOf(const GlobalLockOf&) = delete;
    GlobalLockOf& operator=(const GlobalLockOf&) = delete;
    ~GlobalLockOf() {
        if (data_) GlobalUnlock(block_);
    }
    const char* data() const { return static_cast<const char*>(data_); }

private:
    HGLOBAL block_;
    void* data_;
};

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
    Clipboard clipboard(nullptr);
    if (!clipboard.open()) return SiteIdVerdict::kNoDigit;
    HGLOBAL block = GetClipboardData(CF_TEXT);
    GlobalLockOf text(block);
    if (!text.data()) return SiteIdVerdict::kNoDigit;
    return ExtractSiteDigits(text.data(), GlobalSize(block), digits);
}

}  // namespace

void SetSiteIdBoxQuietly(HWND window, const char* text) {
    g_settingSiteIdBox = true;
    SetDlgItemTextA(window, IDC_SITE_ID, text);
    g_settingSiteIdBox = false;
}

bool PasteSiteId(HWND window) {
    RatingDesk& desk = MutableDesk();
    if (!Judge(window, ReadClipboardDigits(desk.siteDigits))) return false;
    SetDlgItemTextA(window, IDC_SITE_NUMBER, "");
    ShowBackgroundPicture(window);
    Enable(window, IDC_SKIP_SITE, true);
    return true;
}

bool TakeSiteNumber(HWND window, SiteSource source) {
    RatingDesk& desk = MutableDesk();
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
    if (g_settingSiteIdBox) return;
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
    RatingDesk& desk = MutableDesk();
    std::memset(desk.siteDigits, 0, sizeof desk.siteDigits);
    desk.siteIsNew = false;
    desk.evaluatedToday = false;
    desk.currentSiteNumber = 0;
    Clipboard clipboard(window);
    if (clipboard.open()) EmptyClipboard();
}
