// The real program at 100 %, 150 % and 200 % display scale, read from outside: the rating
// buttons against the rows of the history picture, the banner against its control and what
// hiding it gives back, the status bar and the About header against its tabs. (Wine answers
// WM_GETICON from another process with null: the icons' sizes show in the screenshots.)
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "resources/rtln_ids.h"
#include "tests/ui/driver/ui_driver.h"

namespace {

// The prefix's DPI for the programs started while it lives (each reads it at its start); the
// bench's prefix has none of its own (96).
struct PrefixDpi {
    HKEY key = nullptr;
    explicit PrefixDpi(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr);
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~PrefixDpi() {
        RegDeleteValueA(key, "LogPixels");
        RegCloseKey(key);
    }
};

// A window's rectangle in the client coordinates of another.
RECT RectIn(HWND window, HWND client) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The dialog's background is near grey; the banner's picture is blue and gold.
bool Coloured(HDC dc, int x, int y) {
    const COLORREF c = GetPixel(dc, x, y);
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    return std::max({r, g, b}) - std::min({r, g, b}) > 40;
}

struct Measured {
    double bannerWidthShare = 0;  // of the banner control, covered by its picture
    double bannerHeightShare = 0;
    LONG bandAfterHiding = 0;  // between the progress bar and the status bar
    LONG headerToTabs = 0;     // from the About header's bottom to the tabs' top
};

}  // namespace

TEST(ScaleUi, WindowsAreWholeAt100150And200Percent) {
    Measured at96;
    for (const DWORD dpi : {96u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        const double scale = dpi / 96.0;
        const PrefixDpi prefixDpi(dpi);
        ui::DeleteSettingsKey();
        const std::string folder = ui::MakeProgramFolder("scale_" + std::to_string(dpi));
        ui::WriteFileBytes(folder + "\\site.qzd", {});
        ui::Program program;
        ASSERT_TRUE(program.Start(folder));
        const HWND window = program.window;
        Measured now;

        // The grid's rows lie at y = 2 + 17 r of the picture's 90, Great (r = 0) to Poor. It grows
        // by the DPI, or less where the dialog font grows less, and stays above the site number.
        const RECT picture = RectIn(program.Control(IDC_RATING_PICTURE), window);
        const double pitch = (picture.bottom - picture.top) / 90.0;
        EXPECT_GE(pitch, 1 + (scale - 1) * 0.8);
        EXPECT_LE(pitch, scale);
        EXPECT_LE(picture.bottom, RectIn(program.Control(IDC_SITE_NUMBER), window).top);
        for (int rating = 1; rating <= 5; ++rating) {
            SCOPED_TRACE(rating);
            const RECT button = RectIn(program.Control(IDC_RATING_BUTTON_BASE + rating), window);
            const double centre = (button.top + button.bottom) / 2.0;
            const double rowTop = picture.top + (2 + 17 * (5 - rating)) * pitch;
            EXPECT_GE(centre, rowTop);
            EXPECT_LT(centre, rowTop + 17 * pitch);
            EXPECT_GE(button.left, picture.right) << "the button lies beside the picture";
        }
        RECT client = {};
        GetClientRect(window, &client);
        const RECT bar = RectIn(program.StatusBar(), window);
        EXPECT_TRUE(bar.left >= 0 && bar.top >= 0 && bar.right <= client.right && bar.bottom <= client.bottom);

        // The picture's extent: its last coloured column a fifth of the way down, its last
        // coloured row at its left edge.
        const RECT banner = RectIn(program.Control(IDC_BANNER), window);
        HDC dc = GetDC(window);
        EXPECT_TRUE(ui::WaitFor([&] { return Coloured(dc, banner.left + 2, banner.top + 2); })) << "never painted";
        int right = banner.left, bottom = banner.top;
        for (int x = banner.left; x < banner.right; ++x)
            if (Coloured(dc, x, banner.top + (banner.bottom - banner.top) / 5)) right = x + 1;
        for (int y = banner.top; y < banner.bottom; ++y)
            if (Coloured(dc, banner.left + 2, y)) bottom = y + 1;
        ReleaseDC(window, dc);
        now.bannerWidthShare = double(right - banner.left) / (banner.right - banner.left);
        now.bannerHeightShare = double(bottom - banner.top) / (banner.bottom - banner.top);
        ASSERT_TRUE(ui::SaveScreenshot("scale_" + std::to_string(dpi)));

        RECT opened = {}, hidden = {};
        GetWindowRect(window, &opened);
        ASSERT_TRUE(program.Command(IDM_BANNER, program.MenuCheckedIs(IDM_BANNER, false)));
        GetWindowRect(window, &hidden);
        EXPECT_GE(opened.bottom - hidden.bottom, banner.bottom - banner.top) << "the banner's room is given back";
        GetClientRect(window, &client);
        const RECT barAfter = RectIn(program.StatusBar(), window);
        EXPECT_EQ(barAfter.bottom, client.bottom);
        now.bandAfterHiding = barAfter.top - RectIn(program.Control(IDC_TICKET_PROGRESS), window).bottom;
        EXPECT_GE(now.bandAfterHiding, 0) << "the status bar covers the progress bar";

        ASSERT_TRUE(program.Command(IDM_ABOUT, program.BoxShown("Tavrik Rateline - About")));
        const HWND about = ui::WaitMessageBox(program, ui::kWaitMs, "Tavrik Rateline - About").window;
        ASSERT_NE(about, nullptr);
        now.headerToTabs = RectIn(GetDlgItem(about, IDC_ABOUT_TABS), about).top -
                           RectIn(GetDlgItem(about, IDC_ABOUT_HEADER), about).bottom;
        EXPECT_GE(now.headerToTabs, 0) << "the header runs into the tabs";
        ASSERT_TRUE(program.Do({about, WM_COMMAND, IDC_ABOUT_CANCEL, 0, "Cancel"}, ui::Closed(about, "About")));
        EXPECT_TRUE(program.Command(IDM_EXIT, program.Ended()));
        EXPECT_EQ(program.WaitExit(), 1);

        if (dpi == 96) {
            at96 = now;
            continue;
        }
        // Dialog units follow the dialog font, which grows a little less than the DPI here:
        // shares and gaps stay within a tenth of the control, or two pixels of the scaled gap.
        EXPECT_NEAR(now.bannerWidthShare, at96.bannerWidthShare, 0.1);
        EXPECT_NEAR(now.bannerHeightShare, at96.bannerHeightShare, 0.1);
        EXPECT_LE(now.bandAfterHiding, at96.bandAfterHiding * scale + 2) << "an empty band is left";
        EXPECT_LE(now.headerToTabs, at96.headerToTabs * scale + 2) << "the header stops short of the tabs";
    }
}
