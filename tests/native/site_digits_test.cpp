// Site ID digits taken from clipboard texts and the Site ID box.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "desk/site_digits.h"

namespace {

struct DigitsCase {
    const char* name;
    std::string text;  // without its terminating zero
    SiteIdVerdict verdict;
    const char* digits;  // expected digits (also for refused texts)
    int32_t siteNumber;
};

const DigitsCase kCases[] = {
    {"plain site id", "X1234", SiteIdVerdict::kAccepted, "1234", 1234},
    {"leading zeros", "A0012", SiteIdVerdict::kAccepted, "0012", 12},
    {"spaces and punctuation", "Site: 12 34", SiteIdVerdict::kAccepted, "1234", 1234},
    {"six digits", "X123456", SiteIdVerdict::kAccepted, "123456", 123456},
    {"line breaks", "\r\n98\r\n76\r\n", SiteIdVerdict::kAccepted, "9876", 9876},
    {"fourteen characters fit", "abcdefghij1234", SiteIdVerdict::kAccepted, "1234", 1234},
    {"fifteen characters refused", "abcdefghijk1234", SiteIdVerdict::kTooLong, "", 0},
    {"fifteen digits refused as too long", "123456789012345", SiteIdVerdict::kTooLong, "", 0},
    {"no digits", "Xabc", SiteIdVerdict::kNoDigit, "", 0},
    {"empty text", "", SiteIdVerdict::kNoDigit, "", 0},
    {"seven digits", "X1234567", SiteIdVerdict::kTooManyDigits, "1234567", 123456},
    {"three digits", "X123", SiteIdVerdict::kTooFewDigits, "123", 123},
    {"high bytes are no digits",
     "\xB2\xB3\xB9\xD9\xF0"
     "12",
     SiteIdVerdict::kTooFewDigits, "12", 12},
    {"high bytes around digits",
     "\x80"
     "1\xFF"
     "2\xA0"
     "34",
     SiteIdVerdict::kAccepted, "1234", 1234},
};

}  // namespace

TEST(SiteDigits, ClipboardTexts) {
    for (const DigitsCase& c : kCases) {
        char digits[kSiteDigitsSize];
        std::memset(digits, 'x', sizeof digits);
        const SiteIdVerdict verdict = ExtractSiteDigits(c.text.c_str(), c.text.size() + 1, digits);
        EXPECT_EQ(c.verdict, verdict) << c.name;
        if (c.verdict == SiteIdVerdict::kTooLong) continue;  // refused before any digit is taken
        EXPECT_STREQ(c.digits, digits) << c.name;
        for (size_t i = std::strlen(digits); i < kSiteDigitsSize; ++i) EXPECT_EQ(0, digits[i]) << c.name;
        EXPECT_EQ(c.siteNumber, SiteNumberOf(digits)) << c.name;
    }
}

TEST(SiteDigits, BlockSizeNotTextLengthDecides) {
    char digits[kSiteDigitsSize];
    // A short text in a block larger than 15 bytes is refused; digits after the zero are not read.
    const char block[20] =
        "X1234\0"
        "999";
    EXPECT_EQ(SiteIdVerdict::kTooLong, ExtractSiteDigits(block, sizeof block, digits));
    EXPECT_EQ(SiteIdVerdict::kAccepted, ExtractSiteDigits(block, 15, digits));
    EXPECT_STREQ("1234", digits);
    // A block without a terminating zero is read only up to its size.
    const char unterminated[6] = {'1', '2', '3', '4', '5', '6'};
    EXPECT_EQ(SiteIdVerdict::kAccepted, ExtractSiteDigits(unterminated, 4, digits));
    EXPECT_STREQ("1234", digits);
}

TEST(SiteDigits, CountsClassify) {
    const SiteIdVerdict expected[] = {
        SiteIdVerdict::kNoDigit,      SiteIdVerdict::kTooFewDigits,  SiteIdVerdict::kTooFewDigits,
        SiteIdVerdict::kTooFewDigits, SiteIdVerdict::kAccepted,      SiteIdVerdict::kAccepted,
        SiteIdVerdict::kAccepted,     SiteIdVerdict::kTooManyDigits, SiteIdVerdict::kTooManyDigits};
    for (size_t n = 0; n < sizeof expected / sizeof expected[0]; ++n)
        EXPECT_EQ(expected[n], ClassifyDigitCount(n)) << n;
}

TEST(SiteDigits, LongDigitRunsStayInTheBuffer) {
    char digits[kSiteDigitsSize];
    const std::string text(40, '7');  // the Site ID box path has no 15-byte limit
    EXPECT_EQ(40u, CollectDigits(text.c_str(), text.size(), digits));
    EXPECT_EQ(15u, std::strlen(digits));
}
