#include "stored_password.h"

#include <algorithm>
#include <cwchar>

namespace {

// The system's own code page, in which earlier builds spelled the password.
UINT g_legacyCodePage = 0;

bool ToLegacyBytes(const char16_t* text, size_t length, unsigned char* bytes, size_t size, size_t* written) {
    *written = 0;
    if (length == 0) return true;
    wchar_t wide[kPasswordUnits];
    if (length > kPasswordUnits) return false;
    std::copy(text, text + length, wide);
    BOOL usedDefault = FALSE;
    const int count =
        WideCharToMultiByte(g_legacyCodePage, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(length),
                            reinterpret_cast<char*>(bytes), static_cast<int>(size), nullptr, &usedDefault);
    *written = count > 0 ? static_cast<size_t>(count) : 0;
    return count > 0 && !usedDefault;
}

bool FromLegacyBytes(const unsigned char* bytes, size_t length, char16_t* text, size_t size, size_t* written) {
    *written = 0;
    if (length == 0) return true;
    wchar_t wide[kPasswordUnits];
    const int count =
        MultiByteToWideChar(g_legacyCodePage, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                            static_cast<int>(length), wide, static_cast<int>(std::min(size, kPasswordUnits)));
    if (count <= 0) return false;
    std::copy(wide, wide + count, text);
    *written = static_cast<size_t>(count);
    return true;
}

// Null where the system has no code page of its own bytes (none, or UTF-8).
const LegacyCodePage* SystemCodePage() {
    static constexpr LegacyCodePage kSystem = {ToLegacyBytes, FromLegacyBytes};
    DWORD id = 0;
    if (!GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<char*>(&id), sizeof id) ||
        id == CP_ACP || id == CP_UTF8)
        return nullptr;
    g_legacyCodePage = id;
    return &kSystem;
}

template <size_t size>
void CopyOut(const PasswordText& text, wchar_t (&out)[size]) {
    std::fill(out, out + size, L'\0');
    std::copy(text.units, text.units + std::min(text.length, size - 1), out);
}

}  // namespace

PasswordProblem StoredPasswordOf(const char* typed, wchar_t (&stored)[kProfileTextUnits], char (&character)[8]) {
    wchar_t wide[kPasswordUnits];
    PasswordText text, shifted;
    character[0] = 0;
    const int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, typed, -1, wide, kPasswordUnits);
    if (units <= 0) return PasswordProblem::kTooLong;  // longer than any field takes, or cut inside a letter
    text.length = static_cast<size_t>(units - 1);
    std::copy(wide, wide + text.length, text.units);
    size_t refused = 0;
    if (!ShiftPasswordForStorage(text, SystemCodePage(), shifted, &refused)) {
        const int length =
            refused + 1 < text.length && text.units[refused] >= 0xD800 && text.units[refused] <= 0xDBFF ? 2 : 1;
        const int bytes =
            WideCharToMultiByte(CP_ACP, 0, wide + refused, length, character, sizeof character - 1, nullptr, nullptr);
        character[bytes > 0 ? bytes : 0] = 0;
        return PasswordProblem::kCharacter;
    }
    if (shifted.length >= kProfileTextUnits) return PasswordProblem::kTooLong;
    CopyOut(shifted, stored);
    return PasswordProblem::kNone;
}

void ReadPassword(HKEY key, wchar_t (&typed)[kPasswordUnits]) {
    wchar_t wide[kProfileTextUnits];
    PasswordText stored, loaded;
    if (ReadSettingText(key, kPasswordValue, wide, kProfileTextUnits)) {
        stored.length = std::wcslen(wide);
        std::copy(wide, wide + stored.length, stored.units);
        UnshiftStoredPassword(stored, SystemCodePage(), loaded);
    }
    CopyOut(loaded, typed);
}

void ReadLoginTexts(HKEY key, LoginTexts& texts) {
    ReadSettingText(key, kMemberIdValue, texts.member, kProfileTextUnits);
    ReadSettingText(key, kSiteIdValue, texts.site, kProfileTextUnits);
    ReadPassword(key, texts.password);
}
