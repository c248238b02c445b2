// The main window opened inside the test process, where a change of the system colours
// can be made and seen (under Wine, colours changed by another process stay there).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/app_resources.h"
#include "app/main_window.h"
#include "app/tint.h"
#include "resources/rtln_ids.h"
#include "win_test_files.h"

namespace {

COLORREF TilePixel(int x, int y) {
    HBITMAP tile = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BACKGROUND_TILE),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, tile);
    const COLORREF colour = GetPixel(memory, x % 32, y % 32);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(tile);
    return colour;
}

COLORREF Tinted(COLORREF tile, COLORREF face) {
    return RGB(TintChannel(GetRValue(tile), GetRValue(face)), TintChannel(GetGValue(tile), GetGValue(face)),
               TintChannel(GetBValue(tile), GetBValue(face)));
}

COLORREF ShownPixel(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    win_test::Pump(0);
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

TEST(MainWindowInProcess, BackgroundFollowsASystemColourChange) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SetAppInstance(GetModuleHandleA(nullptr));
    ASSERT_TRUE(LoadAppResources());
    ASSERT_NE(BackgroundBrush(), nullptr);
    HWND window = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(MainWindow(), window);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    win_test::Pump(0);

    const int x = 3, y = 3;  // client point outside every control
    const COLORREF tile = TilePixel(x, y);
    int element = COLOR_BTNFACE;
    const COLORREF original = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ShownPixel(window, x, y), Tinted(tile, original));

    const COLORREF changed = RGB(40, 160, 90);
    ASSERT_TRUE(SetSysColors(1, &element, &changed));  // sends WM_SYSCOLORCHANGE to our window
    win_test::Pump(0);
    const COLORREF seen = ShownPixel(window, x, y);
    const HBRUSH after = BackgroundBrush();
    SetSysColors(1, &element, &original);
    EXPECT_EQ(seen, Tinted(tile, changed));
    EXPECT_NE(after, nullptr);

    DestroyWindow(window);
    win_test::Pump(0);
    ReleaseIconsAndBrush();
}

}  // namespace
