#pragma once
// Western Windows' code page 1252, the bench's, as a LegacyCodePage: its five undefined bytes
// stand for the control characters of their own number, as Windows converts them.
#include <cstddef>

#include "player/password_shift.h"

namespace cp1252 {

inline char16_t CharacterOf(unsigned char byte) {
    static constexpr char16_t kHigh[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021,
                                           0x2C6,  0x2030, 0x160,  0x2039, 0x152,  0x8D,   0x17D,  0x8F,
                                           0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

inline bool ToBytes(const char16_t* text, size_t length, unsigned char* bytes, size_t size, size_t* written) {
    if (length > size) return false;
    for (size_t i = 0; i < length; ++i) {
        unsigned byte = text[i] < 0x80 || (text[i] >= 0xA0 && text[i] < 0x100) ? text[i] : 0x80;
        while (byte < 0x100 && CharacterOf(static_cast<unsigned char>(byte)) != text[i]) ++byte;
        if (byte == 0 || byte == 0x100) return false;
        bytes[i] = static_cast<unsigned char>(byte);
    }
    *written = length;
    return true;
}

inline bool ToText(const unsigned char* bytes, size_t length, char16_t* text, size_t size, size_t* written) {
    if (length > size) return false;
    for (size_t i = 0; i < length; ++i) text[i] = CharacterOf(bytes[i]);
    *written = length;
    return true;
}

inline constexpr LegacyCodePage kCodePage = {ToBytes, ToText};

}  // namespace cp1252
