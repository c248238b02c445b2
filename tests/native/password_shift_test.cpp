// The stored password's shift, on a system of code page 1252 and on one without a code page of
// its own.
#include <gtest/gtest.h>

#include <string>

#include "player/password_shift.h"
#include "tests/native/code_page_1252.h"

namespace {

PasswordText Text(const std::u16string& units) {
    PasswordText text;
    text.length = units.copy(text.units, kPasswordUnits - 1);
    return text;
}

std::u16string Units(const PasswordText& text) { return std::u16string(text.units, text.length); }

}  // namespace

TEST(PasswordShift, StoresEachCharacterTwoHigherAndLoadsItBack) {
    const struct {
        const LegacyCodePage* legacy;
        std::u16string typed, stored;
    } cases[] = {
        {&cp1252::kCodePage, u"abc", u"cde"},
        {&cp1252::kCodePage, u"", u""},
        // As earlier builds stored them: the bytes of code page 1252, raised and wrapped.
        {&cp1252::kCodePage, u"Zz9~", u"\\|;\u20AC"},
        {&cp1252::kCodePage, u"\u00FF\u00FD", u"\u0001\u00FF"},
        // Characters the code page lacks move among those it lacks: Ž and ž are passed over.
        {&cp1252::kCodePage, u"\u041F\u0451\u0442\u0440", u"\u0421\u0453\u0444\u0442"},
        {&cp1252::kCodePage, u"\u674E\u660E", u"\u6750\u6610"},
        {&cp1252::kCodePage, u"\u017Caba", u"\u0180cdc"},
        {&cp1252::kCodePage, u"\U0001F600\u20AA", u"\U0001F602\u20AD"},
        {nullptr, u"~\u00FE\uFFFF", u"\u0080\u0100\U00010001"},
    };
    for (const auto& c : cases) {
        PasswordText stored, loaded;
        size_t refused = 99;
        ASSERT_TRUE(ShiftPasswordForStorage(Text(c.typed), c.legacy, stored, &refused));
        EXPECT_EQ(Units(stored), c.stored);
        UnshiftStoredPassword(stored, c.legacy, loaded);
        EXPECT_EQ(Units(loaded), c.typed);
    }
}

// Every character on its own is stored and read back, or refused: under code page 1252 only þ,
// whose byte would become 0 (as ever); without a code page none.
TEST(PasswordShift, EveryCharacterButTheOneWhoseByteBecomesZeroRoundTrips) {
    for (const LegacyCodePage* legacy : {&cp1252::kCodePage, static_cast<const LegacyCodePage*>(nullptr)}) {
        for (char32_t c = 1; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            const std::u16string typed = u"a" + std::u16string(1, static_cast<char16_t>(c));
            PasswordText stored, loaded;
            size_t refused = 99;
            const bool storable = ShiftPasswordForStorage(Text(typed), legacy, stored, &refused);
            ASSERT_EQ(storable, legacy == nullptr || c != 0xFE) << std::hex << static_cast<uint32_t>(c);
            if (!storable) {
                EXPECT_EQ(refused, 1u);
                EXPECT_EQ(stored.length, 0u);
                continue;
            }
            UnshiftStoredPassword(stored, legacy, loaded);
            ASSERT_EQ(Units(loaded), typed) << std::hex << static_cast<uint32_t>(c);
        }
    }
    PasswordText stored;
    size_t refused = 99;
    EXPECT_TRUE(!ShiftPasswordForStorage(Text(u"ab\U0010FFFF"), nullptr, stored, &refused) && refused == 2);
    EXPECT_TRUE(!ShiftPasswordForStorage(Text(u"a\xD800z"), nullptr, stored, &refused) && refused == 1);  // half of one
}
