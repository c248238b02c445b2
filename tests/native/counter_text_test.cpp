// Counter texts and credit sums of the session statistics.
#include <gtest/gtest.h>

#include "session/counter_text.h"

TEST(CounterText, ReadsTheLeadingSignedDecimal) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"7", 7},
        {"  -3x", -3},
        {"+12", 12},
        {"\t 42 7", 42},
        {"0009", 9},
        {"- 5", 0},
        {"--5", 0},
        {"999", 999},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"4294967297", 1},  // wraps instead of overflowing
    };
    for (const auto& c : cases) EXPECT_EQ(ParseLeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(CounterText, IncrementWritesPercentI) {
    const struct {
        const char* field;
        const char* next;
    } cases[] = {
        {"", "1"},
        {"9", "10"},
        {"999", "1000"},
        {"  -3x", "-2"},
        {"x", "1"},
        {"-1", "0"},
        {"2147483647", "-2147483648"},  // the 32-bit field wraps; no undefined behaviour
    };
    for (const auto& c : cases) {
        char out[kCounterTextSize];
        IncrementedCounterText(c.field, out);
        EXPECT_STREQ(out, c.next) << '"' << c.field << '"';
    }
}

TEST(CounterText, FormatsEveryValueWithinItsBuffer) {
    char out[kCounterTextSize];
    FormatCounter(INT32_MIN, out);
    EXPECT_STREQ(out, "-2147483648");
    FormatCounter(0, out);
    EXPECT_STREQ(out, "0");
}

TEST(CounterTextCredits, AddsTheAmountToTheField) {
    const struct {
        CreditList list;
        int entry;
        const char* field;
        bool added;
        const char* result;
    } cases[] = {
        {CreditList::Lotto, 6, "", true, "10"},         {CreditList::Lotto, 6, "5", true, "15"},
        {CreditList::Lotto, 1, "99", true, "100"},      {CreditList::Traffic, 3, "", true, "3"},
        {CreditList::Traffic, 6, "1", true, "11"},      {CreditList::Banner, 1, "", true, "10"},
        {CreditList::Banner, 6, "150", true, "300"},    {CreditList::Banner, 5, "9990", true, "10090"},
        {CreditList::Lotto, 0, "5", false, nullptr},  // the label adds nothing
        {CreditList::Banner, 0, "", false, nullptr},    {CreditList::Traffic, 7, "5", false, nullptr},
        {CreditList::Traffic, -1, "5", false, nullptr},
    };
    for (const auto& c : cases) {
        char out[kCounterTextSize] = "unchanged";
        EXPECT_EQ(AddCreditAmount(c.list, c.entry, c.field, out), c.added)
            << static_cast<int>(c.list) << " entry " << c.entry;
        EXPECT_STREQ(out, c.added ? c.result : "unchanged") << static_cast<int>(c.list) << " entry " << c.entry;
    }
}
