// sess.qzd on disk: the save's appends and its refusals, its late failures' messages and the
// cut-back, and the reader behind the Player Sessions list (faults of the file itself, such
// as another program holding it, are in record_file_faults_test.cpp).
#include <gtest/gtest.h>

#include "base/record_file.h"
#include "session/session_internal.h"
#include "session/session_record.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

constexpr int32_t kStart = 1102214525;

struct Fields {
    const char* tickets;
    const char* errors;
    const char* lotto;
    const char* traffic;
    const char* banners;
};

void Fill(const CounterWindow& window, const Fields& fields) {
    window.Set(IDC_TICKETS, fields.tickets);
    window.Set(IDC_ERRORS, fields.errors);
    window.Set(IDC_LOTTO_CREDITS, fields.lotto);
    window.Set(IDC_TRAFFIC_CREDITS, fields.traffic);
    window.Set(IDC_FREE_BANNERS, fields.banners);
}

SessionRecord RecordAt(const std::vector<unsigned char>& bytes, size_t offset) {
    return DecodeSessionRecord(bytes.data() + offset);
}

std::vector<unsigned char> Encoded(const SessionRecord& record) {
    std::vector<unsigned char> bytes(kSessionRecordSize);
    EncodeSessionRecord(record, bytes.data());
    return bytes;
}

LPVOID WINAPI FailingMapView(HANDLE, DWORD, DWORD, DWORD, SIZE_T) { return nullptr; }
BOOL WINAPI FailingFlush(LPCVOID, SIZE_T) { return FALSE; }

std::vector<SessionRecord> ReadAll(const std::string& path, ReadResult* result) {
    std::vector<SessionRecord> records;
    *result = ReadSessionFile(nullptr, path.c_str(), [&](const SessionRecord& r) {
        records.push_back(r);
        return true;
    });
    return records;
}

}  // namespace

TEST(SessionFileSave, FirstSaveCreatesOneRecordAndLaterSavesAppend) {
    ScratchFolder folder("save_append");
    const std::string path = folder.File("sess.qzd");
    CounterWindow window;
    Fill(window, {"12", "3", "5", "1", "30"});
    ASSERT_EQ(SaveSessionTo(window.get(), path.c_str(), kStart, 3725), SaveResult::Written);
    EXPECT_EQ(ReadFileBytes(path), Encoded({kStart, 3725, 12, 3, 5, 1, 30}));

    Fill(window, {"", "2", "", "", ""});  // empty Tickets is stored as 0
    ASSERT_EQ(SaveSessionTo(window.get(), path.c_str(), kStart + 7200, 60), SaveResult::Written);
    const std::vector<unsigned char> bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 56u);
    const SessionRecord second = RecordAt(bytes, 28);
    EXPECT_EQ(second.start, kStart + 7200);
    EXPECT_EQ(second.elapsed, 60);
    EXPECT_EQ(second.tickets, 0);
    EXPECT_EQ(second.errors, 2);
    EXPECT_EQ(second.banners, 0);
    EXPECT_EQ(RecordAt(bytes, 0).tickets, 12);  // the first record untouched
}

TEST(SessionFileSave, NewRecordGoesOverAStrayTail) {
    ScratchFolder folder("save_tail");
    const std::string path = folder.File("sess.qzd");
    std::vector<unsigned char> old = Encoded({kStart, 10, 1, 0, 0, 0, 0});
    old.push_back(0xAB);
    old.push_back(0xCD);
    WriteFileBytes(path, old);  // 30 bytes
    CounterWindow window;
    Fill(window, {"4", "", "", "", ""});
    ASSERT_EQ(SaveSessionTo(window.get(), path.c_str(), kStart + 100, 20), SaveResult::Written);
    const std::vector<unsigned char> bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 58u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 28), Encoded({kStart, 10, 1, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 28, bytes.begin() + 56),
              Encoded({kStart + 100, 20, 4, 0, 0, 0, 0}));
    EXPECT_EQ(bytes[56], 0);
    EXPECT_EQ(bytes[57], 0);
}

