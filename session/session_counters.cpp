// The session counters: five number fields of the main window, the sites counter in the
// status bar and the settings, the ticket progress bar and the three credit lists.
#include <windows.h>
#include <commctrl.h>

#include "base/format_text.h"
#include "base/settings.h"
#include "base/window_helpers.h"
#include "resources/rtln_ids.h"
#include "counter_text.h"
#include "session_internal.h"

namespace {

constexpr int32_t kDefaultTicketMaximum = 60;
constexpr int kSitesPart = 3;

constexpr int kCounterFields[] = {IDC_TICKETS, IDC_ERRORS, IDC_LOTTO_CREDITS, IDC_TRAFFIC_CREDITS, IDC_FREE_BANNERS};

struct CreditControls {
    CreditList list;
    int listId;
    int fieldId;
};

// In the order of CreditKind.
constexpr CreditControls kCredits[] = {{CreditList::Lotto, IDC_LOTTO_LIST, IDC_LOTTO_CREDITS},
                                       {CreditList::Traffic, IDC_TRAFFIC_LIST, IDC_TRAFFIC_CREDITS},
                                       {CreditList::Banner, IDC_BANNER_LIST, IDC_FREE_BANNERS}};

void SetTicketBar(HWND window, int32_t position) {
    SendDlgItemMessageA(window, IDC_TICKET_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void ShowSitesCounter(const Session& session) {
    char text[kCounterTextSize];
    FormatText(text, sizeof text, "%d", static_cast<int>(session.sitesCounter));
    SetStatusText(session, kSitesPart, text);
}

// One more site that was new to the database: shown at once, stored when the key opens.
void CountNewSite(Session& session) {
    session.sitesCounter = AddWrapping(session.sitesCounter, 1);
    ShowSitesCounter(session);
    RegKey key = OpenSettings(KEY_SET_VALUE);
    if (key) WriteSettingDword(key.get(), kSitesValue, session.sitesCounter);
}

void FillCreditList(HWND window, const CreditControls& credit) {
    for (int entry = 0; entry < kCreditEntryCount; ++entry)
        SendDlgItemMessageA(window, credit.listId, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(CreditEntryText(credit.list, entry)));
    SendDlgItemMessageA(window, credit.listId, CB_SETCURSEL, 0, 0);
}

}  // namespace

int32_t ReadCounterField(HWND window, int id, int maxChars) {
    char text[kCounterReadLength + 1];
    const int size = maxChars + 1 < static_cast<int>(sizeof text) ? maxChars + 1 : static_cast<int>(sizeof text);
    GetDlgItemTextA(window, id, text, size);
    return ParseLeadingNumber(text);
}

void EmptyCounterFields(HWND window) {
    for (int id : kCounterFields) SetDlgItemTextA(window, id, "");
    SetTicketBar(window, 0);
}

void SetTicketMaximum(HWND window, int32_t maximum) {
    if (maximum == -1) maximum = kDefaultTicketMaximum;  // never set, at opening and after a save alike
    const WORD top = static_cast<WORD>(static_cast<uint32_t>(maximum) & 0xFFFF);
    SendDlgItemMessageA(window, IDC_TICKET_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, top));
}

void OpenSessionCounters(Session& session, HWND window) {
    int32_t ticketMaximum = -1;  // -1: absent or not a 4-byte REG_DWORD
    int32_t sites = -1;
    if (RegKey key = OpenSettings(KEY_QUERY_VALUE)) {
        ticketMaximum = ReadSettingDword(key.get(), kTicketMaximumValue);
        sites = ReadSettingDword(key.get(), kSitesValue);
    }
    session.sitesCounter = sites == -1 ? 0 : sites;
    ShowSitesCounter(session);
    SetTicketMaximum(window, ticketMaximum);
    SendDlgItemMessageA(window, IDC_TICKET_PROGRESS, PBM_SETSTEP, 1, 0);
    for (const CreditControls& credit : kCredits) FillCreditList(window, credit);
}

void CountSite(Session& session, HWND window, Count count, bool siteWasNew) {
    const int field = count == Count::kTicket ? IDC_TICKETS : IDC_ERRORS;
    char text[kCounterReadLength + 1];
    GetDlgItemTextA(window, field, text, sizeof text);
    char next[kCounterTextSize];
    IncrementedCounterText(text, next);
    // Explicitly: the program's own SetWindowText of a multi-line edit raises no EN_CHANGE.
    if (field == IDC_TICKETS) SetTicketBar(window, ParseLeadingNumber(next));
    SetDlgItemTextA(window, field, next);
    if (siteWasNew) CountNewSite(session);
    EnableMenuCommand(window, IDM_STOP, true);
    EnableMenuCommand(window, IDM_SAVE, true);
}

bool AddCredits(HWND window, CreditKind kind) {
    const CreditControls& credit = kCredits[static_cast<int>(kind)];
    const LRESULT entry = SendDlgItemMessageA(window, credit.listId, CB_GETCURSEL, 0, 0);
    if (entry == CB_ERR || entry == 0) return false;
    char text[kCreditReadLength + 1];
    GetDlgItemTextA(window, credit.fieldId, text, sizeof text);
    char sum[kCounterTextSize];
    if (!AddCreditAmount(credit.list, static_cast<int>(entry), text, sum)) return false;
    SetDlgItemTextA(window, credit.fieldId, sum);
    return SendDlgItemMessageA(window, credit.listId, CB_SETCURSEL, 0, 0) != CB_ERR;
}

void ShowTicketCount(HWND window) { SetTicketBar(window, ReadCounterField(window, IDC_TICKETS, kCounterReadLength)); }
