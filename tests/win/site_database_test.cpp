// site.qzd on real files: the scan and the append (their faults are rows of record_file_faults_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <utility>

#include "base/program_folder.h"
#include "desk/site_database.h"
#include "desk_files.h"

using namespace desk_test;

namespace {

using Visits = std::vector<std::pair<int32_t, int>>;

// A visitor that keeps every record it is handed.
auto Collect(Visits& visits) {
    return [&visits](int32_t stampTime, int rating) {
        visits.emplace_back(stampTime, rating);
        return true;
    };
}

class SiteDatabase : public ::testing::Test {
protected:
    void TearDown() override { UseDataFolder(nullptr); }
    ScratchFolder folder_{"site_database"};
    std::string path_ = folder_.File("site.qzd");
};

}  // namespace

TEST_F(SiteDatabase, AppendOverwritesStrayBytesAndKeepsATailOfZeros) {
    const Bytes twoRecords = RecordsFile({{1, 100, 1}, {2, 200, 2}});
    for (size_t stray : {0, 1, 5, 11}) {
        Bytes start = twoRecords;
        start.insert(start.end(), stray, 0xAB);
        ASSERT_TRUE(WriteFileBytes(path_, start));
        ASSERT_EQ(SiteFileResult::kOk, AppendRecordToFile(path_.c_str(), 999999, 5, -5));
        Bytes expected = twoRecords;
        const Bytes added = RecordsFile({{999999, -5, 5}});
        expected.insert(expected.end(), added.begin(), added.end());
        expected.insert(expected.end(), stray, 0);
        EXPECT_EQ(expected, ReadFileBytes(path_)) << "stray " << stray;

        Visits visits;  // the stray tail is no record; the new one is found
        EXPECT_EQ(SiteFileResult::kOk, ScanSiteFile(path_.c_str(), 999999, Collect(visits)));
        EXPECT_EQ((Visits{{-5, 5}}), visits) << "stray " << stray;
    }
}

TEST_F(SiteDatabase, ScanWalksNewestFirstThroughTheMapping) {
    ASSERT_TRUE(WriteFileBytes(path_, RecordsFile({{1234, 50, 1}, {77, 60, 2}, {1234, 10, 3}, {1234, 40, 5}})));
    Visits visits;
    EXPECT_EQ(SiteFileResult::kOk, ScanSiteFile(path_.c_str(), 1234, Collect(visits)));
    EXPECT_EQ((Visits{{40, 5}, {10, 3}, {50, 1}}), visits);
    // The scan released the file: it can be opened exclusively again.
    HANDLE again = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, again);
    if (again != INVALID_HANDLE_VALUE) CloseHandle(again);
}

TEST_F(SiteDatabase, ProgramOperationsStampNowAndWritePaddingZero) {
    ASSERT_TRUE(WriteFileBytes(path_, RecordsFile({{5, 1, 1}})));
    UseDataFolder(folder_.Path().c_str());
    const uint32_t before = CurrentUnixTime();
    ASSERT_TRUE(AppendEvaluation(nullptr, 4321, 2));
    const uint32_t after = CurrentUnixTime();
    const Bytes bytes = ReadFileBytes(path_);
    ASSERT_EQ(24u, bytes.size());
    const SiteRecord added = DecodeSiteRecord(&bytes[12]);
    EXPECT_EQ(4321, added.siteNumber);
    EXPECT_EQ(2, added.rating);
    EXPECT_LE(before, static_cast<uint32_t>(added.stampTime));
    EXPECT_LE(static_cast<uint32_t>(added.stampTime), after);
    EXPECT_EQ(0, bytes[22]);
    EXPECT_EQ(0, bytes[23]);
    // The clock agrees with the C library's idea of now.
    EXPECT_LE(static_cast<int64_t>(after) - static_cast<int64_t>(time(nullptr)), 1);

    Visits visits;
    EXPECT_TRUE(ScanSite(nullptr, 4321, Collect(visits)));
    EXPECT_EQ((Visits{{added.stampTime, 2}}), visits);
}
