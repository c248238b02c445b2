#pragma once
#include <windows.h>

// The dialogs' background: the 32 x 32 tile tinted with the button-face colour, as a
// pattern brush the caller owns; null if any step fails.
HBRUSH MakeBackgroundBrush(HINSTANCE instance);
