#pragma once
// The rotating banner at the bottom of the main window.
#include <windows.h>

// Loads the banner picture and starts its rotation; false when the picture is missing.
bool StartBanner(HWND window);

HBITMAP BannerBitmap();  // null until StartBanner succeeded
int BannerFrame();       // 0, 1 or 2

// Closing: the cursor, the control's own procedure and the timer, then the picture.
void ReleaseBannerControl(HWND window);
void KillBannerTimer();
void DeleteBannerBitmap();
