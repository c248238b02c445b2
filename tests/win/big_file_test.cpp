// A failed append to a data file past 2 GiB: the cut-back after the failed view must place the
// end at the old size, which no 32-bit signed offset reaches, and never truncate elsewhere.
#include <gtest/gtest.h>

#include <functional>

#include "base/file_mapping.h"
#include "desk/site_database.h"
#include "session/session_internal.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

constexpr DWORD kBigSize = 12u * 178956971u;  // 2 GiB + 4 bytes: whole site records, no whole session tail
const unsigned char kTail[] = {'t', 'a', 'i', 'l'};

LPVOID WINAPI FailingMapView(HANDLE, DWORD, DWORD, DWORD, SIZE_T) { return nullptr; }

// A sparse file of kBigSize bytes ending in kTail.
bool MakeBigFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD ignored = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = kBigSize - sizeof kTail;
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

TEST(BigDataFile, FailedViewKeepsAFilePast2GiBWhole) {
    CounterWindow window;
    window.Set(IDC_TICKETS, "1");
    const struct {
        const char* name;
        std::function<bool(const std::string&)> append;  // false: the append reported its failure
    } cases[] = {
        {"site.qzd", [](const std::string& path) {
             return AppendRecordToFile(path.c_str(), 4711, 3, 1800000000) == SiteFileResult::kOk;
         }},
        {"sess.qzd", [&](const std::string& path) {
             BoxWatcher watcher;  // answers the view message
             return SaveSessionTo(window.get(), path.c_str(), 1800000000, 60) == SaveResult::Written;
         }},
    };
    static const MappingCalls noView = {FailingMapView, FlushViewOfFile};
    for (const auto& c : cases) {
        TempFolder folder("big_file");
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
