// The Player Sessions dialog: every stored session, newest first, one fixed-width line
// each under the column labels.
#include <windows.h>

#include "base/dialog_look.h"
#include "base/program_folder.h"
#include "resources/rtln_ids.h"
#include "session.h"
#include "session_internal.h"
#include "session_line.h"

namespace {

// The session's start in local time. The stored 32-bit start is read as unsigned so
// dates after 2038-01-19 are right; the system applies the daylight rule of that date.
CivilTime LocalStart(int32_t start) {
    const CivilTime utc = SplitUnixSeconds(StartSeconds(start));
    SYSTEMTIME utcTime = {};
    utcTime.wYear = static_cast<WORD>(utc.year);
    utcTime.wMonth = static_cast<WORD>(utc.month);
    utcTime.wDay = static_cast<WORD>(utc.day);
    utcTime.wDayOfWeek = static_cast<WORD>(utc.weekday);
    utcTime.wHour = static_cast<WORD>(utc.hour);
    utcTime.wMinute = static_cast<WORD>(utc.minute);
    utcTime.wSecond = static_cast<WORD>(utc.second);
    SYSTEMTIME local;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local)) return utc;
    CivilTime time = {local.wYear, local.wMonth,  local.wDay,   local.wDayOfWeek,
                      local.wHour, local.wMinute, local.wSecond};
    return time;
}

bool AddSessionLine(HWND list, const SessionRecord& record) {
    char line[kSessionLineSize];
    if (!FormatSessionLine(record, LocalStart(record.start), line, sizeof line)) return false;
    const LRESULT added = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    return added != LB_ERR && added != LB_ERRSPACE;
}

// Fills the list from sess.qzd; false when the dialog must close.
bool FillSessionList(HWND dialog) {
    char path[kPathBytes];
    if (!DataFilePath(kSessionFile, path, sizeof path)) path[0] = 0;
    return FillSessionListFrom(dialog, path);
}

BOOL OnInitDialog(HWND dialog) {
    SetDialogIcons(dialog);
    SendDlgItemMessageA(dialog, IDC_SESSION_LIST, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)),
                        FALSE);
    if (!FillSessionList(dialog)) EndDialog(dialog, 0);
    return FALSE;  // the focus is left where the system put it
}

// Only OK closes by command; Esc (IDCANCEL) is ignored. The close box ends with 0.
INT_PTR CALLBACK SessionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE) return FALSE;
        EndDialog(dialog, 0);
        return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(DialogBrush());
    case WM_CTLCOLORSTATIC: return LabelColours(reinterpret_cast<HDC>(wParam));
    default: (void)lParam; return FALSE;
    }
}

}  // namespace

bool FillSessionListFrom(HWND dialog, const char* path) {
    const HWND list = GetDlgItem(dialog, IDC_SESSION_LIST);
    if (ReadSessionFile(dialog, path, [&](const SessionRecord& record) { return AddSessionLine(list, record); }) !=
        ReadResult::Done)
        return false;
    SendMessageA(list, LB_SETCURSEL, 0, 0);  // the newest session; nothing to select in an empty list
    return true;
}

bool ShowSessions(HWND window) {
    return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_SESSIONS), window, SessionsDialogProc, 0) > 0;
}
