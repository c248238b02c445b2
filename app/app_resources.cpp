#include "app_resources.h"

#include <objbase.h>

#include "../resources/rtln_ids.h"
#include "background.h"

namespace {

HINSTANCE g_instance;
HICON g_smallIcon;
HICON g_largeIcon;
HBRUSH g_backgroundBrush;

}  // namespace

HINSTANCE AppInstance() { return g_instance; }
HBRUSH BackgroundBrush() { return g_backgroundBrush; }

void SetAppInstance(HINSTANCE instance) { g_instance = instance; }

HBRUSH DialogBrush() { return g_backgroundBrush ? g_backgroundBrush : GetSysColorBrush(COLOR_BTNFACE); }

INT_PTR LabelColours(HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(DialogBrush());
}

bool LoadAppResources() {
    g_smallIcon = static_cast<HICON>(
        LoadImageA(g_instance, MAKEINTRESOURCEA(IDI_APP_SMALL), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    g_largeIcon = static_cast<HICON>(
        LoadImageA(g_instance, MAKEINTRESOURCEA(IDI_APP_LARGE), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    g_backgroundBrush = MakeBackgroundBrush(g_instance);
    return true;
}

void ReleaseIconsAndBrush() {
    if (g_smallIcon) DestroyIcon(g_smallIcon);
    if (g_largeIcon) DestroyIcon(g_largeIcon);
    if (g_backgroundBrush) DeleteObject(g_backgroundBrush);
    g_smallIcon = g_largeIcon = nullptr;
    g_backgroundBrush = nullptr;
}

void RebuildBackgroundBrush() {
    if (!g_backgroundBrush) return;
    DeleteObject(g_backgroundBrush);
    g_backgroundBrush = MakeBackgroundBrush(g_instance);
}

void SetDialogIcons(HWND dialog) {
    if (g_smallIcon) SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_smallIcon));
    if (g_largeIcon) SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_largeIcon));
}
