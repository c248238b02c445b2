#include "main_window.h"

#include <commctrl.h>

#include <initializer_list>

#include "../desk/desk.h"
#include "../resources/rtln_ids.h"
#include "../session/session.h"
#include "app_resources.h"
#include "banner.h"
#include "main_commands.h"
#include "../base/gdi_handles.h"
#include "../base/program_folder.h"
#include "settings.h"
#include "window_helpers.h"

namespace {

constexpr COLORREF kNewSiteColour = RGB(204, 0, 0);
constexpr COLORREF kKnownSiteColour = RGB(0, 102, 0);

HWND g_window;
HMENU g_menu;
GdiObject<HFONT> g_digitsFont;
HICON g_statusIcons[4];
GdiObject<HBITMAP> g_gridBitmap;
GdiObject<HBITMAP> g_marksBitmap;
GdiObject<HBITMAP> g_ratingPicture;
// The opening got as far as placing the window where the member left it: only then is the
// position stored at closing (an opening that ended early would store the template's).
bool g_positionRestored;
// Menus live inside their process under Wine, so tools that watch the program from outside
// (the UI tests, accessibility aids) ask the window for a menu item's state with this.
UINT g_menuStateQuery;

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

bool DigitsFontPath(char (&path)[MAX_PATH]) { return ProgramFilePath("qzDigits.ttf", path, sizeof path); }

// Menu items that depend on stored values, and whether the banner is wanted.
bool ApplyStoredMenuStates() {
    bool bannerWanted = true;
    RegKey key = OpenSettings(KEY_QUERY_VALUE);
    if (!key) return bannerWanted;
    char text[261];
    if (ReadSettingString(key.get(), "Clicks4U", text, sizeof text) && text[0]) EnableMenuCommand(IDM_CLICKS4U, true);
    char login[64];
    const bool hasLogin = (ReadSettingString(key.get(), "MemberID", login, sizeof login) && login[0]) ||
                          (ReadSettingString(key.get(), "SiteID", login, sizeof login) && login[0]) ||
                          (ReadSettingString(key.get(), "Password", login, sizeof login) && login[0]);
    bannerWanted = ReadSettingDword(key.get(), "ShowBan") != 0;
    CheckMenuItem(g_menu, IDM_BANNER, bannerWanted ? MF_CHECKED : MF_UNCHECKED);
    if (hasLogin) EnableMenuCommand(IDM_FILL_MEMBER_ID, true);
    return bannerWanted;
}

void CreateDigitsFont(HWND window) {
    char path[MAX_PATH];
    LOGFONTA description = {};
    if (DigitsFontPath(path) && AddFontResourceA(path) > 0) {
        description.lfHeight = -16;
        description.lfCharSet = DEFAULT_CHARSET;
        lstrcpyA(description.lfFaceName, "qztuDigits");
    } else {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
        description.lfWeight = FW_BOLD;
    }
    g_digitsFont.reset(CreateFontIndirectA(&description));
    if (g_digitsFont)
        SendDlgItemMessageA(window, IDC_SITE_NUMBER, WM_SETFONT, reinterpret_cast<WPARAM>(g_digitsFont.get()), TRUE);
}

// The grid and the mark sheet keep their 24-bit colours whatever the display's depth.
HBITMAP LoadPicture(int id, int width, int height) {
    return static_cast<HBITMAP>(
        LoadImageA(AppInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION));
}

bool LoadPictures() {
    g_gridBitmap.reset(LoadPicture(IDB_RATING_GRID, 103, 90));
    g_marksBitmap.reset(LoadPicture(IDB_RATING_MARKS, 70, 56));
    return g_gridBitmap && g_marksBitmap;
}

bool CreateRatingPicture() {
    BITMAP grid;
    if (!GetObjectA(g_gridBitmap.get(), sizeof grid, &grid)) return false;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = grid.bmWidth;
    format.bmiHeader.biHeight = grid.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    g_ratingPicture.reset(CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    ReleaseDC(nullptr, screen);
    return static_cast<bool>(g_ratingPicture);
}

BOOL OnInitDialog(HWND window) {
    g_window = window;
    g_positionRestored = false;
    g_menuStateQuery = RegisterWindowMessageA(kMenuStateQueryName);
    g_menu = GetMenu(window);
    if (!g_menu) EndDialog(window, 0);
    const bool bannerWanted = ApplyStoredMenuStates();
    char path[MAX_PATH];
    if (ProgramFilePath("sess.qzd", path, sizeof path) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        EnableMenuCommand(IDM_STATISTICS, true);
    CreateDigitsFont(window);
    SetDialogIcons(window);
    for (int i = 0; i < 4; ++i)
        g_statusIcons[i] = static_cast<HICON>(
            LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDI_STATUS_DATE + i), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    if (!LoadPictures() || !CreateRatingPicture()) {
        EndDialog(window, 0);
        return TRUE;
    }
    if (!bannerWanted || !StartBanner(window)) HideBannerStrip(window);
    CreateSessionStatusBar(window);
    SendDlgItemMessageA(window, IDC_SITE_ID, EM_LIMITTEXT, 6, 0);
    for (int id : {IDC_TICKETS, IDC_ERRORS, IDC_LOTTO_CREDITS, IDC_TRAFFIC_CREDITS})
        SendDlgItemMessageA(window, id, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessageA(window, IDC_FREE_BANNERS, EM_LIMITTEXT, 4, 0);
    SetDlgItemTextA(window, IDC_SITE_ID, "");
    OpenSessionCounters(window);
    InsetEditRects(window, false);
    RestoreWindowPosition(window);
    g_positionRestored = true;
    // Twenty tooltip windows take longer to make than the rest of the opening: they are
    // made once the window shows, as the first message of its loop, long before a tip
    // could appear under the mouse.
    PostMessageA(window, kAddTooltipsMessage, 0, 0);
    return TRUE;
}

void AddMainTooltips(HWND window) {
    for (const Tooltip& tip : kTooltips) AddTooltip(GetDlgItem(window, tip.id), tip.text);
}

void OnDestroy(HWND window) {
    g_digitsFont.reset();
    char path[MAX_PATH];
    if (DigitsFontPath(path)) RemoveFontResourceA(path);
    ReleaseBannerControl(window);
    KillBannerTimer();
    KillSessionTimer();
    for (HICON& icon : g_statusIcons) {
        if (icon) DestroyIcon(icon);
        icon = nullptr;
    }
    DeleteBannerBitmap();
    g_marksBitmap.reset();
    g_gridBitmap.reset();
    g_ratingPicture.reset();
    if (g_positionRestored) SaveWindowPosition(window);
    SaveCountedSession(window);
}

void OnEndSession(HWND window, bool ending) {
    if (!ending) return;
    if (g_positionRestored) SaveWindowPosition(window);
    SaveOnEndSession(window);
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

INT_PTR OnCtlColorStatic(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id == IDC_SITE_NUMBER)
        SetTextColor(dc, Desk().siteIsNew ? kNewSiteColour : kKnownSiteColour);
    else
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (IsFlatNumberField(id)) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(DialogBrush());
}

void OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlID != IDC_BANNER) return;
    HBITMAP banner = BannerBitmap();
    if (!banner) return;
    BITMAP info;
    if (!GetObjectA(banner, sizeof info, &info)) return;
    HDC source = CreateCompatibleDC(item->hDC);
    if (!source) return;
    HGDIOBJ previous = SelectObject(source, banner);
    const int frameHeight = info.bmHeight / 3;
    BitBlt(item->hDC, 0, 0, info.bmWidth, frameHeight, source, 0, BannerFrame() * frameHeight, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void OnSysColorChange(HWND window) {
    RebuildBackgroundBrush();
    ForwardToControls(window, WM_SYSCOLORCHANGE);
    InvalidateRect(window, nullptr, TRUE);
}

void OnSysCommand(HWND window, WPARAM command) {
    if ((command & 0xFFF0) == SC_CLOSE && !ConfirmPendingEvaluation(window)) EndDialog(window, 1);
}

}  // namespace

HWND MainWindow() { return g_window; }
HMENU MainMenu() { return g_menu; }
HBITMAP RatingGridBitmap() { return g_gridBitmap.get(); }
HBITMAP RatingMarksBitmap() { return g_marksBitmap.get(); }
HBITMAP RatingPictureSurface() { return g_ratingPicture.get(); }
HICON StatusIcon(int part) { return part >= 0 && part < 4 ? g_statusIcons[part] : nullptr; }

void EnableMenuCommand(UINT id, bool enabled) {
    EnableMenuItem(g_menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_menuStateQuery && message != 0) {
        SetWindowLongPtrA(window, DWLP_MSGRESULT, GetMenuState(g_menu, static_cast<UINT>(wParam), MF_BYCOMMAND));
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case kAddTooltipsMessage: AddMainTooltips(window); return TRUE;
    case WM_COMMAND: return DispatchMainCommand(window, LOWORD(wParam), HIWORD(wParam));
    case WM_SYSCOMMAND: OnSysCommand(window, wParam); return FALSE;
    case WM_DESTROY: OnDestroy(window); return FALSE;
    case WM_ENDSESSION: OnEndSession(window, wParam != 0); return FALSE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(DialogBrush());
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOLORCHANGE: OnSysColorChange(window); return TRUE;
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    default: return FALSE;
    }
}
