#include "background.h"

#include "resources/rtln_ids.h"
#include "handle.h"
#include "tint.h"

HBRUSH MakeBackgroundBrush(HINSTANCE instance) {
    GdiObject<HBITMAP> tile(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_BACKGROUND_TILE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!tile) return nullptr;
    BITMAP info;
    if (!GetObjectA(tile.get(), sizeof info, &info)) return nullptr;
    const ScreenDc screen(GetDC(nullptr));
    if (!screen) return nullptr;

    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = info.bmHeight;  // bottom-up
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> section(CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section) return nullptr;
    {
        const MemoryDc source(CreateCompatibleDC(screen.get()));
        const MemoryDc target(CreateCompatibleDC(screen.get()));
        if (!source || !target) return nullptr;
        const Selection selectTile = Select(source.get(), tile.get());
        const Selection selectSection = Select(target.get(), section.get());
        if (!BitBlt(target.get(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY)) return nullptr;
    }

    // Ask for the size of the pixel data, then read, tint and write back every row.
    BITMAPINFO query = format;
    if (!GetDIBits(screen.get(), section.get(), 0, info.bmHeight, nullptr, &query, DIB_RGB_COLORS)) return nullptr;
    const DWORD size = query.bmiHeader.biSizeImage;
    BYTE pixels[4096];
    if (size == 0 || size > sizeof pixels) return nullptr;
    if (GetDIBits(screen.get(), section.get(), 0, info.bmHeight, pixels, &format, DIB_RGB_COLORS) == 0) return nullptr;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    TintPixels(pixels, size, GetRValue(face), GetGValue(face), GetBValue(face));
    if (SetDIBits(screen.get(), section.get(), 0, info.bmHeight, pixels, &format, DIB_RGB_COLORS) == 0) return nullptr;
    return CreatePatternBrush(section.get());
}
