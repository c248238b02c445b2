// The counters in their fields: the ticket bar's range and position, the sites counter
// in the status bar, the credit lists and what a pick adds.
#include <gtest/gtest.h>

#include "base/program_folder.h"
#include "base/settings.h"
#include "desk/site_database.h"
#include "session/session.h"
#include "session/session_internal.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

void StoreValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void DeleteValues() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, "nTickets");
    RegDeleteValueA(key, "nSites");
    RegCloseKey(key);
}

int BarTop(HWND window) {
    PBRANGE range = {};
    SendDlgItemMessageA(window, IDC_TICKET_PROGRESS, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    return range.iHigh;
}

int BarPosition(HWND window) {
    return static_cast<int>(SendDlgItemMessageA(window, IDC_TICKET_PROGRESS, PBM_GETPOS, 0, 0));
}

std::string StatusText(const Session& session, int part) {
    char text[64] = {};
    SendMessageA(session.statusBar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

class SessionCounters : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteValues();
        UseDataFolder(folder.Path().c_str());
        WriteFileBytes(folder.File("site.qzd"), {});
        CreateSessionStatusBar(session, window.get());
    }
    void TearDown() override {
        DeleteValues();
        UseDataFolder(nullptr);
    }
    ScratchFolder folder{"counters"};
    CounterWindow window;
    Session session;
};

}  // namespace

TEST_F(SessionCounters, TicketMaximumComesFromTheSettingsLow16Bits) {
    const DWORD big = 70000, zero = 0, seventy = 70;
    const uint64_t eightBytes = 80;
    const struct {
        const char* name;
        DWORD type;
        const void* data;
        DWORD size;
        int top;
    } cases[] = {
        {"absent", REG_NONE, nullptr, 0, 60},
        {"70", REG_DWORD, &seventy, 4, 70},
        {"70000", REG_DWORD, &big, 4, 4464},  // 70000 - 65536
        {"0", REG_DWORD, &zero, 4, 0},
        {"text", REG_SZ, "80", 3, 60},
        {"eight bytes", REG_BINARY, &eightBytes, 8, 60},
    };
    for (const auto& c : cases) {
        DeleteValues();
        if (c.data) StoreValue("nTickets", c.type, c.data, c.size);
        OpenSessionCounters(session, window.get());
        EXPECT_EQ(BarTop(window.get()), c.top) << c.name;
    }
    SetTicketMaximum(window.get(), 0x10000 + 25);
    EXPECT_EQ(BarTop(window.get()), 25);
    SetTicketMaximum(window.get(), -1);  // a saved "-1" means no maximum, as at opening
    EXPECT_EQ(BarTop(window.get()), 60);
}

TEST_F(SessionCounters, SitesCounterIsShownFromTheSettings) {
    OpenSessionCounters(session, window.get());
    EXPECT_EQ(StatusText(session, 3), "0");
    EXPECT_EQ(session.sitesCounter, 0);
    const DWORD five = 5;
    StoreValue("nSites", REG_DWORD, &five, 4);
    OpenSessionCounters(session, window.get());
    EXPECT_EQ(StatusText(session, 3), "5");
    StoreValue("nSites", REG_SZ, "9", 2);  // not a number value: counts as absent
    OpenSessionCounters(session, window.get());
    EXPECT_EQ(StatusText(session, 3), "0");
}

TEST_F(SessionCounters, CreditListsAreFilledAndShowTheirLabel) {
    OpenSessionCounters(session, window.get());
    const struct {
        int id;
        const char* entries[7];  // the label, then the amounts a pick adds
    } lists[] = {
        {IDC_LOTTO_LIST, {"Lotto", "1", "2", "3", "4", "5", "10"}},
        {IDC_TRAFFIC_LIST, {"Traffic", "1", "2", "3", "4", "5", "10"}},
        {IDC_BANNER_LIST, {"Banner", "10", "20", "30", "50", "100", "150"}},
    };
    for (const auto& list : lists) {
        EXPECT_EQ(SendDlgItemMessageA(window.get(), list.id, CB_GETCOUNT, 0, 0), 7) << list.entries[0];
        EXPECT_EQ(SendDlgItemMessageA(window.get(), list.id, CB_GETCURSEL, 0, 0), 0) << list.entries[0];
        for (int entry = 0; entry < 7; ++entry) {
            char text[16] = {};
            SendDlgItemMessageA(window.get(), list.id, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(text));
            EXPECT_STREQ(text, list.entries[entry]) << list.entries[0];
        }
    }
}

TEST_F(SessionCounters, PicksAddCredits) {
    OpenSessionCounters(session, window.get());
    const struct {
        const char* name;
        int listId;
        int fieldId;
        CreditKind kind;
        int entry;
        const char* before;
        const char* after;
        bool added;  // the pick counts as a ticket
    } cases[] = {
        {"lotto 10 on empty", IDC_LOTTO_LIST, IDC_LOTTO_CREDITS, CreditKind::kLotto, 6, "", "10", true},
        {"lotto 10 on 5", IDC_LOTTO_LIST, IDC_LOTTO_CREDITS, CreditKind::kLotto, 6, "5", "15", true},
        {"traffic 3 on 1", IDC_TRAFFIC_LIST, IDC_TRAFFIC_CREDITS, CreditKind::kTraffic, 3, "1", "4", true},
        {"banner 150 on 20", IDC_BANNER_LIST, IDC_FREE_BANNERS, CreditKind::kBanner, 6, "20", "170", true},
        {"label counts nothing", IDC_LOTTO_LIST, IDC_LOTTO_CREDITS, CreditKind::kLotto, 0, "5", "5", false},
    };
    for (const auto& c : cases) {
        window.Set(c.fieldId, c.before);
        SendDlgItemMessageA(window.get(), c.listId, CB_SETCURSEL, static_cast<WPARAM>(c.entry), 0);
        EXPECT_EQ(AddCredits(window.get(), c.kind), c.added) << c.name;
        EXPECT_EQ(window.Text(c.fieldId), c.after) << c.name;
        EXPECT_EQ(SendDlgItemMessageA(window.get(), c.listId, CB_GETCURSEL, 0, 0), 0) << c.name;
    }
}

TEST_F(SessionCounters, TicketsAndErrorsCountAndTheBarFollows) {
    OpenSessionCounters(session, window.get());  // range 0..60
    window.Set(IDC_TICKETS, "9");
    CountSite(session, window.get(), Count::kTicket, false);
    EXPECT_EQ(window.Text(IDC_TICKETS), "10");
    EXPECT_EQ(BarPosition(window.get()), 10);

    window.Set(IDC_TICKETS, "999");  // as typed into an unlocked field
    ShowTicketCount(window.get());
    EXPECT_EQ(BarPosition(window.get()), 60);  // a full bar
    CountSite(session, window.get(), Count::kTicket, false);
    EXPECT_EQ(window.Text(IDC_TICKETS), "1000");
    EXPECT_EQ(BarPosition(window.get()), 60);

    window.Set(IDC_TICKETS, "");
    ShowTicketCount(window.get());
    EXPECT_EQ(BarPosition(window.get()), 0);

    window.Set(IDC_ERRORS, "");
    CountSite(session, window.get(), Count::kError, false);
    EXPECT_EQ(window.Text(IDC_ERRORS), "1");
    CountSite(session, window.get(), Count::kError, false);
    EXPECT_EQ(window.Text(IDC_ERRORS), "2");
    EXPECT_EQ(window.Text(IDC_TICKETS), "");
}
