#pragma once
// Conveniences for the controls of a dialog.
#include <windows.h>

inline void Enable(HWND dialog, int id, bool enabled) { EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE); }
