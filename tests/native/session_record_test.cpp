// The 28-byte records of sess.qzd, where the next one goes, the newest-first walk and
// the lines of the Player Sessions list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/session_line.h"
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

std::string Line(const SessionRecord& record, const CivilTime& local) {
    char out[kSessionLineSize];
    EXPECT_TRUE(FormatSessionLine(record, local, out, sizeof out));
    return out;
}

}  // namespace

TEST(SessionRecordFormat, EncodesSevenLittleEndianFields) {
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

TEST(SessionRecordFormat, AppendGoesAfterTheLastWholeRecord) {
    const struct {
        uint32_t size;
        uint32_t offset;
    } cases[] = {{0, 0}, {1, 0}, {27, 0}, {28, 28}, {30, 28}, {55, 28}, {56, 56}, {0xFFFFFFFFu, 0xFFFFFFFCu}};
    for (const auto& c : cases) EXPECT_EQ(SessionAppendOffset(c.size), c.offset) << c.size;
}

TEST(SessionRecordFormat, WalksNewestFirstAndIgnoresAShortTail) {
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

TEST(SessionRecordFormat, VisitorCanStopTheWalk) {
    const std::vector<uint8_t> bytes = FileOf({{1, 1, 0, 0, 0, 0, 0}, {2, 2, 0, 0, 0, 0, 0}, {3, 3, 0, 0, 0, 0, 0}});
    int visited = 0;
    const bool complete =
        VisitSessionsNewestFirst(std::span<const uint8_t>(bytes), [&](const SessionRecord&) { return ++visited < 2; });
    EXPECT_FALSE(complete);
    EXPECT_EQ(visited, 2);
}

TEST(SessionCalendar, SplitsSecondsIntoCivilFields) {
    const struct {
        int64_t seconds;
        CivilTime time;
    } cases[] = {
        {0, {1970, 1, 1, 4, 0, 0, 0}},
        {1102214525, {2004, 12, 5, 0, 2, 42, 5}},  // a Sunday
        {951782400, {2000, 2, 29, 2, 0, 0, 0}},    // leap day of a century leap year
        {2147483647, {2038, 1, 19, 2, 3, 14, 7}},
        {StartSeconds(INT32_MIN), {2038, 1, 19, 2, 3, 14, 8}},  // stored start read as unsigned
        {StartSeconds(-1), {2106, 2, 7, 0, 6, 28, 15}},
        {-1, {1969, 12, 31, 3, 23, 59, 59}},
    };
    for (const auto& c : cases) {
        const CivilTime t = SplitUnixSeconds(c.seconds);
        EXPECT_EQ(t.year, c.time.year) << c.seconds;
        EXPECT_EQ(t.month, c.time.month) << c.seconds;
        EXPECT_EQ(t.day, c.time.day) << c.seconds;
        EXPECT_EQ(t.weekday, c.time.weekday) << c.seconds;
        EXPECT_EQ(t.hour, c.time.hour) << c.seconds;
        EXPECT_EQ(t.minute, c.time.minute) << c.seconds;
        EXPECT_EQ(t.second, c.time.second) << c.seconds;
    }
}

TEST(SessionLine, ExampleSessionGivesTheExactLine) {
    const SessionRecord record = {1102214525, 3725, 12, 3, 5, 1, 30};
    EXPECT_EQ(Line(record, SplitUnixSeconds(record.start)), " Sun, Dec 05, 04 | 01:02:05 |  12 |   3 |  5 |  1 |   30");
}

TEST(SessionLine, WideNumbersPushTheRestRight) {
    const CivilTime day = SplitUnixSeconds(1102214525);
    EXPECT_EQ(Line({0, 359999, 1234, 0, 0, 0, 0}, day), " Sun, Dec 05, 04 | 99:59:59 | 1234 |   0 |  0 |  0 |    0");
    EXPECT_EQ(Line({0, 59, 5, 1000, 100, -1, 12345}, day),
              " Sun, Dec 05, 04 | 00:00:59 |   5 | 1000 | 100 | -1 | 12345");
}

TEST(SessionLine, EveryWeekdayAndMonthIsEnglish) {
    const char* weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int w = 0; w < 7; ++w) {
        char out[kSessionDateSize];
        FormatSessionDate({2010, 1 + w, 9, w, 0, 0, 0}, out);
        EXPECT_EQ(std::string(out), std::string(weekdays[w]) + ", " + months[w] + " 09, 10");
    }
    for (int m = 7; m < 12; ++m) {
        char out[kSessionDateSize];
        FormatSessionDate({1999, m + 1, 31, 0, 0, 0, 0}, out);
        EXPECT_EQ(std::string(out).substr(5, 3), months[m]);
    }
}
