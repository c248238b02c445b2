// The banner and the ways out, worked through the real program.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "resources/rtln_ids.h"
#include "tests/ui/driver/ui_driver.h"

namespace {

// What Wine's shell reports when it refuses the request.
constexpr const char* kShellCaption = "Error";
constexpr const char* kShellRefusal = "Invalid parameter.\r\n";

class BannerUi : public ::testing::Test {
protected:
    void SetUp() override {
        ui::DeleteSettingsKey();
        folder = ui::MakeProgramFolder("banner");
        ui::WriteFileBytes(folder + "\\site.qzd", {});
        LoadFrames();
    }

    // The three 263 x 45 frames of the banner picture, read from the program file itself.
    void LoadFrames() {
        HMODULE exe = LoadLibraryExA((folder + "\\rtln.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(exe, nullptr);
        HBITMAP picture = static_cast<HBITMAP>(
            LoadImageA(exe, MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP, 263, 135, LR_CREATEDIBSECTION));
        ASSERT_NE(picture, nullptr);
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(memory, picture);
        for (int frame = 0; frame < 3; ++frame)
            for (const POINT& p : kProbes) frames[frame].push_back(GetPixel(memory, p.x, 45 * frame + p.y));
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(picture);
        FreeLibrary(exe);
    }

    // The frame the banner control shows, or -1 when it matches none (read through the main
    // window's client area: the control's own DC of another process reads nothing here).
    int ShownFrame(const ui::Program& program) const {
        POINT origin = {0, 0};
        MapWindowPoints(program.Control(IDC_BANNER), program.window, &origin, 1);
        HDC dc = GetDC(program.window);
        std::vector<COLORREF> shown;
        for (const POINT& p : kProbes) shown.push_back(GetPixel(dc, origin.x + p.x, origin.y + p.y));
        ReleaseDC(program.window, dc);
        for (int frame = 0; frame < 3; ++frame)
            if (shown == frames[frame]) return frame;
        return -1;
    }

    static RECT Outer(HWND window) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return rect;
    }

    static constexpr POINT kProbes[] = {{10, 10}, {30, 22}, {60, 12}, {100, 30}, {150, 20}, {200, 8}, {250, 40}};
    std::string folder;
    std::vector<COLORREF> frames[3];
};

TEST_F(BannerUi, WithoutAStoredChoiceTheBannerRotatesOnceASecond) {
    ASSERT_NE(frames[0], frames[1]);
    ASSERT_NE(frames[1], frames[2]);
    ui::Program program;
    ASSERT_TRUE(program.Start(folder));
    EXPECT_TRUE(program.MenuChecked(IDM_BANNER));
    EXPECT_TRUE(IsWindowVisible(program.Control(IDC_BANNER)));
    ASSERT_TRUE(ui::SaveScreenshot("main_window_banner"));
    // The first advance happens at once, though its paint may still be on its way; readings
    // that match no frame (not painted yet) are passed over.
    int first = -1;
    ui::WaitFor([&] { return (first = ShownFrame(program)) != -1; }, 2000);
    std::vector<int> seen = {first};
    std::vector<DWORD> changedAt = {GetTickCount()};
    while (seen.size() < 4 && GetTickCount() - changedAt[0] < 6000) {
        const int frame = ShownFrame(program);
        if (frame != -1 && frame != seen.back()) {
            seen.push_back(frame);
            changedAt.push_back(GetTickCount());
        }
        Sleep(20);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1}));
    ASSERT_EQ(changedAt.size(), 4u);
    // From the change to frame 2 to the change back to frame 1: two periods of one second.
    EXPECT_GE(changedAt[3] - changedAt[1], 1700u) << "the frames change too fast";
    EXPECT_LE(changedAt[3] - changedAt[1], 2500u) << "the frames change too slowly";
    EXPECT_TRUE(program.Command(IDM_EXIT, program.Ended()));
    EXPECT_EQ(program.WaitExit(), 1);
}

