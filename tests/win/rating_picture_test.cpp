// The history picture composed with the program's own grid and mark sheet, pixel by pixel.
// Which marks go where is the plan's rule (mark_plan_test.cpp); here the marks are given.
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

    // Which mark is over each pixel, -1 for the grid (the marks given never overlap).
    static int MarkOver(const std::vector<Mark>& marks, int x, int y) {
        for (size_t i = 0; i < marks.size(); ++i)
            if (x >= marks[i].left && x < marks[i].left + kMarkSize && y >= marks[i].top &&
                y < marks[i].top + kMarkSize)
                return static_cast<int>(i);
        return -1;
    }

    void ExpectComposed(const std::vector<Mark>& marks, const char* name) {
        ASSERT_TRUE(ComposeRatingPicture(picture_, grid_, sheet_, marks.data(), static_cast<int>(marks.size())))
            << name;
        const Pixels drawn = Read(picture_);
        int mismatches = 0;
        for (int y = 0; y < kPictureHeight; ++y) {
            for (int x = 0; x < kPictureWidth; ++x) {
                const int mark = MarkOver(marks, x, y);
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

}  // namespace

// Marks as {left, top, sheet x, sheet y}: rating r's row starts at 89 - 17 r in the picture
// and its column at 14 (r - 1) in the sheet; the sheet's rows are the day, result, older and
// repeated-today marks, 14 pixels apart.
TEST_F(RatingPicture, MarksAreDrawnCellByCell) {
    const struct {
        const char* name;
        std::vector<Mark> marks;
    } cases[] = {
        {"new site: the bare grid", {}},
        {"good today, fair again today, good as the result", {{70, 21, 42, 0}, {70, 55, 14, 42}, {87, 21, 42, 14}}},
        {"poor, older than four days", {{2, 72, 0, 28}, {87, 72, 0, 14}}},
        {"every column",
         {{70, 4, 56, 0}, {53, 21, 42, 0}, {36, 38, 28, 0}, {19, 55, 14, 0}, {2, 72, 0, 28}, {87, 4, 56, 14}}},
    };
    for (const auto& c : cases) {
        for (const Mark& mark : c.marks) EXPECT_GT(DiffersFromGrid(mark), 20) << c.name << ": a mark must show";
        ExpectComposed(c.marks, c.name);
    }
}
