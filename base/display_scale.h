#pragma once
// The display's scale. Both programs declare themselves aware of the system's DPI, so Windows
// draws them unstretched and they scale their own pixel sizes: every size drawn at 96 DPI is
// multiplied by its dialog's scale over 96, which follows the DPI through the dialog font. The
// system DPI stays fixed for a process's life. Header-only: the uninstaller shares it.
#include <windows.h>

#include "handle.h"

inline int SystemDpi() {
    static int dpi = 0;  // read once, on the UI thread (a plain static: no thread-safe guard)
    if (dpi == 0) {
        const ScreenDc screen(GetDC(nullptr));
        const int value = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        dpi = value > 0 ? value : 96;
    }
    return dpi;
}

// The scale of a dialog's own pixel sizes, as a DPI. The templates were laid out for a dialog
// font of 6 by 13 pixels to 4 by 8 dialog units at 96 DPI, and the pictures, icons and pixel
// gaps of a dialog sit in places measured in its font's units. Those units follow the DPI only
// as far as the font does (a bitmap font has few sizes, so it grows less), and differ either
// way where the system puts another font in its place (East Asian editions of Windows do). So
// the pixel sizes grow as the units grew over the template's, by the direction that grew less,
// and keep to the places the template gives them. With the template's font at 96 DPI it is 96.
inline int DialogDpi(HWND dialog) {
    RECT units = {0, 0, 4, 8};  // one average character's width and height
    if (!MapDialogRect(dialog, &units) || units.right < 1 || units.bottom < 1) return SystemDpi();
    const int byWidth = MulDiv(96, units.right, 6);
    const int byHeight = MulDiv(96, units.bottom, 13);
    return byWidth < byHeight ? byWidth : byHeight;
}

// A size in pixels at 96 DPI with the template's font, at a dialog's scale (halves rounded away
// from zero).
inline int DialogPixels(HWND dialog, int pixels) { return MulDiv(pixels, DialogDpi(dialog), 96); }

// An empty 24-bit DIB section of the given size.
inline HBITMAP CreateDib24(int width, int height) {
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    const ScreenDc screen(GetDC(nullptr));
    void* bits = nullptr;
    return CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// Stretches source over the whole of target, smoothing (HALFTONE). A source of frames stacked
// vertically is stretched frame by frame, so that no frame bleeds into the next.
inline bool StretchFrames(HBITMAP target, HBITMAP source, int frames = 1) {
    BITMAP to = {};
    BITMAP from = {};
    if (!GetObjectA(target, sizeof to, &to) || !GetObjectA(source, sizeof from, &from) || frames < 1) return false;
    const MemoryDc targetDc(CreateCompatibleDC(nullptr));
    const MemoryDc sourceDc(CreateCompatibleDC(nullptr));
    if (!targetDc || !sourceDc) return false;
    const Selection targetSelection = Select(targetDc.get(), target);
    const Selection sourceSelection = Select(sourceDc.get(), source);
    if (!targetSelection || !sourceSelection) return false;
    SetStretchBltMode(targetDc.get(), HALFTONE);
    SetBrushOrgEx(targetDc.get(), 0, 0, nullptr);
    const int toHeight = to.bmHeight / frames;
    const int fromHeight = from.bmHeight / frames;
    for (int frame = 0; frame < frames; ++frame)
        if (!StretchBlt(targetDc.get(), 0, frame * toHeight, to.bmWidth, toHeight, sourceDc.get(), 0,
                        frame * fromHeight, from.bmWidth, fromHeight, SRCCOPY))
            return false;
    GdiFlush();
    return true;
}

// A copy of a picture of stacked frames, each frame stretched to the given height and the width
// in proportion; null when it cannot be made.
inline HBITMAP ScaledPicture(HBITMAP source, int frames, int frameHeight) {
    BITMAP from = {};
    if (!GetObjectA(source, sizeof from, &from) || frames < 1 || from.bmHeight < frames || frameHeight < 1)
        return nullptr;
    GdiObject<HBITMAP> copy(
        CreateDib24(MulDiv(from.bmWidth, frameHeight, from.bmHeight / frames), frames * frameHeight));
    if (!copy || !StretchFrames(copy.get(), source, frames)) return nullptr;
    return copy.release();
}
