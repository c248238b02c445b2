#pragma once
// The rating desk: the Site ID entry, the lookup of a site with its history picture, and the
// recording of an evaluation. The main window owns one Desk and runs the steps of each command.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "base/handle.h"

// What the desk shows, which decides the controls it enables.
enum class DeskPhase {
    kReady,     // empty: the Site ID entry is open
    kTaken,     // a pasted Site ID is being looked up (Skip Site is open)
    kLookedUp,  // a site and its history are shown; its rating is to be chosen
    kRated,     // the member chose a rating: the site can be counted
};

struct Desk {
    DeskPhase phase = DeskPhase::kReady;
    int32_t siteNumber = 0;             // the site shown, from kLookedUp on
    int shownRating = 0;                // rating the lookup showed; 0 when the site had no record
    bool evaluatedToday = false;        // the lookup met a record less than 24 hours old
    bool siteIsNew = false;             // the lookup met no record of the site
    bool showingRatingPicture = false;  // the picture control shows picture, not grid
    bool settingSiteIdBox = false;      // the program sets the box: its change notice is no edit
    GdiObject<HBITMAP> grid;            // background picture, 103 x 90
    GdiObject<HBITMAP> marks;           // sheet of 14 x 14 marks, 70 x 56
    GdiObject<HBITMAP> picture;         // 24-bit picture the lookup draws into
    // The grid and the drawn picture stretched to the window's scale, which the control shows
    // instead (null where that scale is 96 DPI's, or when they could not be made).
    GdiObject<HBITMAP> scaledGrid;
    GdiObject<HBITMAP> scaledPicture;
};

// Opening: the desk's pictures, the picture control showing the grid at the display's scale;
// false when one cannot be made (the window cannot work then).
bool OpenDesk(Desk& desk, HWND window);
// Closing: the pictures, in the order mark sheet, grid, drawn picture, then their scaled copies.
void CloseDesk(Desk& desk);

// The Site ID, as the number of its 4 to 6 digits, from the clipboard's text (Paste) or from
// the Site ID box (Find, or Enter in the box); nothing after the message of a refused one, or
// from an empty box.
std::optional<int32_t> PasteSiteId(Desk& desk, HWND window);
std::optional<int32_t> TakeBoxSiteId(HWND window);

// The lookup: walks the site's records and shows the site with its history. False when the
// desk was not updated (the site file's failure, after its message).
bool LookUpSite(Desk& desk, HWND window, int32_t site);

// Asks whether the site on the desk should be evaluated first. True: the member wants to,
// the caller drops its command. False: the desk was empty or has been reset; go on.
bool ConfirmPendingEvaluation(Desk& desk, HWND window);

// Records the checked rating (0 when none is checked) as an incorrect evaluation of the site
// on the desk; a file failure shows its message.
void RecordIncorrectEvaluation(const Desk& desk, HWND window);

// Records the checked rating as a correct evaluation, except when the site was already
// evaluated in the last 24 hours and the checked rating is the one the lookup showed.
void RecordCorrectEvaluation(const Desk& desk, HWND window);

// Rating (1 to 5) whose button is checked, 0 when none is.
int CheckedRating(HWND window);

// Returns the desk to its ready state and empties the clipboard.
void ResetDesk(Desk& desk, HWND window);

// The controls' notices: a rating button clicked, the Site ID box edited.
void RatingClicked(Desk& desk, HWND window);
void SiteIdBoxChanged(Desk& desk, HWND window);
