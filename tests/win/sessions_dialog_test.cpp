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

// Finds the dialog from another thread, sends it the given messages one by one, and
// reports whether it was still open after each.
struct DialogDriver {
    std::vector<std::pair<UINT, WPARAM>> messages;
    std::vector<bool> openAfter;
    std::thread thread;
    void Start() {
        thread = std::thread([this] {
            HWND dialog = nullptr;
            for (int i = 0; i < 500 && !dialog; ++i, Sleep(10)) dialog = FindWindowA("#32770", "Player Sessions");
            for (const auto& [message, wParam] : messages) {
                PostMessageA(dialog, message, wParam, 0);
                Sleep(300);
                openAfter.push_back(dialog && IsWindow(dialog) && IsWindowVisible(dialog));
            }
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

    DialogDriver closing;
    closing.messages = {{WM_COMMAND, IDCANCEL}, {WM_SYSCOMMAND, SC_CLOSE}};
    closing.Start();
    EXPECT_FALSE(ShowSessions(nullptr));
    closing.Join();
    EXPECT_EQ(closing.openAfter, (std::vector<bool>{true, false}));

    DialogDriver ok;
    ok.messages = {{WM_COMMAND, IDOK}};
    ok.Start();
    EXPECT_TRUE(ShowSessions(nullptr));
    ok.Join();
    EXPECT_EQ(ok.openAfter, (std::vector<bool>{false}));
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
