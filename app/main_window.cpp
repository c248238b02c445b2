#include "main_window.h"

#include <commctrl.h>

#include <initializer_list>

#include "base/dialog_look.h"
#include "base/display_scale.h"
#include "base/handle.h"
#include "base/program_folder.h"
#include "base/settings.h"
#include "base/window_helpers.h"
#include "player/player.h"
#include "resources/rtln_ids.h"
#include "keyboard.h"
#include "main_commands.h"

namespace {

constexpr COLORREF kNewSiteColour = RGB(204, 0, 0);
constexpr COLORREF kKnownSiteColour = RGB(0, 102, 0);

struct Tooltip {
    int id;
    const char* text;
};

constexpr UINT kAddTooltipsMessage = WM_APP + 2;  // posted by the opening to itself

constexpr Tooltip kTooltips[] = {
    {IDC_PASTE, "Paste Site ID into Clipboard"},
    {IDC_FIND, "Find Site ID in Database"},
    {IDC_TICKET, "Add Correct Evaluation"},
    {IDC_COUNT, "Add Incorrect Evaluation"},
    {IDC_RATING_GREAT, "Great"},
    {IDC_RATING_GOOD, "Good"},
    {IDC_RATING_AVERAGE, "Average"},
    {IDC_RATING_FAIR, "Fair"},
    {IDC_RATING_POOR, "Poor"},
    {IDC_SITE_ID, "Enter the Site ID"},
    {IDC_TICKETS, "Tickets in Your Session"},
    {IDC_ERRORS, "Errors in Your Session"},
    {IDC_LOTTO_CREDITS, "Lotto Credits in Your Session"},
    {IDC_TRAFFIC_CREDITS, "Traffic Credits in Your Session"},
    {IDC_FREE_BANNERS, "Free Banners in Your Session"},
    {IDC_SITE_NUMBER, "Evalute Site"},
    {IDC_LOTTO_LIST, "Add Lotto Credits"},
    {IDC_TRAFFIC_LIST, "Add Traffic Credits"},
    {IDC_BANNER_LIST, "Add Free Banners"},
    {IDC_BANNER, "Click Here, Join to Clicks4U and Earn Money"},
};

constexpr const char* kDigitsFontFile = "qzDigits.ttf";
constexpr const char* kRatingPictureName = "Vote Results: the site's last evaluations";

// Menu items that depend on stored values, and whether the banner is wanted.
bool ApplyStoredMenuStates(HWND window) {
    RegKey key = OpenSettings(KEY_QUERY_VALUE);
    if (!key) return true;
    const ProfileFacts profile = ReadProfileFacts(key.get());
    if (profile.hasServicePage) EnableMenuCommand(window, IDM_CLICKS4U, true);
    const bool bannerWanted = ReadSettingDword(key.get(), kShowBannerValue) != 0;
    CheckMenuItem(GetMenu(window), IDM_BANNER, bannerWanted ? MF_CHECKED : MF_UNCHECKED);
    if (profile.hasLogin) EnableMenuCommand(window, IDM_FILL_MEMBER_ID, true);
    return bannerWanted;
}

void CreateDigitsFont(HWND window, MainWindowState& state) {
    LOGFONTA description = {};
    if (AddProgramFont(kDigitsFontFile)) {
        description.lfHeight = -DialogPixels(window, 16);
        description.lfCharSet = DEFAULT_CHARSET;
        lstrcpyA(description.lfFaceName, "qztuDigits");
    } else {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
        description.lfWeight = FW_BOLD;
    }
    state.digitsFont.reset(CreateFontIndirectA(&description));
    if (state.digitsFont)
        SendDlgItemMessageA(window, IDC_SITE_NUMBER, WM_SETFONT, reinterpret_cast<WPARAM>(state.digitsFont.get()),
                            TRUE);
}

MainWindowState* StateOf(HWND window) {
    return reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(window, DWLP_USER));
}

