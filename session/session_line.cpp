#include "session_line.h"

#include "base/format_text.h"

namespace {

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

CivilTime SplitUnixSeconds(int64_t seconds) {
    const int64_t days = FloorDiv(seconds, 86400);
    const int64_t secondOfDay = seconds - days * 86400;
    // Days to civil date, counted in 400-year eras that begin on 1 March.
    const int64_t shifted = days + 719468;
    const int64_t era = FloorDiv(shifted, 146097);
    const int64_t dayOfEra = shifted - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;  // 0 is March
    CivilTime time{};
    time.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));
    time.weekday = static_cast<int>(((days + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
    time.hour = static_cast<int>(secondOfDay / 3600);
    time.minute = static_cast<int>(secondOfDay % 3600 / 60);
    time.second = static_cast<int>(secondOfDay % 60);
    return time;
}

void FormatSessionDate(const CivilTime& local, char (&out)[kSessionDateSize]) {
    const char* weekday = local.weekday >= 0 && local.weekday < 7 ? kWeekdays[local.weekday] : "???";
    const char* month = local.month >= 1 && local.month <= 12 ? kMonths[local.month - 1] : "???";
    const int year = ((local.year % 100) + 100) % 100;
    FormatText(out, sizeof out, "%s, %s %02d, %02d", weekday, month, local.day, year);
}

bool FormatSessionLine(const SessionRecord& record, const CivilTime& localStart, char* out, size_t outSize) {
    char date[kSessionDateSize];
    FormatSessionDate(localStart, date);
    const int hours = record.elapsed / 3600;
    const int rest = record.elapsed % 3600;
    const int written =
        FormatText(out, outSize, " %s | %02d:%02d:%02d | %3d | %3d | %2d | %2d | %4d", date, hours, rest / 60,
                   rest % 60, static_cast<int>(record.tickets), static_cast<int>(record.errors),
                   static_cast<int>(record.lotto), static_cast<int>(record.traffic), static_cast<int>(record.banners));
    return written > 0 && static_cast<size_t>(written) < outSize;
}
