// The About box and its two pages. Exactly one page exists while the box is open: a change
// of tab destroys the shown page and creates the other from its template.
#include "about_box.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "base/dialog_look.h"
#include "base/display_scale.h"
#include "base/handle.h"
#include "base/program_folder.h"
#include "base/window_helpers.h"
#include "product_facts.h"
#include "resources/rtln_ids.h"
#include "about_header.h"
#include "outside_links.h"

namespace {

constexpr const char* kBuildDate = "09-24-2004";
constexpr const char* kWebSiteTip = "Go to Tavrik Web site";
constexpr const char* kMailTip = "Send e-mail an authors";
constexpr int kHeaderHeight = 45;  // at 96 DPI

struct Page {
    const char* label;
    int templateId;
};

constexpr Page kPages[] = {
    {" General ", IDD_ABOUT_GENERAL},
    {" License ", IDD_ABOUT_LICENSE},
};

// The box's state while it is open (one box at a time: it is modal).
struct AboutBox {
    HWND dialog = nullptr;
    IconHandle headerIcon;
    OwnedWindow shownPage;
    OwnedWindow pageTooltips[2];  // the General page's
};

AboutBox g_about;

constexpr const char* kMainFontFile = "qzMain.ttf";

// From memory and asynchronously; a missing or unplayable sound is silently skipped.
void PlayAboutSound() {
    HRSRC found = FindResourceA(AppInstance(), MAKEINTRESOURCEA(IDR_ABOUT_SOUND), "WAVE");
    HGLOBAL loaded = found ? LoadResource(AppInstance(), found) : nullptr;
    const void* sound = loaded ? LockResource(loaded) : nullptr;
    if (sound) PlaySoundA(static_cast<const char*>(sound), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

// The licence text of the License page: a zero-terminated copy of the raw resource.
void FillLicenseText(HWND page) {
    HRSRC found = FindResourceA(AppInstance(), MAKEINTRESOURCEA(IDR_LICENSE_TEXT), "RT_RCDATA");
    HGLOBAL loaded = found ? LoadResource(AppInstance(), found) : nullptr;
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    const DWORD size = text ? SizeofResource(AppInstance(), found) : 0;
    if (size == 0) return;
    const HeapBlock copy(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + 1));
    if (!copy) return;
    CopyMemory(copy.get(), text, size);
    SetDlgItemTextA(page, IDC_ABOUT_LICENSE_TEXT, static_cast<const char*>(copy.get()));
}

void FillGeneralPage(HWND page) {
    SetDlgItemTextA(page, IDC_ABOUT_BUILD_DATE, kBuildDate);
    NamePicture(GetDlgItem(page, IDC_ABOUT_ICON), RTLN_PRODUCT_NAME);
    g_about.pageTooltips[0].reset(AddTooltip(GetDlgItem(page, IDC_ABOUT_WEB_SITE), kWebSiteTip));
    g_about.pageTooltips[1].reset(AddTooltip(GetDlgItem(page, IDC_ABOUT_EMAIL), kMailTip));
}

// A tooltip window is owned by the box (a child window cannot own one), so it would outlive
// the page it serves: it goes with the page. When the box itself closes, the system has
// destroyed its owned windows already.
void OnPageDestroy() {
    for (OwnedWindow& tip : g_about.pageTooltips) tip.reset();
}

// The page sits below the tab row: at the left of item 0, at its top plus its bottom. It is
// a child of the box, not of the tab control, so that the box's keyboard navigation reaches
// both the tabs and the page's buttons; it comes just before the tabs in that order.
BOOL OnPageInit(HWND page, HWND tabs) {
    if (TabCtrl_GetCurSel(tabs) == 1)
        FillLicenseText(page);
    else
        FillGeneralPage(page);
    RECT item = {};
    TabCtrl_GetItemRect(tabs, 0, &item);
    POINT corner = {item.left, item.top + item.bottom};
    MapWindowPoints(tabs, GetParent(page), &corner, 1);
    SetWindowPos(page, GetWindow(tabs, GW_HWNDPREV), corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    InsetEditRects(page, true);
    return FALSE;
}

void OnPageCommand(HWND page, WORD id) {
    if (id == IDC_ABOUT_WEB_SITE) OpenDocument(GetAncestor(page, GA_ROOT), kMakerWebSite);
    if (id == IDC_ABOUT_EMAIL) OpenDocument(GetAncestor(page, GA_ROOT), kSupportMail);
}

// Labels over the page background; the read-only licence field on the button face.
INT_PTR OnPageColour(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_ABOUT_LICENSE_TEXT) return LabelColours(dc);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnPageInit(page, reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: OnPageCommand(page, LOWORD(wParam)); return TRUE;
    case WM_CTLCOLORSTATIC: return OnPageColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(DialogBrush());
    case WM_DESTROY: OnPageDestroy(); return FALSE;
    default: return FALSE;
    }
}

// Replaces the shown page by the page of the selected tab; null when it cannot be made.
HWND CreateSelectedPage(HWND dialog) {
    g_about.shownPage.reset();
    HWND tabs = GetDlgItem(dialog, IDC_ABOUT_TABS);
    const int index = TabCtrl_GetCurSel(tabs);
    if (index < 0 || index >= static_cast<int>(sizeof kPages / sizeof kPages[0])) return nullptr;
    const char* name = MAKEINTRESOURCEA(kPages[index].templateId);
    if (!FindResourceA(AppInstance(), name, MAKEINTRESOURCEA(5))) return nullptr;  // RT_DIALOG
    g_about.shownPage.reset(CreateDialogParamA(AppInstance(), name, dialog, PageProc, reinterpret_cast<LPARAM>(tabs)));
    return g_about.shownPage.get();
}

BOOL OnAboutInit(HWND dialog, int tab) {
    g_about.dialog = dialog;
    SetDialogIcons(dialog);
    g_about.headerIcon.reset(
        static_cast<HICON>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDI_ABOUT_HEADER), IMAGE_ICON,
                                      DialogPixels(dialog, 48), DialogPixels(dialog, 48), LR_DEFAULTCOLOR)));
    AddProgramFont(kMainFontFile);
    HWND tabs = GetDlgItem(dialog, IDC_ABOUT_TABS);
    for (int i = 0; i < static_cast<int>(sizeof kPages / sizeof kPages[0]); ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kPages[i].label);
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    TabCtrl_SetCurSel(tabs, tab);
    if (!CreateSelectedPage(dialog)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    RECT client;
    GetClientRect(dialog, &client);
    SetWindowPos(GetDlgItem(dialog, IDC_ABOUT_HEADER), HWND_BOTTOM, 0, 0, client.right,
                 DialogPixels(dialog, kHeaderHeight), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    return TRUE;
}

void OnAboutDestroy() {
    g_about.dialog = nullptr;
    g_about.shownPage.release();  // destroyed with the dialog
    g_about.headerIcon.reset();
    RemoveProgramFont(kMainFontFile);
}

void OnAboutNotify(HWND dialog, const NMHDR* header) {
    if (header->idFrom == IDC_ABOUT_TABS && header->code == static_cast<UINT>(TCN_SELCHANGE))
        CreateSelectedPage(dialog);
}

// Help opens the help file and Cancel closes; every other command, Esc included, does nothing.
void OnAboutCommand(HWND dialog, WORD id) {
    if (id == IDC_ABOUT_HELP) OpenHelpFile(dialog);
    if (id == IDC_ABOUT_CANCEL) EndDialog(dialog, 0);
}

BOOL OnAboutSysCommand(HWND dialog, WPARAM command) {
    if ((command & 0xFFF0) != SC_CLOSE) return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnAboutInit(dialog, static_cast<int>(lParam));
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        DrawAboutHeader(item->hDC, item->rcItem, g_about.headerIcon.get(), DialogDpi(dialog));
        return TRUE;
    }
    case WM_NOTIFY: OnAboutNotify(dialog, reinterpret_cast<const NMHDR*>(lParam)); return FALSE;
    case WM_COMMAND: OnAboutCommand(dialog, LOWORD(wParam)); return TRUE;
    case WM_SYSCOMMAND: return OnAboutSysCommand(dialog, wParam);
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(DialogBrush());
    case WM_DESTROY: OnAboutDestroy(); return FALSE;
    default: return FALSE;
    }
}

}  // namespace

bool SwitchAboutPage(HWND root) {
    if (!root || root != g_about.dialog) return false;
    const HWND tabs = GetDlgItem(root, IDC_ABOUT_TABS);
    TabCtrl_SetCurSel(tabs, 1 - TabCtrl_GetCurSel(tabs));  // two pages: either way is the other
    CreateSelectedPage(root);
    SendMessageA(root, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tabs), TRUE);
    return true;
}

bool ShowAbout(HWND window, int tab) {
    PlayAboutSound();
    return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_ABOUT), window, AboutProc, tab) != 0;
}