BOOL OnInitDialog(HWND window, MainWindowState* state) {
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    state->menuStateQuery = RegisterWindowMessageA(kMenuStateQueryName);
    if (!GetMenu(window)) EndDialog(window, 0);
    const bool bannerWanted = ApplyStoredMenuStates(window);
    char path[kPathBytes];
    if (DataFilePath("sess.qzd", path, sizeof path) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        EnableMenuCommand(window, IDM_STATISTICS, true);
    CreateDigitsFont(window, *state);
    SetDialogIcons(window);
    if (!OpenDesk(state->desk, window)) {
        EndDialog(window, 0);
        return TRUE;
    }
    if (!bannerWanted || !StartBanner(state->banner, window)) HideBannerStrip(window);
    CreateSessionStatusBar(state->session, window);
    KeepStatusBarClear(window);
    OpenBrowserLink();
    SendDlgItemMessageA(window, IDC_SITE_ID, EM_LIMITTEXT, 6, 0);
    for (int id : {IDC_TICKETS, IDC_ERRORS, IDC_LOTTO_CREDITS, IDC_TRAFFIC_CREDITS})
        SendDlgItemMessageA(window, id, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessageA(window, IDC_FREE_BANNERS, EM_LIMITTEXT, 4, 0);
    SetDlgItemTextA(window, IDC_SITE_ID, "");
    NamePicture(GetDlgItem(window, IDC_RATING_PICTURE), kRatingPictureName);
    state->keyboardShortcuts.reset(InstallKeyboardShortcuts(window));
    OpenSessionCounters(state->session, window);
    InsetEditRects(window, false);
    RestoreWindowPosition(window);
    state->positionRestored = true;
    // Twenty tooltip windows take longer to make than the rest of the opening: they are
    // made once the window shows, as the first message of its loop, long before a tip
    // could appear under the mouse.
    PostMessageA(window, kAddTooltipsMessage, 0, 0);
    return TRUE;
}

void AddMainTooltips(HWND window) {
    for (const Tooltip& tip : kTooltips) AddTooltip(GetDlgItem(window, tip.id), tip.text);
}

void OnDestroy(HWND window, MainWindowState& state) {
    state.keyboardShortcuts.reset();
    state.digitsFont.reset();
    RemoveProgramFont(kDigitsFontFile);
    ReleaseBannerControl(state.banner, window);
    KillBannerTimer(state.banner);
    CloseSessionClock(state.session);
    DeleteBannerBitmap(state.banner);
    CloseDesk(state.desk);
    CloseBrowserLink();
    if (state.positionRestored) SaveWindowPosition(window);
    SaveCountedSession(state.session, window);
}

void OnEndSession(HWND window, MainWindowState& state, bool ending) {
    if (!ending) return;
    if (state.positionRestored) SaveWindowPosition(window);
    SaveOnEndSession(state.session, window);
}

bool IsFlatNumberField(int id) {
    switch (id) {
    case IDC_TICKETS:
    case IDC_ERRORS:
    case IDC_LOTTO_CREDITS:
    case IDC_TRAFFIC_CREDITS:
    case IDC_FREE_BANNERS:
    case IDC_SITE_ID: return true;
    default: return false;
    }
}

INT_PTR OnCtlColorStatic(const MainWindowState& state, HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id == IDC_SITE_NUMBER)
        SetTextColor(dc, state.desk.siteIsNew ? kNewSiteColour : kKnownSiteColour);
    else
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (IsFlatNumberField(id)) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(DialogBrush());
}

void OnDrawItem(const Banner& banner, const DRAWITEMSTRUCT* item) {
    if (item->CtlID != IDC_BANNER || !banner.bitmap) return;
    BITMAP info;
    if (!GetObjectA(banner.bitmap.get(), sizeof info, &info)) return;
    const MemoryDc source(CreateCompatibleDC(item->hDC));
    if (!source) return;
    const Selection frames = Select(source.get(), banner.bitmap.get());
    const int frameHeight = info.bmHeight / 3;
    BitBlt(item->hDC, 0, 0, info.bmWidth, frameHeight, source.get(), 0,
           banner.frame.load(std::memory_order_relaxed) * frameHeight, SRCCOPY);
}

void OnSysColorChange(HWND window) {
    RebuildBackgroundBrush();
    ForwardToControls(window, WM_SYSCOLORCHANGE);
    InvalidateRect(window, nullptr, TRUE);
}

void OnSysCommand(MainWindowState& state, HWND window, WPARAM command) {
    if ((command & 0xFFF0) == SC_CLOSE && !ConfirmPendingEvaluation(state.desk, window)) EndDialog(window, 1);
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(window, reinterpret_cast<MainWindowState*>(lParam));
    MainWindowState* state = StateOf(window);
    if (!state) return FALSE;  // the messages that come before WM_INITDIALOG
    if (message == state->menuStateQuery && message != 0) {
        SetWindowLongPtrA(window, DWLP_MSGRESULT,
                          GetMenuState(GetMenu(window), static_cast<UINT>(wParam), MF_BYCOMMAND));
        return TRUE;
    }
    switch (message) {
    case kAddTooltipsMessage: AddMainTooltips(window); return TRUE;
    case WM_COMMAND: return DispatchMainCommand(*state, window, LOWORD(wParam), HIWORD(wParam));
    case WM_SYSCOMMAND: OnSysCommand(*state, window, wParam); return FALSE;
    case WM_DESTROY: OnDestroy(window, *state); return FALSE;
    case WM_ENDSESSION: OnEndSession(window, *state, wParam != 0); return FALSE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(DialogBrush());
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(*state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOLORCHANGE: OnSysColorChange(window); return TRUE;
    case WM_DRAWITEM: OnDrawItem(state->banner, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    default: return FALSE;
    }
}
