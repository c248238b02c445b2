// The newest-first walk over arbitrary site.qzd bytes feeding the history picture's plan,
// as a lookup does. Input: a mode byte, a key, the present time, how many visits before the
// visitor stops (0: never), then the file's bytes.
#include <vector>

#include "desk/mark_plan.h"
#include "desk/site_records.h"
#include "fuzz_input.h"

namespace {

struct Stamp {
    int32_t stampTime;
    int rating;
};

// The records of the key newest first, read from the bytes without the walk's code.
std::vector<Stamp> RecordsOfKey(const uint8_t* bytes, size_t size, int32_t key) {
    std::vector<Stamp> found;
    for (size_t end = size - size % kSiteRecordSize; end > 0; end -= kSiteRecordSize) {
        const uint8_t* record = bytes + end - kSiteRecordSize;
        int32_t number, stamp;
        int16_t rating;
        std::memcpy(&number, record, 4);  // the host is little-endian, as the file
        std::memcpy(&stamp, record + 4, 4);
        std::memcpy(&rating, record + 8, 2);
        if (number == key) found.push_back({stamp, rating});
    }
    return found;
}

// Whole 24-hour periods back from now, the difference taken in 32 bits and read as signed.
int64_t Age(uint32_t now, int32_t stampTime) {
    return int64_t{static_cast<int32_t>(now - static_cast<uint32_t>(stampTime))} / kSecondsPerDay;
}

// The kind of mark each cell of the picture gets (-1: none), worked out from the records as
// the lookup describes it: columns 0 (older) to 4 (today) and 5 (result), rows by rating.
struct Cells {
    int kind[6][6];
    int result = 0;
};

Cells ExpectedCells(const std::vector<Stamp>& visited, uint32_t now) {
    Cells cells;
    std::memset(cells.kind, -1, sizeof cells.kind);
    bool todayMarked = false, dayUsed[4] = {}, olderUsed = false;
    for (const Stamp& record : visited) {
        const int r = record.rating;
        if (r < 1 || r > 5) continue;
        const int64_t age = Age(now, record.stampTime);
        int column = 0, kind = kOlderMark;
        if (age == 0) {
            column = 4;
            kind = todayMarked ? kRepeatedTodayMark : kDayMark;
            todayMarked = true;
        } else if (age >= 1 && age <= 3) {
            if (dayUsed[age]) continue;
            dayUsed[age] = true;
            column = 4 - static_cast<int>(age);
            kind = kDayMark;
        } else {
            if (olderUsed) continue;
            olderUsed = true;
        }
        cells.kind[column][r] = kind;
        if (cells.result == 0) cells.result = r;
    }
    if (cells.result != 0) cells.kind[5][cells.result] = kResultMark;
    return cells;
}

struct Walk {
    std::vector<Stamp> expected;
    size_t calls = 0;
    size_t stopAfter = 0;
    bool plannerStopped = false;
    MarkPlanner planner;
    int firstRating = 0;  // of the first visited record with a rating of 1 to 5
};

bool Visit(Walk& walk, int32_t stampTime, int rating) {
    FUZZ_CHECK(walk.calls < walk.expected.size());
    FUZZ_CHECK(walk.expected[walk.calls].stampTime == stampTime);
    FUZZ_CHECK(walk.expected[walk.calls].rating == rating);
    ++walk.calls;
    if (walk.firstRating == 0 && rating >= 1 && rating <= 5) walk.firstRating = rating;
    const bool goOn = walk.planner.Visit(stampTime, rating);
    // The walk ends at the first record of five or more days back.
    FUZZ_CHECK(goOn == (Age(walk.planner.now, stampTime) <= 4));
    walk.plannerStopped = !goOn;
    return goOn && walk.calls != walk.stopAfter;
}

void CheckPlan(const MarkPlanner& plan, const Walk& walk) {
    FUZZ_CHECK(plan.visited == walk.calls);
    const Cells cells = ExpectedCells({walk.expected.begin(), walk.expected.begin() + walk.calls}, plan.now);
    FUZZ_CHECK(plan.result == cells.result);
    int expectedMarks = 0;
    for (const auto& column : cells.kind)
        for (int kind : column) expectedMarks += kind >= 0;
    FUZZ_CHECK(plan.markCount == expectedMarks);
    FUZZ_CHECK(plan.markCount >= 0 && plan.markCount <= kMaxMarks);
    FUZZ_CHECK(plan.result == walk.firstRating);
    int resultMarks = 0;
    bool todayMark = false;
    for (int i = 0; i < plan.markCount; ++i) {
        const Mark& m = plan.marks[i];
        // Inside the picture, on a column of the grid, and a cell of the 5 x 4 mark sheet.
        FUZZ_CHECK(m.left >= 0 && m.top >= 0);
        FUZZ_CHECK(m.left + kMarkSize <= kPictureWidth && m.top + kMarkSize <= kPictureHeight);
        FUZZ_CHECK((m.left - kOlderColumn) % 17 == 0);
        FUZZ_CHECK((89 - m.top) % 17 == 0);
        FUZZ_CHECK(m.sourceX >= 0 && m.sourceX <= 4 * kMarkSize && m.sourceX % kMarkSize == 0);
        FUZZ_CHECK(m.sourceY >= 0 && m.sourceY <= 3 * kMarkSize && m.sourceY % kMarkSize == 0);
        // The mark's row is its rating, and so is its column in the sheet.
        FUZZ_CHECK(m.sourceX / kMarkSize + 1 == (89 - m.top) / 17);
        for (int j = 0; j < i; ++j) FUZZ_CHECK(plan.marks[j].left != m.left || plan.marks[j].top != m.top);
        FUZZ_CHECK(cells.kind[(m.left - kOlderColumn) / 17][(89 - m.top) / 17] == m.sourceY / kMarkSize);
        if (m.left == kResultColumn) {
            ++resultMarks;
            FUZZ_CHECK(m.sourceY == kMarkSize * kResultMark && m.sourceX / kMarkSize + 1 == plan.result);
        } else {
            FUZZ_CHECK(m.sourceY != kMarkSize * kResultMark);
        }
        if (m.left == DayColumn(0)) todayMark = true;
    }
    FUZZ_CHECK(resultMarks == (plan.result != 0 ? 1 : 0));
    if (plan.evaluatedToday) FUZZ_CHECK(todayMark);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t mode = input.TakeByte();
    int32_t key = input.TakeInt32();
    const uint32_t nowValue = input.Take32();
    const size_t stopAfter = input.TakeByte();
    const uint8_t* bytes = input.rest();
    const size_t fileSize = input.restSize();
    const size_t recordCount = fileSize / kSiteRecordSize;
    // Mode bit 0: the key of a record of the file, so that walks find something.
    if ((mode & 1) && recordCount > 0)
        std::memcpy(&key, bytes + static_cast<uint32_t>(key) % recordCount * kSiteRecordSize, 4);

    Walk walk;
    walk.expected = RecordsOfKey(bytes, fileSize, key);
    walk.stopAfter = stopAfter;
    // Mode bit 1: the present time counted from the newest record of the key.
    walk.planner.now = (mode & 2) && !walk.expected.empty()
                           ? static_cast<uint32_t>(walk.expected[0].stampTime) + nowValue % (8 * kSecondsPerDay)
                           : nowValue;
    const uint32_t visited = WalkSiteRecords(
        {bytes, fileSize}, key, [&](int32_t stampTime, int rating) { return Visit(walk, stampTime, rating); });
    FUZZ_CHECK(visited == walk.calls);
    if (!walk.plannerStopped && (stopAfter == 0 || walk.calls < stopAfter))
        FUZZ_CHECK(walk.calls == walk.expected.size());
    walk.planner.Finish();
    CheckPlan(walk.planner, walk);

    // The whole plan from the same records agrees with the one built during the walk.
    std::vector<RecordStamp> stamps;
    for (size_t i = 0; i < walk.calls; ++i) stamps.push_back({walk.expected[i].stampTime, walk.expected[i].rating});
    const MarkPlanner whole = PlanMarks(stamps.data(), stamps.size(), walk.planner.now);
    FUZZ_CHECK(whole.markCount == walk.planner.markCount && whole.result == walk.planner.result);
    FUZZ_CHECK(std::memcmp(whole.marks, walk.planner.marks, sizeof whole.marks) == 0);
    return 0;
}
