#pragma once
// Process-wide handles: they live exactly as long as the process.
#include <windows.h>

HINSTANCE AppInstance();
void SetAppInstance(HINSTANCE instance);
HBRUSH BackgroundBrush();  // null when it could not be built

// What every dialog of the program paints its background with: the background brush, else
// the system's button face.
HBRUSH DialogBrush();
// WM_CTLCOLORSTATIC of labels and group boxes over that background: window-text colour on a
// transparent background. Returns the brush.
INT_PTR LabelColours(HDC dc);

// The two program icons and the background brush; a failed load leaves a null handle.
void LoadAppResources();
void ReleaseIconsAndBrush();

// Builds a new background brush and replaces the current one (system colours changed).
void RebuildBackgroundBrush();

// Gives a dialog the program's icons, each only if it was loaded.
void SetDialogIcons(HWND dialog);
