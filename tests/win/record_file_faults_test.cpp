// The data files as the member's machine may leave them: held open by another program, marked
// read-only, or a folder standing in the file's place. Each operation shows its fixed message
// (or works, where it only reads) and leaves the file as it was.
#include <gtest/gtest.h>

#include <cstring>

#include "data_file_operations.h"

using file_faults::Operation;
using session_test::ReadFileBytes;
using session_test::ScratchFolder;
using session_test::WriteFileBytes;

namespace {

constexpr char kHoldSwitch[] = " --hold-file ";

// A copy of this test program started with --hold-file <event> <path> is the other program:
// it opens the file without sharing, sets <event>_held, and lets go when <event> is set.
// It does this before any test runs and then ends.
[[maybe_unused]] const bool kHolderCopy = [] {
    const char* switchAt = std::strstr(GetCommandLineA(), kHoldSwitch);
    if (!switchAt) return false;
    const std::string arguments(switchAt + std::strlen(kHoldSwitch));
    const size_t space = arguments.find(' ');
    const std::string event = arguments.substr(0, space);
    const std::string path = space == std::string::npos ? "" : arguments.substr(space + 1);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, event.c_str());
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, (event + "_held").c_str());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!release || !held || file == INVALID_HANDLE_VALUE) ExitProcess(2);
    SetEvent(held);
    WaitForSingleObject(release, 60000);
    CloseHandle(file);
    ExitProcess(0);
}();

// Starts the holding copy for `path` and waits until it holds the file.
class OtherProgramHolding {
public:
    explicit OtherProgramHolding(const std::string& path) {
        static int started = 0;
        const std::string event =
            "rtln_hold_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++started);
        release_ = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
        HANDLE held = CreateEventA(nullptr, TRUE, FALSE, (event + "_held").c_str());
        char program[MAX_PATH];
        GetModuleFileNameA(nullptr, program, sizeof program);
        std::string line = "\"";
        line.append(program).append("\"").append(kHoldSwitch).append(event).append(" ").append(path);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started_ = {};
        if (CreateProcessA(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started_)) {
            process_ = started_.hProcess;
            CloseHandle(started_.hThread);
            const HANDLE waits[] = {held, process_};
            holding_ = WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
        }
        CloseHandle(held);
    }
    ~OtherProgramHolding() { Release(); }
    OtherProgramHolding(const OtherProgramHolding&) = delete;
    OtherProgramHolding& operator=(const OtherProgramHolding&) = delete;
    bool holding() const { return holding_; }
    void Release() {
        if (release_) SetEvent(release_);
        if (process_) {
            WaitForSingleObject(process_, 20000);
            CloseHandle(process_);
        }
        if (release_) CloseHandle(release_);
        process_ = release_ = nullptr;
    }

private:
    HANDLE release_ = nullptr;
    HANDLE process_ = nullptr;
    bool holding_ = false;
};

enum class Fault { kHeldByAnotherProgram, kReadOnly, kFolder };

const char* Describe(Fault fault) {
    switch (fault) {
    case Fault::kHeldByAnotherProgram: return "held by another program";
    case Fault::kReadOnly: return "read-only";
    case Fault::kFolder: return "a folder";
    }
    return "";
}

}  // namespace

TEST(RecordFileFaults, EachOperationShowsItsMessageAndLeavesTheFileAsItWas) {
    const std::string siteOpen = "Error: File [site.qzd] could not be opened.";
    const std::string sessOpen = "Error: File [sess.qzd] could not be opened.";
    const struct {
        Fault fault;
        Operation operation;
        bool ok;
        std::string message;
    } cases[] = {
        {Fault::kHeldByAnotherProgram, Operation::kLookup, false, siteOpen},
        {Fault::kHeldByAnotherProgram, Operation::kAppend, false, siteOpen},
        {Fault::kHeldByAnotherProgram, Operation::kSave, false, sessOpen},
        {Fault::kHeldByAnotherProgram, Operation::kList, false, sessOpen},
        // A lookup and the list only read: a read-only file serves them.
        {Fault::kReadOnly, Operation::kLookup, true, ""},
        {Fault::kReadOnly, Operation::kAppend, false, siteOpen},
        {Fault::kReadOnly, Operation::kSave, false, sessOpen},
        {Fault::kReadOnly, Operation::kList, true, ""},
        {Fault::kFolder, Operation::kLookup, false, siteOpen},
        {Fault::kFolder, Operation::kAppend, false, siteOpen},
        {Fault::kFolder, Operation::kSave, false, sessOpen},
        {Fault::kFolder, Operation::kList, false, sessOpen},
    };
    // Two whole site records and a stray tail; one whole session record.
    win_test::Bytes contents(28);
    for (size_t i = 0; i < contents.size(); ++i) contents[i] = static_cast<unsigned char>(i + 1);

    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(file_faults::FileOf(c.operation)) + " " + Describe(c.fault));
        ScratchFolder folder("file_faults");
        const std::string path = folder.File(file_faults::FileOf(c.operation));
        if (c.fault == Fault::kFolder) {
            ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
        } else {
            ASSERT_TRUE(WriteFileBytes(path, contents));
        }
        if (c.fault == Fault::kReadOnly) {
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        OtherProgramHolding* holder = nullptr;
        if (c.fault == Fault::kHeldByAnotherProgram) {
            holder = new OtherProgramHolding(path);
            ASSERT_TRUE(holder->holding());
        }

        const file_faults::Outcome outcome = file_faults::Run(c.operation, path);
        delete holder;
        EXPECT_EQ(outcome.ok, c.ok);
        EXPECT_EQ(outcome.message, c.message);

        if (c.fault == Fault::kFolder) {
            const DWORD attributes = GetFileAttributesA(path.c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
            EXPECT_TRUE(RemoveDirectoryA(path.c_str()));  // still empty
        } else {
            EXPECT_EQ(ReadFileBytes(path), contents);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
}
