#include "session_record.h"

#include "base/format_text.h"

namespace {

void PutLittleEndian(int32_t value, uint8_t* out) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t GetLittleEndian(const uint8_t* in) {
    uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | in[i];
    return static_cast<int32_t>(bits);
}

}  // namespace

void EncodeSessionRecord(const SessionRecord& record, uint8_t* out) {
    const int32_t fields[] = {record.start, record.elapsed, record.tickets, record.errors,
                              record.lotto, record.traffic, record.banners};
    for (int32_t field : fields) {
        PutLittleEndian(field, out);
        out += 4;
    }
}

SessionRecord DecodeSessionRecord(const uint8_t* in) {
    SessionRecord record{};
    record.start = GetLittleEndian(in);
    record.elapsed = GetLittleEndian(in + 4);
    record.tickets = GetLittleEndian(in + 8);
    record.errors = GetLittleEndian(in + 12);
    record.lotto = GetLittleEndian(in + 16);
    record.traffic = GetLittleEndian(in + 20);
    record.banners = GetLittleEndian(in + 24);
    return record;
}

uint32_t SessionAppendOffset(uint32_t fileSize) { return fileSize / kSessionRecordSize * kSessionRecordSize; }

int32_t NextElapsed(int32_t elapsed) { return elapsed < 0 || elapsed >= kClockWrapSeconds - 1 ? 0 : elapsed + 1; }

void FormatClock(int32_t elapsed, char (&out)[kClockTextSize]) {
    const int hours = elapsed / 3600;
    const int rest = elapsed % 3600;
    FormatText(out, sizeof out, "%02d:%02d:%02d", hours, rest / 60, rest % 60);
}
