#include "mark_plan.h"

namespace {

bool IsRating(int rating) { return rating >= 1 && rating <= 5; }

// The walk ends at the first record of five or more days; a future stamp never ends it.
constexpr int kLastAgeWalked = 4;

}  // namespace

int AgeInDays(uint32_t now, int32_t stampTime) {
    const int32_t seconds = static_cast<int32_t>(now - static_cast<uint32_t>(stampTime));
    return seconds / kSecondsPerDay;
}

Mark MarkAt(int left, int rating, MarkKind kind) {
    return Mark{left, 89 - 17 * rating, kMarkSize * (rating - 1), kMarkSize * kind};
}

bool MarkPlanner::Visit(int32_t stampTime, int rating) {
    const int age = AgeInDays(now, stampTime);
    // A rating outside 1 to 5 is never written by this program; such a record (a damaged
    // or foreign file) takes no column, draws nothing and cannot become the shown rating,
    // which picks a rating button. It still ends the walk by its age like any record.
    if (IsRating(rating)) {
        bool draw = true;
        MarkKind kind = kDayMark;
        int left = 0;
        if (age == 0) {
            evaluatedToday = true;
            kind = todayMarked ? kRepeatedTodayMark : kDayMark;
            todayMarked = true;
            left = DayColumn(0);
        } else if (age >= 1 && age <= 3) {
            draw = !dayUsed[age];
            dayUsed[age] = true;
            left = DayColumn(age);
        } else {
            draw = !olderUsed;
            olderUsed = true;
            kind = kOlderMark;
            left = kOlderColumn;
        }
        if (draw) {
            if (result == 0) result = rating;
            Place(MarkAt(left, rating, kind));
        }
    }
    return age <= kLastAgeWalked;
}

void MarkPlanner::Finish() {
    if (result != 0) Place(MarkAt(kResultColumn, result, kResultMark));
}

void MarkPlanner::Place(const Mark& mark) {
    for (int i = 0; i < markCount; ++i) {
        if (marks[i].left == mark.left && marks[i].top == mark.top) {
            marks[i] = mark;
            return;
        }
    }
    if (markCount < kMaxMarks) marks[markCount++] = mark;
}
