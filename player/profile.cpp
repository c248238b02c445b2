#include "profile.h"

#include <cstring>

#include "base/format_text.h"
#include "base/settings.h"
#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
#include "session/session.h"
#include "stored_password.h"

namespace {

void ShowProfileText(HKEY key, const char* name, HWND dialog, int id) {
    char text[TextBytes(kPathReadUnits)];
    if (ReadSettingString(key, name, text, id == IDC_PLAYER_PATH ? kPathReadUnits : kProfileTextUnits) && text[0])
        SetDlgItemTextA(dialog, id, text);
}

// Stores a field's text as a fixed-length value; true when the text is not empty. The dialog
// has made sure that it fits.
bool StoreField(HKEY key, const char* name, HWND dialog, int id, DWORD units) {
    char text[TextBytes(kPathTextUnits)];
    GetDlgItemTextA(dialog, id, text, static_cast<int>(TextBytes(units)));
    WriteSettingString(key, name, text, units);
    return text[0] != 0;
}

bool StorePassword(HKEY key, HWND dialog) {
    char typed[TextBytes(kProfileTextUnits)], character[8];
    GetDlgItemTextA(dialog, IDC_PLAYER_PASSWORD, typed, sizeof typed);
    wchar_t stored[kProfileTextUnits];
    if (StoredPasswordOf(typed, stored, character) == PasswordProblem::kNone)
        WriteSettingText(key, "Password", stored, kProfileTextUnits);
    return typed[0] != 0;
}

}  // namespace

void LoadPlayerProfile(HWND dialog) {
    RegKey key = OpenSettings(KEY_QUERY_VALUE);
    if (!key) return;
    char number[16];  // "%d" of any 32-bit value
    FormatText(number, sizeof number, "%d", static_cast<int>(ReadSettingDword(key.get(), "nTickets")));
    SetDlgItemTextA(dialog, IDC_PLAYER_MAX_TICKETS, number);
    ShowProfileText(key.get(), "MemberID", dialog, IDC_PLAYER_MEMBER_ID);
    ShowProfileText(key.get(), "SiteID", dialog, IDC_PLAYER_SITE_ID);
    wchar_t password[kPasswordUnits];
    ReadPassword(key.get(), password);
    if (password[0]) {
        SetDlgItemTextW(dialog, IDC_PLAYER_PASSWORD, password);
        SetDlgItemTextW(dialog, IDC_PLAYER_CONFIRM, password);
    }
    ShowProfileText(key.get(), "Clicks4U", dialog, IDC_PLAYER_PATH);
}

void SavePlayerProfile(HWND dialog) {
    const HWND window = GetWindow(dialog, GW_OWNER);  // the main window
    bool hasLogin = false;
    {
        RegKey key = OpenSettings(KEY_SET_VALUE);
        if (!key) return;
        char number[kProfileTextUnits];
        GetDlgItemTextA(dialog, IDC_PLAYER_MAX_TICKETS, number, sizeof number);
        const int32_t maximum = ParseTicketMaximum(number);  // empty or no number: 0
        WriteSettingDword(key.get(), "nTickets", maximum);
        SetTicketMaximum(window, maximum);
        hasLogin |= StoreField(key.get(), "MemberID", dialog, IDC_PLAYER_MEMBER_ID, kProfileTextUnits);
        hasLogin |= StoreField(key.get(), "SiteID", dialog, IDC_PLAYER_SITE_ID, kProfileTextUnits);
        hasLogin |= StorePassword(key.get(), dialog);
        EnableMenuCommand(window, IDM_CLICKS4U, GetWindowTextLengthA(GetDlgItem(dialog, IDC_PLAYER_PATH)) > 0);
        StoreField(key.get(), "Clicks4U", dialog, IDC_PLAYER_PATH, kPathTextUnits);
    }
    EnableMenuCommand(window, IDM_FILL_MEMBER_ID, hasLogin);
}

bool PasswordFieldsMatch(HWND dialog) {
    char password[TextBytes(kProfileTextUnits)];
    char confirmation[TextBytes(kProfileTextUnits)];
    GetDlgItemTextA(dialog, IDC_PLAYER_PASSWORD, password, sizeof password);
    GetDlgItemTextA(dialog, IDC_PLAYER_CONFIRM, confirmation, sizeof confirmation);
    return std::strcmp(password, confirmation) == 0;
}

int AskSaveChanges(HWND dialog) {
    if (!IsWindowEnabled(GetDlgItem(dialog, IDC_PLAYER_SAVE))) return 0;
    return MessageBoxA(dialog, "Player Settings user were changed. You want to save change?", "Missing Options",
                       MB_YESNO | MB_ICONQUESTION);
}
