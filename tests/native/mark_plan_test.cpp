// The plan of the history picture's marks from a site's records, met as the lookup meets
// them: walked newest first through the file's bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "desk/mark_plan.h"
#include "desk/site_records.h"

namespace {

struct RecordStamp {
    int32_t stampTime;
    int rating;
};

struct Plan {
    MarkPlanner planner;
    uint32_t visited = 0;  // records the walk handed over before the planner stopped it
};

// A file of the site's records (given newest first, so written in the reverse order) walked
// into a planner, as a lookup does.
Plan PlanFor(const std::vector<RecordStamp>& newestFirst, uint32_t now) {
    constexpr int32_t kSite = 4242;
    std::vector<uint8_t> file(newestFirst.size() * kSiteRecordSize);
    for (size_t i = 0; i < newestFirst.size(); ++i)
        EncodeSiteRecord({kSite, newestFirst[i].stampTime, static_cast<int16_t>(newestFirst[i].rating)},
                         &file[(newestFirst.size() - 1 - i) * kSiteRecordSize]);
    Plan plan;
    plan.planner.now = now;
    WalkSiteRecords(file, kSite, [&](int32_t stampTime, int rating) {
        ++plan.visited;
        return plan.planner.Visit(stampTime, rating);
    });
    plan.planner.Finish();
    return plan;
}

constexpr uint32_t kNow = 1700000000u;
constexpr int32_t kHour = 3600;
constexpr int32_t kDay = 86400;

int32_t Ago(int32_t seconds, uint32_t now = kNow) { return static_cast<int32_t>(now - static_cast<uint32_t>(seconds)); }

// Where a rating's row starts in the picture and its column in the mark sheet, and where a
// kind's row starts in the sheet (index 0 unused for ratings).
constexpr int kRowTop[6] = {-1, 72, 55, 38, 21, 4};
constexpr int kSheetLeft[6] = {-1, 0, 14, 28, 42, 56};
constexpr int kSheetTop[4] = {0, 14, 28, 42};  // day, result, older, repeated-today

// Expected mark: column left edge, rating, kind.
struct Expected {
    int left;
    int rating;
    MarkKind kind;
};

struct PlanCase {
    const char* name;
    std::vector<RecordStamp> records;  // newest first
    std::vector<Expected> marks;       // the last mark of each cell, in first-drawn order
    int result;
    bool evaluatedToday;
    uint32_t visited;
    uint32_t now = kNow;
};

const std::vector<PlanCase>& Cases() {
    static const std::vector<PlanCase> cases = {
        {"no records", {}, {}, 0, false, 0},
        {"one record ten days old", {{Ago(10 * kDay), 2}}, {{2, 2, kOlderMark}, {87, 2, kResultMark}}, 2, false, 1},
        {"good then fair within the hour",
         {{Ago(10 * 60), 4}, {Ago(50 * 60), 2}},
         {{70, 4, kDayMark}, {70, 2, kRepeatedTodayMark}, {87, 4, kResultMark}},
         4,
         true,
         2},
        {"two same-rating records today, the older covers the newer",
         {{Ago(kHour), 3}, {Ago(2 * kHour), 3}},
         {{70, 3, kRepeatedTodayMark}, {87, 3, kResultMark}},
         3,
         true,
         2},
        {"every record of today is drawn, the last one of a cell shows",
         {{Ago(1), 5}, {Ago(2), 1}, {Ago(3), 1}, {Ago(4), 5}},
         {{70, 5, kRepeatedTodayMark}, {70, 1, kRepeatedTodayMark}, {87, 5, kResultMark}},
         5,
         true,
         4},
        {"26 and 30 hours: only the newer is drawn, both are visited",
         {{Ago(26 * kHour), 5}, {Ago(30 * kHour), 1}},
         {{53, 5, kDayMark}, {87, 5, kResultMark}},
         5,
         false,
         2},
        {"one record in each day column",
         {{Ago(kDay + 5), 1}, {Ago(2 * kDay + 5), 2}, {Ago(3 * kDay + 5), 3}, {Ago(4 * kDay + 5), 4}},
         {{53, 1, kDayMark}, {36, 2, kDayMark}, {19, 3, kDayMark}, {2, 4, kOlderMark}, {87, 1, kResultMark}},
         1,
         false,
         4},
        {"4 and 6 days: the 6-day record is skipped and ends the walk",
         {{Ago(4 * kDay), 3}, {Ago(6 * kDay), 1}, {Ago(7 * kDay), 5}},
         {{2, 3, kOlderMark}, {87, 3, kResultMark}},
         3,
         false,
         2},
        {"a record of 5 days ends the walk when it is the first",
         {{Ago(5 * kDay), 4}, {Ago(6 * kDay), 1}},
         {{2, 4, kOlderMark}, {87, 4, kResultMark}},
         4,
         false,
         1},
        {"just under 5 days does not end the walk",
         {{Ago(5 * kDay - 1), 4}, {Ago(5 * kDay), 1}, {Ago(9 * kDay), 1}},
         {{2, 4, kOlderMark}, {87, 4, kResultMark}},
         4,
         false,
         2},
        {"two days in the future counts as older and does not end the walk",
         {{Ago(-2 * kDay), 2}, {Ago(kDay), 4}, {Ago(8 * kDay), 1}, {Ago(9 * kDay), 1}},
         {{2, 2, kOlderMark}, {53, 4, kDayMark}, {87, 2, kResultMark}},
         2,
         false,
         3},
        {"less than a day in the future is today",
         {{Ago(-(kDay - 1)), 1}},
         {{70, 1, kDayMark}, {87, 1, kResultMark}},
         1,
         true,
         1},
        {"ages wrap across 2038: now past the signed range, stamp before it",
         {{static_cast<int32_t>(0x7FFFFFFF - kHour), 5}, {static_cast<int32_t>(0x7FFFFFFF - 2 * kDay), 2}},
         {{70, 5, kDayMark}, {36, 2, kDayMark}, {87, 5, kResultMark}},
         5,
         true,
         2,
         0x80000000u + kHour},
        {"ages wrap across 2038: both stamps already negative",
         {{Ago(3 * kDay, 0x90000000u), 4}, {Ago(6 * kDay, 0x90000000u), 1}},
         {{19, 4, kDayMark}, {2, 1, kOlderMark}, {87, 4, kResultMark}},
         4,
         false,
         2,
         0x90000000u},
        {"a 2038 stamp seen from 1970 is far in the future: older, walk goes on",
         {{0x7FFFFF00, 3}, {Ago(kDay, 100000), 1}},
         {{2, 3, kOlderMark}, {53, 1, kDayMark}, {87, 3, kResultMark}},
         3,
         false,
         2,
         100000u},
        {"ratings outside 1 to 5 draw nothing and are never the result",
         {{Ago(kHour), 0}, {Ago(2 * kHour), 7}, {Ago(kDay + 1), -3}, {Ago(2 * kDay), 2}},
         {{36, 2, kDayMark}, {87, 2, kResultMark}},
         2,
         false,
         4},
        {"an unusable record takes no column from a usable one",
         {{Ago(kDay), 6}, {Ago(kDay + 60), 4}},
         {{53, 4, kDayMark}, {87, 4, kResultMark}},
         4,
         false,
         2},
        {"an unusable old record still ends the walk", {{Ago(6 * kDay), 0}, {Ago(7 * kDay), 3}}, {}, 0, false, 1},
    };
    return cases;
}

}  // namespace

