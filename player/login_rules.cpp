#include "login_rules.h"

#include <string>

static_assert(std::char_traits<wchar_t>::length(kLoginPageTitle) == 103);

namespace {

// Only A to Z: a locale's lower-casing would also fold letters such as 'É', and a bit trick
// would pair '@' with '`' and '[' with '{'.
wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

bool SameIgnoringAsciiCase(const wchar_t* a, const wchar_t* b) {
    if (!a) a = L"";
    if (!b) b = L"";
    for (; *a && *b; ++a, ++b)
        if (LowerAscii(*a) != LowerAscii(*b)) return false;
    return *a == *b;
}

bool IsLoginPageTitle(const wchar_t* title) { return SameIgnoringAsciiCase(title, kLoginPageTitle); }

bool IsInputTag(const wchar_t* tagName) { return SameIgnoringAsciiCase(tagName, L"input"); }

LoginField LoginFieldForInputName(const wchar_t* name) {
    if (SameIgnoringAsciiCase(name, L"member")) return LoginField::Member;
    if (SameIgnoringAsciiCase(name, L"site")) return LoginField::Site;
    if (SameIgnoringAsciiCase(name, L"password")) return LoginField::Password;
    return LoginField::None;
}
