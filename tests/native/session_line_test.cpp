// The lines of the Player Sessions list: the calendar fields of a start and the line's layout.
#include <gtest/gtest.h>

#include <string>

#include "session/session_line.h"
#include "session/session_record.h"

namespace {

std::string Line(const SessionRecord& record, const CivilTime& local) {
    char out[kSessionLineSize];
    EXPECT_TRUE(FormatSessionLine(record, local, out, sizeof out));
    return out;
}

}  // namespace

TEST(SessionLineCalendar, SplitsSecondsIntoCivilFields) {
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
