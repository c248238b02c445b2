#pragma once
// The player profile and the browser as the main window sees them: its two commands.
#include <windows.h>

#include <optional>

#include "base/settings.h"

// "Player Options...": the modal Player Settings dialog, owned by the window. When the member
// saved the profile: what the window shows of it (the ticket bar's range, "Clicks4U..." and
// "Fill Member ID").
std::optional<ProfileFacts> ShowPlayerSettings(HWND window);

// "Fill Member ID": writes the stored login data into every open login page of the service,
// in Internet Explorer directly and, through the browsers' extension, in every browser that runs
// it. Asks and reports nothing; the program goes on whatever the browser does.
void FillMemberLoginForm(HWND window);

// The link with the browsers' extension, through their native messaging hosts: opened with the
// main window, closed in its destroy handling. Without it "Fill Member ID" reaches Internet
// Explorer alone.
void OpenBrowserLink();
void CloseBrowserLink();
// Tells every connected host to fill; returns at once, connected or not.
void SignalBrowserHosts();
