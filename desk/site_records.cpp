#include "site_records.h"

namespace {

int32_t ReadInt32(const unsigned char* p) {
    const uint32_t value = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    return static_cast<int32_t>(value);
}

}  // namespace

SiteRecord DecodeSiteRecord(const unsigned char* bytes) {
    SiteRecord record{};
    record.siteNumber = ReadInt32(bytes);
    record.stampTime = ReadInt32(bytes + 4);
    record.rating = static_cast<int16_t>(static_cast<uint16_t>(bytes[8] | bytes[9] << 8));
    return record;
}

uint32_t WalkSiteRecords(const unsigned char* bytes, uint32_t size, int32_t key, SiteVisitor visit, void* context) {
    uint32_t visited = 0;
    // Only the key is read for a record that does not match: this loop is the whole
    // cost of looking up a site that the file does not hold.
    for (uint32_t i = size / kSiteRecordSize; i-- > 0;) {
        const unsigned char* record = bytes + static_cast<size_t>(i) * kSiteRecordSize;
        if (ReadInt32(record) != key) continue;
        const SiteRecord found = DecodeSiteRecord(record);
        ++visited;
        if (!visit(context, found.stampTime, found.rating)) break;
    }
    return visited;
}
