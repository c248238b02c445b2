#pragma once
// The player profile and the browser as the main window sees them: its two commands.
#include <windows.h>

// "Player Options...": the modal Player Settings dialog, owned by the window.
void ShowPlayerSettings(HWND window);

// "Fill Member ID": writes the stored login data into every open login page of the service.
// Asks and reports nothing; the program goes on whatever the browser does.
void FillMemberLoginForm(HWND window);
