// The main window opened inside the test process, where a change of the system colours
// can be made and seen (under Wine, colours changed by another process stay there), and
// where its tooltips and control colours can be asked for directly.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "base/dialog_look.h"
#include "base/program_folder.h"
#include "desk/desk.h"
#include "desk/site_database.h"
#include "resources/rtln_ids.h"
#include "desk_files.h"

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

COLORREF ShownPixel(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    win_test::Pump(0);
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// The texts of the tooltips of the window's controls, by control id. Each control has a
// tooltip window of its own; the status bar's tips (a control without an id) are left out.
struct TooltipSearch {
    HWND window;
    std::map<int, std::vector<std::string>> texts;
};

BOOL CALLBACK CollectTooltips(HWND tip, LPARAM param) {
    auto* search = reinterpret_cast<TooltipSearch*>(param);
    char className[32] = {};
    GetClassNameA(tip, className, sizeof className);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0) return TRUE;
    const int count = static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        if (!SendMessageA(tip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool))) continue;
        const int id = GetDlgCtrlID(tool.hwnd);
        if (GetParent(tool.hwnd) != search->window || id == 0) continue;
        char text[128] = {};
        tool.lpszText = text;
        SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        search->texts[id].push_back(text);
    }
    return TRUE;
}

std::map<int, std::vector<std::string>> TooltipTexts(HWND window) {
    TooltipSearch search{window, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectTooltips, reinterpret_cast<LPARAM>(&search));
    return search.texts;
}

class MainWindowLook : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        LoadAppResources();
        ASSERT_NE(BackgroundBrush(), nullptr);
        UseDataFolder(folder_.Path().c_str());
        window_ = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                     reinterpret_cast<LPARAM>(&state_));
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
        win_test::Pump(0);
        ReleaseIconsAndBrush();
        UseDataFolder(nullptr);
    }

    // Looks the site up with the given records in site.qzd.
    void LookUp(const std::vector<SiteRecord>& records, int32_t site) {
        ResetDesk(state_.desk, window_);
        ASSERT_TRUE(desk_test::WriteFileBytes(sites_, desk_test::RecordsFile(records)));
        ASSERT_TRUE(LookUpSite(state_.desk, window_, site));
    }

    MainWindowState state_ = {};
    HWND window_ = nullptr;
    win_test::ScratchFolder folder_{"main_window_look"};
    std::string sites_ = folder_.File("site.qzd");
};

TEST_F(MainWindowLook, BackgroundFollowsASystemColourChange) {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    win_test::Pump(0);
    // Client point (3, 3) lies outside every control and shows tile pixel (3, 3).
    ASSERT_EQ(TilePixel(3, 3), RGB(218, 218, 221)) << "the artwork the colours below were worked out from";
    const struct {
        COLORREF face;
        COLORREF shown;
    } cases[] = {
        {RGB(40, 160, 90), RGB(108, 168, 134)},  // 88 + 20, 88 + 80, 89 + 45
        {RGB(200, 100, 0), RGB(188, 138, 89)},   // 88 + 100, 88 + 50, 89 + 0
    };
    int element = COLOR_BTNFACE;
    const COLORREF original = GetSysColor(COLOR_BTNFACE);
    std::vector<COLORREF> seen;
    for (const auto& c : cases) {
        SetSysColors(1, &element, &c.face);  // sends WM_SYSCOLORCHANGE to our window
        win_test::Pump(0);
        seen.push_back(ShownPixel(window_, 3, 3));
    }
    SetSysColors(1, &element, &original);
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], cases[i].shown) << "face " << i;
    EXPECT_NE(BackgroundBrush(), nullptr);
}

