// The stored password's shift.
#include <gtest/gtest.h>

#include <string>

#include "player/password_shift.h"

TEST(PasswordShift, StoresEachByteTwoHigherAndLoadsItBack) {
    const struct {
        std::string typed;
        std::string stored;
    } cases[] = {{"abc", "cde"}, {"", ""}, {"Zz9~", "\\|;\x80"}, {"\xFF\xFD", "\x01\xFF"}};
    for (const auto& c : cases) {
        std::string text = c.typed;
        ShiftPasswordForStorage(text.data());
        EXPECT_EQ(text, c.stored) << c.typed;
        UnshiftStoredPassword(text.data());
        EXPECT_EQ(text, c.typed) << c.stored;
    }
}

TEST(PasswordShift, EveryByteButTheOneThatBecomesZeroRoundTrips) {
    for (int code = 1; code < 256; ++code) {
        char text[] = {'a', static_cast<char>(code), 'b', 0};
        EXPECT_EQ(PasswordIsStorable(text), code != 254) << code;
        if (!PasswordIsStorable(text)) continue;
        ShiftPasswordForStorage(text);
        ASSERT_EQ(text[3], 0) << code;
        EXPECT_EQ(text[2], 'd') << code << ": nothing cut short";
        UnshiftStoredPassword(text);
        EXPECT_EQ(static_cast<unsigned char>(text[1]), code) << code;
    }
}
