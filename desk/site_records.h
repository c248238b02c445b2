#pragma once
// The site database's record format and the newest-first walk over its bytes. The file is
// a flat run of 12-byte little-endian records; bytes after the last whole record are
// ignored when reading and overwritten by the next append.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/function_ref.h"
#include "base/record_bytes.h"

constexpr uint32_t kSiteRecordSize = 12;

struct SiteRecord {
    int32_t siteNumber;  // value of the Site ID's decimal digits
    int32_t stampTime;   // seconds since 1970-01-01 00:00:00 UTC
    int16_t rating;      // 1 "Poor" .. 5 "Great"; two zero padding bytes follow
};

// Writes the whole 12-byte record with zero padding. An append writes all twelve bytes:
// after a file with 11 stray bytes the first padding byte would otherwise keep a stray one.
// Inline, so that the UI tests build files without linking the program's code.
// The rating is a 16-bit field; its high half of the 32 bits is the padding.
inline void EncodeSiteRecord(const SiteRecord& record, uint8_t* out) {
    PutInt32(record.siteNumber, out);
    PutInt32(record.stampTime, out + 4);
    PutInt32(static_cast<uint16_t>(record.rating), out + 8);
}
SiteRecord DecodeSiteRecord(const uint8_t* bytes);

// Called for each record of the key, newest first; returns whether the walk goes on.
using SiteVisitor = FunctionRef<bool(int32_t stampTime, int rating)>;

// Walks the records whose key matches from the end of the bytes towards their start and hands
// each to the visitor until it says stop.
void WalkSiteRecords(std::span<const uint8_t> bytes, int32_t key, SiteVisitor visit);
