// "Save" and the saves at closing and at the end of the desktop session: a failed save
// keeps the session, a written one ends it, and nothing is stored twice.
#include <gtest/gtest.h>

#include "base/program_folder.h"
#include "desk/site_database.h"
#include "session/session.h"
#include "session/session_internal.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

MMRESULT WINAPI FastTimer(UINT, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) {
    return timeSetEvent(1, resolution, callback, user, flags);
}

class SessionCommands : public ::testing::Test {
protected:
    void SetUp() override {
        session.startTimer = FastTimer;
        UseDataFolder(folder.Path().c_str());
        WriteFileBytes(folder.File("site.qzd"), {});
        CreateSessionStatusBar(session, window.get());
    }
    void TearDown() override { UseDataFolder(nullptr); }
    // A session that has counted time and one ticket; paused unless running is asked for.
    void CountedSession(bool running) {
        ASSERT_TRUE(StartSession(session, window.get()));
        Pump(30);
        if (!running) StopSession(session, window.get());
        window.Set(IDC_TICKETS, "1");
        ASSERT_GT(session.elapsed.load(), 0);
    }
    ScratchFolder folder{"save"};
    std::string path = folder.File("sess.qzd");
    CounterWindow window;
    Session session;
};

}  // namespace

TEST_F(SessionCommands, FailedSaveKeepsTheSessionAndASecondSaveWritesOnce) {
    for (bool running : {false, true}) {
        DeleteFileA(path.c_str());
        CountedSession(running);
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
        BoxWatcher watcher;
        if (!running) {
            const int32_t before = session.elapsed.load();
            SaveAndEndSession(session, window.get());
            EXPECT_EQ(session.elapsed.load(), before);
        } else {
            SaveAndEndSession(session, window.get());
            EXPECT_GT(session.elapsed.load(), 0);
        }
        const std::vector<Box> boxes = watcher.Stop();
        CloseHandle(held);  // before any check can end the test: a held file would fail the next ones
        ASSERT_EQ(boxes.size(), 1u) << running;
        EXPECT_EQ(boxes[0].text, "File [sess.qzd] could not be opened.");
        EXPECT_EQ(static_cast<bool>(session.timer), running);
        EXPECT_EQ(window.Text(IDC_TICKETS), "1");

        SaveAndEndSession(session, window.get());
        EXPECT_EQ(ReadFileBytes(path).size(), 28u) << running;
        EXPECT_EQ(session.elapsed.load(), 0);
        EXPECT_FALSE(static_cast<bool>(session.timer));
        SaveCountedSession(session, window.get());  // closing right after Save stores nothing
        EXPECT_EQ(ReadFileBytes(path).size(), 28u) << running;
    }
}

TEST_F(SessionCommands, EndOfDesktopSessionSavesOnceSilently) {
    CountedSession(true);
    BoxWatcher watcher;
    SaveOnEndSession(session, window.get());
    EXPECT_EQ(ReadFileBytes(path).size(), 28u);
    SaveCountedSession(session, window.get());  // the destroy handling that may still follow
    EXPECT_EQ(ReadFileBytes(path).size(), 28u);
    EXPECT_TRUE(watcher.Stop().empty());
}

TEST_F(SessionCommands, EndOfDesktopSessionFailureLeavesItToTheDestroyHandling) {
    CountedSession(false);
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    BoxWatcher watcher;
    SaveOnEndSession(session, window.get());
    EXPECT_EQ(watcher.Stop().size(), 1u);
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(path).size(), 0u);
    SaveCountedSession(session, window.get());
    EXPECT_EQ(ReadFileBytes(path).size(), 28u);
}

TEST_F(SessionCommands, ClosingStoresACountedSessionButNotAnEmptyOne) {
    CountedSession(false);
    window.Set(IDC_TICKETS, "");
    window.Set(IDC_ERRORS, "");
    SaveCountedSession(session, window.get());
    EXPECT_FALSE(FileExists(path));
    window.Set(IDC_ERRORS, "2");
    SaveCountedSession(session, window.get());
    const std::vector<unsigned char> bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 28u);
    const SessionRecord record = DecodeSessionRecord(bytes.data());
    EXPECT_EQ(record.tickets, 0);
    EXPECT_EQ(record.errors, 2);
    EXPECT_EQ(record.elapsed, session.elapsed.load());
    EXPECT_EQ(record.start, session.startTime);
}
