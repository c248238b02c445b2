#pragma once
// Which marks of the history picture go where, from a site's records met newest first.
// The picture is 103 x 90: six columns and five rows at a pitch of 17 pixels; a mark is a
// 14 x 14 cell of the mark sheet (column rating - 1, row the mark kind).
#include <cstdint>

constexpr int kMarkSize = 14;
constexpr int kPictureWidth = 103;
constexpr int kPictureHeight = 90;
constexpr int32_t kSecondsPerDay = 86400;

enum MarkKind { kDayMark = 0, kResultMark = 1, kOlderMark = 2, kRepeatedTodayMark = 3 };

// Left edges of the columns.
constexpr int kOlderColumn = 2;
constexpr int kResultColumn = 87;
constexpr int DayColumn(int age) { return 70 - 17 * age; }  // age 0 (today) .. 3

struct Mark {
    int left;  // in the picture
    int top;
    int sourceX;  // in the mark sheet
    int sourceY;
};

// Age of a stamp in whole 24-hour periods back from now. The difference is taken in
// wrapping 32-bit arithmetic and read as signed, so it stays right past 2038 and a stamp
// in the future gives a negative age; the division truncates toward zero.
int AgeInDays(uint32_t now, int32_t stampTime);

// The mark of a kind for a rating at a column. Only ratings 1 to 5 have marks.
Mark MarkAt(int left, int rating, MarkKind kind);

// At most one mark per cell of the grid: six columns by five rating rows.
constexpr int kMaxMarks = 6 * 5;

// Builds the plan one record at a time, as the database walk hands them over. A later mark
// in a cell covers an earlier one, so each cell keeps only its last mark: the plan stays
// small however many records a site has today, and marks of different cells never overlap.
struct MarkPlanner {
    uint32_t now = 0;  // low 32 bits of the present time
    Mark marks[kMaxMarks] = {};
    int markCount = 0;
    int result = 0;  // rating of the newest usable record; 0 for a new site
    bool evaluatedToday = false;
    bool todayMarked = false;
    bool dayUsed[4] = {};  // index 1 to 3
    bool olderUsed = false;

    // Takes the next older record; returns whether the walk goes on.
    bool Visit(int32_t stampTime, int rating);
    // Adds the result mark of a known site.
    void Finish();

private:
    void Place(const Mark& mark);
};
