#pragma once
// The rotating banner at the bottom of the main window.
#include <windows.h>

#include <atomic>

#include "base/handle.h"

struct Banner {
    GdiObject<HBITMAP> bitmap;
    std::atomic<LONG> frame{0};    // 0, 1 or 2: written by the rotation's timer, read by the painting
    HWND control = nullptr;        // set before the timer starts, cleared after it is killed
    MultimediaTimer timer;         // runs while the banner rotates
    HCURSOR handCursor = nullptr;  // a shared system cursor: forgotten, never destroyed
    WNDPROC ownProcedure = nullptr;
};

// Loads the banner picture, takes over the banner control (hand cursor, clicks) and starts
// the rotation; false when the picture is missing (nothing else changes then).
bool StartBanner(Banner& banner, HWND window);

// The "Banner" command: hides or shows the banner strip, the window 50 pixels (at the window's
// scale) lower or higher with the status bar following, and stores the choice as "ShowBan".
void ToggleBanner(Banner& banner, HWND window);

// The banner strip hidden: control hidden, window 50 pixels (at its scale) lower, "Banner"
// unchecked.
void HideBannerStrip(HWND window);

// Changes the main window's outer height by delta pixels (top-left kept) and moves the status
// bar, if there is one, to the new bottom, clear of the controls.
void ChangeWindowHeight(HWND window, int delta);

// The status bar's height is the system's and follows the DPI, the room the template leaves it
// follows the dialog font, which may grow less: the window grows until the bar covers no
// visible control.
void KeepStatusBarClear(HWND window);

// Closing: the cursor, the control's own procedure and the timer, then the picture.
void ReleaseBannerControl(Banner& banner, HWND window);
void KillBannerTimer(Banner& banner);
void DeleteBannerBitmap(Banner& banner);
