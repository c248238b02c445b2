#pragma once
#include <windows.h>

#include "main_window.h"

// Runs the handler of a main window command; returns the dialog procedure's result.
INT_PTR DispatchMainCommand(MainWindowState& state, HWND window, WORD id, WORD code);
