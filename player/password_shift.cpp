#include "password_shift.h"

#include <algorithm>

namespace {

constexpr int kShift = 2;
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char16_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The code point at text.units[at]; *units tells how many units it takes. 0 for a lone surrogate.
char32_t CodePointAt(const PasswordText& text, size_t at, size_t* units) {
    const char32_t first = text.units[at];
    *units = 1;
    if (!IsSurrogate(first)) return first;
    const char32_t second = at + 1 < text.length ? text.units[at + 1] : 0;
    if (first > 0xDBFF || second < 0xDC00 || second > 0xDFFF) return 0;
    *units = 2;
    return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

// False when the text is full (it keeps room for its zero).
bool Append(PasswordText& text, char32_t c) {
    const size_t units = c >= 0x10000 ? 2 : 1;
    if (text.length + units >= kPasswordUnits) return false;
    if (units == 2) {
        text.units[text.length++] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        c = 0xDC00 + ((c - 0x10000) & 0x3FF);
    }
    text.units[text.length++] = static_cast<char16_t>(c);
    text.units[text.length] = 0;
    return true;
}

// Whether the code page spells c (no code page spells a character beyond the first 65,536).
bool Spells(const LegacyCodePage* legacy, char32_t c) {
    if (!legacy || c >= 0x10000) return false;
    const char16_t unit = static_cast<char16_t>(c);
    unsigned char bytes[4];
    size_t written = 0;
    return legacy->toBytes(&unit, 1, bytes, sizeof bytes, &written);
}

// c moved by delta places among the characters the code page does not spell; 0 past either end.
char32_t MoveAmongUnspelled(char32_t c, int delta, const LegacyCodePage* legacy) {
    const char32_t step = delta > 0 ? 1 : static_cast<char32_t>(-1);
    for (int places = delta > 0 ? delta : -delta; places > 0; --places) {
        do {
            c += step;
            if (c == 0 || c > kLastCodePoint) return 0;
        } while (IsSurrogate(c) || Spells(legacy, c));
    }
    return c;
}

// A run of characters the code page spells, its bytes moved by delta (mod 256), appended to
// out; false when a byte becomes 0 or the bytes spell no text.
bool MoveRun(const char16_t* run, size_t length, int delta, const LegacyCodePage& legacy, PasswordText& out) {
    unsigned char bytes[2 * kPasswordUnits];
    size_t count = 0;
    if (!legacy.toBytes(run, length, bytes, sizeof bytes, &count)) return false;
    for (size_t i = 0; i < count; ++i)
        if ((bytes[i] = static_cast<unsigned char>(bytes[i] + delta)) == 0) return false;
    size_t written = 0;
    if (!legacy.toText(bytes, count, out.units + out.length, kPasswordUnits - 1 - out.length, &written)) return false;
    out.length += written;
    out.units[out.length] = 0;
    return true;
}

// Moves every character by delta: a run the code page spells byte by byte, any other character
// among the characters it lacks. What cannot move ends a strict move with false, else it
// becomes U+FFFD.
bool Move(const PasswordText& from, int delta, const LegacyCodePage* legacy, bool strict, PasswordText& to) {
    to = PasswordText{};
    for (size_t at = 0; at < from.length;) {
        size_t units = 0;
        const char32_t c = CodePointAt(from, at, &units);
        if (c && Spells(legacy, c)) {
            size_t end = at + 1;
            while (end < from.length && Spells(legacy, from.units[end])) ++end;
            const bool moved = MoveRun(from.units + at, end - at, delta, *legacy, to);
            if (!moved && strict) return false;
            for (; !moved && at < end; ++at) Append(to, kReplacement);
            at = end;
            continue;
        }
        const char32_t moved = c ? MoveAmongUnspelled(c, delta, legacy) : 0;
        if (!moved && strict) return false;
        if (!Append(to, moved ? moved : kReplacement) && strict) return false;
        at += units;
    }
    return true;
}

bool Same(const PasswordText& a, const PasswordText& b) {
    return a.length == b.length && std::equal(a.units, a.units + a.length, b.units);
}

bool StoresBack(const PasswordText& typed, const LegacyCodePage* legacy, PasswordText& stored) {
    if (!Move(typed, kShift, legacy, true, stored)) return false;
    PasswordText back;
    UnshiftStoredPassword(stored, legacy, back);
    return Same(back, typed);
}

}  // namespace

bool ShiftPasswordForStorage(const PasswordText& typed, const LegacyCodePage* legacy, PasswordText& stored,
                             size_t* refused) {
    if (StoresBack(typed, legacy, stored)) return true;
    // The first character that cannot be stored on its own (else the first).
    *refused = 0;
    for (size_t at = 0, units = 1; at < typed.length; at += units) {
        PasswordText one;
        const char32_t c = CodePointAt(typed, at, &units);
        if (!c || !Append(one, c) || !StoresBack(one, legacy, stored)) {
            *refused = at;
            break;
        }
    }
    stored = PasswordText{};
    return false;
}

void UnshiftStoredPassword(const PasswordText& stored, const LegacyCodePage* legacy, PasswordText& typed) {
    Move(stored, -kShift, legacy, false, typed);
}
