#pragma once
// The main window: a modal dialog that lives for the whole run. Other parts of the program
// address its controls, menu and pictures through these.
#include <windows.h>

// Registered message the main window answers with GetMenuState(wParam) of its menu.
constexpr const char* kMenuStateQueryName = "TavrikRateline.MenuState";

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HWND MainWindow();
HMENU MainMenu();

// Pictures of the rating desk, made when the window opens.
HBITMAP RatingGridBitmap();      // background picture, 103 x 90
HBITMAP RatingMarksBitmap();     // sheet of 14 x 14 marks, 70 x 56
HBITMAP RatingPictureSurface();  // 24-bit picture the lookup draws into

// Icon of status-bar part 0 to 3, or null.
HICON StatusIcon(int part);

// Enables or greys a menu item of the main window.
void EnableMenuCommand(UINT id, bool enabled);
