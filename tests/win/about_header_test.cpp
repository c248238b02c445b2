// The About box's header drawn into memory: white band, black rule, red lines and the maker's name.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "app/about_header.h"
#include "base/program_folder.h"

namespace {

constexpr COLORREF kUntouched = RGB(0, 128, 0);
constexpr COLORREF kLineRed = RGB(255, 72, 72);

// A 400 x 60 picture prefilled green, with the header drawn over its top 45 lines.
class AboutHeader : public ::testing::Test {
protected:
    void SetUp() override {
        fontAdded = AddProgramFont("qzMain.ttf");
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = 400;
        format.bmiHeader.biHeight = -60;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(bitmap, nullptr);
        previous = SelectObject(dc, bitmap);
        HBRUSH green = CreateSolidBrush(kUntouched);
        const RECT all = {0, 0, 400, 60};
        FillRect(dc, &all, green);
        DeleteObject(green);
        const RECT header = {0, 0, 400, 45};
        DrawAboutHeader(dc, header, nullptr, 96);
    }
    void TearDown() override {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        if (fontAdded) RemoveProgramFont("qzMain.ttf");
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    bool Red(int x, int y) const { return At(x, y) == kLineRed; }

    bool fontAdded = false;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

}  // namespace

TEST_F(AboutHeader, WhiteBandBlackLineAndNothingBelow) {
    const struct {
        int x, y;
        COLORREF expected;
    } points[] = {
        {0, 0, RGB(255, 255, 255)}, {10, 20, RGB(255, 255, 255)}, {399, 43, RGB(255, 255, 255)}, {0, 44, RGB(0, 0, 0)},
        {200, 44, RGB(0, 0, 0)},    {399, 44, RGB(0, 0, 0)},      {0, 45, kUntouched},           {200, 50, kUntouched},
    };
    for (const auto& p : points) EXPECT_EQ(At(p.x, p.y), p.expected) << p.x << ", " << p.y;
}

// Along y = 36 a red line starts at x = 58, stops, and a second one ends further right; the
// maker's name (red pixels in the lines above and below) sits between the two, clear of both.
TEST_F(AboutHeader, RedLinesStopShortOfTheMakersName) {
    ASSERT_FALSE(Red(57, 36));
    ASSERT_TRUE(Red(58, 36));
    int leftEnd = 58;
    while (Red(leftEnd + 1, 36)) ++leftEnd;
    int rightEnd = 399;
    while (rightEnd > leftEnd && !Red(rightEnd, 36)) --rightEnd;
    int rightStart = rightEnd;
    while (Red(rightStart - 1, 36)) --rightStart;
    EXPECT_GT(leftEnd, 70) << "left line too short";
    EXPECT_GT(rightEnd - rightStart, 10) << "right line too short";
    int nameLeft = 400, nameRight = -1;
    for (int y = 30; y < 44; ++y) {
        if (y == 36) continue;
        for (int x = 0; x < 400; ++x)
            if (Red(x, y)) {
                nameLeft = std::min(nameLeft, x);
                nameRight = std::max(nameRight, x);
            }
    }
    ASSERT_GE(nameRight, 0) << "no maker's name drawn";
    EXPECT_GE(nameLeft, leftEnd + 2) << "the name touches the left line";
    EXPECT_LE(nameRight, rightStart - 2) << "the name touches the right line";
    // Centred: the gaps either side differ by a few pixels at most.
    EXPECT_LE(std::abs((nameLeft - leftEnd) - (rightStart - nameRight)), 4);
}
