#pragma once
// What the desk's own files share: its state, the picture control, the messages.
#include <windows.h>

#include "base/handle.h"
#include "desk.h"

struct DeskState {
    RatingDesk shown = {};              // what the rest of the program reads through Desk()
    bool showingRatingPicture = false;  // the picture control shows picture, not grid
    bool settingSiteIdBox = false;      // the program sets the box: its change notice is no edit
    GdiObject<HBITMAP> grid;            // background picture, 103 x 90
    GdiObject<HBITMAP> marks;           // sheet of 14 x 14 marks, 70 x 56
    GdiObject<HBITMAP> picture;         // 24-bit picture the lookup draws into
    // Above 96 DPI: the grid and the drawn picture stretched to the display's scale, which the
    // control shows instead (null at 96 DPI, or when they could not be made).
    GdiObject<HBITMAP> scaledGrid;
    GdiObject<HBITMAP> scaledPicture;
};

DeskState& TheDesk();

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
