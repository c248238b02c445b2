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

enum class Command { kSave, kEndOfDesktopSession, kClosing };

// A session that has counted one second and one ticket, paused unless running is asked for.
struct CountedSession {
    explicit CountedSession(bool running) {
        session.startTimer = HandTimer::Start;
        CreateSessionStatusBar(session, window.get());
        EXPECT_TRUE(StartSession(session, window.get()));
        HandTimer::Second();
        if (!running) StopSession(session, window.get());
        window.Set(IDC_TICKETS, "1");
    }
    void Run(Command command) {
        switch (command) {
        case Command::kSave: SaveAndEndSession(session, window.get()); break;
        case Command::kEndOfDesktopSession: SaveOnEndSession(session, window.get()); break;
        case Command::kClosing: SaveCountedSession(session, window.get()); break;
        }
    }
    CounterWindow window;
    Session session;
};

class SessionCommands : public ::testing::Test {
protected:
    void SetUp() override { UseDataFolder(folder.Path().c_str()); }
    void TearDown() override { UseDataFolder(nullptr); }
    ScratchFolder folder{"save"};
    std::string path = folder.File("sess.qzd");
};

}  // namespace

// A save that fails shows its message and keeps the session as it was; the next command
// stores it, and nothing is stored twice.
TEST_F(SessionCommands, FailedSavesKeepTheSessionAndNothingIsStoredTwice) {
    const struct {
        const char* name;
        bool running;
        bool held;  // by another program: the save fails
        Command command;
        Command then;  // once the file is free
    } cases[] = {
        {"Save, paused", false, true, Command::kSave, Command::kSave},
        {"Save, running", true, true, Command::kSave, Command::kSave},
        {"end of the desktop session", true, false, Command::kEndOfDesktopSession, Command::kClosing},
        {"end of the desktop session, then the destroy handling", false, true, Command::kEndOfDesktopSession,
         Command::kClosing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(path.c_str());
        CountedSession counted(c.running);
        HANDLE held = c.held ? CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr)
                             : INVALID_HANDLE_VALUE;
        BoxWatcher watcher;
        counted.Run(c.command);
        const std::vector<Box> boxes = watcher.Stop();
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        if (c.held) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "File [sess.qzd] could not be opened.");
            EXPECT_EQ(counted.session.elapsed.load(), 1);
            EXPECT_EQ(static_cast<bool>(counted.session.timer), c.running);
            EXPECT_EQ(counted.window.Text(IDC_TICKETS), "1");
            EXPECT_EQ(ReadFileBytes(path).size(), 0u);
        } else {
            EXPECT_TRUE(boxes.empty());
            EXPECT_EQ(ReadFileBytes(path).size(), 28u);
        }
        counted.Run(c.then);
        EXPECT_EQ(ReadFileBytes(path).size(), 28u);
        if (c.then == Command::kClosing) continue;
        counted.Run(Command::kClosing);  // a Save ends the session: closing stores nothing more
        EXPECT_EQ(ReadFileBytes(path).size(), 28u);
    }
}

TEST_F(SessionCommands, ClosingStoresACountedSessionButNotAnEmptyOne) {
    CountedSession counted(false);
    counted.window.Set(IDC_TICKETS, "");
    counted.Run(Command::kClosing);
    EXPECT_FALSE(FileExists(path));
    counted.window.Set(IDC_ERRORS, "2");
    counted.Run(Command::kClosing);
    const std::vector<unsigned char> bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 28u);
    const SessionRecord record = DecodeSessionRecord(bytes.data());
    EXPECT_EQ(record.tickets, 0);
    EXPECT_EQ(record.errors, 2);
    EXPECT_EQ(record.elapsed, 1);
    EXPECT_EQ(record.start, counted.session.startTime);
}
