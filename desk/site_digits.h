#pragma once
// The decimal digits of a Site ID ("Xnnnn"): only digits count, 4 to 6 of them.
#include <cstddef>
#include <cstdint>

constexpr size_t kSiteDigitsSize = 16;      // zero-terminated buffer of the desk
constexpr size_t kClipboardTextLimit = 15;  // clipboard text with its terminating zero
constexpr size_t kMinSiteDigits = 4;
constexpr size_t kMaxSiteDigits = 6;

enum class SiteIdVerdict { kAccepted, kTooLong, kNoDigit, kTooManyDigits, kTooFewDigits };

// Clears all of `digits` and copies into it, in order, every decimal digit of the text
// (up to its first zero or `length` bytes); returns how many there are. At most 15 are kept.
size_t CollectDigits(const char* text, size_t length, char (&digits)[kSiteDigitsSize]);

// Verdict on a number of digits.
SiteIdVerdict ClassifyDigitCount(size_t count);

// A clipboard text block of blockSize bytes (its terminating zero included): refused as
// too long above 15 bytes whatever it holds, otherwise judged by its digits.
SiteIdVerdict ExtractSiteDigits(const char* block, size_t blockSize, char (&digits)[kSiteDigitsSize]);

// The key of the digits: their decimal value (leading zeros do not count).
int32_t SiteNumberOf(const char* digits);
