#pragma once
// The player profile and the browser as the main window sees them: its two commands.
#include <windows.h>

#include <optional>

#include "base/settings.h"

// "Player Options...": the modal Player Settings dialog, owned by the window. When the member
// saved the profile: what the window shows of it (the ticket bar's range, "Clicks4U..." and
// "Fill Member ID").
std::optional<ProfileFacts> ShowPlayerSettings(HWND window);

// "Fill Member ID": writes the stored login data into every open login page of the service.
// Asks and reports nothing; the program goes on whatever the browser does.
void FillMemberLoginForm(HWND window);
