#pragma once
// The rating desk as the rest of the program sees it: its state, the commands the main
// window dispatches to it, and the operations the session counters call.
#include <windows.h>
#include <cstdint>

struct RatingDesk {
    char siteDigits[16];        // decimal digits of the Site ID last taken, zero-terminated
    int32_t currentSiteNumber;  // key of the site on the desk; 0 when the desk is empty
    int shownRating;            // rating the last lookup showed; 0 when the site had no record
    bool evaluatedToday;        // the last lookup met a record less than 24 hours old
    bool siteIsNew;             // the last lookup met no record of the site
};

const RatingDesk& Desk();

// Opening: the desk's pictures, the picture control showing the grid at the display's scale;
// false when one cannot be made (the window cannot work then).
bool OpenDesk(HWND window);
// Closing: the pictures, in the order mark sheet, grid, drawn picture, then their scaled copies.
void CloseDesk();

// Main window commands (the id's notification code is passed on).
void OnSkipSite(HWND window, WORD code);
void OnSiteIdChanged(HWND window, WORD code);
void OnRatingButton(HWND window, WORD code);

// Where a lookup takes its Site ID: the digits of the last Paste, or the Site ID box (Find,
// or Enter in the box). The command decides, never the state of Find: a reset empties the box.
enum class SiteSource { kPaste, kBox };

// The lookup: takes the Site ID from its source, walks the site's records and shows it on
// the desk. False when the desk was not updated (nothing to look up, a refused Site ID after
// its message, or a file failure after its message).
bool FindSite(HWND window, SiteSource source);

// Asks whether the site on the desk should be evaluated first. True: the member wants to,
// the caller drops its command. False: the desk was empty or has been reset; go on.
bool ConfirmPendingEvaluation(HWND window);

// Records the checked rating (0 when none is checked) as an incorrect evaluation of the site
// on the desk; a file failure shows its message.
void RecordIncorrectEvaluation(HWND window);

// Records the checked rating as a correct evaluation, except when the site was already
// evaluated in the last 24 hours and the checked rating is the one the lookup showed.
void RecordCorrectEvaluation(HWND window);

// Rating (1 to 5) whose button is checked, 0 when none is.
int CheckedRating(HWND window);

// Takes the Site ID digits from the clipboard text into siteDigits; false after a message.
bool PasteSiteId(HWND window);

// Returns the desk to its ready state and empties the clipboard.
void ResetDesk(HWND window);
