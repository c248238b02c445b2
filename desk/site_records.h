#pragma once
// The site database's record format and the newest-first walk over its bytes. The file is
// a flat run of 12-byte little-endian records; bytes after the last whole record are
// ignored when reading and overwritten by the next append.
#include <cstddef>
#include <cstdint>

constexpr uint32_t kSiteRecordSize = 12;

struct SiteRecord {
    int32_t siteNumber;  // value of the Site ID's decimal digits
    int32_t stampTime;   // seconds since 1970-01-01 00:00:00 UTC
    int16_t rating;      // 1 "Poor" .. 5 "Great"; two zero padding bytes follow
};

// Writes the whole 12-byte record with zero padding. An append writes all twelve bytes:
// after a file with 11 stray bytes the first padding byte would otherwise keep a stray one.
// Inline, so that the UI tests build files without linking the program's code.
inline void EncodeSiteRecord(const SiteRecord& record, unsigned char* out) {
    const uint32_t fields[2] = {static_cast<uint32_t>(record.siteNumber), static_cast<uint32_t>(record.stampTime)};
    for (int f = 0; f < 2; ++f)
        for (int i = 0; i < 4; ++i) out[4 * f + i] = static_cast<unsigned char>(fields[f] >> (8 * i));
    const uint16_t rating = static_cast<uint16_t>(record.rating);
    out[8] = static_cast<unsigned char>(rating);
    out[9] = static_cast<unsigned char>(rating >> 8);
    out[10] = 0;
    out[11] = 0;
}
SiteRecord DecodeSiteRecord(const unsigned char* bytes);

// Where the next record goes in a file of `size` bytes: stray bytes after the last whole
// record are overwritten.
constexpr uint32_t AppendOffset(uint32_t size) { return size / kSiteRecordSize * kSiteRecordSize; }

// Called for each record of the key, newest first; returns whether the walk goes on.
using SiteVisitor = bool (*)(void* context, int32_t stampTime, int rating);

// Walks the records whose key matches from the end of the span towards its start and hands
// each to the visitor until it says stop. Returns how many records were handed over.
uint32_t WalkSiteRecords(const unsigned char* bytes, uint32_t size, int32_t key, SiteVisitor visit, void* context);
