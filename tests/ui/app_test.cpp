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

    first.Command(IDM_EXIT);
    EXPECT_EQ(first.WaitExit(), 1);
}

TEST_F(AppUi, ExitAndTheCloseCommandEndWithOne) {
    const std::string folder = Folder("app_exit");
    {
        ui::Program program;
        ASSERT_TRUE(program.Start(folder));
        program.Command(IDM_EXIT);
        EXPECT_EQ(program.WaitExit(), 1);
    }
    {
        ui::Program program;
        ASSERT_TRUE(program.Start(folder));
        program.SysCommand(SC_CLOSE);
        EXPECT_EQ(program.WaitExit(), 1);
    }
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
    ASSERT_TRUE(program.Idle());
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

TEST_F(AppUi, EscapeCancelAndBareCloseDoNotCloseTheWindow) {
    ui::Program program;
    ASSERT_TRUE(program.Start(Folder("app_escape")));
    program.Command(IDCANCEL);
    PostMessageA(program.Control(IDC_PASTE), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(program.Control(IDC_PASTE), WM_KEYUP, VK_ESCAPE, 0xC0010001);
    program.Post(WM_CLOSE);
    Sleep(300);
    EXPECT_TRUE(program.Idle());
    EXPECT_EQ(program.WaitExit(200), -1) << "the window closed";
    EXPECT_TRUE(IsWindowVisible(program.window));
    program.Command(IDM_EXIT);
    EXPECT_EQ(program.WaitExit(), 1);
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
        program.Command(IDM_EXIT);
        EXPECT_EQ(program.WaitExit(), 1);
    }
}

TEST_F(AppUi, LockedFormFieldsTogglesTheCounterFields) {
    ui::Program program;
    ASSERT_TRUE(program.Start(Folder("app_lock")));
    const int fields[] = {IDC_TICKETS, IDC_ERRORS, IDC_LOTTO_CREDITS, IDC_TRAFFIC_CREDITS, IDC_FREE_BANNERS};
    for (int id : fields) EXPECT_TRUE(program.ReadOnly(id)) << id;
    program.Command(IDM_LOCKED_FIELDS);
    EXPECT_FALSE(program.MenuChecked(IDM_LOCKED_FIELDS));
    for (int id : fields) EXPECT_FALSE(program.ReadOnly(id)) << id;
    EXPECT_TRUE(program.ReadOnly(IDC_SITE_NUMBER));
    program.Command(IDM_LOCKED_FIELDS);
    EXPECT_TRUE(program.MenuChecked(IDM_LOCKED_FIELDS));
    for (int id : fields) EXPECT_TRUE(program.ReadOnly(id)) << id;
    program.Command(IDM_EXIT);
    EXPECT_EQ(program.WaitExit(), 1);
}

std::vector<unsigned char> Corner(int32_t left, int32_t top) {
    std::vector<unsigned char> bytes(8);
    std::memcpy(bytes.data(), &left, 4);
    std::memcpy(bytes.data() + 4, &top, 4);
    return bytes;
}

TEST_F(AppUi, WindowPositionIsStoredAtClosingAndRestoredAtOpening) {
    const std::string folder = Folder("app_position");
    RECT centred;
    {
        ui::Program program;
        ASSERT_TRUE(program.Start(folder));
        centred = WindowRect(program.window);
        SetWindowPos(program.window, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        program.Command(IDM_EXIT);
        ASSERT_EQ(program.WaitExit(), 1);
        DWORD type = 0;
        std::vector<unsigned char> data;
        ASSERT_TRUE(ui::GetSettingRaw("WPos", &type, &data)) << "closing creates the key";
        EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(data, Corner(40, 30));
    }
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = centred.right - centred.left;
    const LONG height = centred.bottom - centred.top;
    struct {
        const char* name;
        std::vector<unsigned char> stored;
        LONG left, top;
    } const cases[] = {
        {"applied", Corner(100, 50), 100, 50},
        {"left of the screen moved in", Corner(-20, 10), work.left, 10},
        {"at the right edge moved in", Corner(work.right, 10), work.right - width, 10},
        {"at the bottom edge moved in", Corner(10, work.bottom), 10, work.bottom - height},
        {"short value ignored", {1, 0, 0, 0}, centred.left, centred.top},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::DeleteSettingsKey();
        ui::SetSettingRaw("WPos", REG_BINARY, c.stored.data(), static_cast<DWORD>(c.stored.size()));
        ui::Program program;
        ASSERT_TRUE(program.Start(folder));
        const RECT rect = WindowRect(program.window);
        EXPECT_EQ(rect.left, c.left);
        EXPECT_EQ(rect.top, c.top);
        program.Command(IDM_EXIT);
        EXPECT_EQ(program.WaitExit(), 1);
    }
}

TEST_F(AppUi, MinimisedWindowLeavesTheStoredPositionAlone) {
    const std::vector<unsigned char> stored = Corner(120, 60);
    ui::SetSettingRaw("WPos", REG_BINARY, stored.data(), 8);
    ui::Program program;
    ASSERT_TRUE(program.Start(Folder("app_minimised")));
    // The window shows while its opening still runs; the dialog's own showing at the end of
    // the opening would restore a window minimised before it.
    ASSERT_TRUE(program.Idle());
    ShowWindow(program.window, SW_MINIMIZE);
    ASSERT_TRUE(ui::WaitFor([&] { return IsIconic(program.window) != FALSE; }));
    program.SysCommand(SC_CLOSE);
    ASSERT_EQ(program.WaitExit(), 1);
    DWORD type = 0;
    std::vector<unsigned char> data;
    ASSERT_TRUE(ui::GetSettingRaw("WPos", &type, &data));
    EXPECT_EQ(data, stored);
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

// The tint's response to a colour change is checked in-process (win_tests): under Wine a
// colour set by another process does not reach the program.
TEST_F(AppUi, BackgroundIsTheTileTintedWithTheButtonFace) {
    const std::string folder = Folder("app_colours");
    ui::Program program;
    ASSERT_TRUE(program.Start(folder));
    RedrawWindow(program.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);  // let every control finish painting before the picture is taken
    ASSERT_TRUE(program.Idle());
    ASSERT_TRUE(ui::SaveScreenshot("main_window"));
    // Client point (3, 3) lies outside every control and shows tile pixel (3, 3), which is
    // (218, 218, 221). On the button face of the test prefix's theme, (245, 245, 245), red
    // and green become 218 - 130 + 245 - 122 = 211 and blue 221 - 132 + 123 = 212.
    ASSERT_EQ(GetSysColor(COLOR_BTNFACE), RGB(245, 245, 245)) << "the face the expected colour was worked out for";
    EXPECT_EQ(ClientPixel(program.window, 3, 3), RGB(211, 211, 212));
    program.Command(IDM_EXIT);
    EXPECT_EQ(program.WaitExit(), 1);
}

}  // namespace
