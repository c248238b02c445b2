#include "session_record.h"

#include "base/format_text.h"

void EncodeSessionRecord(const SessionRecord& record, uint8_t* out) {
    const int32_t fields[] = {record.start, record.elapsed, record.tickets, record.errors,
                              record.lotto, record.traffic, record.banners};
    for (int32_t field : fields) {
        PutInt32(field, out);
        out += 4;
    }
}

SessionRecord DecodeSessionRecord(const uint8_t* in) {
    SessionRecord record{};
    record.start = GetInt32(in);
    record.elapsed = GetInt32(in + 4);
    record.tickets = GetInt32(in + 8);
    record.errors = GetInt32(in + 12);
    record.lotto = GetInt32(in + 16);
    record.traffic = GetInt32(in + 20);
    record.banners = GetInt32(in + 24);
    return record;
}

int32_t NextElapsed(int32_t elapsed) { return elapsed < 0 || elapsed >= kClockWrapSeconds - 1 ? 0 : elapsed + 1; }

void FormatClock(int32_t elapsed, char (&out)[kClockTextSize]) {
    const int hours = elapsed / 3600;
    const int rest = elapsed % 3600;
    FormatText(out, sizeof out, "%02d:%02d:%02d", hours, rest / 60, rest % 60);
}
