#pragma once
// The stored password is the typed one with every character's code raised by 2. This hides it
// from a casual look at the registry; it is no protection.
//
// Earlier builds raised every byte of the password as the system's code page spells it (mod
// 256), and the registry kept what those bytes spell. So a run of characters that the system's
// code page spells is still raised byte by byte in it, exactly as before; a character the code
// page lacks has its Unicode code raised, counting only the characters the code page lacks, so
// that it stays one the code page lacks. Reading splits the stored text the same way. A
// password is stored only when its stored form reads back exactly as typed.
#include <cstddef>

// UTF-16 units of a password or its stored form, with the terminating zero.
constexpr size_t kPasswordUnits = 128;

struct PasswordText {
    char16_t units[kPasswordUnits] = {};  // zero-terminated
    size_t length = 0;
};

// The system's code page as earlier builds spelled the password in it. Both conversions are
// exact: false for a character it lacks, or for bytes that spell no text. Lengths and sizes
// count units or bytes, without a terminating zero.
struct LegacyCodePage {
    bool (*toBytes)(const char16_t* text, size_t length, unsigned char* bytes, size_t size, size_t* written);
    bool (*toText)(const unsigned char* bytes, size_t length, char16_t* text, size_t size, size_t* written);
};

// The stored form of typed; legacy may be null (a system whose code page is UTF-8). False when
// no stored form reads back as typed: *refused is then the index in typed of the first
// character that cannot be stored.
bool ShiftPasswordForStorage(const PasswordText& typed, const LegacyCodePage* legacy, PasswordText& stored,
                             size_t* refused);

// The typed password of a stored one. A character that no password is stored as reads as
// U+FFFD.
void UnshiftStoredPassword(const PasswordText& stored, const LegacyCodePage* legacy, PasswordText& typed);
