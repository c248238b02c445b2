// The site database's record bytes and the newest-first walk over them.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "desk/site_digits.h"
#include "desk/site_records.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes FileOf(const std::vector<SiteRecord>& records, size_t strayBytes = 0) {
    Bytes bytes(records.size() * kSiteRecordSize + strayBytes, 0xEE);
    for (size_t i = 0; i < records.size(); ++i) EncodeSiteRecord(records[i], &bytes[i * kSiteRecordSize]);
    return bytes;
}

using Visits = std::vector<std::pair<int32_t, int>>;

Visits Walk(const Bytes& bytes, int32_t key) {
    Visits visits;
    WalkSiteRecords(bytes, key, [&](int32_t stampTime, int rating) {
        visits.emplace_back(stampTime, rating);
        return true;
    });
    return visits;
}

}  // namespace

TEST(SiteRecords, EncodingIsLittleEndianWithZeroPadding) {
    unsigned char bytes[12];
    std::memset(bytes, 0xAA, sizeof bytes);
    EncodeSiteRecord({0x01020304, -2, 5}, bytes);
    const unsigned char expected[12] = {4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 5, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(bytes, expected, 12));

    EncodeSiteRecord({7, 8, -1}, bytes);
    EXPECT_EQ(0xFF, bytes[8]);
    EXPECT_EQ(0xFF, bytes[9]);
    const SiteRecord back = DecodeSiteRecord(bytes);
    EXPECT_EQ(7, back.siteNumber);
    EXPECT_EQ(8, back.stampTime);
    EXPECT_EQ(-1, back.rating);
}

TEST(SiteRecords, SpansWithoutAWholeRecordHoldNothing) {
    for (size_t stray = 0; stray < kSiteRecordSize; ++stray) {
        Bytes bytes(stray, 0);  // zero bytes would match key 0 if they were read as a record
        EXPECT_TRUE(Walk(bytes, 0).empty()) << stray;
    }
}

TEST(SiteRecords, StrayTailIsIgnoredAndNewestComesFirst) {
    const std::vector<SiteRecord> records = {{1234, 500, 1},
                                             {99, 600, 2},
                                             {1234, 100, 3},  // newer in the file, older by its stamp
                                             {4321, 700, 4},
                                             {1234, 300, 5}};
    for (size_t stray : {0, 1, 11}) {
        const Visits visits = Walk(FileOf(records, stray), 1234);
        const Visits expected = {{300, 5}, {100, 3}, {500, 1}};
        EXPECT_EQ(expected, visits) << "stray bytes " << stray;
    }
    EXPECT_TRUE(Walk(FileOf(records), 5).empty());
}

TEST(SiteRecords, SiteIdsWithTheSameDigitValueShareRecords) {
    const char* ids[] = {"X01234", "A1234", "1234"};
    std::vector<SiteRecord> records;
    for (int i = 0; i < 3; ++i) {
        char digits[kSiteDigitsSize];
        ASSERT_EQ(SiteIdVerdict::kAccepted, ExtractSiteDigits(ids[i], std::strlen(ids[i]) + 1, digits));
        records.push_back({SiteNumberOf(digits), 10 * (i + 1), static_cast<int16_t>(i + 1)});
    }
    const Visits expected = {{30, 3}, {20, 2}, {10, 1}};
    EXPECT_EQ(expected, Walk(FileOf(records), 1234));
}

TEST(SiteRecords, VisitorStopsTheWalk) {
    const Bytes bytes = FileOf({{7, 1, 1}, {7, 2, 2}, {7, 3, 3}, {7, 4, 4}});
    int calls = 0;
    WalkSiteRecords(bytes, 7, [&](int32_t, int) { return ++calls < 2; });
    EXPECT_EQ(2, calls);
}
