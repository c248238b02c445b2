#pragma once
// Helpers shared by the program's dialogs and its main window's menu.
#include <windows.h>

// Enables or greys a control of the dialog.
inline void Enable(HWND dialog, int id, bool enabled) { EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE); }

// Enables or greys an item of the window's menu.
inline void EnableMenuCommand(HWND window, UINT id, bool enabled) {
    EnableMenuItem(GetMenu(window), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// One tooltip window for one control, covering its client area; text must stay valid.
// Null when the tooltip window cannot be created.
HWND AddTooltip(HWND control, const char* text);

// Moves the text of every edit of the dialog 2 pixels down (and 2 in from the sides
// when horizontal is set) by setting the edit's formatting rectangle.
void InsetEditRects(HWND dialog, bool horizontal);

// Sends a message with no parameters to every control of the window and every window it owns
// (its tooltips). Common controls learn of a system-colour change only this way.
void ForwardToControls(HWND window, UINT message);
