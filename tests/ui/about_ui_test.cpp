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
        program.Command(IDM_ABOUT);
        return ui::WaitMessageBox(program, ui::kWaitMs, kAboutCaption).window;
    }
    static HWND Page(HWND about) { return FindWindowExA(about, nullptr, "#32770", nullptr); }
    static int TopLevelWindows(const ui::Program& program) {
        int count = 0;
        DWORD process = 0;
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, nullptr)) != nullptr;)
            count += GetWindowThreadProcessId(w, &process) && process == program.process.dwProcessId;
        return count;
    }
    static void PressKey(HWND control, WPARAM key) {
        PostMessageA(control, WM_KEYDOWN, key, 1);
        PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    }
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
        // Esc reaches the box as IDCANCEL and is ignored; Cancel closes it.
        PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
        Sleep(300);
        EXPECT_TRUE(IsWindowVisible(about));
        PostMessageA(GetDlgItem(about, IDC_ABOUT_CANCEL), BM_CLICK, 0, 0);
        EXPECT_TRUE(ui::WaitFor([&] { return !IsWindow(about); }));
    }
    program.Command(IDM_EXIT);
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
    SetWindowTextA(GetDlgItem(general, IDC_ABOUT_BUILD_DATE), "changed");
    program.Idle();
    const int windows = TopLevelWindows(program);  // General's tooltips go with the page

    PressKey(tabs, VK_RIGHT);
    ASSERT_TRUE(ui::WaitFor([&] { return GetDlgItem(Page(about), IDC_ABOUT_LICENSE_TEXT) != nullptr; }));
    EXPECT_FALSE(IsWindow(general)) << "only one page at a time";
    HWND licence = GetDlgItem(Page(about), IDC_ABOUT_LICENSE_TEXT);
    EXPECT_EQ(ui::WindowText(licence).rfind("TAVRIK RATELINE 1.0 - END-USER LICENSE AGREEMENT\r\n\r\n", 0), 0u);
    EXPECT_TRUE(GetWindowLongA(licence, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(SendMessageA(licence, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_GT(SendMessageA(licence, EM_GETLINECOUNT, 0, 0), 20);

    PressKey(tabs, VK_LEFT);
    ASSERT_TRUE(ui::WaitFor([&] { return GetDlgItem(Page(about), IDC_ABOUT_BUILD_DATE) != nullptr; }));
    EXPECT_EQ(ui::WindowText(GetDlgItem(Page(about), IDC_ABOUT_BUILD_DATE)), "09-24-2004");
    program.Idle();
    EXPECT_EQ(TopLevelWindows(program), windows);
    PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(ui::WaitFor([&] { return !IsWindow(about); }));
    program.Command(IDM_EXIT);
    EXPECT_EQ(program.WaitExit(), 1);
}

}  // namespace
