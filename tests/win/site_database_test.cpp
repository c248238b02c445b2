// site.qzd on real files: the exclusive open, the scan, the append and their failures.
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

TEST_F(SiteDatabase, MessagesAreTheFixedTexts) {
    const std::pair<SiteFileResult, const char*> cases[] = {
        {SiteFileResult::kOpenFailed, "File [site.qzd] could not be opened."},
        {SiteFileResult::kSizeFailed, "File [site.qzd] size could not be defined."},
        {SiteFileResult::kMapFailed, "File [site.qzd] map could not be opened."},
        {SiteFileResult::kViewFailed, "Could not map view of file [site.qzd]."},
    };
    for (const auto& [result, text] : cases) EXPECT_STREQ(text, SiteFileMessage(result));
    EXPECT_EQ(nullptr, SiteFileMessage(SiteFileResult::kOk));
}

TEST_F(SiteDatabase, MissingFileIsReportedAndNeverCreated) {
    Visits visits;
    EXPECT_EQ(SiteFileResult::kOpenFailed, ScanSiteFile(path_.c_str(), 1234, Collect(visits)));
    EXPECT_EQ(SiteFileResult::kOpenFailed, AppendRecordToFile(path_.c_str(), 1234, 3, 1000));
    EXPECT_FALSE(FileExists(path_));
    EXPECT_TRUE(visits.empty());
}

// The program shares nothing itself: a holder that lets readers in still blocks it. (Another
// program holding the file without sharing is a row of record_file_faults_test.cpp.)
TEST_F(SiteDatabase, FileHeldOpenForSharedReadingCannotBeOpened) {
    const Bytes before = RecordsFile({{1234, 10, 2}});
    ASSERT_TRUE(WriteFileBytes(path_, before));
    HANDLE holder = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    Visits visits;
    EXPECT_EQ(SiteFileResult::kOpenFailed, ScanSiteFile(path_.c_str(), 1234, Collect(visits)));
    EXPECT_EQ(SiteFileResult::kOpenFailed, AppendRecordToFile(path_.c_str(), 1234, 3, 1000));
    CloseHandle(holder);
    EXPECT_TRUE(visits.empty());
    EXPECT_EQ(before, ReadFileBytes(path_));
}

TEST_F(SiteDatabase, ZeroLengthFileIsAnEmptyDatabase) {
    ASSERT_TRUE(WriteFileBytes(path_, {}));
    Visits visits;
    EXPECT_EQ(SiteFileResult::kOk, ScanSiteFile(path_.c_str(), 0, Collect(visits)));
    EXPECT_TRUE(visits.empty());
    EXPECT_EQ(SiteFileResult::kOk, AppendRecordToFile(path_.c_str(), 1234, 4, 777));
    EXPECT_EQ(RecordsFile({{1234, 777, 4}}), ReadFileBytes(path_));
    EXPECT_EQ(SiteFileResult::kOk, ScanSiteFile(path_.c_str(), 1234, Collect(visits)));
    EXPECT_EQ((Visits{{777, 4}}), visits);
}

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
