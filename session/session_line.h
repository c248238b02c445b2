#pragma once
// One line of the Player Sessions list, and the calendar arithmetic behind its date.
// The date is English whatever the user's locale; the caller converts the session's
// start to local time and passes the broken-down fields.
#include <cstddef>
#include <cstdint>

#include "session_record.h"

struct CivilTime {
    int year;     // e.g. 2004
    int month;    // 1 to 12
    int day;      // 1 to 31
    int weekday;  // 0 Sunday to 6 Saturday
    int hour;
    int minute;
    int second;
};

// The calendar fields of a count of seconds since 1970-01-01 00:00 (proleptic Gregorian).
CivilTime SplitUnixSeconds(int64_t seconds);

// The session's start as stored is a 32-bit field; read as unsigned it stays right
// after 2038-01-19.
inline int64_t StartSeconds(int32_t start) { return static_cast<uint32_t>(start); }

// "%a, %b %d, %y" in English: "Sun, Dec 05, 04". At most 31 characters.
constexpr size_t kSessionDateSize = 32;
void FormatSessionDate(const CivilTime& local, char (&out)[kSessionDateSize]);

// " %s | %02d:%02d:%02d | %3d | %3d | %2d | %2d | %4d" of the date and the record.
// False when the line does not fit (never with the size below).
constexpr size_t kSessionLineSize = 192;
bool FormatSessionLine(const SessionRecord& record, const CivilTime& localStart, char* out, size_t outSize);
