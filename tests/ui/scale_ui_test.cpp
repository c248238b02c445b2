// The real program at 100 %, 150 % and 200 % display scale, and with dialog fonts of smaller and
// larger units in the place of the template's, read from outside: the rating buttons against
// the rows of the history picture, the banner against its control and what hiding it gives
// back, no two controls over each other, every button's and frame's text whole, the status bar,
// and the About header against its tabs. (Wine answers WM_GETICON from another process with
// null: the icons' sizes show in the screenshots.)
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

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

// The dialog font replaced by another for the programs started while it lives: the prefix's own
// "MS Sans Serif" files are set aside and the name is substituted (Wine substitutes a name only
// where it has no font of it). Null keeps the template's font.
struct DialogFontReplaced {
    std::string fonts = std::string(getenv("WINDIR")) + "\\Fonts\\";
    std::string aside = std::string(getenv("WINDIR")) + "\\FontsSetAside\\";
    std::vector<std::string> moved;
    HKEY key = nullptr;
    explicit DialogFontReplaced(const char* face) {
        if (!face) return;
        CreateDirectoryA(aside.c_str(), nullptr);
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((fonts + "sse*.fon").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            if (MoveFileA((fonts + found.cFileName).c_str(), (aside + found.cFileName).c_str()))
                moved.emplace_back(found.cFileName);
        FindClose(search);
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
        RegSetValueExA(key, "MS Sans Serif", 0, REG_SZ, reinterpret_cast<const BYTE*>(face), strlen(face) + 1);
    }
    ~DialogFontReplaced() {
        for (const std::string& name : moved) MoveFileA((aside + name).c_str(), (fonts + name).c_str());
        RegDeleteValueA(key, "MS Sans Serif");
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

// Whether a control is a button of one of these kinds (group boxes are frames).
bool IsButton(HWND control, std::initializer_list<LONG> types) {
    char name[8] = "";
    GetClassNameA(control, name, sizeof name);
    const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(name, "Button") == 0 && std::find(types.begin(), types.end(), type) != types.end();
}

// Pairs of visible controls over each other: two frames, or two controls that are not frames
// (what a frame holds lies inside it).
std::string Overlaps(HWND window) {
    std::vector<HWND> shown;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) shown.push_back(child);
    std::string pairs;
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j) {
            RECT a = RectIn(shown[i], window), b = RectIn(shown[j], window), both;
            if (IsButton(shown[i], {BS_GROUPBOX}) == IsButton(shown[j], {BS_GROUPBOX}) && IntersectRect(&both, &a, &b))
                pairs += std::to_string(GetDlgCtrlID(shown[i])) + "/" + std::to_string(GetDlgCtrlID(shown[j])) + " ";
        }
    return pairs;
}

// The push buttons and frames whose text is wider than their room, in the dialog font (face,
// 8 points at the DPI): a button's between its edges, a frame's after its corner.
std::string CutTexts(HWND window, const char* face, DWORD dpi) {
    const HDC dc = GetDC(nullptr);
    const HFONT font = CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    const HGDIOBJ previous = SelectObject(dc, font);
    std::string cut;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsButton(child, {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_GROUPBOX})) continue;
        const std::string text = ui::WindowText(child);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        const RECT rect = RectIn(child, window);
        const int margins = MulDiv(IsButton(child, {BS_GROUPBOX}) ? 16 : 6, dpi, 96);
        if (extent.cx > rect.right - rect.left - margins) cut += "\"" + text + "\" ";
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return cut;
}

// A display scale and a dialog font: the template's (null), or one in its place.
struct ScaleRow {
    DWORD dpi;
    const char* font;
    const char* name;  // of the screenshot
};

}  // namespace

