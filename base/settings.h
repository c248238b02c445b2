#pragma once
// The settings key of the current user: typed reads and writes, and the window position.
#include <windows.h>
#include <cstdint>

#include "handle.h"
#include "product_facts.h"

constexpr const char* kSettingsKeyPath = RTLN_SETTINGS_KEY;

// The values of the settings key.
constexpr const char* kMemberIdValue = "MemberID";       // text: the login's member ID or e-mail
constexpr const char* kSiteIdValue = "SiteID";           // text: or the login's site ID
constexpr const char* kPasswordValue = "Password";       // text: the password, stored shifted
constexpr const char* kServicePageValue = "Clicks4U";    // text: what "Clicks4U..." opens
constexpr const char* kTicketMaximumValue = "nTickets";  // DWORD: the ticket bar's maximum
constexpr const char* kSitesValue = "nSites";            // DWORD: new sites counted
constexpr const char* kShowBannerValue = "ShowBan";      // DWORD: the banner strip is shown
constexpr const char* kWindowPositionValue = "WPos";     // binary: the window's corner

// Opens the settings key (under HKEY_CURRENT_USER) with the given rights; an empty
// RegKey when it does not exist or cannot be opened. Never creates it.
RegKey OpenSettings(REGSAM access, const char* keyPath = kSettingsKeyPath);

// Strings are kept as the registry's own UTF-16 text, each value a fixed number of units with
// its zero and zero filler: as many as earlier builds stored bytes of the system's code page,
// so that every build reads what another stored. In the program's code page, UTF-8, a unit
// takes up to 3 bytes.
constexpr DWORD kProfileTextUnits = 64;  // "MemberID", "SiteID", "Password": 63 characters
constexpr DWORD kPathTextUnits = 260;    // "Clicks4U": 259 characters
constexpr DWORD kPathReadUnits = 261;    // "Clicks4U" as read: 260 characters count when a zero fits
constexpr size_t TextBytes(DWORD units) { return 3 * size_t{units}; }

// A REG_SZ of at most `units` units with its zero, into wide (zero-terminated); false, with wide
// empty, when absent, of another type, without data, or longer.
bool ReadSettingText(HKEY key, const char* name, wchar_t* wide, DWORD units);
// The same as text of the program's code page, into TextBytes(units) bytes.
bool ReadSettingString(HKEY key, const char* name, char* text, DWORD units);
// A REG_SZ of exactly `units` units: the text, its zero and zero filler. Nothing is written,
// and the answer is false, when the text does not fit whole.
bool WriteSettingText(HKEY key, const char* name, const wchar_t* wide, DWORD units);
// The same from text of the program's code page; false too for bytes that spell no text.
bool WriteSettingString(HKEY key, const char* name, const char* text, DWORD units);
// Whether text of the program's code page fits a value of `units` units whole.
bool FitsSetting(const char* text, DWORD units);

// A 4-byte REG_DWORD; -1 when absent or of another type or size.
int32_t ReadSettingDword(HKEY key, const char* name);
bool WriteSettingDword(HKEY key, const char* name, int32_t value);

// What the main window takes from the stored profile.
struct ProfileFacts {
    bool hasLogin;        // a member ID, a site ID or a password is stored ("Fill Member ID")
    bool hasServicePage;  // "Clicks4U..." has something to open
    int32_t ticketMaximum;
};
ProfileFacts ReadProfileFacts(HKEY key);

void SaveWindowPosition(HWND window, const char* keyPath = kSettingsKeyPath);
void RestoreWindowPosition(HWND window, const char* keyPath = kSettingsKeyPath);
