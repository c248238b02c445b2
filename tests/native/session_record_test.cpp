// The 28-byte records of sess.qzd, where the next one goes, the newest-first walk, and the
// session clock's text and wrap.
#include <gtest/gtest.h>

#include <vector>

#include "session/session_record.h"

namespace {

std::vector<SessionRecord> NewestFirst(const std::vector<uint8_t>& bytes) {
    std::vector<SessionRecord> seen;
    VisitSessionsNewestFirst(std::span<const uint8_t>(bytes), [&](const SessionRecord& r) {
        seen.push_back(r);
        return true;
    });
    return seen;
}

std::vector<uint8_t> FileOf(std::initializer_list<SessionRecord> records, size_t tail = 0) {
    std::vector<uint8_t> bytes(records.size() * kSessionRecordSize + tail, 0xEE);
    size_t at = 0;
    for (const SessionRecord& r : records) {
        EncodeSessionRecord(r, bytes.data() + at);
        at += kSessionRecordSize;
    }
    return bytes;
}

}  // namespace

TEST(SessionRecord, EncodesSevenLittleEndianFields) {
    const SessionRecord record = {0x11223344, 3725, 12, 3, -1, 0x7FFFFFFF, INT32_MIN};
    uint8_t bytes[kSessionRecordSize + 1];
    bytes[kSessionRecordSize] = 0xA5;  // guard: nothing past 28 bytes
    EncodeSessionRecord(record, bytes);
    const uint8_t expected[kSessionRecordSize] = {0x44, 0x33, 0x22, 0x11, 0x8D, 0x0E, 0,    0,    12,   0,
                                                  0,    0,    3,    0,    0,    0,    0xFF, 0xFF, 0xFF, 0xFF,
                                                  0xFF, 0xFF, 0xFF, 0x7F, 0,    0,    0,    0x80};
    EXPECT_EQ(0, memcmp(bytes, expected, sizeof expected));
    EXPECT_EQ(bytes[kSessionRecordSize], 0xA5);
    const SessionRecord back = DecodeSessionRecord(bytes);
    EXPECT_EQ(back.start, record.start);
    EXPECT_EQ(back.elapsed, record.elapsed);
    EXPECT_EQ(back.tickets, record.tickets);
    EXPECT_EQ(back.errors, record.errors);
    EXPECT_EQ(back.lotto, record.lotto);
    EXPECT_EQ(back.traffic, record.traffic);
    EXPECT_EQ(back.banners, record.banners);
}

TEST(SessionRecord, WalksNewestFirstAndIgnoresAShortTail) {
    const SessionRecord a = {1, 10, 1, 0, 0, 0, 0}, b = {2, 20, 2, 0, 0, 0, 0}, c = {3, 30, 3, 0, 0, 0, 0};
    EXPECT_TRUE(NewestFirst({}).empty());
    EXPECT_TRUE(NewestFirst(std::vector<uint8_t>(27, 1)).empty());

    const std::vector<SessionRecord> one = NewestFirst(FileOf({a}, 2));  // 30 bytes
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].start, 1);

    const std::vector<SessionRecord> three = NewestFirst(FileOf({a, b, c}, 27));
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[0].elapsed, 30);
    EXPECT_EQ(three[1].elapsed, 20);
    EXPECT_EQ(three[2].elapsed, 10);
}

TEST(SessionRecord, VisitorCanStopTheWalk) {
    const std::vector<uint8_t> bytes = FileOf({{1, 1, 0, 0, 0, 0, 0}, {2, 2, 0, 0, 0, 0, 0}, {3, 3, 0, 0, 0, 0, 0}});
    int visited = 0;
    const bool complete =
        VisitSessionsNewestFirst(std::span<const uint8_t>(bytes), [&](const SessionRecord&) { return ++visited < 2; });
    EXPECT_FALSE(complete);
    EXPECT_EQ(visited, 2);
}

TEST(SessionRecordClock, TextAndWrap) {
    const struct {
        int32_t elapsed;
        const char* text;
    } texts[] = {{0, "00:00:00"},    {1, "00:00:01"},     {59, "00:00:59"},    {60, "00:01:00"},
                 {3725, "01:02:05"}, {86399, "23:59:59"}, {359999, "99:59:59"}};
    for (const auto& c : texts) {
        char out[kClockTextSize];
        FormatClock(c.elapsed, out);
        EXPECT_STREQ(out, c.text) << c.elapsed;
    }
    const struct {
        int32_t now;
        int32_t next;
    } ticks[] = {{0, 1}, {3724, 3725}, {359998, 359999}, {359999, 0}, {360000, 0}, {-5, 0}, {INT32_MAX, 0}};
    for (const auto& c : ticks) EXPECT_EQ(NextElapsed(c.now), c.next) << c.now;
}
