#pragma once
// The history file sess.qzd: a plain sequence of 28-byte records, oldest first, every
// field a little-endian signed 32-bit integer. No header, no trailer; a shorter tail
// is not a record.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/record_bytes.h"

constexpr uint32_t kSessionRecordSize = 28;
constexpr int32_t kClockWrapSeconds = 360000;  // the clock wraps to 0 after 99:59:59

struct SessionRecord {
    int32_t start;    // seconds since 1970-01-01 00:00 UTC
    int32_t elapsed;  // length in seconds
    int32_t tickets;
    int32_t errors;
    int32_t lotto;
    int32_t traffic;
    int32_t banners;
};

void EncodeSessionRecord(const SessionRecord& record, uint8_t* out);  // writes 28 bytes
SessionRecord DecodeSessionRecord(const uint8_t* in);                 // reads 28 bytes

// Hands the records of the bytes to visit, newest (last) first. visit returns false to
// stop; the result is false when it stopped.
template <typename Visit>
bool VisitSessionsNewestFirst(std::span<const uint8_t> bytes, Visit visit) {
    return VisitRecordsNewestFirst(bytes, kSessionRecordSize,
                                   [&](const uint8_t* record) { return visit(DecodeSessionRecord(record)); });
}

// The clock after one more second: wraps to 0 when it reaches 100 hours.
int32_t NextElapsed(int32_t elapsed);

// "%02d:%02d:%02d" of hours, minutes and seconds.
constexpr size_t kClockTextSize = 40;
void FormatClock(int32_t elapsed, char (&out)[kClockTextSize]);
