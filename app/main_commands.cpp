// The one command table of the main window: every menu command and control notification,
// and the find sequence that Paste and Find share.
#include "main_commands.h"

#include <initializer_list>

#include "desk/desk.h"
#include "player/player.h"
#include "resources/rtln_ids.h"
#include "session/session.h"
#include "about_box.h"
#include "banner.h"
#include "main_window.h"
#include "outside_links.h"
#include "product_facts.h"

namespace {

using Handler = void (*)(HWND window, WORD code);

constexpr const char* kTimerText = "Error! Could not create Timer.";

// After a successful Paste, or for Find: the session clock first (a new or a paused session
// starts; a timer that cannot be created is reported once per run and stops nothing), then
// the lookup in every case, of the pasted digits or of the Site ID box.
void FindSequence(HWND window, SiteSource source) {
    bool& reported = MainStateOf(window).timerFailureShown;
    if (!IsSessionClockRunning() && !StartSession(window) && !reported) {
        reported = true;
        MessageBoxA(window, kTimerText, RTLN_PRODUCT_NAME, MB_OK | MB_ICONERROR);
    }
    FindSite(window, source);
}

void OnPaste(HWND window, WORD) {
    if (ConfirmPendingEvaluation(window) || !PasteSiteId(window)) return;
    FindSequence(window, SiteSource::kPaste);
}

void OnFind(HWND window, WORD) {
    if (!ConfirmPendingEvaluation(window)) FindSequence(window, SiteSource::kBox);
}

void OnPlayerOptions(HWND window, WORD) { ShowPlayerSettings(window); }
void OnFillMemberId(HWND window, WORD) { FillMemberLoginForm(window); }
void OnAbout(HWND window, WORD) { ShowAbout(window, 0); }
void OnBanner(HWND window, WORD) { ToggleBanner(window); }
void OnClicks4U(HWND window, WORD) { OpenServicePage(window); }
void OnHelp(HWND window, WORD) { OpenHelpFile(window); }
void OnInternetOptions(HWND, WORD) { OpenInternetOptions(); }

void OnExit(HWND window, WORD) {
    if (!ConfirmPendingEvaluation(window)) EndDialog(window, IDM_EXIT);
}

// Locked Form Fields: the five counter fields are read-only while the item is checked.
void OnLockedFormFields(HWND window, WORD) {
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
    {IDC_BANNER_LIST, CBN_CLOSEUP, OnFreeBannerList},
    {IDC_LOTTO_LIST, CBN_CLOSEUP, OnLottoList},
    {IDC_TRAFFIC_LIST, CBN_CLOSEUP, OnTrafficList},
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

INT_PTR DispatchMainCommand(HWND window, WORD id, WORD code) {
    for (const Command& command : kCommands) {
        if (command.id != id) continue;
        if (command.code == 0 || command.code == code) command.handler(window, code);
        break;
    }
    return id == IDM_EXIT ? TRUE : FALSE;
}
