#pragma once
// The About box: a drawn header over a tab control with the General and License pages.
#include <windows.h>

// Plays the About sound and runs the box modally, owned by window, on page tab (0 General,
// 1 License); whether it ended with a non-zero result.
bool ShowAbout(HWND window, int tab);

// Ctrl+Tab in the open box (root): shows the other page and puts the focus on the tabs. False
// when root is not the box.
bool SwitchAboutPage(HWND root);
