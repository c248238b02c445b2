// Background tint and the presence rules of stored settings.
#include <gtest/gtest.h>

#include <cstring>

#include "base/setting_rules.h"
#include "base/tint.h"

// Each channel keeps p - floor(60p/100) of the tile and adds s - floor(50s/100) of the
// face; the values below are worked out by hand from that rule.
TEST(BackgroundTint, ChannelsKeepFortyPercentOfTheTileAndHalfTheFace) {
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

TEST(BackgroundTint, NoTileAndFacePairGoesAbove230) {
    for (unsigned p = 0; p < 256; ++p)
        for (unsigned s = 0; s < 256; ++s) ASSERT_LE(unsigned{TintChannel(p, s)}, 230u) << "p=" << p << " s=" << s;
}

TEST(BackgroundTint, PixelsAreBlueGreenRedTriples) {
    uint8_t pixels[] = {200, 100, 0, 10, 20, 30, 77};  // a stray byte stays as it is
    TintPixels(pixels, sizeof pixels, /*red*/ 212, /*green*/ 208, /*blue*/ 200);
    // Blue with 200, green with 208, red with 212: e.g. the first byte is 200 - 120 + 200 - 100.
    const uint8_t expected[] = {180, 144, 106, 104, 112, 118, 77};
    for (size_t i = 0; i < sizeof pixels; ++i) EXPECT_EQ(unsigned{pixels[i]}, unsigned{expected[i]}) << "byte " << i;
}

namespace {

struct StringCase {
    const char* name;
    bool queryOk;
    uint32_t type;
    const char* stored;  // bytes as the registry returned them (before the length cut)
    uint32_t dataLength;
    size_t bufferSize;
    bool present;
    const char* text;  // buffer contents afterwards
};

}  // namespace

TEST(SettingPresence, StringsFollowTypeLengthAndBufferRules) {
    const std::string password63(63, 'p');
    const std::string text64(64, 'q');
    const StringCase cases[] = {
        {"plain text", true, kTypeString, "abc", 4, 64, true, "abc"},
        {"empty text is present but empty", true, kTypeString, "", 1, 64, true, ""},
        {"no data at all", true, kTypeString, "", 0, 64, false, ""},
        {"query failed (e.g. too long)", false, kTypeString, "", 65, 64, false, ""},
        {"wrong type", true, kTypeDword, "abc", 4, 64, false, ""},
        {"63 characters fit 64 bytes", true, kTypeString, password63.c_str(), 64, 64, true, password63.c_str()},
        {"64 characters without zero do not fit", true, kTypeString, text64.c_str(), 64, 64, false, ""},
        {"stored without zero, room left", true, kTypeString, "abcd", 4, 64, true, "abcd"},
    };
    for (const StringCase& c : cases) {
        char buffer[80];
        std::memset(buffer, 'x', sizeof buffer);
        std::memcpy(buffer, c.stored, std::min<size_t>(std::strlen(c.stored) + 1, c.dataLength ? c.dataLength : 1));
        const bool present = AcceptStringValue(c.queryOk, c.type, c.dataLength, buffer, c.bufferSize);
        EXPECT_EQ(present, c.present) << c.name;
        EXPECT_STREQ(buffer, c.text) << c.name;
    }
}

TEST(SettingPresence, NumbersMustBeFourByteDwords) {
    EXPECT_EQ(AcceptDwordValue(true, kTypeDword, 4, 60), 60);
    EXPECT_EQ(AcceptDwordValue(true, kTypeDword, 4, 0xFFFFFFFFu), -1);  // indistinguishable from absent
    EXPECT_EQ(AcceptDwordValue(true, kTypeDword, 4, 70000), 70000);
    EXPECT_EQ(AcceptDwordValue(false, kTypeDword, 4, 60), -1);
    EXPECT_EQ(AcceptDwordValue(true, kTypeString, 4, 60), -1);  // "5" as REG_SZ
    EXPECT_EQ(AcceptDwordValue(true, kTypeDword, 8, 60), -1);   // 8-byte value
    EXPECT_EQ(AcceptDwordValue(true, 3 /*REG_BINARY*/, 4, 60), -1);
}
