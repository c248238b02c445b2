#pragma once
#include <windows.h>

// Runs the handler of a main window command; returns the dialog procedure's result.
INT_PTR DispatchMainCommand(HWND window, WORD id, WORD code);
