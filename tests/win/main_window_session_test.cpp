// The session parts of the real main window: the ticket bar's range and the status bar's
// icons at opening, and a clock that cannot be started.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "app/main_window.h"
#include "base/program_folder.h"
#include "base/settings.h"
#include "base/window_helpers.h"
#include "desk/desk.h"
#include "desk/site_database.h"
#include "session/session.h"
#include "session/session_internal.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

void SetTicketsValue(const DWORD* value) {
    HKEY key;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    if (value)
        RegSetValueExA(key, "nTickets", 0, REG_DWORD, reinterpret_cast<const BYTE*>(value), sizeof *value);
    else
        RegDeleteValueA(key, "nTickets");
    RegCloseKey(key);
}

// The main window opened modeless in this process, on throw-away data files.
class MainWindowSession : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        WriteFileBytes(folder.File("site.qzd"), {});
        UseDataFolder(folder.Path().c_str());
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
        UseDataFolder(nullptr);
        SetTicketsValue(nullptr);
    }
    void Open() {
        window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                    reinterpret_cast<LPARAM>(&state));
        ASSERT_NE(window, nullptr);
    }
    int BarTop() const {
        PBRANGE range = {};
        SendDlgItemMessageA(window, IDC_TICKET_PROGRESS, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        return range.iHigh;
    }
    ScratchFolder folder{"main_window"};
    MainWindowState state = {};
    HWND window = nullptr;
};

}  // namespace

// How the stored maximum becomes the range is the counters' rule; here, that the opening applies it.
TEST_F(MainWindowSession, TicketBarRangeAtOpening) {
    const DWORD stored = 70;
    SetTicketsValue(&stored);
    Open();
    EXPECT_EQ(BarTop(), 70);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_TICKET_PROGRESS, PBM_GETPOS, 0, 0), 0);
}

TEST_F(MainWindowSession, EveryStatusPartHasAnIcon) {
    Open();
    const HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr);
    ASSERT_NE(bar, nullptr);
    for (int part = 0; part < 4; ++part) EXPECT_NE(SendMessageA(bar, SB_GETICON, part, 0), 0) << "part " << part;
}

namespace {

MMRESULT WINAPI FailingTimer(UINT, UINT, LPTIMECALLBACK, DWORD_PTR, UINT) { return 0; }

bool PutOnClipboard(const char* text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    lstrcpyA(static_cast<char*>(GlobalLock(block)), text);
    GlobalUnlock(block);
    const bool ok = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    return ok;
}

}  // namespace

// Only the first failed start of the clock is reported, by Paste or Find; every lookup still
// takes place. (Nothing else in this test program makes the find sequence meet a failing
// timer. A second paste in this process is avoided: Wine can stall when one thread both
// owns the clipboard and reads it back.)
TEST_F(MainWindowSession, TimerFailureIsReportedOncePerRun) {
    state.session.startTimer = FailingTimer;
    Open();
    // As after a "Save" with something counted: Continue enabled, Save not yet grayed.
    EndSession(state.session, window);
    EnableMenuCommand(window, IDM_SAVE, true);
    BoxWatcher watcher;
    ASSERT_TRUE(PutOnClipboard("X1234"));
    SendMessageA(window, WM_COMMAND, IDC_PASTE, 0);
    EXPECT_FALSE(state.session.timer);
    // The new session's menu changes stay although its clock did not start.
    const struct {
        UINT id;
        bool grayed;
    } menu[] = {{IDM_STOP, false}, {IDM_CONTINUE, true}, {IDM_SAVE, true}};
    for (const auto& item : menu)
        EXPECT_EQ((GetMenuState(GetMenu(window), item.id, MF_BYCOMMAND) & MF_GRAYED) != 0, item.grayed) << item.id;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_SKIP_SITE))) << "the lookup took place";
    ResetDesk(state.desk, window);
    for (const char* typed : {"5678", "2468"}) {
        SetDlgItemTextA(window, IDC_SITE_ID, typed);
        EnableWindow(GetDlgItem(window, IDC_FIND), TRUE);
        SendMessageA(window, WM_COMMAND, IDC_FIND, 0);
        EXPECT_EQ(GetDlgItemInt(window, IDC_SITE_NUMBER, nullptr, FALSE), static_cast<UINT>(atoi(typed)));
        ResetDesk(state.desk, window);
    }

    int timerMessages = 0;
    for (const Box& box : watcher.Stop()) timerMessages += box.text == "Error! Could not create Timer.";
    EXPECT_EQ(timerMessages, 1);
}
