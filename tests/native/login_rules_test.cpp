// What the login-form filler decides about a page's title, its tags and its input names.
#include <gtest/gtest.h>

#include "player/login_rules.h"

TEST(LoginRules, OnlyTheLettersAToZAreComparedWithoutCase) {
    const struct {
        const wchar_t* a;
        const wchar_t* b;
        bool same;
    } cases[] = {
        {L"Member", L"mEMBER", true},  {L"\u00C9t\u00E9", L"\u00C9t\u00E9", true},
        {L"\u00C9", L"\u00E9", false},  // É and é
        {L"@", L"`", false},           {L"[", L"{", false},
        {L"^", L"~", false},           {L"site", L"sit", false},
        {L"sit", L"site", false},      {nullptr, L"", true},
        {L"", nullptr, true},          {nullptr, L"x", false},
    };
    for (const auto& c : cases) EXPECT_EQ(SameIgnoringAsciiCase(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST(LoginRules, TheLoginPageIsKnownByItsWholeTitle) {
    const struct {
        const wchar_t* title;
        bool login;
    } cases[] = {
        {L"Web Site Promotion - Clicks4U delivers Quality Web Site Promotion - \"BRILLIANT! Quite simply, it works\"",
         true},
        {L"WEB SITE PROMOTION - CLICKS4U DELIVERS QUALITY WEB SITE PROMOTION - \"BRILLIANT! QUITE SIMPLY, IT WORKS\"",
         true},
        {L"web site promotion - clicks4u delivers quality web site promotion - \"brilliant! quite simply, it works\"",
         true},
        {L"Web Site Promotion - Clicks4U delivers Quality Web Site Promotion - \"BRILLIANT! Quite simply, it works",
         false},
        {L"Web Site Promotion - Clicks4U delivers Quality Web Site Promotion -\"BRILLIANT! Quite simply, it works\"",
         false},
        {L"Web Site Promotion - Clicks4U delivers Quality Web Site Promotion - \"BRILLIANT! Quite simply, it works\" ",
         false},
        {L"Web Site Promotion - Clicks4U delivers Quality Web Site Promotion - ", false},
        {L"Web Site Promotion - Clicks4U delivers Quality Web Site Promotion - \"BRILLIANT! Quite simply, it w\u00F6rks\"",
         false},
        {L"", false},
        {nullptr, false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsLoginPageTitle(c.title), c.login) << (c.title ? c.title : L"(null)");
}

TEST(LoginRules, InputsAreKnownByTheirWholeTagAndName) {
    const struct {
        const wchar_t* name;
        LoginField field;
    } names[] = {
        {L"member", LoginField::Member},     {L"Member", LoginField::Member}, {L"SITE", LoginField::Site},
        {L"PassWord", LoginField::Password}, {L"member2", LoginField::None},  {L"mem", LoginField::None},
        {L" site", LoginField::None},        {L"passwd", LoginField::None},   {L"", LoginField::None},
        {nullptr, LoginField::None},
    };
    for (const auto& c : names) EXPECT_EQ(LoginFieldForInputName(c.name), c.field) << (c.name ? c.name : L"(null)");

    const struct {
        const wchar_t* tag;
        bool input;
    } tags[] = {{L"INPUT", true}, {L"input", true}, {L"INPUTS", false}, {L"SELECT", false}, {nullptr, false}};
    for (const auto& c : tags) EXPECT_EQ(IsInputTag(c.tag), c.input) << (c.tag ? c.tag : L"(null)");
}