TEST(SessionFileSave, NothingIsWrittenWithoutTimeOrCounts) {
    const struct {
        const char* name;
        int32_t elapsed;
        Fields fields;
    } cases[] = {
        {"clock at 0", 0, {"5", "1", "", "", ""}},
        {"tickets and errors empty", 100, {"", "", "10", "3", "150"}},
    };
    for (const auto& c : cases) {
        ScratchFolder folder("save_nothing");
        const std::string path = folder.File("sess.qzd");
        CounterWindow window;
        Fill(window, c.fields);
        BoxWatcher boxes;
        EXPECT_EQ(SaveSessionTo(window.get(), path.c_str(), kStart, c.elapsed), SaveResult::NothingToSave) << c.name;
        EXPECT_FALSE(FileExists(path)) << c.name;
        EXPECT_TRUE(boxes.Stop().empty()) << c.name;
    }
}

TEST(SessionFileSave, ValuesTypedIntoFieldsAreStoredAsTyped) {
    ScratchFolder folder("save_typed");
    const std::string path = folder.File("sess.qzd");
    CounterWindow window;
    Fill(window, {"999", "0", "000000000000012345", "007", "99999"});
    ASSERT_EQ(SaveSessionTo(window.get(), path.c_str(), kStart, 5), SaveResult::Written);
    const SessionRecord record = RecordAt(ReadFileBytes(path), 0);
    EXPECT_EQ(record.tickets, 999);
    EXPECT_EQ(record.errors, 0);
    EXPECT_EQ(record.lotto, 12);  // read at most 15 characters: "000000000000012"
    EXPECT_EQ(record.traffic, 7);
    EXPECT_EQ(record.banners, 99999);
}

TEST(SessionFileSave, LateFailuresShowTheirMessages) {
    static const MappingCalls noView = {FailingMapView, FlushViewOfFile};
    static const MappingCalls noFlush = {MapViewOfFile, FailingFlush};
    const struct {
        const char* name;
        const MappingCalls* calls;
        bool existing;
        SaveResult result;
        const char* message;
        size_t size;
    } cases[] = {
        // A failed view leaves no record of zeros behind: the file is cut back.
        {"view, existing file", &noView, true, SaveResult::Failed, "Could not map view of file [sess.qzd].", 28},
        {"view, new file", &noView, false, SaveResult::Failed, "Could not map view of file [sess.qzd].", 0},
        // A failed flush still counts as written.
        {"flush", &noFlush, true, SaveResult::Written, "File [sess.qzd] map could not be saved.", 56},
    };
    for (const auto& c : cases) {
        ScratchFolder folder("save_late");
        const std::string path = folder.File("sess.qzd");
        if (c.existing) WriteFileBytes(path, Encoded({kStart, 10, 1, 0, 0, 0, 0}));
        CounterWindow window;
        Fill(window, {"1", "", "", "", ""});
        SetWriterMappingCalls(c.calls);
        BoxWatcher watcher;
        const SaveResult result = SaveSessionTo(window.get(), path.c_str(), kStart, 5);
        const std::vector<Box> boxes = watcher.Stop();
        SetWriterMappingCalls(nullptr);
        EXPECT_EQ(result, c.result) << c.name;
        ASSERT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes[0].caption, "Error") << c.name;
        EXPECT_EQ(boxes[0].text, c.message) << c.name;
        EXPECT_EQ(ReadFileBytes(path).size(), c.size) << c.name;
    }
}

TEST(SessionFileRead, ListsWholeRecordsNewestFirst) {
    ScratchFolder folder("read_records");
    const std::string path = folder.File("sess.qzd");
    std::vector<unsigned char> bytes = Encoded({kStart, 1, 0, 0, 0, 0, 0});
    const std::vector<unsigned char> second = Encoded({kStart, 2, 0, 0, 0, 0, 0});
    bytes.insert(bytes.end(), second.begin(), second.end());
    bytes.push_back(7);
    bytes.push_back(7);
    WriteFileBytes(path, bytes);  // 58 bytes: two records and a short tail
    ReadResult result;
    const std::vector<SessionRecord> records = ReadAll(path, &result);
    EXPECT_EQ(result, ReadResult::Done);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].elapsed, 2);
    EXPECT_EQ(records[1].elapsed, 1);

    WriteFileBytes(path, std::vector<unsigned char>(bytes.begin(), bytes.begin() + 30));
    EXPECT_EQ(ReadAll(path, &result).size(), 1u);
}
