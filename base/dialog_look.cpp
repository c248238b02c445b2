#include "dialog_look.h"

#include "resources/rtln_ids.h"
#include "background.h"
#include "handle.h"

namespace {

// What every dialog of the program looks like; lives as long as the process.
struct DialogLook {
    HINSTANCE instance = nullptr;
    IconHandle smallIcon;
    IconHandle largeIcon;
    GdiObject<HBRUSH> background;
};

DialogLook g_look;

}  // namespace

HINSTANCE AppInstance() { return g_look.instance; }
HBRUSH BackgroundBrush() { return g_look.background.get(); }

void SetAppInstance(HINSTANCE instance) { g_look.instance = instance; }

HBRUSH DialogBrush() { return g_look.background ? g_look.background.get() : GetSysColorBrush(COLOR_BTNFACE); }

INT_PTR LabelColours(HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(DialogBrush());
}

void LoadAppResources() {
    g_look.smallIcon.reset(
        static_cast<HICON>(LoadImageA(g_look.instance, MAKEINTRESOURCEA(IDI_APP_SMALL), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    g_look.largeIcon.reset(
        static_cast<HICON>(LoadImageA(g_look.instance, MAKEINTRESOURCEA(IDI_APP_LARGE), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR)));
    g_look.background.reset(MakeBackgroundBrush(g_look.instance));
}

void ReleaseIconsAndBrush() {
    g_look.smallIcon.reset();
    g_look.largeIcon.reset();
    g_look.background.reset();
}

void RebuildBackgroundBrush() {
    if (g_look.background) g_look.background.reset(MakeBackgroundBrush(g_look.instance));
}

void SetDialogIcons(HWND dialog) {
    if (g_look.smallIcon)
        SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_look.smallIcon.get()));
    if (g_look.largeIcon) SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_look.largeIcon.get()));
}
