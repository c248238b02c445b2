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

bool Usable(int rating) { return rating >= 1 && rating <= 5; }

// The grid column a record's age belongs to: 4 for today, 3 to 1 for one to three days back,
// 0 for anything else (older, or a day or more in the future).
int ColumnOfAge(int64_t age) { return age >= 0 && age <= 3 ? 4 - static_cast<int>(age) : 0; }

struct Walk {
    std::vector<Stamp> expected;
    size_t calls = 0;
    size_t stopAfter = 0;
    bool plannerStopped = false;
    MarkPlanner planner;
};

bool Visit(Walk& walk, int32_t stampTime, int rating) {
    FUZZ_CHECK(walk.calls < walk.expected.size());
    FUZZ_CHECK(walk.expected[walk.calls].stampTime == stampTime);
    FUZZ_CHECK(walk.expected[walk.calls].rating == rating);
    ++walk.calls;
    const bool goOn = walk.planner.Visit(stampTime, rating);
    // The walk ends at the first record of five or more days back.
    FUZZ_CHECK(goOn == (Age(walk.planner.now, stampTime) <= 4));
    walk.plannerStopped = !goOn;
    return goOn && walk.calls != walk.stopAfter;
}

// What the plan must show of the records it was handed, whatever they are.
void CheckPlan(const MarkPlanner& plan, const Walk& walk) {
    const std::vector<Stamp> visited(walk.expected.begin(), walk.expected.begin() + walk.calls);
    int firstRating = 0, todayRecords = 0;
    int newestOfColumn[5] = {};  // rating of the newest usable record of the column's age, 0: none
    for (const Stamp& record : visited) {
        if (!Usable(record.rating)) continue;
        if (firstRating == 0) firstRating = record.rating;
        const int column = ColumnOfAge(Age(plan.now, record.stampTime));
        if (newestOfColumn[column] == 0) newestOfColumn[column] = record.rating;
        todayRecords += column == 4;
    }
    FUZZ_CHECK(plan.result == firstRating);
    FUZZ_CHECK(plan.evaluatedToday == (todayRecords > 0));
    FUZZ_CHECK(plan.markCount >= 0 && plan.markCount <= kMaxMarks);

    int columnMarks[6] = {};
    int resultMarks = 0;
    for (int i = 0; i < plan.markCount; ++i) {
        const Mark& m = plan.marks[i];
        // Inside the picture, on a cell of the grid, and a cell of the 5 x 4 mark sheet.
        FUZZ_CHECK(m.left >= 0 && m.top >= 0);
        FUZZ_CHECK(m.left + kMarkSize <= kPictureWidth && m.top + kMarkSize <= kPictureHeight);
        FUZZ_CHECK((m.left - kOlderColumn) % 17 == 0 && (89 - m.top) % 17 == 0);
        FUZZ_CHECK(m.sourceX >= 0 && m.sourceX <= 4 * kMarkSize && m.sourceX % kMarkSize == 0);
        FUZZ_CHECK(m.sourceY >= 0 && m.sourceY <= 3 * kMarkSize && m.sourceY % kMarkSize == 0);
        const int column = (m.left - kOlderColumn) / 17, rating = (89 - m.top) / 17, kind = m.sourceY / kMarkSize;
        FUZZ_CHECK(m.sourceX / kMarkSize + 1 == rating);  // the row is the rating, as is the sheet column
        for (int j = 0; j < i; ++j) FUZZ_CHECK(plan.marks[j].left != m.left || plan.marks[j].top != m.top);
        ++columnMarks[column];
        // An earlier day, and the older column, show only their newest record.
        if (column < 4) FUZZ_CHECK(rating == newestOfColumn[column]);
        if (column == 5) {
            ++resultMarks;
            FUZZ_CHECK(kind == kResultMark && rating == plan.result);
            continue;
        }
        // Each column shows its own kind of mark, for a record of that rating and age.
        const int expectedKinds[5] = {kOlderMark, kDayMark, kDayMark, kDayMark, kDayMark};
        FUZZ_CHECK(kind == expectedKinds[column] || (column == 4 && kind == kRepeatedTodayMark));
        bool fromARecord = false;
        for (const Stamp& record : visited)
            fromARecord |= record.rating == rating && ColumnOfAge(Age(plan.now, record.stampTime)) == column;
        FUZZ_CHECK(fromARecord);
    }
    FUZZ_CHECK(resultMarks == (plan.result != 0 ? 1 : 0));
    for (int column = 0; column < 4; ++column) FUZZ_CHECK(columnMarks[column] == (newestOfColumn[column] != 0));
    FUZZ_CHECK((columnMarks[4] > 0) == (newestOfColumn[4] != 0));
    // A lone record of today is a plain day mark; a repeat shows only once there were two.
    for (int i = 0; i < plan.markCount; ++i)
        if (plan.marks[i].sourceY == kMarkSize * kRepeatedTodayMark) FUZZ_CHECK(todayRecords >= 2);
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
    WalkSiteRecords({bytes, fileSize}, key,
                    [&](int32_t stampTime, int rating) { return Visit(walk, stampTime, rating); });
    if (!walk.plannerStopped && (stopAfter == 0 || walk.calls < stopAfter))
        FUZZ_CHECK(walk.calls == walk.expected.size());
    walk.planner.Finish();
    CheckPlan(walk.planner, walk);
    return 0;
}
