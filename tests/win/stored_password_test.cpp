// The stored password through the real registry, on the bench's system of code page 1252, in
// a process whose own code page is UTF-8.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>

#include "player/stored_password.h"

namespace {

constexpr const char* kScratchKey = "Software\\Tavrik\\RL\\TestScratch";

}  // namespace

TEST(StoredPassword, ReadsBackWhatIsStoredAndWhatEarlierBuildsStored) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
    RegKey key;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(), nullptr),
        ERROR_SUCCESS);
    const struct {
        const char* typed;  // UTF-8
        std::wstring typedWide, stored;
    } cases[] = {
        {"pass~word", L"pass~word", L"rcuu\u20ACyqtf"},  // raised in code page 1252, as earlier builds stored it
        {"\xD0\x9F\xD1\x91\xD1\x82\xD1\x80", L"\u041F\u0451\u0442\u0440", L"\u0421\u0453\u0444\u0442"},
        {"\xE6\x9D\x8E\xE6\x98\x8E", L"\u674E\u660E", L"\u6750\u6610"},
    };
    for (const auto& c : cases) {
        wchar_t stored[kProfileTextUnits];
        char character[8];
        ASSERT_EQ(StoredPasswordOf(c.typed, stored, character), PasswordProblem::kNone) << c.typed;
        EXPECT_EQ(std::wstring(stored, kProfileTextUnits),
                  c.stored + std::wstring(kProfileTextUnits - c.stored.size(), L'\0'));
        ASSERT_TRUE(WriteSettingText(key.get(), "Password", stored, kProfileTextUnits));
        wchar_t typed[kPasswordUnits];
        ReadPassword(key.get(), typed);
        EXPECT_EQ(typed, c.typedWide) << c.typed;
    }

    wchar_t stored[kProfileTextUnits];
    char character[8];
    EXPECT_EQ(StoredPasswordOf("a\xC3\xBE", stored, character), PasswordProblem::kCharacter);  // þ: its byte becomes 0
    EXPECT_STREQ(character, "\xC3\xBE");
    EXPECT_EQ(StoredPasswordOf(std::string(63, '~').c_str(), stored, character), PasswordProblem::kNone);
    EXPECT_EQ(StoredPasswordOf(("\xEF\xBF\xBF" + std::string(62, 'a')).c_str(), stored, character),
              PasswordProblem::kTooLong);  // 63 units typed, 64 stored: U+FFFF becomes U+10001
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
}
