#include "site_records.h"

SiteRecord DecodeSiteRecord(const uint8_t* bytes) {
    SiteRecord record{};
    record.siteNumber = GetInt32(bytes);
    record.stampTime = GetInt32(bytes + 4);
    record.rating = static_cast<int16_t>(static_cast<uint16_t>(bytes[8] | bytes[9] << 8));
    return record;
}

void WalkSiteRecords(std::span<const uint8_t> bytes, int32_t key, SiteVisitor visit) {
    // Only the key is read for a record that does not match: this loop is the whole
    // cost of looking up a site that the file does not hold.
    VisitRecordsNewestFirst(bytes, kSiteRecordSize, [&](const uint8_t* record) {
        if (GetInt32(record) != key) return true;
        const SiteRecord found = DecodeSiteRecord(record);
        return visit(found.stampTime, found.rating);
    });
}
