// The login-form filler against fake browser windows: which inputs of which pages get the
// profile's texts, and that every object handed out is released whatever fails. The profile
// lies in the real settings key of the tests' private Wine prefix.
#include <gtest/gtest.h>
#include <objbase.h>
#include <exdisp.h>

#include <cstring>
#include <map>
#include <utility>

#include "base/settings.h"
#include "player/login_filler_internal.h"
#include "player/player.h"
#include "login_filler_fakes.h"

using namespace fill_fakes;

namespace {

constexpr const wchar_t* kLoginTitle =
    L"Web Site Promotion - Clicks4U delivers Quality Web Site Promotion - \"BRILLIANT! Quite simply, it works\"";

int g_settingsOpens;
bool g_keyMissing;
RegKey CountingOpen(REGSAM access, const char* keyPath) {
    ++g_settingsOpens;
    return g_keyMissing ? RegKey() : OpenSettings(access, keyPath);
}

struct Creation {
    CLSID clsid;
    LPUNKNOWN outer;
    DWORD context;
    IID iid;
} g_creation;
HRESULT WINAPI CreateFake(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object) {
    g_creation = {clsid, outer, context, iid};
    *object = CreateShellWindows();
    return S_OK;
}
constexpr LoginFillCalls kFakeCalls = {CreateFake, CountingOpen};

void StoreProfile(const char* member, const char* site, const char* storedPassword) {
    HKEY key;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const std::pair<const char*, const char*> values[] = {
        {"MemberID", member}, {"SiteID", site}, {"Password", storedPassword}};
    for (const auto& [name, text] : values)
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(key);
}

void DeleteProfile() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    for (const char* name : {"MemberID", "SiteID", "Password"}) RegDeleteValueA(key, name);
    RegCloseKey(key);
}

Element In(const wchar_t* name, const wchar_t* tag = L"INPUT") {
    Element element;
    element.tag = tag;
    if (name) element.name = name;
    return element;
}

Window Page(HWND topLevel, std::vector<Element> elements, const wchar_t* title = kLoginTitle) {
    Window window;
    window.topLevel = topLevel;
    window.title = title;
    window.elements = std::move(elements);
    return window;
}

// The positions written on each window, as "0:012 1:012".
std::string Writes(const Scenario& scenario) {
    std::string writes;
    for (std::size_t w = 0; w < scenario.windows.size(); ++w) {
        std::string positions;
        for (std::size_t e = 0; e < scenario.windows[w].elements.size(); ++e)
            if (scenario.windows[w].elements[e].written) positions += std::to_string(e);
        if (positions.empty()) continue;
        if (!writes.empty()) writes += ' ';
        writes += std::to_string(w);
        writes += ':';
        writes += positions;
    }
    return writes;
}

