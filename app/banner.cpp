// The banner: three frames of one picture, rotated once a second by a multimedia timer.
//
// The timer callback runs on the system's multimedia-timer thread. It writes only the frame
// index (one aligned 32-bit word, read by the painting on the UI thread) and invalidates the
// control, which does not wait for the UI thread. The UI thread writes the index only after
// TIME_KILL_SYNCHRONOUS has stopped the timer, so there is one writer at a time.
#include "banner.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "base/dialog_look.h"
#include "base/display_scale.h"
#include "base/settings.h"
#include "resources/rtln_ids.h"
#include "outside_links.h"

namespace {

constexpr int kBannerStripHeight = 50;  // at 96 DPI
constexpr int kBannerWidth = 263;
constexpr int kBannerFrameHeight = 45;
constexpr int kBannerFrames = 3;
constexpr UINT kRotationMs = 1000;

// The frame index goes 0, 1, 2, 0, ... and the control repaints without erasing.
void AdvanceFrame(Banner& banner) {
    const LONG frame = banner.frame.load(std::memory_order_relaxed);
    banner.frame.store(frame == 2 ? 0 : frame + 1, std::memory_order_relaxed);
    if (banner.control) InvalidateRect(banner.control, nullptr, FALSE);
}

void CALLBACK AdvanceBannerFrame(UINT, UINT, DWORD_PTR banner, DWORD_PTR, DWORD_PTR) {
    AdvanceFrame(*reinterpret_cast<Banner*>(banner));
}

// Periodic timer with the finest resolution; the first change is shown at once.
void StartRotation(Banner& banner) {
    banner.timer.reset(timeSetEvent(kRotationMs, 0, AdvanceBannerFrame, reinterpret_cast<DWORD_PTR>(&banner),
                                    TIME_PERIODIC | TIME_KILL_SYNCHRONOUS));
    if (banner.timer) AdvanceFrame(banner);
}

// The control keeps its banner in GWLP_USERDATA while it is taken over.
LRESULT CALLBACK BannerControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const Banner& banner = *reinterpret_cast<const Banner*>(GetWindowLongPtrA(control, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND: return TRUE;  // the painting covers the whole control
    case WM_SETCURSOR:
        if (!banner.handCursor) break;
        SetCursor(banner.handCursor);
        return TRUE;
    case WM_LBUTTONUP:
        OpenDocument(GetParent(control), kServiceHomePage);
        break;  // the control's own procedure still sees the click
    default: break;
    }
    return CallWindowProcA(banner.ownProcedure, control, message, wParam, lParam);
}

void StoreBannerChoice(const Banner& banner) {
    RegKey key = OpenSettings(KEY_SET_VALUE);
    if (key) WriteSettingDword(key.get(), kShowBannerValue, banner.timer ? 1 : 0);
}

// The banner's frames, stretched to the window's scale (unstretched if the copy cannot be made).
HBITMAP LoadBanner(HWND window) {
    HBITMAP banner = static_cast<HBITMAP>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP,
                                                     kBannerWidth, kBannerFrames * kBannerFrameHeight, 0));
    const int frameHeight = DialogPixels(window, kBannerFrameHeight);
    if (!banner || frameHeight == kBannerFrameHeight) return banner;
    HBITMAP scaled = ScaledPicture(banner, kBannerFrames, frameHeight);
    if (!scaled) return banner;
    DeleteObject(banner);
    return scaled;
}

}  // namespace

bool StartBanner(Banner& banner, HWND window) {
    HWND control = GetDlgItem(window, IDC_BANNER);
    banner.bitmap.reset(LoadBanner(window));
    if (!banner.bitmap) return false;
    banner.handCursor = LoadCursorA(nullptr, IDC_HAND);
    banner.control = control;
    if (banner.control && !banner.ownProcedure) {
        SetWindowLongPtrA(banner.control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&banner));
        banner.ownProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(banner.control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BannerControlProc)));
        const LONG_PTR style = GetWindowLongPtrA(banner.control, GWL_STYLE);
        SetWindowLongPtrA(banner.control, GWL_STYLE, style | SS_NOTIFY);
    }
    StartRotation(banner);
    return true;
}

namespace {

void GrowWindow(HWND window, int delta) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return;
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top + delta,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A status bar places itself at the bottom of its parent whenever it is told of a size.
    if (HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr)) SendMessageA(bar, WM_SIZE, 0, 0);
}

}  // namespace

void ChangeWindowHeight(HWND window, int delta) {
    GrowWindow(window, delta);
    KeepStatusBarClear(window);
}

void KeepStatusBarClear(HWND window) {
    HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr);
    if (!bar) return;
    SendMessageA(bar, WM_SIZE, 0, 0);  // its height follows its icons, set after it was made
    RECT barRect;
    if (!GetWindowRect(bar, &barRect)) return;
    LONG lowest = barRect.top;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        // The style, not IsWindowVisible: the window itself is not shown yet while it opens.
        const bool shown = (GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) != 0;
        if (child != bar && shown && GetWindowRect(child, &rect) && rect.bottom > lowest) lowest = rect.bottom;
    }
    if (lowest > barRect.top) GrowWindow(window, static_cast<int>(lowest - barRect.top));
}

void HideBannerStrip(HWND window) {
    CheckMenuItem(GetMenu(window), IDM_BANNER, MF_UNCHECKED);
    ShowWindow(GetDlgItem(window, IDC_BANNER), SW_HIDE);
    ChangeWindowHeight(window, -DialogPixels(window, kBannerStripHeight));
}

void ToggleBanner(Banner& banner, HWND window) {
    if (GetMenuState(GetMenu(window), IDM_BANNER, MF_BYCOMMAND) & MF_CHECKED) {
        KillBannerTimer(banner);
        HideBannerStrip(window);
    } else {
        ChangeWindowHeight(window, DialogPixels(window, kBannerStripHeight));
        bool started = true;  // the picture stays loaded once it was
        if (banner.bitmap)
            StartRotation(banner);
        else
            started = StartBanner(banner, window);
        if (started) {
            CheckMenuItem(GetMenu(window), IDM_BANNER, MF_CHECKED);
            ShowWindow(GetDlgItem(window, IDC_BANNER), SW_SHOW);
            KeepStatusBarClear(window);
        } else {
            HideBannerStrip(window);
        }
    }
    StoreBannerChoice(banner);
}

void ReleaseBannerControl(Banner& banner, HWND window) {
    banner.handCursor = nullptr;
    if (!banner.ownProcedure) return;
    if (HWND control = GetDlgItem(window, IDC_BANNER))
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(banner.ownProcedure));
    banner.ownProcedure = nullptr;
}

void KillBannerTimer(Banner& banner) {
    banner.timer.reset();
    banner.frame.store(0, std::memory_order_relaxed);
}

void DeleteBannerBitmap(Banner& banner) {
    banner.control = nullptr;
    banner.bitmap.reset();
}
