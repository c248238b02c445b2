// The Player Settings dialog: edits the player profile; Save stores it after the password
// confirmation, Cancel and the close box ask first when there are unsaved edits.
#include <windows.h>

#include <initializer_list>

#include "base/dialog_look.h"
#include "base/format_text.h"
#include "base/settings.h"
#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
#include "player.h"
#include "profile.h"
#include "stored_password.h"

namespace {

constexpr char kMismatchText[] =
    "Value of the field 'Password' does not correspond to value of the field 'Confirm password'.\n"
    "Repeat entering the password?";
constexpr char kMismatchCaption[] = "Missing Password";
// A text is stored whole or not at all: a character the stored password cannot hold, or a
// text longer than its value, is refused.
constexpr char kUnstorableText[] = "Error! The password can't contain the character \"%s\".";
constexpr char kTooLongText[] = "Error! The text of the field '%s' is too long.";
constexpr char kUnstorableCaption[] = "Player Settings";
constexpr char kSaveTip[] = "Save Player Settings";

struct PlayerDialog {
    bool fillingByProgram;  // fields set by the program raise change notices that are no edits
    bool saved;             // the profile was stored
};

PlayerDialog& State(HWND dialog) { return *reinterpret_cast<PlayerDialog*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void SetFieldByProgram(HWND dialog, int id, const char* text) {
    State(dialog).fillingByProgram = true;
    SetDlgItemTextA(dialog, id, text);
    State(dialog).fillingByProgram = false;
}

BOOL OnInitDialog(HWND dialog, LPARAM param) {
    SetWindowLongPtrA(dialog, DWLP_USER, param);
    SetDialogIcons(dialog);
    SendDlgItemMessageA(dialog, IDC_PLAYER_MAX_TICKETS, EM_LIMITTEXT, 3, 0);
    for (int id : {IDC_PLAYER_MEMBER_ID, IDC_PLAYER_SITE_ID, IDC_PLAYER_PASSWORD, IDC_PLAYER_CONFIRM})
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kProfileTextUnits - 1, 0);
    SendDlgItemMessageA(dialog, IDC_PLAYER_PATH, EM_LIMITTEXT, 255, 0);
    State(dialog).fillingByProgram = true;
    LoadPlayerProfile(dialog);
    State(dialog).fillingByProgram = false;
    InsetEditRects(dialog, true);  // single-line fields ignore a formatting rectangle
    Enable(dialog, IDC_PLAYER_SAVE, false);
    AddTooltip(GetDlgItem(dialog, IDC_PLAYER_SAVE), kSaveTip);
    SetFocus(GetDlgItem(dialog, IDC_PLAYER_MAX_TICKETS));
    return FALSE;  // the focus was set here
}

// The member typed into a field: the login name is either a member ID or a site ID.
void OnFieldEdited(HWND dialog, int id) {
    if (State(dialog).fillingByProgram) return;
    if (id == IDC_PLAYER_MEMBER_ID) SetFieldByProgram(dialog, IDC_PLAYER_SITE_ID, "");
    if (id == IDC_PLAYER_SITE_ID) SetFieldByProgram(dialog, IDC_PLAYER_MEMBER_ID, "");
    Enable(dialog, IDC_PLAYER_SAVE, true);
}

// The fields stored as text, and the labels that name them.
struct StoredField {
    int id;
    DWORD units;
    const char* label;
};
constexpr StoredField kStoredFields[] = {{IDC_PLAYER_MEMBER_ID, kProfileTextUnits, "Member ID or E-Mail"},
                                         {IDC_PLAYER_SITE_ID, kProfileTextUnits, "or Site ID (Xnnnn)"},
                                         {IDC_PLAYER_PATH, kPathTextUnits, "Path"}};

bool Refuse(HWND dialog, int id, const char* format, const char* subject) {
    char text[192];
    FormatText(text, sizeof text, format, subject);
    MessageBoxA(dialog, text, kUnstorableCaption, MB_OK | MB_ICONERROR);
    SetFocus(GetDlgItem(dialog, id));
    return false;
}

// Whether every field can be stored whole; else says which cannot and puts the focus there.
bool FieldsCanBeStored(HWND dialog) {
    char text[TextBytes(kPathTextUnits)];
    for (const StoredField& field : kStoredFields) {
        GetDlgItemTextA(dialog, field.id, text, static_cast<int>(TextBytes(field.units)));
        if (!FitsSetting(text, field.units)) return Refuse(dialog, field.id, kTooLongText, field.label);
    }
    char character[8];
    wchar_t stored[kProfileTextUnits];
    GetDlgItemTextA(dialog, IDC_PLAYER_PASSWORD, text, static_cast<int>(TextBytes(kProfileTextUnits)));
    switch (StoredPasswordOf(text, stored, character)) {
    case PasswordProblem::kCharacter: return Refuse(dialog, IDC_PLAYER_PASSWORD, kUnstorableText, character);
    case PasswordProblem::kTooLong: return Refuse(dialog, IDC_PLAYER_PASSWORD, kTooLongText, "Password");
    case PasswordProblem::kNone: break;
    }
    return true;
}

void OnSave(HWND dialog) {
    if (!PasswordFieldsMatch(dialog)) {
        if (MessageBoxA(dialog, kMismatchText, kMismatchCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            EndDialog(dialog, 1);
            return;
        }
        SetFieldByProgram(dialog, IDC_PLAYER_PASSWORD, "");
        SetFieldByProgram(dialog, IDC_PLAYER_CONFIRM, "");
        Enable(dialog, IDC_PLAYER_SAVE, false);
        SetFocus(GetDlgItem(dialog, IDC_PLAYER_PASSWORD));
        return;
    }
    if (!FieldsCanBeStored(dialog)) return;
    State(dialog).saved = SavePlayerProfile(dialog);
    EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDC_PLAYER_SAVE:
        if (code == BN_CLICKED) OnSave(dialog);
        break;
    case IDCANCEL:
        if (AskSaveChanges(dialog) != IDYES) EndDialog(dialog, 1);
        break;
    case IDC_PLAYER_MEMBER_ID:
    case IDC_PLAYER_SITE_ID:
    case IDC_PLAYER_MAX_TICKETS:
    case IDC_PLAYER_PASSWORD:
    case IDC_PLAYER_CONFIRM:
    case IDC_PLAYER_PATH:
        if (code == EN_CHANGE) OnFieldEdited(dialog, id);
        break;
    default: break;
    }
}

// The close box, the system menu and Alt+F4: Yes to the question keeps the dialog open.
BOOL OnSysCommand(HWND dialog, WPARAM command) {
    if ((command & 0xFFF0) != SC_CLOSE) return FALSE;
    if (AskSaveChanges(dialog) != IDYES) EndDialog(dialog, 0);
    return TRUE;
}

INT_PTR CALLBACK PlayerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_SYSCOMMAND: return OnSysCommand(dialog, wParam);
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(DialogBrush());
    case WM_CTLCOLORSTATIC: return LabelColours(reinterpret_cast<HDC>(wParam));
    default: return FALSE;
    }
}

}  // namespace

std::optional<ProfileFacts> ShowPlayerSettings(HWND window) {
    PlayerDialog state = {};
    DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_PLAYER_SETTINGS), window, PlayerDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    if (!state.saved) return std::nullopt;
    const RegKey key = OpenSettings(KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    return ReadProfileFacts(key.get());
}
