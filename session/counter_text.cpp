#include "counter_text.h"

#include "base/format_text.h"

namespace {

constexpr char kCreditEntries[3][kCreditEntryCount][kCreditEntrySize] = {
    {"Lotto", "1", "2", "3", "4", "5", "10"},
    {"Traffic", "1", "2", "3", "4", "5", "10"},
    {"Banner", "10", "20", "30", "50", "100", "150"},
};

}  // namespace

void FormatCounter(int32_t value, char (&out)[kCounterTextSize]) {
    FormatText(out, sizeof out, "%i", static_cast<int>(value));
}

int32_t AddWrapping(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

void IncrementedCounterText(const char* fieldText, char (&out)[kCounterTextSize]) {
    FormatCounter(fieldText[0] ? AddWrapping(ParseLeadingNumber(fieldText), 1) : 1, out);
}

const char* CreditEntryText(CreditList list, int entry) {
    const int row = static_cast<int>(list);
    if (row < 0 || row > 2 || entry < 0 || entry >= kCreditEntryCount) return nullptr;
    return kCreditEntries[row][entry];
}

bool AddCreditAmount(CreditList list, int entry, const char* fieldText, char (&out)[kCounterTextSize]) {
    if (entry < 1) return false;
    const char* amount = CreditEntryText(list, entry);
    if (!amount) return false;
    if (!fieldText[0]) {
        FormatText(out, sizeof out, "%s", amount);
        return true;
    }
    FormatCounter(AddWrapping(ParseLeadingNumber(amount), ParseLeadingNumber(fieldText)), out);
    return true;
}
