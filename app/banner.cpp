// The banner: three frames of one picture, rotated once a second by a multimedia timer.
//
// The timer callback runs on the system's multimedia-timer thread. It writes only the frame
// index (one aligned 32-bit word, read by the painting on the UI thread) and invalidates the
// control, which does not wait for the UI thread. The UI thread writes the index only after
// TIME_KILL_SYNCHRONOUS has stopped the timer, so there is one writer at a time.
#include "banner.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <atomic>

#include "base/dialog_look.h"
#include "base/display_scale.h"
#include "base/settings.h"
#include "resources/rtln_ids.h"
#include "main_window.h"
#include "outside_links.h"

namespace {

constexpr int kBannerStripHeight = 50;  // at 96 DPI
constexpr int kBannerWidth = 263;
constexpr int kBannerFrameHeight = 45;
constexpr int kBannerFrames = 3;
constexpr UINT kRotationMs = 1000;

struct Banner {
    GdiObject<HBITMAP> bitmap;
    std::atomic<LONG> frame{0};
    HWND control = nullptr;  // set before the timer starts, cleared after it is killed
    MultimediaTimer timer;
    HCURSOR handCursor = nullptr;  // a shared system cursor: forgotten, never destroyed
    WNDPROC ownProcedure = nullptr;
};

Banner g_banner;

// The frame index goes 0, 1, 2, 0, ... and the control repaints without erasing.
void AdvanceFrame() {
    const LONG frame = g_banner.frame.load(std::memory_order_relaxed);
    g_banner.frame.store(frame == 2 ? 0 : frame + 1, std::memory_order_relaxed);
    if (g_banner.control) InvalidateRect(g_banner.control, nullptr, FALSE);
}

void CALLBACK AdvanceBannerFrame(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) { AdvanceFrame(); }

// Periodic timer with the finest resolution; the first change is shown at once.
void StartRotation() {
    g_banner.timer.reset(timeSetEvent(kRotationMs, 0, AdvanceBannerFrame, 0, TIME_PERIODIC | TIME_KILL_SYNCHRONOUS));
    if (g_banner.timer) AdvanceFrame();
}

LRESULT CALLBACK BannerControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return TRUE;  // the painting covers the whole control
    case WM_SETCURSOR:
        if (!g_banner.handCursor) break;
        SetCursor(g_banner.handCursor);
        return TRUE;
    case WM_LBUTTONUP:
        OpenDocument(GetParent(control), kServiceHomePage);
        break;  // the control's own procedure still sees the click
    default: break;
    }
    return CallWindowProcA(g_banner.ownProcedure, control, message, wParam, lParam);
}

void StoreBannerChoice() {
    RegKey key = OpenSettings(KEY_SET_VALUE);
    if (key) WriteSettingDword(key.get(), "ShowBan", g_banner.timer ? 1 : 0);
}

// The banner's frames, stretched to the display's scale above 96 DPI (unstretched if the copy
// cannot be made).
HBITMAP LoadBanner(HWND control) {
    HBITMAP banner = static_cast<HBITMAP>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP,
                                                     kBannerWidth, kBannerFrames * kBannerFrameHeight, 0));
    if (!banner || !DisplayScaled()) return banner;
    RECT box = {};
    GetClientRect(control, &box);
    HBITMAP scaled = ScaledPicture(banner, kBannerFrames, box.bottom);
    if (!scaled) return banner;
    DeleteObject(banner);
    return scaled;
}

}  // namespace

bool StartBanner(HWND window) {
    HWND control = GetDlgItem(window, IDC_BANNER);
    g_banner.bitmap.reset(LoadBanner(control));
    if (!g_banner.bitmap) return false;
    g_banner.handCursor = LoadCursorA(nullptr, IDC_HAND);
    g_banner.control = control;
    if (g_banner.control && !g_banner.ownProcedure) {
        g_banner.ownProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(g_banner.control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BannerControlProc)));
        const LONG_PTR style = GetWindowLongPtrA(g_banner.control, GWL_STYLE);
        SetWindowLongPtrA(g_banner.control, GWL_STYLE, style | SS_NOTIFY);
    }
    StartRotation();
    return true;
}

void ChangeWindowHeight(HWND window, int delta) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return;
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top + delta,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A status bar places itself at the bottom of its parent whenever it is told of a size.
    if (HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr)) SendMessageA(bar, WM_SIZE, 0, 0);
}

void HideBannerStrip(HWND window) {
    CheckMenuItem(GetMenu(window), IDM_BANNER, MF_UNCHECKED);
    ShowWindow(GetDlgItem(window, IDC_BANNER), SW_HIDE);
    ChangeWindowHeight(window, -ScalePixels(kBannerStripHeight));
}

void ToggleBanner(HWND window) {
    if (GetMenuState(GetMenu(window), IDM_BANNER, MF_BYCOMMAND) & MF_CHECKED) {
        KillBannerTimer();
        HideBannerStrip(window);
    } else {
        ChangeWindowHeight(window, ScalePixels(kBannerStripHeight));
        bool started = true;  // the picture stays loaded once it was
        if (g_banner.bitmap)
            StartRotation();
        else
            started = StartBanner(window);
        if (started) {
            CheckMenuItem(GetMenu(window), IDM_BANNER, MF_CHECKED);
            ShowWindow(GetDlgItem(window, IDC_BANNER), SW_SHOW);
        } else {
            HideBannerStrip(window);
        }
    }
    StoreBannerChoice();
}

HBITMAP BannerBitmap() { return g_banner.bitmap.get(); }
int BannerFrame() { return g_banner.frame.load(std::memory_order_relaxed); }
bool IsBannerRotating() { return static_cast<bool>(g_banner.timer); }

void ReleaseBannerControl(HWND window) {
    g_banner.handCursor = nullptr;
    if (!g_banner.ownProcedure) return;
    if (HWND control = GetDlgItem(window, IDC_BANNER))
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_banner.ownProcedure));
    g_banner.ownProcedure = nullptr;
}

void KillBannerTimer() {
    g_banner.timer.reset();
    g_banner.frame.store(0, std::memory_order_relaxed);
}

void DeleteBannerBitmap() {
    g_banner.control = nullptr;
    g_banner.bitmap.reset();
}
