#pragma once
// The keys no control takes: Ctrl and a letter for the main window's buttons, which have no
// mnemonic (an underlined letter would change how they look), and Ctrl+Tab between the About
// box's pages. A hook sees each key of the thread before the dialog manager does.
#include <windows.h>

#include "resources/rtln_ids.h"

// Ctrl and the key: the button, when it is enabled, acts as if clicked.
struct Shortcut {
    UINT key;
    int button;
};
inline constexpr Shortcut kShortcuts[] = {
    {'P', IDC_PASTE}, {'F', IDC_FIND}, {'T', IDC_TICKET}, {'M', IDC_COUNT}, {'K', IDC_SKIP_SITE},
};

// The hook for the main window and the boxes it opens; null when it cannot be set.
HHOOK InstallKeyboardShortcuts(HWND mainWindow);
