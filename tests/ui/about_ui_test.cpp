// The About box, worked through the real program.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/rtln_ids.h"
#include "tests/ui/driver/ui_driver.h"

namespace {

constexpr const char* kAboutCaption = "Tavrik Rateline - About";

class AboutUi : public ::testing::Test {
protected:
    void SetUp() override {
        ui::DeleteSettingsKey();
        folder = ui::MakeProgramFolder("about");
        ui::WriteFileBytes(folder + "\\site.qzd", {});
    }
    // The About box, opened with the menu command; null when it did not appear.
    HWND OpenAbout(const ui::Program& program) {
        EXPECT_TRUE(program.Command(IDM_ABOUT, program.BoxShown(kAboutCaption)));
        return ui::WaitMessageBox(program, ui::kWaitMs, kAboutCaption).window;
    }
    static HWND Page(HWND about) { return FindWindowExA(about, nullptr, "#32770", nullptr); }
    static void PressKey(HWND control, WPARAM key) {
        PostMessageA(control, WM_KEYDOWN, key, 1);
        PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    }
    static HWND LicenceText(HWND about) { return GetDlgItem(Page(about), IDC_ABOUT_LICENSE_TEXT); }
    std::string folder;
};

TEST_F(AboutUi, OpensOnGeneralWithTheBuildDateEachTime) {
    ui::Program program;
    ASSERT_TRUE(program.Start(folder));
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        HWND about = OpenAbout(program);
        ASSERT_NE(about, nullptr);
        HWND tabs = GetDlgItem(about, IDC_ABOUT_TABS);
        EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
        HWND page = Page(about);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(ui::WindowText(GetDlgItem(page, IDC_ABOUT_BUILD_DATE)), "09-24-2004");
        EXPECT_EQ(ui::WindowText(GetDlgItem(page, IDC_ABOUT_PRODUCT)), "Tavrik Rateline");
        HWND icon = GetDlgItem(page, IDC_ABOUT_ICON);
        RECT iconRect = {};
        GetWindowRect(icon, &iconRect);
        EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
        EXPECT_GT(iconRect.right - iconRect.left, 16) << "the icon has no room";
        if (opening == 1) {
            ASSERT_TRUE(ui::SaveScreenshot("about_box"));
        }
        // Esc reaches the box as IDCANCEL and is ignored: the box, still open, takes the key
        // posted after it and shows the licence (which the next opening does not keep).
        PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
        PressKey(tabs, VK_RIGHT);
        EXPECT_TRUE(ui::WaitUntil({"the licence", [&] { return LicenceText(about) != nullptr; }}));
        ASSERT_TRUE(
            program.Do({GetDlgItem(about, IDC_ABOUT_CANCEL), BM_CLICK, 0, 0, "Cancel"}, ui::Closed(about, "About")));
    }
    EXPECT_TRUE(program.Command(IDM_EXIT, program.Ended()));
    EXPECT_EQ(program.WaitExit(), 1);
}

TEST_F(AboutUi, LicenseShowsTheTextReadOnlyFromTheTopAndGeneralIsMadeAgain) {
    ui::Program program;
    ASSERT_TRUE(program.Start(folder));
    HWND about = OpenAbout(program);
    ASSERT_NE(about, nullptr);
    HWND tabs = GetDlgItem(about, IDC_ABOUT_TABS);
    HWND general = Page(about);
    ASSERT_NE(general, nullptr);
    SetWindowTextA(GetDlgItem(general, IDC_ABOUT_BUILD_DATE), "changed");  // sent: done on return
    const int windows = program.TopLevelWindows();                         // General's tooltips go with the page

    PressKey(tabs, VK_RIGHT);
    ASSERT_TRUE(ui::WaitFor([&] { return LicenceText(about) != nullptr; }));
    HWND licence = LicenceText(about);
    // A sent read: answered once the page change is complete.
    EXPECT_EQ(ui::WindowText(licence).rfind("TAVRIK RATELINE 1.0 - END-USER LICENSE AGREEMENT\r\n\r\n", 0), 0u);
    EXPECT_FALSE(IsWindow(general)) << "only one page at a time";
    EXPECT_TRUE(GetWindowLongA(licence, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(SendMessageA(licence, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_GT(SendMessageA(licence, EM_GETLINECOUNT, 0, 0), 20);

    PressKey(tabs, VK_LEFT);
    ASSERT_TRUE(ui::WaitFor([&] { return GetDlgItem(Page(about), IDC_ABOUT_BUILD_DATE) != nullptr; }));
    EXPECT_EQ(ui::WindowText(GetDlgItem(Page(about), IDC_ABOUT_BUILD_DATE)), "09-24-2004");
    // The windows of another process, counted again after the pages changed.
    // cppcheck-suppress knownConditionTrueFalse
    EXPECT_EQ(program.TopLevelWindows(), windows);
    EXPECT_TRUE(program.Do({about, WM_SYSCOMMAND, SC_CLOSE, 0, "closing"}, ui::Closed(about, "About")));
    EXPECT_TRUE(program.Command(IDM_EXIT, program.Ended()));
    EXPECT_EQ(program.WaitExit(), 1);
}

}  // namespace
