// Counter texts: reading arbitrary text, and writing any 32-bit value and reading it back.
// Input: the value, the credit list, the credit entry, then the field's text (to its first
// zero).
#include <cerrno>
#include <cstdio>
#include <string>

#include "fuzz_input.h"
#include "session/counter_text.h"

namespace {

// The amounts that entries 1 to 6 of each credit list add.
constexpr int kAmounts[3][6] = {{1, 2, 3, 4, 5, 10}, {1, 2, 3, 4, 5, 10}, {10, 20, 30, 50, 100, 150}};

int32_t Wrapped(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value))); }

// The C library reads the same grammar: blanks, one sign, decimal digits.
void CheckRead(const char* text) {
    const int32_t value = ParseLeadingNumber(text);
    errno = 0;
    const long long reference = std::strtoll(text, nullptr, 10);
    if (errno != ERANGE) FUZZ_CHECK(value == Wrapped(reference));
}

void CheckWrite(int32_t value) {
    char text[kCounterTextSize];
    FormatCounter(value, text);
    char reference[32];
    std::snprintf(reference, sizeof reference, "%d", static_cast<int>(value));
    FUZZ_CHECK(std::strcmp(text, reference) == 0);
    FUZZ_CHECK(ParseLeadingNumber(text) == value);
    char next[kCounterTextSize];
    IncrementedCounterText(text, next);
    FUZZ_CHECK(ParseLeadingNumber(next) == Wrapped(int64_t{value} + 1));
}

void CheckCredit(CreditList list, int entry, const char* fieldText) {
    char out[kCounterTextSize];
    std::memset(out, 'x', sizeof out);
    const bool added = AddCreditAmount(list, entry, fieldText, out);
    const bool exists = static_cast<int>(list) < 3 && entry >= 1 && entry <= 6;
    FUZZ_CHECK(added == exists);
    if (!added) return;
    const int amount = kAmounts[static_cast<int>(list)][entry - 1];
    FUZZ_CHECK(std::strlen(out) < sizeof out);
    const int32_t field = fieldText[0] ? ParseLeadingNumber(fieldText) : 0;
    FUZZ_CHECK(ParseLeadingNumber(out) == Wrapped(int64_t{amount} + field));
    char written[kCounterTextSize];
    FormatCounter(ParseLeadingNumber(out), written);
    FUZZ_CHECK(std::strcmp(out, written) == 0);  // a plain "%i" text, also for an empty field
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const int32_t value = input.TakeInt32();
    const CreditList list = static_cast<CreditList>(input.TakeByte() % 4);  // 3 is no list
    const int entry = static_cast<int8_t>(input.TakeByte());
    const std::string text(reinterpret_cast<const char*>(input.rest()), input.restSize());

    CheckRead(text.c_str());
    CheckWrite(value);
    char written[kCounterTextSize];
    FormatCounter(value, written);
    CheckCredit(list, entry, written);
    CheckCredit(list, entry, text.c_str());
    char incremented[kCounterTextSize];
    IncrementedCounterText(text.c_str(), incremented);
    FUZZ_CHECK(ParseLeadingNumber(incremented) ==
               (text[0] ? Wrapped(int64_t{ParseLeadingNumber(text.c_str())} + 1) : 1));
    return 0;
}