TEST_F(MainWindowLook, EveryTooltipText) {
    const struct {
        int id;
        const char* text;  // null: the control has no tooltip
    } cases[] = {
        {IDC_PASTE, "Paste Site ID into Clipboard"},
        {IDC_FIND, "Find Site ID in Database"},
        {IDC_TICKET, "Add Correct Evaluation"},
        {IDC_COUNT, "Add Incorrect Evaluation"},
        {IDC_RATING_GREAT, "Great"},
        {IDC_RATING_GOOD, "Good"},
        {IDC_RATING_AVERAGE, "Average"},
        {IDC_RATING_FAIR, "Fair"},
        {IDC_RATING_POOR, "Poor"},
        {IDC_SITE_ID, "Enter the Site ID"},
        {IDC_TICKETS, "Tickets in Your Session"},
        {IDC_ERRORS, "Errors in Your Session"},
        {IDC_LOTTO_CREDITS, "Lotto Credits in Your Session"},
        {IDC_TRAFFIC_CREDITS, "Traffic Credits in Your Session"},
        {IDC_FREE_BANNERS, "Free Banners in Your Session"},
        {IDC_SITE_NUMBER, "Evalute Site"},
        {IDC_LOTTO_LIST, "Add Lotto Credits"},
        {IDC_TRAFFIC_LIST, "Add Traffic Credits"},
        {IDC_BANNER_LIST, "Add Free Banners"},
        {IDC_BANNER, "Click Here, Join to Clicks4U and Earn Money"},
        {IDC_SKIP_SITE, nullptr},
        {IDC_RATING_PICTURE, nullptr},
    };
    // The tooltips are made by the first message of the window's loop, not by the opening.
    EXPECT_TRUE(TooltipTexts(window_).empty());
    win_test::Pump(0);
    const std::map<int, std::vector<std::string>> texts = TooltipTexts(window_);
    size_t withTip = 0;
    for (const auto& c : cases) {
        const auto found = texts.find(c.id);
        const std::vector<std::string> expected =
            c.text ? std::vector<std::string>{c.text} : std::vector<std::string>{};
        EXPECT_EQ(found == texts.end() ? std::vector<std::string>{} : found->second, expected) << "control " << c.id;
        withTip += c.text != nullptr;
    }
    EXPECT_EQ(texts.size(), withTip) << "controls with a tooltip";
}

TEST_F(MainWindowLook, SiteNumberColourAndFlatNumberFields) {
    constexpr COLORREF kNew = RGB(204, 0, 0), kKnown = RGB(0, 102, 0), kUnset = RGB(1, 2, 3), kUnsetBack = RGB(4, 5, 6);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT), face = GetSysColor(COLOR_BTNFACE);
    const HBRUSH faceBrush = GetSysColorBrush(COLOR_BTNFACE), background = BackgroundBrush();
    const struct {
        const char* name;
        bool knownSite;
        int id;
        COLORREF text;
        COLORREF back;  // kUnsetBack: left alone
        int mode;
        HBRUSH brush;
    } cases[] = {
        {"new site number", false, IDC_SITE_NUMBER, kNew, kUnsetBack, TRANSPARENT, background},
        {"known site number", true, IDC_SITE_NUMBER, kKnown, kUnsetBack, TRANSPARENT, background},
        {"tickets", true, IDC_TICKETS, windowText, face, OPAQUE, faceBrush},
        {"errors", false, IDC_ERRORS, windowText, face, OPAQUE, faceBrush},
        {"lotto", true, IDC_LOTTO_CREDITS, windowText, face, OPAQUE, faceBrush},
        {"traffic", false, IDC_TRAFFIC_CREDITS, windowText, face, OPAQUE, faceBrush},
        {"free banners", true, IDC_FREE_BANNERS, windowText, face, OPAQUE, faceBrush},
        {"site id box", false, IDC_SITE_ID, windowText, face, OPAQUE, faceBrush},
        {"rating button, new site", false, IDC_RATING_GOOD, windowText, kUnsetBack, TRANSPARENT, background},
        {"rating button, known site", true, IDC_RATING_GOOD, windowText, kUnsetBack, TRANSPARENT, background},
    };
    constexpr int32_t kSite = 5150;
    HDC dc = CreateCompatibleDC(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LookUp(c.knownSite ? std::vector<SiteRecord>{{kSite, 1000000000, 3}} : std::vector<SiteRecord>{}, kSite);
        ASSERT_EQ(state_.desk.siteIsNew, !c.knownSite);
        SetTextColor(dc, kUnset);
        SetBkColor(dc, kUnsetBack);
        SetBkMode(dc, OPAQUE);
        const LRESULT brush = SendMessageA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(GetDlgItem(window_, c.id)));
        EXPECT_EQ(GetTextColor(dc), c.text);
        EXPECT_EQ(GetBkColor(dc), c.back);
        EXPECT_EQ(GetBkMode(dc), c.mode);
        EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), c.brush);
    }
    DeleteDC(dc);
}

}  // namespace
