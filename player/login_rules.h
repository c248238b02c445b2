#pragma once
// What the login-form filler decides about what a browser shows: whether a page is the
// service's login page, whether an element is an input, which profile value an input gets,
// and when a page has had all it gets. Texts are the browser's wide strings; only the
// letters A to Z are compared without regard to case, every other character exactly, so
// the answer is the same whatever the width of wchar_t. A null text is an empty one.

// The title of the service's login page, 103 characters.
constexpr const wchar_t* kLoginPageTitle =
    L"Web Site Promotion - Clicks4U delivers Quality Web Site Promotion - \"BRILLIANT! Quite simply, it works\"";

// At most this many inputs are filled on one page.
constexpr int kMaxFillsPerPage = 3;

enum class LoginField { None, Member, Site, Password };

// Whole texts equal, letters A to Z in either case.
bool SameIgnoringAsciiCase(const wchar_t* a, const wchar_t* b);

bool IsLoginPageTitle(const wchar_t* title);
bool IsInputTag(const wchar_t* tagName);

// The profile value an input of this name gets: "member", then "site", then "password".
LoginField LoginFieldForInputName(const wchar_t* name);

// Whether a page that has had fills inputs filled may still get another.
inline bool MayFillMore(int fills) { return fills < kMaxFillsPerPage; }
