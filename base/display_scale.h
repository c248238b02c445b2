#pragma once
// The display's scale. Both programs declare themselves aware of the system's DPI, so Windows
// draws them unstretched and they scale their own pixel sizes: every size drawn at 96 DPI is
// multiplied by the DPI over 96, and at 96 DPI nothing changes. The system DPI stays fixed for
// a process's life. Header-only: the uninstaller shares it.
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

inline bool DisplayScaled() { return SystemDpi() != 96; }

// A size in pixels at 96 DPI, at the system's DPI (halves rounded away from zero).
inline int ScalePixels(int pixels) { return MulDiv(pixels, SystemDpi(), 96); }

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

// The height in pixels of a number of a dialog's vertical units.
inline int DialogUnitsHigh(HWND dialog, int units) {
    RECT box = {0, 0, 0, units};
    return MapDialogRect(dialog, &box) ? box.bottom : 0;
}

// A copy of a picture (of stacked frames) at the display's scale, each frame's height scaled
// on its own; null when it cannot be made. A frame grows by the DPI over 96 but, above that,
// no higher than maxFrameHeight: a picture laid out in dialog units keeps to its box, as the
// dialog font may grow less than the DPI. It never shrinks.
inline HBITMAP ScaledPicture(HBITMAP source, int frames = 1, int maxFrameHeight = 0) {
    BITMAP from = {};
    if (!GetObjectA(source, sizeof from, &from) || frames < 1 || from.bmHeight < frames) return nullptr;
    const int frameHeight = from.bmHeight / frames;
    int height = ScalePixels(frameHeight);
    if (maxFrameHeight > 0 && height > maxFrameHeight)
        height = maxFrameHeight > frameHeight ? maxFrameHeight : frameHeight;
    GdiObject<HBITMAP> copy(CreateDib24(MulDiv(from.bmWidth, height, frameHeight), frames * height));
    if (!copy || !StretchFrames(copy.get(), source, frames)) return nullptr;
    return copy.release();
}
