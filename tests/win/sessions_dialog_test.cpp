// The Player Sessions dialog: its list, newest first, and how it closes.
#include <gtest/gtest.h>

#include "base/program_folder.h"
#include "session/session.h"
#include "session/session_internal.h"
#include "session/session_line.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::vector<unsigned char> ThreeSessions() {
    std::vector<unsigned char> bytes(3 * kSessionRecordSize);
    for (int i = 0; i < 3; ++i)
        EncodeSessionRecord({1102214525 + i * 86400, 3725 + i, 10 + i, i, 0, 0, 0},
                            bytes.data() + i * kSessionRecordSize);
    return bytes;
}

std::string Item(HWND list, int index) {
    char text[kSessionLineSize] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// From another thread: waits (at most 10 seconds) for the dialog the test's thread shows,
// keeps its caption and posts it the messages, which it handles in that order.
struct DialogDriver {
    std::vector<std::pair<UINT, WPARAM>> messages;
    std::string caption;
    std::thread thread;
    void Start() {
        thread = std::thread([this, owner = GetCurrentThreadId()] {
            HWND dialog = nullptr;
            for (const DWORD begin = GetTickCount(); !dialog && GetTickCount() - begin < 10000; Sleep(10))
                EnumThreadWindows(owner, FindDialog, reinterpret_cast<LPARAM>(&dialog));
            if (!dialog) return;
            char text[64] = {};
            GetWindowTextA(dialog, text, sizeof text);
            caption = text;
            for (const auto& [message, wParam] : messages) PostMessageA(dialog, message, wParam, 0);
        });
    }
    void Join() { thread.join(); }
};

}  // namespace

TEST(SessionsDialog, ListsSessionsNewestFirstWithTheFirstSelected) {
    ScratchFolder folder("dialog");
    const std::string path = folder.File("sess.qzd");
    WriteFileBytes(path, ThreeSessions());
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SESSIONS), nullptr, PlainProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDC_SESSION_LIST);
    ASSERT_TRUE(FillSessionListFrom(dialog, path.c_str()));
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_NE(Item(list, 0).find("| 01:02:07 |  12 |   2 |"), std::string::npos) << Item(list, 0);
    EXPECT_NE(Item(list, 2).find("| 01:02:05 |  10 |   0 |"), std::string::npos) << Item(list, 2);
    DestroyWindow(dialog);

    for (bool empty : {true, false}) {  // an empty file, then a missing one: an empty list, no message
        if (empty)
            WriteFileBytes(path, {});
        else
            DeleteFileA(path.c_str());
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SESSIONS), nullptr, PlainProc, 0);
        BoxWatcher watcher;
        EXPECT_TRUE(FillSessionListFrom(dialog, path.c_str())) << empty;
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_SESSION_LIST), LB_GETCOUNT, 0, 0), 0) << empty;
        EXPECT_TRUE(watcher.Stop().empty()) << empty;
        DestroyWindow(dialog);
    }
}

TEST(SessionsDialog, EscIsIgnoredTheCloseBoxGivesZeroAndOkOne) {
    ScratchFolder folder("dialog_close");
    const std::string path = folder.File("sess.qzd");
    WriteFileBytes(path, ThreeSessions());
    UseDataFolder(folder.Path().c_str());

    // Esc first in both: had it closed the dialog, both would give the same result.
    for (const auto& [closing, result] : {std::pair{std::pair<UINT, WPARAM>{WM_SYSCOMMAND, SC_CLOSE}, false},
                                          std::pair{std::pair<UINT, WPARAM>{WM_COMMAND, IDOK}, true}}) {
        DialogDriver driver;
        driver.messages = {{WM_COMMAND, IDCANCEL}, closing};
        driver.Start();
        EXPECT_EQ(ShowSessions(nullptr), result);
        driver.Join();
        EXPECT_EQ(driver.caption, "Player Sessions");
    }
    UseDataFolder(nullptr);
}

TEST(SessionsDialog, AFileThatCannotBeReadClosesTheDialogAfterItsMessage) {
    ScratchFolder folder("dialog_held");
    const std::string path = folder.File("sess.qzd");
    WriteFileBytes(path, ThreeSessions());
    UseDataFolder(folder.Path().c_str());
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    BoxWatcher watcher;
    EXPECT_FALSE(ShowSessions(nullptr));
    const std::vector<Box> boxes = watcher.Stop();
    CloseHandle(held);
    UseDataFolder(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "File [sess.qzd] could not be opened.");
}
