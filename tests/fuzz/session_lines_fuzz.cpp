// The history file's records from arbitrary bytes, newest first, each made into a line of
// the Player Sessions list. The caller converts the start to local time; here the zone is
// an offset in seconds taken from the input (any 32-bit value), added to the start.
// Input: the offset, how many records before the visit stops (0: never), then the file.
#include <cstdio>
#include <vector>

#include "fuzz_input.h"
#include "session/session_line.h"
#include "session/session_record.h"

namespace {

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsLeap(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

// Days from 1970-01-01 to the first of the month, counted year by year (the years reached
// here lie within a few centuries of 1970).
int64_t DaysBefore(int64_t year, int month) {
    static const int kCumulative[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    int64_t days = 0;
    for (int64_t y = 1970; y < year; ++y) days += IsLeap(y) ? 366 : 365;
    for (int64_t y = year; y < 1970; ++y) days -= IsLeap(y) ? 366 : 365;
    return days + kCumulative[month - 1] + (month > 2 && IsLeap(year) ? 1 : 0);
}

void CheckCivil(const CivilTime& t, int64_t seconds) {
    static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    FUZZ_CHECK(t.month >= 1 && t.month <= 12);
    FUZZ_CHECK(t.day >= 1 && t.day <= kMonthDays[t.month - 1] + (t.month == 2 && IsLeap(t.year) ? 1 : 0));
    FUZZ_CHECK(t.weekday >= 0 && t.weekday <= 6);
    FUZZ_CHECK(t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59);
    const int64_t days = DaysBefore(t.year, t.month) + t.day - 1;
    FUZZ_CHECK(days * 86400 + t.hour * 3600 + t.minute * 60 + t.second == seconds);
    FUZZ_CHECK(((days + 4) % 7 + 7) % 7 == t.weekday);  // 1970-01-01 was a Thursday
}

void CheckLine(const SessionRecord& record, const CivilTime& local) {
    char line[kSessionLineSize];
    FUZZ_CHECK(FormatSessionLine(record, local, line, sizeof line));
    FUZZ_CHECK(std::strlen(line) < sizeof line);
    // Read back as 64-bit numbers, so that a value printed unsigned cannot pass for itself.
    char weekday[4], month[4];
    long long day, year, hours, minutes, seconds, tickets, errors, lotto, traffic, banners;
    int end = 0;
    FUZZ_CHECK(std::sscanf(line, " %3[^,], %3s %lld, %lld | %lld:%lld:%lld | %lld | %lld | %lld | %lld | %lld%n",
                           weekday, month, &day, &year, &hours, &minutes, &seconds, &tickets, &errors, &lotto, &traffic,
                           &banners, &end) == 12);
    FUZZ_CHECK(line[end] == 0);
    FUZZ_CHECK(std::strcmp(weekday, kWeekdays[local.weekday]) == 0);
    FUZZ_CHECK(std::strcmp(month, kMonths[local.month - 1]) == 0);
    FUZZ_CHECK(day == local.day && year == (local.year % 100 + 100) % 100);
    FUZZ_CHECK(hours == record.elapsed / 3600 && minutes == record.elapsed % 3600 / 60 &&
               seconds == record.elapsed % 60);
    FUZZ_CHECK(tickets == record.tickets && errors == record.errors && lotto == record.lotto &&
               traffic == record.traffic && banners == record.banners);
    char date[kSessionDateSize];
    FormatSessionDate(local, date);
    FUZZ_CHECK(std::strlen(date) <= 31 && std::strncmp(line + 1, date, std::strlen(date)) == 0);
}

void CheckClock(int32_t elapsed) {
    char clock[kClockTextSize];
    FormatClock(elapsed, clock);
    FUZZ_CHECK(std::strlen(clock) < sizeof clock);
    const int32_t next = NextElapsed(elapsed);
    FUZZ_CHECK(next >= 0 && next < kClockWrapSeconds);
    if (elapsed >= 0 && elapsed < kClockWrapSeconds - 1) FUZZ_CHECK(next == elapsed + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const int32_t zoneOffset = input.TakeInt32();
    const size_t stopAfter = input.TakeByte();
    const uint8_t* bytes = input.rest();
    const size_t fileSize = input.restSize();

    size_t visits = 0;
    const bool whole = VisitSessionsNewestFirst({bytes, fileSize}, [&](const SessionRecord& record) {
        const size_t index = fileSize / kSessionRecordSize - 1 - visits;
        uint8_t encoded[kSessionRecordSize];
        EncodeSessionRecord(record, encoded);
        FUZZ_CHECK(std::memcmp(encoded, bytes + index * kSessionRecordSize, kSessionRecordSize) == 0);
        ++visits;

        const int64_t localSeconds = StartSeconds(record.start) + zoneOffset;
        const CivilTime local = SplitUnixSeconds(localSeconds);
        CheckCivil(local, localSeconds);
        CheckLine(record, local);
        CheckClock(record.elapsed);
        return visits != stopAfter;
    });
    const bool stopped = visits > 0 && visits == stopAfter;
    FUZZ_CHECK(whole == !stopped);
    FUZZ_CHECK(stopped ? visits <= fileSize / kSessionRecordSize : visits == fileSize / kSessionRecordSize);
    return 0;
}
