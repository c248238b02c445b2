#pragma once
// The keys no control takes: Ctrl and a letter for the main window's buttons, which have no
// mnemonic (an underlined letter would change how they look), and Ctrl+Tab between the About
// box's pages. A hook sees each key of the thread before the dialog manager does.
#include <windows.h>

// The hook for the main window and the boxes it opens; null when it cannot be set.
HHOOK InstallKeyboardShortcuts(HWND mainWindow);
