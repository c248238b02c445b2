// Site ID digits from arbitrary clipboard bytes: the whole input is the clipboard's text
// block (its size is the block's size), and the same bytes as typed into the Site ID box.
#include <string>

#include "desk/site_digits.h"
#include "fuzz_input.h"

namespace {

// Every decimal digit before the first zero, found without the unit's code.
std::string DigitsOf(const uint8_t* text, size_t length) {
    std::string digits;
    for (size_t i = 0; i < length && text[i] != 0; ++i)
        if (text[i] >= '0' && text[i] <= '9') digits += static_cast<char>(text[i]);
    return digits;
}

void CheckCollected(const std::string& all, size_t count, const char (&digits)[kSiteDigitsSize]) {
    FUZZ_CHECK(count == all.size());
    FUZZ_CHECK(digits[kSiteDigitsSize - 1] == 0);
    FUZZ_CHECK(all.compare(0, kSiteDigitsSize - 1, digits) == 0);
    for (size_t i = std::strlen(digits); i < kSiteDigitsSize; ++i) FUZZ_CHECK(digits[i] == 0);
    // The key is the value of at most the first six digits.
    const int32_t number = SiteNumberOf(digits);
    FUZZ_CHECK(number >= 0 && number <= 999999);
    FUZZ_CHECK(number == (all.empty() ? 0 : std::stoi(all.substr(0, kMaxSiteDigits))));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string all = DigitsOf(data, size);
    const char* text = reinterpret_cast<const char*>(data);
    char digits[kSiteDigitsSize];

    std::memset(digits, 'x', sizeof digits);
    const SiteIdVerdict verdict = ExtractSiteDigits(text, size, digits);
    if (size > kClipboardTextLimit) {
        FUZZ_CHECK(verdict == SiteIdVerdict::kTooLong);
    } else {
        FUZZ_CHECK(verdict == ClassifyDigitCount(all.size()));
        CheckCollected(all, all.size(), digits);
        const size_t length = std::strlen(digits);
        // Accepted means 4 to 6 decimal digits; anything else is a refusal.
        FUZZ_CHECK((verdict == SiteIdVerdict::kAccepted) == (length >= kMinSiteDigits && length <= kMaxSiteDigits));
        if (verdict == SiteIdVerdict::kNoDigit) FUZZ_CHECK(length == 0);
        if (verdict == SiteIdVerdict::kTooFewDigits) FUZZ_CHECK(length >= 1 && length < kMinSiteDigits);
        if (verdict == SiteIdVerdict::kTooManyDigits) FUZZ_CHECK(all.size() > kMaxSiteDigits);
    }

    // The Site ID box has no length limit.
    std::memset(digits, 'x', sizeof digits);
    CheckCollected(all, CollectDigits(text, size, digits), digits);
    return 0;
}
