// The history picture composed with the program's own grid and mark sheet, pixel by pixel.
#include <gtest/gtest.h>

#include <vector>

#include "base/handle.h"
#include "desk/mark_plan.h"
#include "desk/rating_picture.h"
#include "resources/rtln_ids.h"

namespace {

// 24-bit top-down pixels of a bitmap.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bytes;
    int Stride() const { return (width * 3 + 3) & ~3; }
    COLORREF At(int x, int y) const {
        const unsigned char* p = &bytes[static_cast<size_t>(y) * Stride() + x * 3];
        return RGB(p[2], p[1], p[0]);
    }
};

Pixels Read(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    Pixels pixels;
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    pixels.bytes.resize(static_cast<size_t>(pixels.Stride()) * pixels.height);
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const ScreenDc screen(GetDC(nullptr));
    GetDIBits(screen.get(), bitmap, 0, info.bmHeight, pixels.bytes.data(), &format, DIB_RGB_COLORS);
    return pixels;
}

class RatingPicture : public ::testing::Test {
protected:
    void SetUp() override {
        const HINSTANCE self = GetModuleHandleA(nullptr);
        grid_ = static_cast<HBITMAP>(LoadImageA(self, MAKEINTRESOURCEA(IDB_RATING_GRID), IMAGE_BITMAP, 103, 90, 0));
        sheet_ = static_cast<HBITMAP>(LoadImageA(self, MAKEINTRESOURCEA(IDB_RATING_MARKS), IMAGE_BITMAP, 70, 56, 0));
        ASSERT_NE(nullptr, grid_);
        ASSERT_NE(nullptr, sheet_);
        // The surface as the main window makes it: a 24-bit bottom-up DIB section.
        BITMAPINFO format = {};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), 103, 90, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        const ScreenDc screen(GetDC(nullptr));
        void* bits = nullptr;
        picture_ = CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(nullptr, picture_);
        gridPixels_ = Read(grid_);
        sheetPixels_ = Read(sheet_);
    }
    void TearDown() override {
        for (HBITMAP b : {grid_, sheet_, picture_})
            if (b) DeleteObject(b);
    }

    // Which mark (index into the plan) is visible at each pixel, -1 for the grid: the last
    // mark drawn over a pixel wins.
    static int VisibleMark(const MarkPlanner& plan, int x, int y) {
        const Mark* marks = plan.marks;
        int visible = -1;
        for (int i = 0; i < plan.markCount; ++i)
            if (x >= marks[i].left && x < marks[i].left + kMarkSize && y >= marks[i].top &&
                y < marks[i].top + kMarkSize)
                visible = i;
        return visible;
    }

    void ExpectComposed(const MarkPlanner& plan, const char* name) {
        const Mark* marks = plan.marks;
        ASSERT_TRUE(ComposeRatingPicture(picture_, grid_, sheet_, marks, plan.markCount)) << name;
        const Pixels drawn = Read(picture_);
        int mismatches = 0;
        for (int y = 0; y < kPictureHeight; ++y) {
            for (int x = 0; x < kPictureWidth; ++x) {
                const int mark = VisibleMark(plan, x, y);
                const COLORREF expected = mark < 0 ? gridPixels_.At(x, y)
                                                   : sheetPixels_.At(marks[mark].sourceX + x - marks[mark].left,
                                                                     marks[mark].sourceY + y - marks[mark].top);
                if (drawn.At(x, y) != expected && mismatches++ < 5)
                    ADD_FAILURE() << name << ": pixel " << x << "," << y << " mark " << mark;
            }
        }
        EXPECT_EQ(0, mismatches) << name;
    }

    // The number of pixels of a mark cell that differ from the grid below it.
    int DiffersFromGrid(const Mark& mark) const {
        int count = 0;
        for (int dy = 0; dy < kMarkSize; ++dy)
            for (int dx = 0; dx < kMarkSize; ++dx)
                count += sheetPixels_.At(mark.sourceX + dx, mark.sourceY + dy) !=
                         gridPixels_.At(mark.left + dx, mark.top + dy);
        return count;
    }

    HBITMAP grid_ = nullptr;
    HBITMAP sheet_ = nullptr;
    HBITMAP picture_ = nullptr;
    Pixels gridPixels_;
    Pixels sheetPixels_;
};

constexpr uint32_t kNow = 1800000000u;

}  // namespace

TEST_F(RatingPicture, PlansAreDrawnCellByCell) {
    const struct {
        const char* name;
        std::vector<RecordStamp> records;
    } cases[] = {
        {"new site: the bare grid", {}},
        {"good then fair within the hour",
         {{static_cast<int32_t>(kNow - 600), 4}, {static_cast<int32_t>(kNow - 3000), 2}}},
        {"same rating twice today", {{static_cast<int32_t>(kNow - 60), 3}, {static_cast<int32_t>(kNow - 120), 3}}},
        {"ten days old", {{static_cast<int32_t>(kNow - 10 * 86400), 1}}},
        {"every column",
         {{static_cast<int32_t>(kNow - 100), 5},
          {static_cast<int32_t>(kNow - 86500), 4},
          {static_cast<int32_t>(kNow - 2 * 86500), 3},
          {static_cast<int32_t>(kNow - 3 * 86500), 2},
          {static_cast<int32_t>(kNow - 4 * 86500), 1}}},
    };
    for (const auto& c : cases) {
        const MarkPlanner plan = PlanMarks(c.records.data(), c.records.size(), kNow);
        for (int i = 0; i < plan.markCount; ++i)
            EXPECT_GT(DiffersFromGrid(plan.marks[i]), 20) << c.name << ": a mark must show";
        ExpectComposed(plan, c.name);
    }
}

TEST_F(RatingPicture, OlderRedDiscCoversNewerBlueDiscOfTheSameRating) {
    const RecordStamp records[] = {{static_cast<int32_t>(kNow - 60), 3}, {static_cast<int32_t>(kNow - 120), 3}};
    const MarkPlanner plan = PlanMarks(records, 2, kNow);
    ASSERT_TRUE(ComposeRatingPicture(picture_, grid_, sheet_, plan.marks, plan.markCount));
    const Pixels drawn = Read(picture_);
    const Mark red = MarkAt(DayColumn(0), 3, kRepeatedTodayMark);
    const Mark blue = MarkAt(DayColumn(0), 3, kDayMark);
    int redPixels = 0, bluePixels = 0;
    for (int dy = 0; dy < kMarkSize; ++dy)
        for (int dx = 0; dx < kMarkSize; ++dx) {
            const COLORREF pixel = drawn.At(red.left + dx, red.top + dy);
            redPixels += pixel == sheetPixels_.At(red.sourceX + dx, red.sourceY + dy);
            bluePixels += pixel == sheetPixels_.At(blue.sourceX + dx, blue.sourceY + dy);
        }
    EXPECT_EQ(kMarkSize * kMarkSize, redPixels);
    EXPECT_LT(bluePixels, kMarkSize * kMarkSize - 20);
}
