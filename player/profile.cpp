#include "profile.h"

#include <cstring>

#include "base/format_text.h"
#include "base/settings.h"
#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
#include "session/session.h"
#include "password_shift.h"

namespace {

constexpr int kPathReadSize = 261;  // a stored path must leave room for its zero to count

// A profile text counts only when it is present and not empty.
bool ReadProfileText(HKEY key, const char* name, char* buffer, DWORD size) {
    return ReadSettingString(key, name, buffer, size) && buffer[0] != 0;
}

void ShowProfileText(HKEY key, const char* name, HWND dialog, int id) {
    char text[kPathReadSize];
    if (ReadProfileText(key, name, text, id == IDC_PLAYER_PATH ? kPathReadSize : kProfileTextSize))
        SetDlgItemTextA(dialog, id, text);
}

// Stores a field's text as a fixed-length value; true when the text is not empty.
bool StoreField(HKEY key, const char* name, HWND dialog, int id, DWORD dataLength, bool shift = false) {
    char text[kPathSize] = {};
    GetDlgItemTextA(dialog, id, text, static_cast<int>(dataLength));
    const bool filled = text[0] != 0;
    if (shift) ShiftPasswordForStorage(text);
    WriteSettingString(key, name, text, dataLength);
    return filled;
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
    char password[kProfileTextSize];
    if (ReadProfileText(key.get(), "Password", password, sizeof password)) {
        UnshiftStoredPassword(password);
        SetDlgItemTextA(dialog, IDC_PLAYER_PASSWORD, password);
        SetDlgItemTextA(dialog, IDC_PLAYER_CONFIRM, password);
    }
    ShowProfileText(key.get(), "Clicks4U", dialog, IDC_PLAYER_PATH);
}

void SavePlayerProfile(HWND dialog) {
    const HWND window = GetWindow(dialog, GW_OWNER);  // the main window
    bool hasLogin = false;
    {
        RegKey key = OpenSettings(KEY_SET_VALUE);
        if (!key) return;
        char number[kProfileTextSize];
        GetDlgItemTextA(dialog, IDC_PLAYER_MAX_TICKETS, number, sizeof number);
        const int32_t maximum = ParseTicketMaximum(number);  // empty or no number: 0
        WriteSettingDword(key.get(), "nTickets", maximum);
        SetTicketMaximum(window, maximum);
        hasLogin |= StoreField(key.get(), "MemberID", dialog, IDC_PLAYER_MEMBER_ID, kProfileTextSize);
        hasLogin |= StoreField(key.get(), "SiteID", dialog, IDC_PLAYER_SITE_ID, kProfileTextSize);
        hasLogin |= StoreField(key.get(), "Password", dialog, IDC_PLAYER_PASSWORD, kProfileTextSize, true);
        EnableMenuCommand(window, IDM_CLICKS4U, GetWindowTextLengthA(GetDlgItem(dialog, IDC_PLAYER_PATH)) > 0);
        StoreField(key.get(), "Clicks4U", dialog, IDC_PLAYER_PATH, kPathSize);
    }
    EnableMenuCommand(window, IDM_FILL_MEMBER_ID, hasLogin);
}

bool PasswordFieldsMatch(HWND dialog) {
    char password[kProfileTextSize];
    char confirmation[kProfileTextSize];
    GetDlgItemTextA(dialog, IDC_PLAYER_PASSWORD, password, sizeof password);
    GetDlgItemTextA(dialog, IDC_PLAYER_CONFIRM, confirmation, sizeof confirmation);
    return std::strcmp(password, confirmation) == 0;
}

int AskSaveChanges(HWND dialog) {
    if (!IsWindowEnabled(GetDlgItem(dialog, IDC_PLAYER_SAVE))) return 0;
    return MessageBoxA(dialog, "Player Settings user were changed. You want to save change?", "Missing Options",
                       MB_YESNO | MB_ICONQUESTION);
}
