// The windows as a keyboard user and a screen reader meet them: the names an accessibility
// client reads, the tab order, where the focus goes, and the Ctrl shortcuts.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <iterator>
#include <utility>

#include "app/keyboard.h"
#include "tests/ui/desk_ui.h"

using namespace desk_ui;

namespace {

// mingw's liboleacc.a carries a wrong IID_IAccessible.
constexpr GUID kAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The name an accessibility client reads for a control; "(none)" when it gets none.
std::string AccessibleName(HWND control) {
    IAccessible* object = nullptr;
    std::string name = "(none)";
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, kAccessible, reinterpret_cast<void**>(&object))))
        return name;
    VARIANT self = {};
    self.vt = VT_I4;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK && text) name = std::string(text, text + SysStringLen(text));
    SysFreeString(text);
    object->Release();
    return name;
}

HWND Focus(const ui::Program& p) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(p.process.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

// Ctrl and a key, typed as the member types them into a window of the program.
void PressCtrl(const ui::Program& p, WORD key, HWND window = nullptr) {
    SetForegroundWindow(window ? window : p.window);
    INPUT keys[4] = {};
    const WORD order[4] = {VK_CONTROL, key, key, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, keys, sizeof keys[0]);
    p.Idle();
}

}  // namespace

TEST(KeyboardUi, NamesTabOrderFocusAndShortcuts) {
    ui::Program p;
    ASSERT_TRUE(p.Start(Folder("keyboard", {{1234, SecondsAgo(86400), 4}})));
    // The name an accessibility client reads. Wine's client names no drop-down list: for those the
    // label just before it, which Windows reads as their name as it does for an edit.
    const struct {
        int id;
        const char* name;
        bool list = false;
    } names[] = {{IDC_SITE_ID, "Enter the Site ID"}, {IDC_TICKETS, "Tickets in Your Session"},
                 {IDC_LOTTO_CREDITS, "Lotto Credits in Your Session"}, {IDC_LOTTO_LIST, "Add Lotto Credits", true},
                 {IDC_TRAFFIC_CREDITS, "Traffic Credits in Your Session"},
                 {IDC_TRAFFIC_LIST, "Add Traffic Credits", true}, {IDC_FREE_BANNERS, "Free Banners in Your Session"},
                 {IDC_BANNER_LIST, "Add Free Banners", true}, {IDC_SITE_NUMBER, "Evalute Site"},
                 {IDC_ERRORS, "Errors in Your Session"}, {IDC_RATING_PICTURE, "Vote Results: the site's last evaluations"},
                 {IDC_RATING_POOR, "Poor"}, {IDC_RATING_FAIR, "Fair"}, {IDC_RATING_AVERAGE, "Average"},
                 {IDC_RATING_GOOD, "Good"}, {IDC_RATING_GREAT, "Great"}, {IDC_PASTE, "Paste"}};
    for (const auto& row : names) {
        const HWND control = p.Control(row.id);
        EXPECT_EQ(row.list ? ui::WindowText(GetWindow(control, GW_HWNDPREV)) : AccessibleName(control), row.name);
    }

    // Before a lookup Tab visits Paste, the Site ID box and the counters; the rest is greyed.
    const int atRest[] = {IDC_PASTE,     IDC_SITE_ID,      IDC_TICKETS, IDC_LOTTO_CREDITS, IDC_TRAFFIC_CREDITS,
                          IDC_FREE_BANNERS, IDC_SITE_NUMBER, IDC_ERRORS,  IDC_PASTE};
    EXPECT_EQ(Focus(p), p.Control(IDC_PASTE));
    for (size_t i = 0; i + 1 < std::size(atRest); ++i)
        EXPECT_EQ(GetNextDlgTabItem(p.window, p.Control(atRest[i]), FALSE), p.Control(atRest[i + 1])) << atRest[i];

    // Ctrl+P pastes; the focus lands on the rating last recorded, which Tab reaches again.
    ASSERT_TRUE(ui::SetClipboardText("X1234"));
    PressCtrl(p, 'P');
    ASSERT_TRUE(ui::WaitFor([&] { return p.Text(IDC_SITE_NUMBER) == "1234"; }));
    EXPECT_EQ(Focus(p), p.Control(IDC_RATING_GOOD));
    EXPECT_EQ(GetNextDlgTabItem(p.window, p.Control(IDC_ERRORS), FALSE), p.Control(IDC_RATING_GOOD));
    EXPECT_EQ(GetNextDlgTabItem(p.window, p.Control(IDC_RATING_GOOD), FALSE), p.Control(IDC_TICKET));
    // Ctrl+M is Count, greyed until a rating is chosen: nothing happens. Ctrl+T records the ticket.
    PressCtrl(p, 'M');
    EXPECT_EQ(p.Text(IDC_ERRORS), "");
    PressCtrl(p, 'T');
    EXPECT_TRUE(ui::WaitFor([&] { return p.Text(IDC_TICKETS) == "1"; }));
    EXPECT_EQ(Focus(p), p.Control(IDC_PASTE)) << "after the reset";

    // A new site: the focus is on Poor, and taking it counts as no choice.
    ASSERT_TRUE(ui::SetClipboardText("X7777"));
    PressCtrl(p, 'P');
    ASSERT_TRUE(ui::WaitFor([&] { return p.Text(IDC_SITE_NUMBER) == "7777"; }));
    EXPECT_EQ(Focus(p), p.Control(IDC_RATING_POOR));
    EXPECT_FALSE(p.Enabled(IDC_TICKET));
    EXPECT_FALSE(p.Enabled(IDC_COUNT));
    PressCtrl(p, 'K');
    ui::Answer(WaitDeskBox(p), IDNO);
    EXPECT_TRUE(ui::WaitFor([&] { return Focus(p) == p.Control(IDC_PASTE); }));

    // Player Settings: each field named after its label, and Tab in the order they stand.
    p.Command(IDM_PLAYER_OPTIONS);
    const HWND settings = ui::WaitMessageBox(p, ui::kWaitMs, "Player Settings").window;
    const std::pair<int, const char*> fields[] = {
        {IDC_PLAYER_MAX_TICKETS, "Maximum Tickets in the Session"}, {IDC_PLAYER_MEMBER_ID, "Member ID or E-Mail"},
        {IDC_PLAYER_SITE_ID, "or Site ID (Xnnnn)"}, {IDC_PLAYER_PASSWORD, "Password"},
        {IDC_PLAYER_CONFIRM, "Confirm Password"}, {IDC_PLAYER_PATH, "Path"}, {IDCANCEL, "Cancel"}};
    for (size_t i = 0; i < std::size(fields); ++i) {
        const HWND field = GetDlgItem(settings, fields[i].first);
        EXPECT_EQ(AccessibleName(field), fields[i].second);
        EXPECT_EQ(GetNextDlgTabItem(settings, field, FALSE),
                  GetDlgItem(settings, fields[(i + 1) % std::size(fields)].first)) << fields[i].second;
    }
    PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(ui::WaitFor([&] { return !IsWindow(settings); }));

    // The About box: Tab goes through its tabs and its page's buttons; Ctrl+Tab shows the licence.
    p.Command(IDM_ABOUT);
    const HWND about = ui::WaitMessageBox(p, ui::kWaitMs, "Tavrik Rateline - About").window;
    const HWND tabs = GetDlgItem(about, IDC_ABOUT_TABS);
    const HWND page = FindWindowExA(about, nullptr, "#32770", nullptr);
    EXPECT_EQ(GetNextDlgTabItem(about, GetDlgItem(about, IDC_ABOUT_HELP), FALSE), GetDlgItem(page, IDC_ABOUT_WEB_SITE));
    EXPECT_EQ(GetNextDlgTabItem(about, GetDlgItem(page, IDC_ABOUT_EMAIL), FALSE), tabs);
    EXPECT_EQ(GetNextDlgTabItem(about, tabs, FALSE), GetDlgItem(about, IDC_ABOUT_CANCEL));
    PressCtrl(p, VK_TAB, about);
    EXPECT_TRUE(ui::WaitFor([&] {
        return GetDlgItem(FindWindowExA(about, nullptr, "#32770", nullptr), IDC_ABOUT_LICENSE_TEXT) != nullptr;
    }));
    EXPECT_EQ(Focus(p), tabs);
    PostMessageA(about, WM_COMMAND, IDC_ABOUT_CANCEL, 0);
    EXPECT_TRUE(ui::WaitFor([&] { return !IsWindow(about); }));
    Close(p);
}