TEST_F(BannerUi, EachBannerCommandMovesTheBottomFiftyPixelsAndIsStored) {
    ui::SetSettingDword("ShowBan", 1);  // the choice is stored only in an existing key
    ui::Program program;
    ASSERT_TRUE(program.Start(folder));
    const RECT opened = Outer(program.window);
    const struct {
        const char* name;
        bool shown;
        LONG height;  // against the opening height
        DWORD stored;
    } steps[] = {{"hidden", false, -50, 0}, {"shown again", true, 0, 1}, {"hidden again", false, -50, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(program.Command(IDM_BANNER, program.MenuCheckedIs(IDM_BANNER, step.shown)));
        const RECT now = Outer(program.window);
        EXPECT_EQ(now.left, opened.left);
        EXPECT_EQ(now.top, opened.top);
        EXPECT_EQ(now.right, opened.right);
        EXPECT_EQ(now.bottom - opened.bottom, step.height);
        EXPECT_EQ(IsWindowVisible(program.Control(IDC_BANNER)) != FALSE, step.shown);
        RECT client = {}, bar = {};
        GetClientRect(program.window, &client);
        MapWindowPoints(program.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        ASSERT_TRUE(GetWindowRect(program.StatusBar(), &bar));
        EXPECT_EQ(bar.bottom, client.bottom) << "the status bar left the bottom";
        DWORD type = 0;
        std::vector<unsigned char> data;
        ASSERT_TRUE(ui::GetSettingRaw("ShowBan", &type, &data));
        EXPECT_EQ(data, (std::vector<unsigned char>{static_cast<unsigned char>(step.stored), 0, 0, 0}));
    }
    ASSERT_TRUE(program.Command(IDM_BANNER, program.MenuCheckedIs(IDM_BANNER, true)));
    // Showing again restarts the rotation with frame 1, painted before the next advance.
    EXPECT_TRUE(ui::WaitUntil(
        {"frame 1", [&] { return ShownFrame(program) == 1; }, [&] { return std::to_string(ShownFrame(program)); }},
        900));
    EXPECT_TRUE(program.Command(IDM_EXIT, program.Ended()));
    EXPECT_EQ(program.WaitExit(), 1);
}

// The command reaches the shell only with a stored text. The stored batch file leaves a mark
// when it runs; Wine 8 refuses the shell's ID-list request instead and reports that in a box
// of the program's process, which also shows that the request was made. Without a text the
// command does nothing: Exit, posted after it, ends the program with no box open.
TEST_F(BannerUi, Clicks4UOpensTheStoredFileAndNothingWhenEmpty) {
    const std::string marker = folder + "\\opened.txt";
    const std::string batch = folder + "\\page.bat";
    const std::string script = "@echo opened> \"" + marker + "\"\r\n";
    ASSERT_TRUE(ui::WriteFileBytes(batch, std::vector<unsigned char>(script.begin(), script.end())));
    for (const char* value : {"", batch.c_str()}) {
        SCOPED_TRACE(value);
        DeleteFileA(marker.c_str());
        ui::SetSettingString("Clicks4U", value);
        ui::Program program;
        ASSERT_TRUE(program.Start(folder));
        if (!*value) {
            EXPECT_TRUE(
                program.NoBoxAfter(program.Commanding(IDM_CLICKS4U), program.Commanding(IDM_EXIT), program.Ended()));
            EXPECT_FALSE(ui::FileExists(marker));
            continue;
        }
        ui::MessageBoxInfo shellBox;
        const ui::Until reached = {"the batch file's mark or the shell's refusal", [&] {
                                       if (ui::FileExists(marker)) return true;
                                       shellBox = ui::WaitMessageBox(program, 0, kShellCaption);
                                       return shellBox.window != nullptr;
                                   }};
        EXPECT_TRUE(program.Command(IDM_CLICKS4U, reached));
        if (shellBox.window) {
            EXPECT_EQ(shellBox.text, kShellRefusal);
            ui::Answer(shellBox, IDOK);
        }
        EXPECT_TRUE(program.Command(IDM_EXIT, program.Ended()));
        EXPECT_EQ(program.WaitExit(), 1);
    }
    DeleteFileA(marker.c_str());
}

}  // namespace
