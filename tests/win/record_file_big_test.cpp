// Data files past 2 GiB: a file of 4 GiB or more has no 32-bit size, one past 2 GiB has no room
// for its view in a 32-bit program, and the cut-back after a failed append must place the end
// at the old size, which no 32-bit signed offset reaches, and never truncate elsewhere.
#include <gtest/gtest.h>

#include <functional>

#include "base/record_file.h"
#include "data_file_operations.h"
#include "desk/site_database.h"
#include "session/session_internal.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

constexpr DWORD kBigSize = 12u * 178956971u;  // 2 GiB + 4 bytes: whole site records, no whole session tail
constexpr uint64_t kHugeSize = (uint64_t{1} << 32) + 12;
const unsigned char kTail[] = {'t', 'a', 'i', 'l'};


// A sparse file of `size` bytes ending in kTail.
bool MakeBigFile(const std::string& path, uint64_t size = kBigSize) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD ignored = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size - sizeof kTail);
    DWORD written = 0;
    const bool ok = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                    WriteFile(file, kTail, sizeof kTail, &written, nullptr) && written == sizeof kTail;
    CloseHandle(file);
    return ok;
}

// The file's size and its last four bytes.
std::pair<uint64_t, std::string> SizeAndTail(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
    const uint64_t size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {size, ""};
    char tail[4] = {};
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size) - 4;
    DWORD read = 0;
    if (size >= 4) SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && ReadFile(file, tail, 4, &read, nullptr);
    CloseHandle(file);
    return {size, std::string(tail, read)};
}

}  // namespace

TEST(RecordFileBig, FailedViewKeepsAFilePast2GiBWhole) {
    CounterWindow window;
    window.Set(IDC_TICKETS, "1");
    const struct {
        const char* name;
        std::function<bool(const std::string&)> append;  // false: the append reported its failure
    } cases[] = {
        {"site.qzd",
         [](const std::string& path) {
             return AppendRecordToFile(path.c_str(), 4711, 3, 1800000000) == SiteFileResult::kOk;
         }},
        {"sess.qzd",
         [&](const std::string& path) {
             BoxWatcher watcher;  // answers the view message
             return SaveSessionTo(window.get(), path.c_str(), 1800000000, 60) == SaveResult::Written;
         }},
    };
    static const MappingCalls noView = {CreateFileMappingA, file_faults::FailingMapView, FlushViewOfFile};
    for (const auto& c : cases) {
        ScratchFolder folder("big_file");
        const std::string path = folder.File(c.name);
        ASSERT_TRUE(MakeBigFile(path)) << c.name;
        SetWriterMappingCalls(&noView);
        const bool appended = c.append(path);
        SetWriterMappingCalls(nullptr);
        EXPECT_FALSE(appended) << c.name;
        EXPECT_EQ(SizeAndTail(path), (std::pair<uint64_t, std::string>{kBigSize, "tail"})) << c.name;
        DeleteFileA(path.c_str());
    }
}

TEST(RecordFileBig, FilesPastThe32BitSizeOrTheAddressSpaceAreRefusedUnchanged) {
    using file_faults::Operation;
    const std::string siteSize = "Error: File [site.qzd] size could not be defined.";
    const std::string sessSize = "Error: File [sess.qzd] size could not be defined.";
    const std::string siteView = "Error: Could not map view of file [site.qzd].";
    const std::string sessView = "Error: Could not map view of file [sess.qzd].";
    const bool addressSpace32 = sizeof(void*) == 4;  // a 64-bit program maps 2 GiB at ease
    const struct {
        uint64_t size;
        Operation operation;
        std::string message;
    } cases[] = {
        {kHugeSize, Operation::kLookup, siteSize}, {kHugeSize, Operation::kAppend, siteSize},
        {kHugeSize, Operation::kSave, sessSize},   {kHugeSize, Operation::kList, sessSize},
        {kBigSize, Operation::kLookup, siteView},  {kBigSize, Operation::kAppend, siteView},
        {kBigSize, Operation::kSave, sessView},    {kBigSize, Operation::kList, sessView},
    };
    for (const auto& c : cases) {
        if (c.size == kBigSize && !addressSpace32) continue;
        SCOPED_TRACE(std::string(file_faults::FileOf(c.operation)) + " of " + std::to_string(c.size) + " bytes");
        ScratchFolder folder("big_refused");
        const std::string path = folder.File(file_faults::FileOf(c.operation));
        ASSERT_TRUE(MakeBigFile(path, c.size));
        const file_faults::Outcome outcome = file_faults::Run(c.operation, path);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(SizeAndTail(path), (std::pair<uint64_t, std::string>{c.size, "tail"}));
        DeleteFileA(path.c_str());
    }
}
