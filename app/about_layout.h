#pragma once
// Where the About header puts the maker's name and the two red lines beside it, from the
// measured widths of the product name (productWidth) and the maker's name (makerWidth).
// Each half width is rounded toward zero on its own, as the header was always drawn. The widths
// are measured at the display's scale, and the offsets between are scaled by dpi over 96.

struct AboutHeaderLayout {
    int makerLeft;       // x of the maker's name (drawn at y = 32 at 96 DPI)
    int leftLineEnd;     // the left line runs from x = 58 (at 96 DPI) up to here (end not drawn)
    int rightLineStart;  // the right line runs from here ...
    int rightLineEnd;    // ... up to here (end not drawn)
};

AboutHeaderLayout LayOutAboutHeader(int productWidth, int makerWidth, int dpi = 96);
