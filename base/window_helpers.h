#pragma once
// Helpers shared by the program's dialogs and its main window's menu.
#include <windows.h>

// Enables or greys a control of the dialog.
inline void Enable(HWND dialog, int id, bool enabled) { EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE); }

// Enables or greys an item of the window's menu.
inline void EnableMenuCommand(HWND window, UINT id, bool enabled) {
    EnableMenuItem(GetMenu(window), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// Moves the keyboard focus to a control of the dialog, as Tab would, while the dialog is the
// active window (a dialog behind another program does not take the focus back).
inline void FocusControl(HWND dialog, int id) {
    if (GetActiveWindow() == dialog)
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

// Names a picture for a screen reader, which reads a control's window text as its name. The
// text is set past the control's own handling, which would take it for the name of an image.
inline void NamePicture(HWND picture, const char* name) {
    DefWindowProcA(picture, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
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
