#pragma once
// What the desk's own files share.
#include <windows.h>

#include "desk.h"

// Enables the desk's controls for its phase.
void ShowPhase(const Desk& desk, HWND window);

// Shows the background picture in the picture control unless it already does.
void ShowBackgroundPicture(Desk& desk, HWND window);

// Sets the Site ID box's text from the program without running its change handling
// (Windows raises no change notification for it; some other systems do).
void SetSiteIdBoxQuietly(Desk& desk, HWND window, const char* text);