TEST(ScaleUi, WindowsAreWholeAt100150And200PercentAndInOtherDialogFonts) {
    const ScaleRow rows[] = {
        {96, nullptr, "scale_96"},
        {144, nullptr, "scale_144"},
        {192, nullptr, "scale_192"},
        {96, "Liberation Sans", "font_smaller_units"},  // 6 by 12 pixels to 4 by 8 units, not 6 by 13
        {96, "DejaVu Sans", "font_larger_units"},       // 7 by 13
    };
    for (const ScaleRow& row : rows) {
        SCOPED_TRACE(row.name);
        const PrefixDpi prefixDpi(row.dpi);
        const DialogFontReplaced font(row.font);
        ASSERT_TRUE(!row.font || !font.moved.empty());
        ui::DeleteSettingsKey();
        const std::string folder = ui::MakeProgramFolder(row.name);
        ui::WriteFileBytes(folder + "\\site.qzd", {});
        ui::Program program;
        ASSERT_TRUE(program.Start(folder));
        const HWND window = program.window;

        // The grid's rows lie at y = 2 + 17 r of the picture's 90, Great (r = 0) to Poor. It fills
        // the 55 units the template gives it, which the font's units measure (58 of them lie
        // between the picture's top and the site number's), and stays above the site number.
        const RECT picture = RectIn(program.Control(IDC_RATING_PICTURE), window);
        const RECT siteNumber = RectIn(program.Control(IDC_SITE_NUMBER), window);
        const double room = (siteNumber.top - picture.top) * 55 / 58.0;
        const double pitch = (picture.bottom - picture.top) / 90.0;
        EXPECT_GE(picture.bottom - picture.top, room * 0.9);
        EXPECT_LE(picture.bottom - picture.top, room + 1);
        EXPECT_LE(picture.bottom, siteNumber.top);
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
        EXPECT_EQ(Overlaps(window), "");
        EXPECT_EQ(CutTexts(window, row.font ? row.font : "MS Sans Serif", row.dpi), "");

        // The picture's extent: its last coloured column a fifth of the way down, its last
        // coloured row at its left edge. It fills most of its control and leaves the control's
        // last rows free, so none of it is cut.
        const RECT banner = RectIn(program.Control(IDC_BANNER), window);
        HDC dc = GetDC(window);
        EXPECT_TRUE(ui::WaitFor([&] { return Coloured(dc, banner.left + 2, banner.top + 2); })) << "never painted";
        int right = banner.left, bottom = banner.top;
        for (int x = banner.left; x < banner.right; ++x)
            if (Coloured(dc, x, banner.top + (banner.bottom - banner.top) / 5)) right = x + 1;
        for (int y = banner.top; y < banner.bottom; ++y)
            if (Coloured(dc, banner.left + 2, y)) bottom = y + 1;
        ReleaseDC(window, dc);
        EXPECT_GE(double(right - banner.left) / (banner.right - banner.left), 0.8);
        EXPECT_GE(double(bottom - banner.top) / (banner.bottom - banner.top), 0.8);
        EXPECT_LT(bottom, banner.bottom);
        ASSERT_TRUE(ui::SaveScreenshot(row.name));

        RECT opened = {}, hidden = {};
        GetWindowRect(window, &opened);
        ASSERT_TRUE(program.Command(IDM_BANNER, program.MenuCheckedIs(IDM_BANNER, false)));
        GetWindowRect(window, &hidden);
        EXPECT_GE(opened.bottom - hidden.bottom, banner.bottom - banner.top) << "the banner's room is given back";
        GetClientRect(window, &client);
        const RECT barAfter = RectIn(program.StatusBar(), window);
        EXPECT_EQ(barAfter.bottom, client.bottom);
        const LONG band = barAfter.top - RectIn(program.Control(IDC_TICKET_PROGRESS), window).bottom;
        EXPECT_GE(band, 0) << "the status bar covers the progress bar";
        EXPECT_LT(band, (banner.bottom - banner.top) / 2) << "an empty band is left";

        ASSERT_TRUE(program.Command(IDM_ABOUT, program.BoxShown("Tavrik Rateline - About")));
        const HWND about = ui::WaitMessageBox(program, ui::kWaitMs, "Tavrik Rateline - About").window;
        ASSERT_NE(about, nullptr);
        const RECT header = RectIn(GetDlgItem(about, IDC_ABOUT_HEADER), about);
        const LONG headerToTabs = RectIn(GetDlgItem(about, IDC_ABOUT_TABS), about).top - header.bottom;
        EXPECT_GE(headerToTabs, 0) << "the header runs into the tabs";
        EXPECT_LT(headerToTabs, (header.bottom - header.top) / 4) << "the header stops short of the tabs";
        ASSERT_TRUE(program.Do({about, WM_COMMAND, IDC_ABOUT_CANCEL, 0, "Cancel"}, ui::Closed(about, "About")));
        EXPECT_TRUE(program.Command(IDM_EXIT, program.Ended()));
        EXPECT_EQ(program.WaitExit(), 1);
    }
}
