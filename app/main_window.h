#pragma once
// The main window: a modal dialog that lives for the whole run.
#include <windows.h>

#include "base/handle.h"
#include "desk/desk.h"
#include "session/session.h"
#include "banner.h"

// Registered message the main window answers with GetMenuState(wParam) of its menu.
constexpr const char* kMenuStateQueryName = "TavrikRateline.MenuState";

// The main window's own state, kept by whoever runs the window (WinMain, a test) and handed
// to the dialog as its creation parameter; the window keeps it in DWLP_USER. It holds the
// features, and the window's command handlers run their steps.
struct MainWindowState {
    Desk desk;
    Session session;
    Banner banner;
    GdiObject<HFONT> digitsFont;
    HookHandle keyboardShortcuts;
    // The opening got as far as placing the window where the member left it: only then is the
    // position stored at closing (an opening that ended early would store the template's).
    bool positionRestored = false;
    // Menus live inside their process under Wine, so tools that watch the program from outside
    // (the UI tests, accessibility aids) ask the window for a menu item's state with this.
    UINT menuStateQuery = 0;
    bool timerFailureShown = false;  // a session clock that cannot start is reported once per run
};

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
