// The windows as a keyboard user and a screen reader meet them: names, tab order, focus, keys.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

#include "tests/ui/desk_ui.h"

using namespace desk_ui;

namespace {

constexpr GUID kAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0, 0xaa, 0, 0x38, 0x9b, 0x71}};  // mingw's is wrong

// The name an accessibility client reads. Wine's names no drop-down list: for a list, the label
// just before it, which Windows reads as its name as for an edit.
std::string Name(HWND control) {
    char kind[16] = "";
    if (GetClassNameA(control, kind, sizeof kind) && lstrcmpiA(kind, "ComboBox") == 0)
        return ui::WindowText(GetWindow(control, GW_HWNDPREV));
    IAccessible* object = nullptr;
    BSTR text = nullptr;
    VARIANT self = {};
    self.vt = VT_I4;  // CHILDID_SELF
    if (SUCCEEDED(AccessibleObjectFromWindow(control, OBJID_CLIENT, kAccessible, reinterpret_cast<void**>(&object)))) {
        object->get_accName(self, &text);
        object->Release();
    }
    const std::string name = text ? std::string(text, text + SysStringLen(text)) : "(none)";
    SysFreeString(text);
    return name;
}

HWND Focus(const ui::Program& p) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(p.process.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

// Typed into the window as input, which the program takes in turn: each press is followed by
// a wait for what it brings.
void PressCtrl(const ui::Program& p, BYTE key, HWND window = nullptr) {
    SetForegroundWindow(window ? window : p.window);
    for (BYTE down : {BYTE{VK_CONTROL}, key}) keybd_event(down, 0, 0, 0);
    for (BYTE up : {key, BYTE{VK_CONTROL}}) keybd_event(up, 0, KEYEVENTF_KEYUP, 0);
}

// The Tab round read from the first tab stop: forwards, or backwards as Shift+Tab goes.
std::vector<int> TabRound(const ui::Program& p, bool backwards) {
    const HWND first = GetNextDlgTabItem(p.window, nullptr, FALSE);
    std::vector<int> round;
    for (HWND at = first; at && round.size() < 40; at = GetNextDlgTabItem(p.window, at, backwards)) {
        round.push_back(GetDlgCtrlID(at));
        if (GetNextDlgTabItem(p.window, at, backwards) == first) break;
    }
    return round;
}

}  // namespace

