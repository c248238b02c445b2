// Where the About header puts the maker's name and the red lines, from the two measured widths.
#include <gtest/gtest.h>

#include "app/about_layout.h"

// Each half is rounded toward zero on its own: W / 2 - w / 2, not (W - w) / 2.
TEST(AboutLayout, NameIsCentredUnderTheProductAndTheLinesStopShortOfIt) {
    const struct {
        const char* name;
        int product, maker;
        AboutHeaderLayout expected;  // makerLeft, leftLineEnd, rightLineStart, rightLineEnd
    } cases[] = {
        {"both even", 170, 56, {115, 113, 174, 230}},  // 58 + 85 - 28, 85 - 28 + 56, 85 + 28 + 61
        {"odd product", 171, 56, {115, 113, 174, 231}},
        {"odd maker: halves apart", 170, 57, {115, 113, 174, 230}},  // (170 - 57) / 2 would give 56
        {"both odd", 171, 57, {115, 113, 174, 231}},
        {"maker wider than product", 40, 61, {48, 46, 111, 100}},  // 20 - 30 = -10
        {"nothing measured", 0, 0, {58, 56, 61, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AboutHeaderLayout layout = LayOutAboutHeader(c.product, c.maker);
        EXPECT_EQ(layout.makerLeft, c.expected.makerLeft);
        EXPECT_EQ(layout.leftLineEnd, c.expected.leftLineEnd);
        EXPECT_EQ(layout.rightLineStart, c.expected.rightLineStart);
        EXPECT_EQ(layout.rightLineEnd, c.expected.rightLineEnd);
    }
}

// At 150 % the offsets grow by half, halves rounded up (58 -> 87, 56 -> 84, 61 -> 92, 60 -> 90);
// the widths come measured at that scale.
TEST(AboutLayout, OffsetsGrowWithTheDisplayScale) {
    const AboutHeaderLayout layout = LayOutAboutHeader(255, 84, 144);
    EXPECT_EQ(layout.makerLeft, 172);       // 87 + 127 - 42
    EXPECT_EQ(layout.leftLineEnd, 169);     // 127 - 42 + 84
    EXPECT_EQ(layout.rightLineStart, 261);  // 127 + 42 + 92
    EXPECT_EQ(layout.rightLineEnd, 345);    // 255 + 90
}
