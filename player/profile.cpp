#include "profile.h"

#include <cstring>

#include "base/format_text.h"
#include "base/settings.h"
#include "resources/rtln_ids.h"
#include "stored_password.h"

namespace {

void ShowProfileText(HKEY key, const char* name, HWND dialog, int id) {
    char text[TextBytes(kPathReadUnits)];
    if (ReadSettingString(key, name, text, id == IDC_PLAYER_PATH ? kPathReadUnits : kProfileTextUnits) && text[0])
        SetDlgItemTextA(dialog, id, text);
}

// Stores a field's text as a fixed-length value. The dialog has made sure that it fits.
void StoreField(HKEY key, const char* name, HWND dialog, int id, DWORD units) {
    char text[TextBytes(kPathTextUnits)];
    GetDlgItemTextA(dialog, id, text, static_cast<int>(TextBytes(units)));
    WriteSettingString(key, name, text, units);
}

void StorePassword(HKEY key, HWND dialog) {
    char typed[TextBytes(kProfileTextUnits)], character[8];
    GetDlgItemTextA(dialog, IDC_PLAYER_PASSWORD, typed, sizeof typed);
    wchar_t stored[kProfileTextUnits];
    if (StoredPasswordOf(typed, stored, character) == PasswordProblem::kNone)
        WriteSettingText(key, kPasswordValue, stored, kProfileTextUnits);
}

}  // namespace

void LoadPlayerProfile(HWND dialog) {
    RegKey key = OpenSettings(KEY_QUERY_VALUE);
    if (!key) return;
    char number[16];  // "%d" of any 32-bit value
    FormatText(number, sizeof number, "%d", static_cast<int>(ReadSettingDword(key.get(), kTicketMaximumValue)));
    SetDlgItemTextA(dialog, IDC_PLAYER_MAX_TICKETS, number);
    ShowProfileText(key.get(), kMemberIdValue, dialog, IDC_PLAYER_MEMBER_ID);
    ShowProfileText(key.get(), kSiteIdValue, dialog, IDC_PLAYER_SITE_ID);
    wchar_t password[kPasswordUnits];
    ReadPassword(key.get(), password);
    if (password[0]) {
        SetDlgItemTextW(dialog, IDC_PLAYER_PASSWORD, password);
        SetDlgItemTextW(dialog, IDC_PLAYER_CONFIRM, password);
    }
    ShowProfileText(key.get(), kServicePageValue, dialog, IDC_PLAYER_PATH);
}

bool SavePlayerProfile(HWND dialog) {
    RegKey key = OpenSettings(KEY_SET_VALUE);
    if (!key) return false;
    char number[kProfileTextUnits];
    GetDlgItemTextA(dialog, IDC_PLAYER_MAX_TICKETS, number, sizeof number);
    WriteSettingDword(key.get(), kTicketMaximumValue, ParseLeadingNumber(number));  // empty or no number: 0
    StoreField(key.get(), kMemberIdValue, dialog, IDC_PLAYER_MEMBER_ID, kProfileTextUnits);
    StoreField(key.get(), kSiteIdValue, dialog, IDC_PLAYER_SITE_ID, kProfileTextUnits);
    StorePassword(key.get(), dialog);
    StoreField(key.get(), kServicePageValue, dialog, IDC_PLAYER_PATH, kPathTextUnits);
    return true;
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
