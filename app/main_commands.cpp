// The one command table of the main window: every menu command and control notification. The
// handlers run the steps of each command across the features, in the product's order.
#include "main_commands.h"

#include <initializer_list>

#include "base/window_helpers.h"
#include "player/player.h"
#include "resources/rtln_ids.h"
#include "about_box.h"
#include "outside_links.h"
#include "product_facts.h"

namespace {

using Handler = void (*)(MainWindowState& state, HWND window);

constexpr const char* kTimerText = "Error! Could not create Timer.";

// A new or a paused session starts; a timer that cannot be created is reported once per run
// and stops nothing.
void StartSessionClock(MainWindowState& state, HWND window) {
    if (!StartSession(state.session, window) && !state.timerFailureShown) {
        state.timerFailureShown = true;
        MessageBoxA(window, kTimerText, RTLN_PRODUCT_NAME, MB_OK | MB_ICONERROR);
    }
}

// Paste: confirm, take the Site ID from the clipboard, start the session, look up.
void OnPaste(MainWindowState& state, HWND window) {
    if (ConfirmPendingEvaluation(state.desk, window)) return;
    const std::optional<int32_t> site = PasteSiteId(state.desk, window);
    if (!site) return;
    StartSessionClock(state, window);
    LookUpSite(state.desk, window, *site);
}

// Find (or Enter in the Site ID box): the session starts before the box is read, as it did
// when the member typed the Site ID.
void OnFind(MainWindowState& state, HWND window) {
    if (ConfirmPendingEvaluation(state.desk, window)) return;
    StartSessionClock(state, window);
    if (const std::optional<int32_t> site = TakeBoxSiteId(window)) LookUpSite(state.desk, window, *site);
}

// A counted site: record, count, reset.
void CountSite(MainWindowState& state, HWND window, Count count) {
    if (count == Count::kTicket)
        RecordCorrectEvaluation(state.desk, window);
    else
        RecordIncorrectEvaluation(state.desk, window);  // reports its own failure
    CountSite(state.session, window, count, state.desk.siteIsNew);
    ResetDesk(state.desk, window);
}

void OnTicket(MainWindowState& state, HWND window) { CountSite(state, window, Count::kTicket); }
void OnCount(MainWindowState& state, HWND window) { CountSite(state, window, Count::kError); }

// A credit list's pick is a correct evaluation too.
template <CreditKind kind>
void OnCreditList(MainWindowState& state, HWND window) {
    if (AddCredits(window, kind)) CountSite(state, window, Count::kTicket);
}

void OnSkipSite(MainWindowState& state, HWND window) {
    if (!ConfirmPendingEvaluation(state.desk, window)) ResetDesk(state.desk, window);
}

void OnSiteIdChanged(MainWindowState& state, HWND window) { SiteIdBoxChanged(state.desk, window); }
void OnRatingButton(MainWindowState& state, HWND window) { RatingClicked(state.desk, window); }
void OnTicketsChanged(MainWindowState&, HWND window) { ShowTicketCount(window); }

void OnStop(MainWindowState& state, HWND window) {
    if (!ConfirmPendingEvaluation(state.desk, window)) StopSession(state.session, window);
}

void OnContinue(MainWindowState& state, HWND window) { StartSession(state.session, window); }  // not reported

void OnSave(MainWindowState& state, HWND window) {
    SaveAndEndSession(state.session, window);
    ResetDesk(state.desk, window);
}

void OnStatistics(MainWindowState&, HWND window) { ShowSessions(window); }

// The saved profile's facts reach the ticket bar and the menu.
void OnPlayerOptions(MainWindowState&, HWND window) {
    const std::optional<ProfileFacts> profile = ShowPlayerSettings(window);
    if (!profile) return;
    SetTicketMaximum(window, profile->ticketMaximum);
    EnableMenuCommand(window, IDM_CLICKS4U, profile->hasServicePage);
    EnableMenuCommand(window, IDM_FILL_MEMBER_ID, profile->hasLogin);
}

void OnFillMemberId(MainWindowState&, HWND window) { FillMemberLoginForm(window); }
void OnAbout(MainWindowState&, HWND window) { ShowAbout(window, 0); }
void OnBanner(MainWindowState& state, HWND window) { ToggleBanner(state.banner, window); }
void OnClicks4U(MainWindowState&, HWND window) { OpenServicePage(window); }
void OnHelp(MainWindowState&, HWND window) { OpenHelpFile(window); }
void OnInternetOptions(MainWindowState&, HWND) { OpenInternetOptions(); }

void OnExit(MainWindowState& state, HWND window) {
    if (!ConfirmPendingEvaluation(state.desk, window)) EndDialog(window, IDM_EXIT);
}

// Locked Form Fields: the five counter fields are read-only while the item is checked.
void OnLockedFormFields(MainWindowState&, HWND window) {
    const bool lockedNow = GetMenuState(GetMenu(window), IDM_LOCKED_FIELDS, MF_BYCOMMAND) & MF_CHECKED;
    CheckMenuItem(GetMenu(window), IDM_LOCKED_FIELDS, lockedNow ? MF_UNCHECKED : MF_CHECKED);
    for (int id : {IDC_TICKETS, IDC_ERRORS, IDC_LOTTO_CREDITS, IDC_TRAFFIC_CREDITS, IDC_FREE_BANNERS})
        SendDlgItemMessageA(window, id, EM_SETREADONLY, lockedNow ? FALSE : TRUE, 0);
}

// Only a notification code listed here reaches the handler; 0 means any.
struct Command {
    WORD id;
    WORD code;
    Handler handler;
};

constexpr Command kCommands[] = {
    {IDC_PASTE, 0, OnPaste},
    {IDC_FIND, 0, OnFind},
    {IDC_TICKET, 0, OnTicket},
    {IDC_SKIP_SITE, 0, OnSkipSite},
    {IDC_COUNT, 0, OnCount},
    {IDC_TICKETS, EN_CHANGE, OnTicketsChanged},
    {IDC_SITE_ID, EN_CHANGE, OnSiteIdChanged},
    {IDC_BANNER_LIST, CBN_CLOSEUP, OnCreditList<CreditKind::kBanner>},
    {IDC_LOTTO_LIST, CBN_CLOSEUP, OnCreditList<CreditKind::kLotto>},
    {IDC_TRAFFIC_LIST, CBN_CLOSEUP, OnCreditList<CreditKind::kTraffic>},
    {IDC_RATING_POOR, 0, OnRatingButton},
    {IDC_RATING_FAIR, 0, OnRatingButton},
    {IDC_RATING_AVERAGE, 0, OnRatingButton},
    {IDC_RATING_GOOD, 0, OnRatingButton},
    {IDC_RATING_GREAT, 0, OnRatingButton},
    {IDM_ABOUT, 0, OnAbout},
    {IDM_EXIT, 0, OnExit},
    {IDM_BANNER, 0, OnBanner},
    {IDM_STOP, 0, OnStop},
    {IDM_CONTINUE, 0, OnContinue},
    {IDM_PLAYER_OPTIONS, 0, OnPlayerOptions},
    {IDM_CLICKS4U, 0, OnClicks4U},
    {IDM_STATISTICS, 0, OnStatistics},
    {IDM_HELP, 0, OnHelp},
    {IDM_INTERNET_OPTIONS, 0, OnInternetOptions},
    {IDM_LOCKED_FIELDS, 0, OnLockedFormFields},
    {IDM_FILL_MEMBER_ID, 0, OnFillMemberId},
    {IDM_SAVE, 0, OnSave},
};

}  // namespace

INT_PTR DispatchMainCommand(MainWindowState& state, HWND window, WORD id, WORD code) {
    for (const Command& command : kCommands) {
        if (command.id != id) continue;
        if (command.code == 0 || command.code == code) command.handler(state, window);
        break;
    }
    return id == IDM_EXIT ? TRUE : FALSE;
}
