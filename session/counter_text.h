#pragma once
// The session counters are decimal texts in edit fields: how they are read, written and
// added to. An empty field stands for 0.
#include <cstddef>
#include <cstdint>

#include "base/format_text.h"

constexpr int kCounterReadLength = 15;   // characters read from a counter field
constexpr int kCreditReadLength = 7;     // characters read from a credit field before adding
constexpr size_t kCounterTextSize = 16;  // room for "%i" of any 32-bit value

// "%i" of the value.
void FormatCounter(int32_t value, char (&out)[kCounterTextSize]);

// Sum without signed overflow (wraps like the 32-bit field it is written back to).
int32_t AddWrapping(int32_t a, int32_t b);

// The new text of a counter field after one more: empty gives "1".
void IncrementedCounterText(const char* fieldText, char (&out)[kCounterTextSize]);

// The three drop-down lists of credit amounts: entry 0 is the list's label, entries 1
// to 6 the amounts that can be won.
enum class CreditList { Lotto, Traffic, Banner };
constexpr int kCreditEntryCount = 7;
constexpr size_t kCreditEntrySize = 8;

// Text of an entry, or null when the entry is out of range.
const char* CreditEntryText(CreditList list, int entry);

// The credit field's new text after the member picked an entry: an empty field becomes
// the amount itself, otherwise amount plus the field's number ("%i"). False for the
// label (entry 0) and out-of-range entries: nothing is added then.
bool AddCreditAmount(CreditList list, int entry, const char* fieldText, char (&out)[kCounterTextSize]);
