#include "site_digits.h"

#include <cstring>

size_t CollectDigits(const char* text, size_t length, char (&digits)[kSiteDigitsSize]) {
    std::memset(digits, 0, sizeof digits);
    size_t count = 0;
    for (size_t i = 0; i < length && text[i] != 0; ++i) {
        if (text[i] < '0' || text[i] > '9') continue;
        if (count < kSiteDigitsSize - 1) digits[count] = text[i];
        ++count;
    }
    return count;
}

SiteIdVerdict ClassifyDigitCount(size_t count) {
    if (count == 0) return SiteIdVerdict::kNoDigit;
    if (count > kMaxSiteDigits) return SiteIdVerdict::kTooManyDigits;
    if (count < kMinSiteDigits) return SiteIdVerdict::kTooFewDigits;
    return SiteIdVerdict::kAccepted;
}

SiteIdVerdict ExtractSiteDigits(const char* block, size_t blockSize, char (&digits)[kSiteDigitsSize]) {
    if (blockSize > kClipboardTextLimit) return SiteIdVerdict::kTooLong;
    return ClassifyDigitCount(CollectDigits(block, blockSize, digits));
}

int32_t SiteNumberOf(const char* digits) {
    int32_t value = 0;
    // Six digits at most reach the key; the cap keeps a longer run from overflowing.
    for (size_t i = 0; digits[i] >= '0' && digits[i] <= '9' && i < kMaxSiteDigits; ++i)
        value = value * 10 + (digits[i] - '0');
    return value;
}
