// The presence rules of stored settings: which registry answers count as a stored value.
#include <gtest/gtest.h>

#include <cstring>

#include "base/setting_rules.h"

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

TEST(SettingRules, StringsFollowTypeLengthAndBufferRules) {
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

TEST(SettingRules, NumbersMustBeFourByteDwords) {
    EXPECT_EQ(AcceptDwordValue(true, kTypeDword, 4, 60), 60);
    EXPECT_EQ(AcceptDwordValue(true, kTypeDword, 4, 0xFFFFFFFFu), -1);  // indistinguishable from absent
    EXPECT_EQ(AcceptDwordValue(true, kTypeDword, 4, 70000), 70000);
    EXPECT_EQ(AcceptDwordValue(false, kTypeDword, 4, 60), -1);
    EXPECT_EQ(AcceptDwordValue(true, kTypeString, 4, 60), -1);  // "5" as REG_SZ
    EXPECT_EQ(AcceptDwordValue(true, kTypeDword, 8, 60), -1);   // 8-byte value
    EXPECT_EQ(AcceptDwordValue(true, 3 /*REG_BINARY*/, 4, 60), -1);
}
