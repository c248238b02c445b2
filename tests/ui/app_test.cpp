// The program's frame as a user meets it: one copy at a time, opening menu states,
// closing, the window position and the tinted background.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "resources/rtln_ids.h"
#include "tests/ui/driver/ui_driver.h"

namespace {

class AppUi : public ::testing::Test {
protected:
    void SetUp() override { ui::DeleteSettingsKey(); }

    std::string Folder(const char* name, bool withSessions = false) {
        const std::string folder = ui::MakeProgramFolder(name);
        ui::WriteFileBytes(folder + "\\site.qzd", {});
        if (withSessions) ui::WriteFileBytes(folder + "\\sess.qzd", {});
        return folder;
    }

    static RECT WindowRect(HWND window) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return rect;
    }

    static void ExpectExit(ui::Program& program) {
        EXPECT_TRUE(program.Command(IDM_EXIT, program.Ended()));
        EXPECT_EQ(program.WaitExit(), 1);  // the program always ends with 1
    }
};

// Runs the folder's rtln.exe until it ends by itself; its exit code.
int RunToExit(const std::string& folder) {
    std::string commandLine = "\"" + folder + "\\rtln.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION second = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &second))
        return -2;
    DWORD code = 12345;
    if (WaitForSingleObject(second.hProcess, ui::kWaitMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(second.hProcess, &code);
    else
        TerminateProcess(second.hProcess, 99);
    CloseHandle(second.hProcess);
    CloseHandle(second.hThread);
    return static_cast<int>(code);
}

TEST_F(AppUi, SecondCopyEndsWithZeroAndBringsTheFirstForward) {
    const std::string folder = Folder("app_second_copy");
    ui::Program first;
    ASSERT_TRUE(first.Start(folder));
    const RECT before = WindowRect(first.window);

    // A normally shown first copy keeps its size and position.
    EXPECT_EQ(RunToExit(folder), 0);
    EXPECT_TRUE(first.Running());
    const RECT after = WindowRect(first.window);
    EXPECT_EQ(0, std::memcmp(&before, &after, sizeof before));
    EXPECT_EQ(GetForegroundWindow(), first.window);

    // A minimised first copy is restored.
    ShowWindow(first.window, SW_MINIMIZE);
    ASSERT_TRUE(ui::WaitFor([&] { return IsIconic(first.window) != FALSE; }));
    EXPECT_EQ(RunToExit(folder), 0);
    EXPECT_TRUE(ui::WaitFor([&] { return !IsIconic(first.window); }));
    EXPECT_TRUE(first.Running());
    ExpectExit(first);
}

TEST_F(AppUi, ExitAndTheCloseCommandEndWithOne) {
    const std::string folder = Folder("app_exit");
    ui::Program program;
    ASSERT_TRUE(program.Start(folder));
    ExpectExit(program);
    ASSERT_TRUE(program.Start(folder));
    EXPECT_TRUE(program.SysCommand(SC_CLOSE, program.Ended()));
    EXPECT_EQ(program.WaitExit(), 1);
}

// A failure nothing handles (an access violation on a thread started in the program) ends it
// at once with 1: no crash dialog holds it open.
TEST_F(AppUi, UnhandledFailureEndsTheProgramAtOnce) {
    ui::Program program;
    ASSERT_TRUE(program.Start(Folder("app_failure")));
    HANDLE thread = CreateRemoteThread(program.process.hProcess, nullptr, 0, nullptr, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    CloseHandle(thread);
    EXPECT_EQ(program.WaitExit(), 1);
}

// The shell and the automation library are loaded only when a link is followed or the login
// form is filled: the opening does not wait for them.
TEST_F(AppUi, OpeningLoadsNeitherTheShellNorTheAutomationLibrary) {
    ui::Program program;
    ASSERT_TRUE(program.Start(Folder("app_modules")));
    // The tooltips are the loop's first message: once one exists, the next answer follows them.
    ASSERT_TRUE(ui::WaitUntil({"a tooltip", [&] { return program.TopLevelWindows("tooltips_class32") > 0; }}));
    ASSERT_FALSE(program.MenuGrayed(IDM_EXIT));
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, program.process.dwProcessId);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    std::vector<std::string> modules;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module))
        modules.push_back(CharLowerA(module.szModule));
    CloseHandle(snapshot);
    EXPECT_EQ(std::count(modules.begin(), modules.end(), "comctl32.dll"), 1);  // the snapshot sees them
    for (const char* lazy : {"shell32.dll", "oleaut32.dll"})
        EXPECT_EQ(std::count(modules.begin(), modules.end(), lazy), 0) << lazy;
}

