// The background tint: the tile blended with the system face colour, channel by channel.
#include <gtest/gtest.h>

#include <cstdint>

#include "base/tint.h"

// Each channel keeps p - floor(60p/100) of the tile and adds s - floor(50s/100) of the
// face; the values below are worked out by hand from that rule.
TEST(Tint, ChannelsKeepFortyPercentOfTheTileAndHalfTheFace) {
    const struct {
        unsigned tile, face;
        unsigned tinted;
    } cases[] = {
        {0, 0, 0},       {255, 255, 230},                  // 102 + 128: the brightest result
        {255, 0, 102},   {0, 255, 128},   {100, 100, 90},  // 40 + 50
        {99, 1, 41},                                       // 99 - 59 (59.4 floored) + 1 - 0 (0.5 floored)
        {3, 5, 5},        // 3 - 1 (1.8 floored) + 5 - 2 (2.5 floored); rounding half up gives 3
        {17, 33, 24},     // 17 - 10 + 33 - 16; rounding half up gives 23
        {218, 245, 211},  // 218 - 130 + 245 - 122: a tile pixel on the test prefix's face
        {221, 245, 212},  // 221 - 132 + 123
    };
    for (const auto& c : cases) EXPECT_EQ(unsigned{TintChannel(c.tile, c.face)}, c.tinted) << c.tile << ", " << c.face;
}

TEST(Tint, NoTileAndFacePairGoesAbove230) {
    for (unsigned p = 0; p < 256; ++p)
        for (unsigned s = 0; s < 256; ++s) ASSERT_LE(unsigned{TintChannel(p, s)}, 230u) << "p=" << p << " s=" << s;
}

TEST(Tint, PixelsAreBlueGreenRedTriples) {
    uint8_t pixels[] = {200, 100, 0, 10, 20, 30, 77};  // a stray byte stays as it is
    TintPixels(pixels, sizeof pixels, /*red*/ 212, /*green*/ 208, /*blue*/ 200);
    // Blue with 200, green with 208, red with 212: e.g. the first byte is 200 - 120 + 200 - 100.
    const uint8_t expected[] = {180, 144, 106, 104, 112, 118, 77};
    for (size_t i = 0; i < sizeof pixels; ++i) EXPECT_EQ(unsigned{pixels[i]}, unsigned{expected[i]}) << "byte " << i;
}