TEST(MarkPlan, EdgeCases) {
    for (const PlanCase& c : Cases()) {
        const Plan walked = PlanFor(c.records, c.now);
        const MarkPlanner& plan = walked.planner;
        EXPECT_EQ(c.result, plan.result) << c.name;
        EXPECT_EQ(c.evaluatedToday, plan.evaluatedToday) << c.name;
        EXPECT_EQ(c.visited, walked.visited) << c.name;
        ASSERT_EQ(c.marks.size(), static_cast<size_t>(plan.markCount)) << c.name;
        for (size_t i = 0; i < c.marks.size(); ++i) {
            const Expected& e = c.marks[i];
            const Mark& m = plan.marks[i];
            EXPECT_EQ(e.left, m.left) << c.name << " mark " << i;
            EXPECT_EQ(kRowTop[e.rating], m.top) << c.name << " mark " << i;
            EXPECT_EQ(kSheetLeft[e.rating], m.sourceX) << c.name << " mark " << i;
            EXPECT_EQ(kSheetTop[e.kind], m.sourceY) << c.name << " mark " << i;
        }
    }
}

TEST(MarkPlan, MarksStayInsideThePictureAndTheSheet) {
    for (const PlanCase& c : Cases()) {
        const MarkPlanner plan = PlanFor(c.records, c.now).planner;
        for (int i = 0; i < plan.markCount; ++i) {
            const Mark& m = plan.marks[i];
            EXPECT_GE(m.left, 0) << c.name;
            EXPECT_GE(m.top, 0) << c.name;
            EXPECT_LE(m.left + kMarkSize, kPictureWidth) << c.name;
            EXPECT_LE(m.top + kMarkSize, kPictureHeight) << c.name;
            EXPECT_LE(m.sourceX + kMarkSize, 70) << c.name;
            EXPECT_LE(m.sourceY + kMarkSize, 56) << c.name;
        }
    }
}

TEST(MarkPlan, ManyRecordsTodayFillOnlyTheirCells) {
    std::vector<RecordStamp> records;
    for (int i = 0; i < 5000; ++i) records.push_back({Ago(i), 1 + i % 5});
    const Plan walked = PlanFor(records, kNow);
    const MarkPlanner& plan = walked.planner;
    EXPECT_EQ(walked.visited, 5000u);
    EXPECT_EQ(plan.markCount, 6);  // five today cells and the result
    EXPECT_EQ(plan.result, 1);
}

TEST(MarkPlan, AgeTruncatesTowardZero) {
    const struct {
        int32_t secondsAgo;
        int age;
    } cases[] = {{0, 0},  {kDay - 1, 0},    {kDay, 1},   {2 * kDay - 1, 1},    {5 * kDay, 5},
                 {-1, 0}, {-(kDay - 1), 0}, {-kDay, -1}, {-(2 * kDay + 5), -2}};
    for (const auto& c : cases) EXPECT_EQ(c.age, AgeInDays(kNow, Ago(c.secondsAgo))) << c.secondsAgo;
    // The largest spans either way stay defined.
    EXPECT_EQ(0x7FFFFFFF / kDay, AgeInDays(0x7FFFFFFFu, 0));
    EXPECT_EQ(INT32_MIN / kDay, AgeInDays(0, INT32_MIN));
}