class LoginFiller : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        StoreProfile("m.ember", "X4567", "Rc77#");  // the password "Pa55!", each byte stored 2 higher
        for (HWND& window : live_) window = MakeWindow();
        dead_ = MakeWindow();
        DestroyWindow(dead_);
        g_settingsOpens = 0;
        g_keyMissing = false;
        SetLoginFillCalls(&kFakeCalls);
    }
    void TearDown() override {
        SetLoginFillCalls(nullptr);
        Unstage();
        DeleteProfile();
        for (HWND window : live_) DestroyWindow(window);
        CoUninitialize();
    }
    static HWND MakeWindow() {
        return CreateWindowExA(0, "STATIC", "browser", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    // Runs the command over the scenario; whatever happened, every object is back at its start.
    static void Fill(Scenario& scenario) {
        Stage(scenario);
        FillMemberLoginForm(nullptr);
        EXPECT_EQ(UnbalancedObjects(), std::vector<std::string>{});
    }

    HWND live_[2] = {};
    HWND dead_ = nullptr;
};

TEST_F(LoginFiller, ReadsTheProfileOnlyWhenThereIsAWindow) {
    const struct {
        int windows;
        int opens;
    } cases[] = {{0, 0}, {1, 1}};
    for (const auto& c : cases) {
        g_settingsOpens = 0;
        Scenario scenario;
        for (int w = 0; w < c.windows; ++w) scenario.windows.push_back(Page(live_[0], {In(L"member")}));
        Fill(scenario);
        EXPECT_EQ(g_settingsOpens, c.opens) << c.windows << " windows";
    }
}

TEST_F(LoginFiller, FillsEveryLoginPageAndSkipsEverythingElse) {
    Scenario scenario;
    auto& windows = scenario.windows;
    windows.push_back(Page(live_[0], {In(L"member"), In(L"site"), In(L"password")}));
    windows.push_back(Page(live_[0], {In(L"member")}));
    windows.back().browser = false;
    windows.push_back(Page(live_[0], {In(L"member")}));
    windows.back().html = false;
    windows.push_back(Page(dead_, {In(L"member")}));
    windows.push_back(Page(live_[1], {In(L"member")}, L"Web Site Promotion - Clicks4U"));
    windows.push_back(Page(
        live_[1], {In(nullptr), In(L"site", L"SELECT"), In(L"member2"), In(L"PASSWORD"), In(L"Site"), In(L"MEMBER")}));
    Fill(scenario);

    const std::map<std::pair<int, int>, std::wstring> expected = {
        {{0, 0}, L"m.ember"}, {{0, 1}, L"X4567"}, {{0, 2}, L"Pa55!"},
        {{5, 3}, L"Pa55!"},   {{5, 4}, L"X4567"}, {{5, 5}, L"m.ember"},
    };
    for (int w = 0; w < static_cast<int>(windows.size()); ++w)
        for (int e = 0; e < static_cast<int>(windows[w].elements.size()); ++e) {
            const auto it = expected.find({w, e});
            const std::optional<std::wstring> want = it == expected.end() ? std::nullopt : std::optional(it->second);
            EXPECT_EQ(windows[w].elements[e].written, want) << "window " << w << " element " << e;
        }
    EXPECT_TRUE(IsEqualCLSID(g_creation.clsid, CLSID_ShellWindows));
    EXPECT_EQ(g_creation.outer, nullptr);
    EXPECT_EQ(g_creation.context, 7u);  // in-process server, in-process handler, local server
    EXPECT_TRUE(IsEqualIID(g_creation.iid, IID_IUnknown));
    EXPECT_TRUE(AskedToRun());
}

TEST_F(LoginFiller, FillsAtMostThreeInputsPerPageAndLooksNoFurther) {
    const struct {
        const char* site;
        std::vector<const wchar_t*> names;
        std::vector<std::optional<std::wstring>> written;  // per input; none: untouched
        std::size_t fetched;                               // inputs looked at, from the first
    } cases[] = {
        {"X4567",
         {L"member", L"site", L"password", L"member", L"site", L"password"},
         {L"m.ember", L"X4567", L"Pa55!", {}, {}, {}},
         3},
        {"", {L"site", L"member", L"password", L"member"}, {L"", L"m.ember", L"Pa55!", {}}, 3},
        {"X4567", {L"member", L"member", L"member", L"site"}, {L"m.ember", L"m.ember", L"m.ember", {}}, 3},
    };
    for (const auto& c : cases) {
        StoreProfile("m.ember", c.site, "Rc77#");
        std::vector<Element> elements;
        for (const wchar_t* name : c.names) elements.push_back(In(name));
        Scenario scenario;
        scenario.windows.push_back(Page(live_[0], elements));
        Fill(scenario);
        for (std::size_t e = 0; e < c.names.size(); ++e) {
            const Element& element = scenario.windows[0].elements[e];
            EXPECT_EQ(element.written, c.written[e]) << "site \"" << c.site << "\", input " << e;
            EXPECT_EQ(element.fetched, e < c.fetched) << "site \"" << c.site << "\", input " << e;
        }
    }
}

TEST_F(LoginFiller, EveryObjectIsReleasedWhateverFails) {
    const struct {
        const char* what;
        std::optional<Fault> fault;
        bool keyMissing;
        int opens;
        const char* writes;
    } cases[] = {
        {"nothing fails", {}, false, 1, "0:012 1:012"},
        {"settings key missing", {}, true, 1, ""},
        {"no collection", Fault{Call::QueryShellWindows, Answer::Fails}, false, 0, ""},
        {"collection query succeeds without object", Fault{Call::QueryShellWindows, Answer::Empty}, false, 0, ""},
        {"window count unreadable", Fault{Call::GetCount, Answer::Fails}, false, 0, ""},
        {"first window unfetchable", Fault{Call::Item, Answer::Fails, 0}, false, 1, ""},
        {"second window unfetchable", Fault{Call::Item, Answer::Fails, 1}, false, 1, "0:012"},
        {"first window none", Fault{Call::Item, Answer::Empty, 0}, false, 1, "1:012"},
        {"browser query fails", Fault{Call::QueryBrowser, Answer::Fails, 0}, false, 1, "1:012"},
        {"browser query empty", Fault{Call::QueryBrowser, Answer::Empty, 0}, false, 1, "1:012"},
        {"document fails", Fault{Call::GetDocument, Answer::Fails, 0}, false, 1, "1:012"},
        {"document empty", Fault{Call::GetDocument, Answer::Empty, 0}, false, 1, "1:012"},
        {"HTML query empty", Fault{Call::QueryHtmlDocument, Answer::Empty, 0}, false, 1, "1:012"},
        {"top-level window unreadable", Fault{Call::GetHwnd, Answer::Fails, 0}, false, 1, "1:012"},
        {"first title unreadable", Fault{Call::GetTitle, Answer::Fails, 0}, false, 1, ""},
        {"second title unreadable", Fault{Call::GetTitle, Answer::Fails, 1}, false, 1, "0:012"},
        {"title null", Fault{Call::GetTitle, Answer::Empty, 0}, false, 1, "1:012"},
        {"elements fail", Fault{Call::GetAll, Answer::Fails, 0}, false, 1, "1:012"},
        {"elements empty", Fault{Call::GetAll, Answer::Empty, 0}, false, 1, "1:012"},
        {"length unreadable", Fault{Call::GetLength, Answer::Fails, 0}, false, 1, "1:012"},
        {"element unfetchable", Fault{Call::ElementItem, Answer::Fails, 0, 0}, false, 1, "0:123 1:012"},
        {"element none", Fault{Call::ElementItem, Answer::Empty, 0, 0}, false, 1, "0:123 1:012"},
        {"element query fails", Fault{Call::QueryElement, Answer::Fails, 0, 0}, false, 1, "0:123 1:012"},
        {"element query empty", Fault{Call::QueryElement, Answer::Empty, 0, 0}, false, 1, "0:123 1:012"},
        {"tag unreadable", Fault{Call::GetTagName, Answer::Fails, 0, 0}, false, 1, "0:123 1:012"},
        {"tag null", Fault{Call::GetTagName, Answer::Empty, 0, 0}, false, 1, "0:123 1:012"},
        {"input query fails", Fault{Call::QueryInput, Answer::Fails, 0, 0}, false, 1, "0:123 1:012"},
        {"input query empty", Fault{Call::QueryInput, Answer::Empty, 0, 0}, false, 1, "0:123 1:012"},
        {"name unreadable", Fault{Call::GetName, Answer::Fails, 0, 0}, false, 1, "0:123 1:012"},
        {"value refused", Fault{Call::PutValue, Answer::Fails, 0, 0}, false, 1, "0:012 1:012"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_settingsOpens = 0;
        g_keyMissing = c.keyMissing;
        Scenario scenario;
        scenario.windows.push_back(Page(live_[0], {In(L"member"), In(L"site"), In(L"password"), In(L"member")}));
        scenario.windows.push_back(Page(live_[1], {In(L"member"), In(L"site"), In(L"password")}));
        scenario.fault = c.fault;
        Fill(scenario);  // the two escaping failures end here too: the test goes on
        EXPECT_EQ(Writes(scenario), c.writes);
        EXPECT_EQ(g_settingsOpens, c.opens);
    }
}

// As a build before UTF-8 left them on this code page-1252 system: the member ID of the bytes
// "J\xF6rg\x80" and the password of the one byte 0x80, stored as 0x82.
TEST_F(LoginFiller, WritesTheProfileAsTheRegistryKeepsIt) {
    StoreProfile("J\xC3\xB6rg\xE2\x82\xAC", "", "\xE2\x80\x9A");
    Scenario scenario;
    scenario.windows.push_back(Page(live_[0], {In(L"member"), In(L"password")}));
    Fill(scenario);
    EXPECT_EQ(scenario.windows[0].elements[0].written, std::wstring(L"J\u00F6rg\u20AC"));
    EXPECT_EQ(scenario.windows[0].elements[1].written, std::wstring(L"\u20AC"));
}

// The command as the program runs it, against what Wine itself offers: a shell window
// collection that is created, runs and answers as IShellWindows but cannot count its windows
// (get_Count answers E_NOTIMPL). The command must end there quietly, before the profile is read.
TEST(LoginFillerSystem, EndsQuietlyWithTheShellsOwnWindows) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {  // the collection as described above: made, but its count unread
        IShellWindows* windows = nullptr;
        ASSERT_EQ(CoCreateInstance(__uuidof(ShellWindows), nullptr, CLSCTX_ALL, __uuidof(IShellWindows),
                                   reinterpret_cast<void**>(&windows)),
                  S_OK);
        LONG count = 0;
        EXPECT_EQ(windows->get_Count(&count), E_NOTIMPL);
        windows->Release();
    }
    const LoginFillCalls countingOpens = {CoCreateInstance, CountingOpen};
    SetLoginFillCalls(&countingOpens);
    g_settingsOpens = 0;
    g_keyMissing = false;
    FillMemberLoginForm(nullptr);
    SetLoginFillCalls(nullptr);
    EXPECT_EQ(g_settingsOpens, 0);
    CoUninitialize();
}

}  // namespace
