#pragma once
// The About box's header: a white band with the large icon, the shadowed product name and
// the maker's name between two red lines. Takes a DC so that it can be drawn anywhere.
#include <windows.h>

// item: the header's rectangle; icon may be null (then no icon is drawn); dpi: the scale of its
// pixel sizes (those of 96 DPI, multiplied by dpi over 96).
void DrawAboutHeader(HDC dc, const RECT& item, HICON icon, int dpi);
