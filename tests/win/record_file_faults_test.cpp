// The data files as the member's machine may leave them: missing, empty, held open by another
// program or by a reader of ours, marked read-only, or a folder standing in the file's place.
// Each operation shows its fixed message and leaves the file as it was, or does its work.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

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

enum class Fault { kMissing, kEmpty, kHeldByAnotherProgram, kHeldForSharedReading, kReadOnly, kFolder };

const char* Describe(Fault fault) {
    switch (fault) {
    case Fault::kMissing: return "missing";
    case Fault::kEmpty: return "empty";
    case Fault::kHeldByAnotherProgram: return "held by another program";
    case Fault::kHeldForSharedReading: return "held for shared reading";
    case Fault::kReadOnly: return "read-only";
    case Fault::kFolder: return "a folder";
    }
    return "";
}

constexpr int kAbsent = -1;
constexpr int kAsItWas = -2;  // the 28 bytes the row started with

}  // namespace

TEST(RecordFileFaults, EachOperationShowsItsMessageAndLeavesTheFileAsItWas) {
    const std::string siteOpen = "Error: File [site.qzd] could not be opened.";
    const std::string sessOpen = "Error: File [sess.qzd] could not be opened.";
    const struct {
        Fault fault;
        Operation operation;
        bool ok;
        std::string message;
        int sizeAfter;  // or kAbsent, kAsItWas
    } cases[] = {
        // The site file is never created; the session file is, by its first save. For
        // reading, a missing history is an empty one.
        {Fault::kMissing, Operation::kLookup, false, siteOpen, kAbsent},
        {Fault::kMissing, Operation::kAppend, false, siteOpen, kAbsent},
        {Fault::kMissing, Operation::kSave, true, "", 28},
        {Fault::kMissing, Operation::kList, true, "", kAbsent},
        {Fault::kEmpty, Operation::kLookup, true, "", 0},
        {Fault::kEmpty, Operation::kAppend, true, "", 12},
        {Fault::kEmpty, Operation::kSave, true, "", 28},
        {Fault::kEmpty, Operation::kList, true, "", 0},
        {Fault::kHeldByAnotherProgram, Operation::kLookup, false, siteOpen, kAsItWas},
        {Fault::kHeldByAnotherProgram, Operation::kAppend, false, siteOpen, kAsItWas},
        {Fault::kHeldByAnotherProgram, Operation::kSave, false, sessOpen, kAsItWas},
        {Fault::kHeldByAnotherProgram, Operation::kList, false, sessOpen, kAsItWas},
        // The program shares nothing itself: a holder that lets readers in still blocks it.
        {Fault::kHeldForSharedReading, Operation::kLookup, false, siteOpen, kAsItWas},
        {Fault::kHeldForSharedReading, Operation::kAppend, false, siteOpen, kAsItWas},
        {Fault::kHeldForSharedReading, Operation::kSave, false, sessOpen, kAsItWas},
        {Fault::kHeldForSharedReading, Operation::kList, false, sessOpen, kAsItWas},
        // A lookup and the list only read: a read-only file serves them.
        {Fault::kReadOnly, Operation::kLookup, true, "", kAsItWas},
        {Fault::kReadOnly, Operation::kAppend, false, siteOpen, kAsItWas},
        {Fault::kReadOnly, Operation::kSave, false, sessOpen, kAsItWas},
        {Fault::kReadOnly, Operation::kList, true, "", kAsItWas},
        {Fault::kFolder, Operation::kLookup, false, siteOpen, kAsItWas},
        {Fault::kFolder, Operation::kAppend, false, siteOpen, kAsItWas},
        {Fault::kFolder, Operation::kSave, false, sessOpen, kAsItWas},
        {Fault::kFolder, Operation::kList, false, sessOpen, kAsItWas},
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
        } else if (c.fault != Fault::kMissing) {
            ASSERT_TRUE(WriteFileBytes(path, c.fault == Fault::kEmpty ? win_test::Bytes{} : contents));
        }
        if (c.fault == Fault::kReadOnly) {
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        std::unique_ptr<OtherProgramHolding> holder;
        if (c.fault == Fault::kHeldByAnotherProgram) {
            holder = std::make_unique<OtherProgramHolding>(path);
            ASSERT_TRUE(holder->holding());
        }
        HANDLE reader = INVALID_HANDLE_VALUE;
        if (c.fault == Fault::kHeldForSharedReading) {
            reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        }

        const file_faults::Outcome outcome = file_faults::Run(c.operation, path);
        holder.reset();
        if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
        EXPECT_EQ(outcome.ok, c.ok);
        EXPECT_EQ(outcome.message, c.message);

        if (c.fault == Fault::kFolder) {
            const DWORD attributes = GetFileAttributesA(path.c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
            EXPECT_TRUE(RemoveDirectoryA(path.c_str()));  // still empty
        } else if (c.sizeAfter == kAbsent) {
            EXPECT_FALSE(win_test::FileExists(path));
        } else if (c.sizeAfter == kAsItWas) {
            EXPECT_EQ(ReadFileBytes(path), contents);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        } else {
            EXPECT_EQ(ReadFileBytes(path).size(), static_cast<size_t>(c.sizeAfter));
        }
    }
}

// The appends' failures after the file is open: each shows its message, and the file is cut
// back to its size, so that no record of zeros is left behind.
TEST(RecordFileFaults, LateFailuresOfAnAppendShowTheirMessages) {
    using file_faults::FailingFlush, file_faults::FailingMapping, file_faults::FailingMapView;
    static const MappingCalls noMapping = {FailingMapping, MapViewOfFile, FlushViewOfFile};
    static const MappingCalls noView = {CreateFileMappingA, FailingMapView, FlushViewOfFile};
    static const MappingCalls noFlush = {CreateFileMappingA, MapViewOfFile, FailingFlush};
    const struct {
        const char* name;
        Operation operation;
        const MappingCalls* calls;
        bool existing;  // a file of one record, or none
        bool ok;
        std::string message;
        size_t sizeAfter;
    } cases[] = {
        {"site.qzd, mapping", Operation::kAppend, &noMapping, true, false,
         "Error: File [site.qzd] map could not be opened.", 12},
        {"sess.qzd, mapping", Operation::kSave, &noMapping, true, false,
         "Error: File [sess.qzd] map could not be opened.", 28},
        {"sess.qzd, view", Operation::kSave, &noView, true, false, "Error: Could not map view of file [sess.qzd].", 28},
        {"new sess.qzd, view", Operation::kSave, &noView, false, false, "Error: Could not map view of file [sess.qzd].",
         0},
        // Only the session file is flushed, and a failed flush still counts as written.
        {"sess.qzd, flush", Operation::kSave, &noFlush, true, true, "Error: File [sess.qzd] map could not be saved.",
         56},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder("late_failures");
        const std::string path = folder.File(file_faults::FileOf(c.operation));
        if (c.existing) {
            ASSERT_TRUE(WriteFileBytes(path, win_test::Bytes(c.operation == Operation::kAppend ? 12 : 28, 7)));
        }
        SetWriterMappingCalls(c.calls);
        const file_faults::Outcome outcome = file_faults::Run(c.operation, path);
        SetWriterMappingCalls(nullptr);
        EXPECT_EQ(outcome.ok, c.ok);
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(ReadFileBytes(path).size(), c.sizeAfter);
    }
}
