// sess.qzd on disk: the save's appends and its refusals (its failures, and faults of the file
// itself, are rows of record_file_faults_test.cpp).
#include <gtest/gtest.h>

#include <optional>

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

using Bytes = std::vector<unsigned char>;

// The records' bytes, then any bytes given after them.
Bytes Encoded(std::initializer_list<SessionRecord> records, const Bytes& tail = {}) {
    Bytes bytes;
    for (const SessionRecord& record : records) {
        unsigned char one[kSessionRecordSize];
        EncodeSessionRecord(record, one);
        bytes.insert(bytes.end(), one, one + kSessionRecordSize);
    }
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

}  // namespace

// What a save writes after what the file held (nothing: no file), silently.
TEST(SessionFileSave, AppendsOneRecordOfTheFieldsOrNothing) {
    const SessionRecord first = {kStart, 3725, 12, 3, 5, 1, 30};
    const struct {
        const char* name;
        std::optional<Bytes> before;
        Fields fields;
        int32_t elapsed;
        SaveResult result;
        std::optional<Bytes> after;
    } cases[] = {
        {"the first save creates the file",
         {},
         {"12", "3", "5", "1", "30"},
         3725,
         SaveResult::Written,
         Encoded({first})},
        {"a later one appends; empty fields are 0",
         Encoded({first}),
         {"", "2", "", "", ""},
         60,
         SaveResult::Written,
         Encoded({first, {kStart, 60, 0, 2, 0, 0, 0}})},
        {"over a stray tail, which stays as zeros",
         Encoded({first}, {0xAB, 0xCD}),
         {"4", "", "", "", ""},
         20,
         SaveResult::Written,
         Encoded({first, {kStart, 20, 4, 0, 0, 0, 0}}, {0, 0})},
        // Read as typed, at most 15 characters: "000000000000012".
        {"typed values",
         {},
         {"999", "0", "000000000000012345", "007", "99999"},
         5,
         SaveResult::Written,
         Encoded({{kStart, 5, 999, 0, 12, 7, 99999}})},
        {"the clock at 0", {}, {"5", "1", "", "", ""}, 0, SaveResult::NothingToSave, {}},
        {"Tickets and Errors empty", {}, {"", "", "10", "3", "150"}, 100, SaveResult::NothingToSave, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder("save");
        const std::string path = folder.File("sess.qzd");
        if (c.before) {
            ASSERT_TRUE(WriteFileBytes(path, *c.before));
        }
        CounterWindow window;
        Fill(window, c.fields);
        BoxWatcher boxes;
        EXPECT_EQ(SaveSessionTo(window.get(), path.c_str(), kStart, c.elapsed), c.result);
        EXPECT_TRUE(boxes.Stop().empty());
        EXPECT_EQ(FileExists(path), c.after.has_value());
        if (c.after) {
            EXPECT_EQ(ReadFileBytes(path), *c.after);
        }
    }
}