TEST(KeyboardUi, NamesTabOrderFocusAndShortcuts) {
    ui::Program p;
    ASSERT_TRUE(p.Start(Folder("keyboard", {{1234, SecondsAgo(86400), 4}})));
    const std::pair<int, const char*> names[] = {{IDC_SITE_ID, "Enter the Site ID"},
                                                 {IDC_TICKETS, "Tickets in Your Session"},
                                                 {IDC_LOTTO_LIST, "Add Lotto Credits"},
                                                 {IDC_LOTTO_CREDITS, "Lotto Credits in Your Session"},
                                                 {IDC_TRAFFIC_LIST, "Add Traffic Credits"},
                                                 {IDC_TRAFFIC_CREDITS, "Traffic Credits in Your Session"},
                                                 {IDC_BANNER_LIST, "Add Free Banners"},
                                                 {IDC_FREE_BANNERS, "Free Banners in Your Session"},
                                                 {IDC_SITE_NUMBER, "Evalute Site"},
                                                 {IDC_ERRORS, "Errors in Your Session"},
                                                 {IDC_RATING_PICTURE, "Vote Results: the site's last evaluations"},
                                                 {IDC_RATING_POOR, "Poor"},
                                                 {IDC_RATING_FAIR, "Fair"},
                                                 {IDC_RATING_AVERAGE, "Average"},
                                                 {IDC_RATING_GOOD, "Good"},
                                                 {IDC_RATING_GREAT, "Great"}};
    for (const auto& [id, name] : names) EXPECT_EQ(Name(p.Control(id)), name) << id;
    // In every state of the desk Tab and Shift+Tab go once round every enabled control that
    // does something, the ratings being one stop: the checked one, else Poor. The counters
    // are read-only fields a screen reader visits.
    const auto expectRound = [&](const char* state, std::vector<int> round) {
        SCOPED_TRACE(state);
        EXPECT_EQ(TabRound(p, false), round);
        std::reverse(round.begin() + 1, round.end());
        EXPECT_EQ(TabRound(p, true), round);
    };
    const std::vector<int> ready = {IDC_PASTE,           IDC_SITE_ID,      IDC_TICKETS,     IDC_LOTTO_CREDITS,
                                    IDC_TRAFFIC_CREDITS, IDC_FREE_BANNERS, IDC_SITE_NUMBER, IDC_ERRORS};
    expectRound("ready", ready);

    // A lookup leaves the focus on the rating last recorded; after the reset it is on Paste.
    // Ctrl+M (Count) does nothing while Count is greyed: had it counted, the reset would leave
    // Ctrl+T (Ticket) nothing to count.
    ASSERT_TRUE(ui::SetClipboardText("X1234"));
    PressCtrl(p, 'P');
    ASSERT_TRUE(ui::WaitFor([&] { return Focus(p) == p.Control(IDC_RATING_GOOD); }));
    expectRound("a known site",
                {IDC_TICKET, IDC_TICKETS, IDC_LOTTO_LIST, IDC_LOTTO_CREDITS, IDC_TRAFFIC_LIST, IDC_TRAFFIC_CREDITS,
                 IDC_BANNER_LIST, IDC_FREE_BANNERS, IDC_SITE_NUMBER, IDC_SKIP_SITE, IDC_ERRORS, IDC_RATING_GOOD});
    PressCtrl(p, 'M');
    PressCtrl(p, 'T');
    EXPECT_TRUE(ui::WaitFor([&] { return Focus(p) == p.Control(IDC_PASTE); }));
    EXPECT_EQ(p.Text(IDC_TICKETS) + "/" + p.Text(IDC_ERRORS), "1/");
    expectRound("after the reset", ready);
    // A new site: the focus on Poor is no choice yet; Skip Site asks first. A choice brings
    // Ticket, the lists and Count into the round.
    ASSERT_TRUE(ui::SetClipboardText("X7777"));
    PressCtrl(p, 'P');
    ASSERT_TRUE(ui::WaitFor([&] { return Focus(p) == p.Control(IDC_RATING_POOR); }));
    EXPECT_FALSE(p.Enabled(IDC_TICKET) || p.Enabled(IDC_COUNT));
    expectRound("a new site", {IDC_TICKETS, IDC_LOTTO_CREDITS, IDC_TRAFFIC_CREDITS, IDC_FREE_BANNERS, IDC_SITE_NUMBER,
                               IDC_SKIP_SITE, IDC_ERRORS, IDC_RATING_POOR});
    ASSERT_TRUE(p.Click(IDC_RATING_FAIR, p.EnabledIs(IDC_COUNT, true)));
    expectRound("a rating chosen", {IDC_TICKET, IDC_TICKETS, IDC_LOTTO_LIST, IDC_LOTTO_CREDITS, IDC_TRAFFIC_LIST,
                                    IDC_TRAFFIC_CREDITS, IDC_BANNER_LIST, IDC_FREE_BANNERS, IDC_SITE_NUMBER,
                                    IDC_SKIP_SITE, IDC_COUNT, IDC_ERRORS, IDC_RATING_FAIR});
    PressCtrl(p, 'K');
    EXPECT_TRUE(ui::Answer(WaitDeskBox(p), IDNO));

    ASSERT_TRUE(p.Command(IDM_PLAYER_OPTIONS, p.BoxShown("Player Settings")));
    const HWND settings = ui::WaitMessageBox(p, ui::kWaitMs, "Player Settings").window;
    for (const auto& [id, name] : {std::pair{IDC_PLAYER_MAX_TICKETS, "Maximum Tickets in the Session"},
                                   {IDC_PLAYER_MEMBER_ID, "Member ID or E-Mail"},
                                   {IDC_PLAYER_SITE_ID, "or Site ID (Xnnnn)"},
                                   {IDC_PLAYER_PASSWORD, "Password"},
                                   {IDC_PLAYER_CONFIRM, "Confirm Password"},
                                   {IDC_PLAYER_PATH, "Path"}})
        EXPECT_EQ(Name(GetDlgItem(settings, id)), name);
    PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(ui::WaitFor([&] { return !IsWindow(settings); }));

    // The About box: Tab reaches the page's buttons, then the tabs; Ctrl+Tab shows the licence.
    ASSERT_TRUE(p.Command(IDM_ABOUT, p.BoxShown("Tavrik Rateline - About")));
    const HWND about = ui::WaitMessageBox(p, ui::kWaitMs, "Tavrik Rateline - About").window;
    const HWND tabs = GetDlgItem(about, IDC_ABOUT_TABS), page = FindWindowExA(about, nullptr, "#32770", nullptr);
    EXPECT_EQ(GetNextDlgTabItem(about, GetDlgItem(about, IDC_ABOUT_HELP), FALSE), GetDlgItem(page, IDC_ABOUT_WEB_SITE));
    EXPECT_EQ(GetNextDlgTabItem(about, GetDlgItem(page, IDC_ABOUT_EMAIL), FALSE), tabs);
    PressCtrl(p, VK_TAB, about);
    EXPECT_TRUE(ui::WaitFor([&] {
        return GetDlgItem(FindWindowExA(about, nullptr, "#32770", nullptr), IDC_ABOUT_LICENSE_TEXT) != nullptr;
    }));
    EXPECT_TRUE(ui::WaitFor([&] { return Focus(p) == tabs; }));
    PostMessageA(about, WM_COMMAND, IDC_ABOUT_CANCEL, 0);
    EXPECT_TRUE(ui::WaitFor([&] { return !IsWindow(about); }));
    Close(p);
}