struct MenuCase {
    const char* name;
    void (*store)();
    bool sessions;
    bool clicks4uGrayed;
    bool fillGrayed;
    bool bannerChecked;
    bool statisticsGrayed;
};

TEST_F(AppUi, OpeningMenuStatesFollowTheStoredValues) {
    const MenuCase cases[] = {
        {"no key", [] {}, false, true, true, true, true},
        {"only a password", [] { ui::SetSettingString("Password", "rfss"); }, false, true, false, true, true},
        {"empty member id", [] { ui::SetSettingString("MemberID", ""); }, false, true, true, true, true},
        {"service page", [] { ui::SetSettingString("Clicks4U", "http://example.org/"); }, false, false, true, true,
         true},
        {"banner off", [] { ui::SetSettingDword("ShowBan", 0); }, false, true, true, false, true},
        {"history file present", [] {}, true, true, true, true, false},
    };
    LONG fullHeight = 0;
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui::DeleteSettingsKey();
        c.store();
        ui::Program program;
        ASSERT_TRUE(program.Start(Folder("app_menu", c.sessions)));
        EXPECT_EQ(program.MenuGrayed(IDM_CLICKS4U), c.clicks4uGrayed);
        EXPECT_EQ(program.MenuGrayed(IDM_FILL_MEMBER_ID), c.fillGrayed);
        EXPECT_EQ(program.MenuChecked(IDM_BANNER), c.bannerChecked);
        EXPECT_EQ(program.MenuGrayed(IDM_STATISTICS), c.statisticsGrayed);
        EXPECT_FALSE(program.MenuGrayed(IDM_INTERNET_OPTIONS));
        EXPECT_TRUE(program.MenuGrayed(IDM_STOP));
        EXPECT_TRUE(program.MenuGrayed(IDM_CONTINUE));
        EXPECT_TRUE(program.MenuGrayed(IDM_SAVE));
        EXPECT_TRUE(program.MenuChecked(IDM_LOCKED_FIELDS));
        EXPECT_EQ(IsWindowVisible(program.Control(IDC_BANNER)) != FALSE, c.bannerChecked);
        // Without the banner the window is 50 pixels shorter than with it (the first case).
        const RECT rect = WindowRect(program.window);
        if (!fullHeight) fullHeight = rect.bottom - rect.top;
        EXPECT_EQ(rect.bottom - rect.top, fullHeight - (c.bannerChecked ? 0 : 50));
        ExpectExit(program);
    }
}

