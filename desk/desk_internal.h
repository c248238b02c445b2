#pragma once
// What the desk's own files share: the mutable state, the picture control, the messages.
#include <windows.h>

#include "desk.h"

RatingDesk& MutableDesk();

// Shows the background picture in the picture control unless it already does.
void ShowBackgroundPicture(HWND window);

// Sets the Site ID box's text from the program without running its change handling
// (Windows raises no change notification for it; some other systems do).
void SetSiteIdBoxQuietly(HWND window, const char* text);

// Desk messages: caption "Tavrik Rateline", error icon, OK.
void ShowDeskError(HWND window, const char* text);

// First step of a lookup: fills siteDigits and currentSiteNumber from the Site ID box or
// keeps those of the last paste. False, after a message if the box held no usable Site ID,
// when there is nothing to look up.
bool TakeSiteNumber(HWND window, SiteSource source);
