#pragma once
// The password as the settings key keeps it: shifted (password_shift.h), in the registry's
// own UTF-16 text, in a value of kProfileTextUnits units.
#include <windows.h>

#include "base/settings.h"
#include "password_shift.h"

enum class PasswordProblem { kNone, kCharacter, kTooLong };

// The stored form of a typed password (text of the program's code page), zero-filled. On a
// problem, a character that cannot be stored is named in `character` (the program's code page).
PasswordProblem StoredPasswordOf(const char* typed, wchar_t (&stored)[kProfileTextUnits], char (&character)[8]);

// The typed password of the stored value, zero-terminated; empty when none is stored.
void ReadPassword(HKEY key, wchar_t (&typed)[kPasswordUnits]);

// The profile's login data as the registry keeps it, wide, the password unshifted: what the
// login-form filler writes and what the browsers' host sends. An absent value reads as empty.
struct LoginTexts {
    wchar_t member[kProfileTextUnits];
    wchar_t site[kProfileTextUnits];
    wchar_t password[kPasswordUnits];
};
void ReadLoginTexts(HKEY key, LoginTexts& texts);
