// The comparisons of page titles, tag names and input names. Input: a mode byte, then
// characters of two texts separated by a zero character: 16-bit characters as on Windows,
// or (mode bit 0) full 32-bit ones, which the comparison must treat the same way. Mode
// bits 1 and 2 pass a null text instead of the first or the second.
#include <string>

#include "fuzz_input.h"
#include "player/login_rules.h"

namespace {

std::wstring Lowered(const std::wstring& text) {
    std::wstring lowered = text;
    for (wchar_t& c : lowered)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
    return lowered;
}

bool Same(const std::wstring& a, const std::wstring& b) { return Lowered(a) == Lowered(b); }

std::wstring CaseFlipped(const std::wstring& text) {
    std::wstring flipped = text;
    for (wchar_t& c : flipped) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c + (L'a' - L'A'));
        else if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - (L'a' - L'A'));
    }
    return flipped;
}

LoginField FieldOf(const std::wstring& name) {
    if (Same(name, L"member")) return LoginField::Member;
    if (Same(name, L"site")) return LoginField::Site;
    if (Same(name, L"password")) return LoginField::Password;
    return LoginField::None;
}

std::wstring TakeText(FuzzInput& input, bool wide) {
    std::wstring text;
    while (input.restSize() > 0) {
        const uint32_t c = wide ? input.Take32() : input.TakeByte() | uint32_t{input.TakeByte()} << 8;
        if (c == 0) break;
        text += static_cast<wchar_t>(c);
    }
    return text;
}

void CheckOne(const wchar_t* text) {
    const std::wstring value = text ? text : L"";
    FUZZ_CHECK(IsLoginPageTitle(text) == Same(value, kLoginPageTitle));
    FUZZ_CHECK(IsInputTag(text) == Same(value, L"input"));
    FUZZ_CHECK(LoginFieldForInputName(text) == FieldOf(value));
    FUZZ_CHECK(SameIgnoringAsciiCase(text, text));
    FUZZ_CHECK(SameIgnoringAsciiCase(text, CaseFlipped(value).c_str()));
    FUZZ_CHECK(SameIgnoringAsciiCase(text, nullptr) == value.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t mode = input.TakeByte();
    const std::wstring first = TakeText(input, mode & 1);
    const std::wstring second = TakeText(input, mode & 1);
    const wchar_t* a = (mode & 2) ? nullptr : first.c_str();
    const wchar_t* b = (mode & 4) ? nullptr : second.c_str();

    CheckOne(a);
    CheckOne(b);
    const bool same = SameIgnoringAsciiCase(a, b);
    FUZZ_CHECK(same == Same(a ? first : L"", b ? second : L""));
    FUZZ_CHECK(same == SameIgnoringAsciiCase(b, a));
    return 0;
}
