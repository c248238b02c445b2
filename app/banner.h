#pragma once
// The rotating banner at the bottom of the main window.
#include <windows.h>

// Loads the banner picture, takes over the banner control (hand cursor, clicks) and starts
// the rotation; false when the picture is missing (nothing else changes then).
bool StartBanner(HWND window);

// The "Banner" command: hides or shows the banner strip, the window 50 pixels lower or
// higher with the status bar following, and stores the choice as "ShowBan".
void ToggleBanner(HWND window);

// The banner strip hidden: control hidden, window 50 pixels lower, "Banner" unchecked.
void HideBannerStrip(HWND window);

// Changes the main window's outer height by delta pixels (top-left kept) and moves the status
// bar, if there is one, to the new bottom.
void ChangeWindowHeight(HWND window, int delta);

HBITMAP BannerBitmap();   // null until StartBanner succeeded
int BannerFrame();        // 0, 1 or 2
bool IsBannerRotating();  // whether the rotation timer runs

// Closing: the cursor, the control's own procedure and the timer, then the picture.
void ReleaseBannerControl(HWND window);
void KillBannerTimer();
void DeleteBannerBitmap();