// Cancel, Esc and a bare close leave the window as it was: Locked Form Fields, posted after
// them, is handled by the window itself, with no box open.
TEST_F(AppUi, EscapeCancelAndBareCloseKeepTheWindowAndLockedFormFieldsToggles) {
    ui::Program program;
    ASSERT_TRUE(program.Start(Folder("app_escape_lock")));
    const int fields[] = {IDC_TICKETS, IDC_ERRORS, IDC_LOTTO_CREDITS, IDC_TRAFFIC_CREDITS, IDC_FREE_BANNERS};
    for (int id : fields) EXPECT_TRUE(program.ReadOnly(id)) << id;
    PostMessageA(program.window, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(program.Control(IDC_PASTE), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(program.Control(IDC_PASTE), WM_KEYUP, VK_ESCAPE, 0xC0010001);
    ASSERT_TRUE(program.NoBoxAfter(program.Message(WM_CLOSE), program.Commanding(IDM_LOCKED_FIELDS),
                                   program.MenuCheckedIs(IDM_LOCKED_FIELDS, false)));
    EXPECT_TRUE(IsWindowVisible(program.window));
    for (int id : fields) EXPECT_FALSE(program.ReadOnly(id)) << id;
    EXPECT_TRUE(program.ReadOnly(IDC_SITE_NUMBER));
    ASSERT_TRUE(program.Command(IDM_LOCKED_FIELDS, program.MenuCheckedIs(IDM_LOCKED_FIELDS, true)));
    for (int id : fields) EXPECT_TRUE(program.ReadOnly(id)) << id;
    ExpectExit(program);
}

std::vector<unsigned char> Corner(int32_t left, int32_t top) {
    std::vector<unsigned char> bytes(8);
    std::memcpy(bytes.data(), &left, 4);
    std::memcpy(bytes.data() + 4, &top, 4);
    return bytes;
}

// Where the stored corner lands and which values count is the settings' own; here the program
// stores it at closing and opens there again.
TEST_F(AppUi, WindowPositionIsStoredAtClosingAndRestoredAtOpening) {
    const std::string folder = Folder("app_position");
    ui::Program program;
    ASSERT_TRUE(program.Start(folder));
    SetWindowPos(program.window, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectExit(program);
    DWORD type = 0;
    std::vector<unsigned char> data;
    ASSERT_TRUE(ui::GetSettingRaw("WPos", &type, &data)) << "closing creates the key";
    EXPECT_EQ(data, Corner(40, 30));
    ui::DeleteSettingsKey();
    ui::SetSettingRaw("WPos", REG_BINARY, Corner(100, 50).data(), 8);
    ASSERT_TRUE(program.Start(folder));
    const RECT rect = WindowRect(program.window);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 50);
    ExpectExit(program);
}

// An opening that stops at an unusable rating picture ends the program with 1 at once (a message
// box would hold it open) and leaves the member's stored window position alone.
TEST_F(AppUi, OpeningWithADamagedRatingPictureEndsQuietlyAndKeepsThePosition) {
    const std::vector<unsigned char> stored = Corner(120, 60);
    for (int picture : {IDB_RATING_GRID, IDB_RATING_MARKS}) {
        SCOPED_TRACE(picture);
        const std::string folder = Folder(picture == IDB_RATING_GRID ? "app_no_grid" : "app_no_marks");
        ASSERT_TRUE(ui::DamageResource(folder + "\\rtln.exe", RT_BITMAP, picture));
        ui::SetSettingRaw("WPos", REG_BINARY, stored.data(), 8);
        EXPECT_EQ(RunToExit(folder), 1);
        DWORD type = 0;
        std::vector<unsigned char> data;
        ASSERT_TRUE(ui::GetSettingRaw("WPos", &type, &data));
        EXPECT_EQ(data, stored);
    }
}

COLORREF ClientPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// How a tile pixel and a face make the tint is the tint's own (native and win_tests, where a
// colour change reaches the program); here the window paints the tinted tile: client point
// (3, 3), outside every control, shows tile pixel (218, 218, 221) on the prefix's face.
TEST_F(AppUi, BackgroundIsTheTintedTile) {
    ui::Program program;
    ASSERT_TRUE(program.Start(Folder("app_colours")));
    ASSERT_EQ(GetSysColor(COLOR_BTNFACE), RGB(245, 245, 245)) << "the face the expected colour was worked out for";
    EXPECT_TRUE(ui::WaitUntil({"the tinted tile at (3, 3)",
                               [&] { return ClientPixel(program.window, 3, 3) == RGB(211, 211, 212); },
                               [&] { return std::to_string(ClientPixel(program.window, 3, 3)); }}));
    ASSERT_TRUE(ui::SaveScreenshot("main_window"));
    ExpectExit(program);
}

}  // namespace
