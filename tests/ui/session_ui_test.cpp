// A member's session from outside: the clock in the status bar, counting, the sites
// counter, Stop, Continue, Save (also while another program holds the history file),
// closing and the end of the desktop session, and the Player Sessions list.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "session/session_record.h"
#include "tests/ui/desk_ui.h"

namespace {

using desk_ui::Close;
using desk_ui::Folder;
using desk_ui::SecondsAgo;

// The driver does not link the program's code: the records are read and written here
// as the seven little-endian fields of the target they are.
static_assert(sizeof(SessionRecord) == kSessionRecordSize);
SessionRecord DecodeRecord(const unsigned char* bytes) {
    SessionRecord record;
    memcpy(&record, bytes, sizeof record);
    return record;
}

size_t SiteFileSize(const std::string& folder) { return ui::ReadFileBytes(folder + "\\site.qzd").size(); }
std::vector<unsigned char> History(const std::string& folder) { return ui::ReadFileBytes(folder + "\\sess.qzd"); }

::testing::AssertionResult Paste(const ui::Program& p, const char* siteId, const char* number) {
    if (!ui::SetClipboardText(siteId)) return ::testing::AssertionFailure() << "the clipboard";
    return p.Click(IDC_PASTE, p.TextIs(IDC_SITE_NUMBER, number));
}

// The selection is posted, so that the program takes it in turn with the notification.
::testing::AssertionResult PickCredit(const ui::Program& p, int listId, int entry, const ui::Until& until) {
    PostMessageA(p.Control(listId), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    return p.Notify(listId, CBN_CLOSEUP, until);
}

int BarPosition(const ui::Program& p) {
    return static_cast<int>(SendMessageA(p.Control(IDC_TICKET_PROGRESS), PBM_GETPOS, 0, 0));
}

std::vector<unsigned char> Sessions(std::initializer_list<SessionRecord> records) {
    std::vector<unsigned char> bytes;
    for (const SessionRecord& r : records) {
        bytes.resize(bytes.size() + kSessionRecordSize);
        memcpy(bytes.data() + bytes.size() - kSessionRecordSize, &r, sizeof r);
    }
    return bytes;
}

}  // namespace

TEST(SessionUi, FirstPasteStartsTheClockAndANewSiteRaisesTheSitesCounter) {
    const std::string folder = Folder("session_first_paste", {});
    ui::SetSettingDword("ShowBan", 1);  // the key exists, without "nSites"
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    EXPECT_EQ(p.StatusText(3), "0");
    EXPECT_EQ(p.StatusText(2), "");
    EXPECT_TRUE(p.MenuGrayed(IDM_STOP));
    EXPECT_TRUE(p.MenuGrayed(IDM_STATISTICS));

    ASSERT_TRUE(ui::SetClipboardText("X4321"));
    ASSERT_TRUE(p.Click(IDC_PASTE, p.StatusIs(2, "00:00:00")));
    EXPECT_NE(p.StatusText(1), "");
    EXPECT_TRUE(ui::WaitUntil(p.StatusIs(2, "00:00:01"), 2500));
    EXPECT_FALSE(p.MenuGrayed(IDM_STOP));
    EXPECT_TRUE(p.MenuGrayed(IDM_CONTINUE));
    EXPECT_TRUE(p.MenuGrayed(IDM_SAVE));

    ASSERT_TRUE(p.Click(IDC_RATING_GOOD, p.EnabledIs(IDC_TICKET, true)));
    ASSERT_TRUE(p.Click(IDC_TICKET, p.TextIs(IDC_TICKETS, "1")));
    EXPECT_EQ(BarPosition(p), 1);
    EXPECT_EQ(p.StatusText(3), "1");
    DWORD type = 0;
    std::vector<unsigned char> data;
    ASSERT_TRUE(ui::GetSettingRaw("nSites", &type, &data));
    EXPECT_EQ(data, (std::vector<unsigned char>{1, 0, 0, 0}));
    EXPECT_EQ(SiteFileSize(folder), kSiteRecordSize);
    EXPECT_FALSE(p.MenuGrayed(IDM_SAVE));
    Close(p);
}

TEST(SessionUi, TicketRecordsOnlyWhatIsNotAlreadyRecordedToday) {
    const struct {
        const char* name;
        int32_t age;
        int clickRating;  // 0: keep the shown rating
        bool creditPick;
        size_t growth;
    } cases[] = {
        {"same rating, 3 hours", 3 * 3600, 0, false, 0},
        {"same rating by a lotto pick", 3 * 3600, 0, true, 0},
        {"other rating", 3 * 3600, 2, false, kSiteRecordSize},
        {"two days old", 2 * 86400, 0, false, kSiteRecordSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = Folder("session_ticket_known", {{1234, SecondsAgo(c.age), 4}});
        ui::Program p;
        ASSERT_TRUE(p.Start(folder));
        ASSERT_TRUE(Paste(p, "X1234", "1234"));
        ASSERT_TRUE(p.Enabled(IDC_TICKET));
        const int rating = IDC_RATING_BUTTON_BASE + c.clickRating;
        ASSERT_TRUE(!c.clickRating || p.Click(rating, p.CheckedIs(rating, true)));
        ASSERT_TRUE(c.creditPick ? PickCredit(p, IDC_LOTTO_LIST, 6, p.TextIs(IDC_TICKETS, "1"))
                                 : p.Click(IDC_TICKET, p.TextIs(IDC_TICKETS, "1")));
        EXPECT_EQ(SiteFileSize(folder), kSiteRecordSize + c.growth);
        EXPECT_EQ(p.StatusText(3), "0");  // a known site is no new site
        Close(p);
    }
}

TEST(SessionUi, CountAndCreditsAndTheListLabel) {
    const std::string folder = Folder("session_count_credits", {{1234, SecondsAgo(60), 3}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_TRUE(Paste(p, "X1234", "1234"));
    ASSERT_TRUE(p.Click(IDC_RATING_AVERAGE, p.EnabledIs(IDC_COUNT, true)));
    ASSERT_TRUE(p.Click(IDC_COUNT, p.TextIs(IDC_ERRORS, "1")));
    EXPECT_EQ(SiteFileSize(folder), 2 * kSiteRecordSize);  // recorded although rated a minute ago

    ASSERT_TRUE(Paste(p, "X1234", "1234"));
    // Closed on its label: nothing. The pick after it, taken in turn, adds its own 10 credits
    // and the session's first ticket.
    const ui::Action label = p.Notifying(IDC_LOTTO_LIST, CBN_CLOSEUP);
    PostMessageA(p.Control(IDC_LOTTO_LIST), CB_SETCURSEL, 0, 0);
    PostMessageA(label.target, label.message, label.wParam, label.lParam);
    ASSERT_TRUE(PickCredit(p, IDC_LOTTO_LIST, 6, p.TextIs(IDC_LOTTO_CREDITS, "10")));
    EXPECT_EQ(p.Text(IDC_TICKETS), "1");
    EXPECT_EQ(nullptr, ui::MessageBoxNow(p).window);
    Close(p);
}

namespace {

// What follows a counted session: the rows continue the same opening.
void StopContinueSaveAndANewSession(ui::Program& p, const std::string& folder) {
    ASSERT_TRUE(p.Command(IDM_STOP, p.MenuGrayedIs(IDM_STOP, true)));
    EXPECT_FALSE(p.MenuGrayed(IDM_CONTINUE));  // that a paused clock stays is the clock's own test

    ASSERT_TRUE(Paste(p, "X1234", "1234"));  // continues the paused session
    EXPECT_EQ(p.Text(IDC_TICKETS), "1");
    EXPECT_NE(p.StatusText(2), "00:00:00");
    ASSERT_TRUE(p.Click(IDC_TICKET, p.TextIs(IDC_TICKETS, "2")));

    ASSERT_TRUE(p.Command(IDM_SAVE, p.MenuGrayedIs(IDM_SAVE, true)));
    const std::vector<unsigned char> history = History(folder);
    ASSERT_EQ(history.size(), kSessionRecordSize);
    const SessionRecord record = DecodeRecord(history.data());
    EXPECT_GE(record.elapsed, 1);
    EXPECT_LE(record.start, SecondsAgo(0));
    EXPECT_GE(record.start, SecondsAgo(60));
    // The clock ends on the stored length, also when a tick was still on its way.
    char stored[16];
    std::snprintf(stored, sizeof stored, "%02d:%02d:%02d", record.elapsed / 3600, record.elapsed / 60 % 60,
                  record.elapsed % 60);
    EXPECT_TRUE(ui::WaitUntil(p.StatusIs(2, stored), 1000));
    EXPECT_TRUE(p.MenuGrayed(IDM_STOP));
    EXPECT_FALSE(p.MenuGrayed(IDM_CONTINUE));
    EXPECT_FALSE(p.MenuGrayed(IDM_STATISTICS));
    EXPECT_EQ(p.Text(IDC_TICKETS), "2");  // stays on screen until the next session

    ASSERT_TRUE(p.Command(IDM_CONTINUE, p.TextIs(IDC_TICKETS, "")));  // a new session
    EXPECT_EQ(p.StatusText(2), "00:00:00");
    EXPECT_EQ(BarPosition(p), 0);
}

// Save's reset empties a typed Site ID box; the next Paste looks up the pasted site (not the
// emptied box) and begins a new session.
void PasteAfterSaveOverATypedBox(ui::Program& p, const std::string& folder) {
    ASSERT_TRUE(p.Type(IDC_SITE_ID, "5678", p.EnabledIs(IDC_FIND, true)));
    ASSERT_TRUE(p.Command(IDM_SAVE, p.MenuGrayedIs(IDM_STOP, true)));
    ASSERT_EQ(History(folder).size(), kSessionRecordSize);
    ASSERT_EQ(p.Text(IDC_SITE_ID), "");
    EXPECT_FALSE(p.Enabled(IDC_FIND)) << "Find follows the emptied box";

    ASSERT_TRUE(Paste(p, "X1234", "1234"));
    EXPECT_EQ(nullptr, ui::MessageBoxNow(p).window);
    EXPECT_TRUE(p.Checked(IDC_RATING_GREAT));
    EXPECT_FALSE(p.MenuGrayed(IDM_STOP));
    EXPECT_EQ(p.Text(IDC_TICKETS), "");  // the new session emptied the counters
}

void SaveWhileTheFileIsHeldKeepsTheSession(ui::Program& p, const std::string& folder) {
    const std::string path = folder + "\\sess.qzd";
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::unique_ptr<void, decltype(&CloseHandle)> holding(held, CloseHandle);  // closed on every path
    ASSERT_TRUE(p.Command(IDM_SAVE, p.BoxShown("Error")));
    const ui::MessageBoxInfo box = ui::WaitMessageBox(p);
    EXPECT_EQ(box.text, "File [sess.qzd] could not be opened.");
    ui::Answer(box, IDOK);
    EXPECT_FALSE(p.MenuGrayed(IDM_SAVE));
    EXPECT_FALSE(p.MenuGrayed(IDM_STOP));  // still running
    EXPECT_EQ(p.Text(IDC_TICKETS), "1");
    holding.reset();

    ASSERT_TRUE(p.Command(IDM_SAVE, p.MenuGrayedIs(IDM_SAVE, true)));
    EXPECT_EQ(nullptr, ui::MessageBoxNow(p).window);
    EXPECT_EQ(History(folder).size(), kSessionRecordSize);
}

void EndOfTheDesktopSession(ui::Program& p, const std::string& folder) {
    ASSERT_TRUE(p.Post(WM_ENDSESSION, TRUE, 0, ui::FileSizeIs(folder + "\\sess.qzd", kSessionRecordSize)));
    DWORD type = 0;
    std::vector<unsigned char> data;
    EXPECT_TRUE(ui::GetSettingRaw("WPos", &type, &data));
}

}  // namespace

// Closing stores a counted session once, whatever came before.
TEST(SessionUi, ACountedSessionGoesOn) {
    const struct {
        const char* name;
        void (*then)(ui::Program&, const std::string&);
        int storedTickets;
    } cases[] = {
        {"stop, continue, save and a new session", StopContinueSaveAndANewSession, 2},
        {"paste after save over a typed box", PasteAfterSaveOverATypedBox, 1},
        {"save while the file is held", SaveWhileTheFileIsHeldKeepsTheSession, 1},
        {"closing while running", [](ui::Program&, const std::string&) {}, 1},
        {"closing while paused",
         [](ui::Program& p, const std::string&) { ASSERT_TRUE(p.Command(IDM_STOP, p.MenuGrayedIs(IDM_STOP, true))); },
         1},
        {"the desktop session ends", EndOfTheDesktopSession, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = Folder("session_counted", {{1234, SecondsAgo(5 * 86400), 5}});
        ui::Program p;
        ASSERT_TRUE(p.Start(folder));
        ASSERT_TRUE(Paste(p, "X1234", "1234"));
        ASSERT_TRUE(p.Click(IDC_TICKET, p.TextIs(IDC_TICKETS, "1")));
        ASSERT_TRUE(ui::WaitUntil(p.StatusIs(2, "00:00:01"), 2500));  // a session of no length is not stored
        c.then(p, folder);
        Close(p);
        ASSERT_EQ(History(folder).size(), kSessionRecordSize);
        EXPECT_EQ(DecodeRecord(History(folder).data()).tickets, c.storedTickets);
    }
}

// The menu command shows the stored sessions; how the list reads is the dialog's own.
TEST(SessionUi, StatisticsListsTheStoredSessions) {
    const std::string folder = Folder("session_statistics", {});
    ui::WriteFileBytes(folder + "\\sess.qzd", Sessions({{1102214525, 3725, 12, 3, 5, 1, 30},
                                                        {1102300925, 60, 1, 0, 0, 0, 0},
                                                        {1102387325, 7200, 1234, 0, 0, 0, 0}}));
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_FALSE(p.MenuGrayed(IDM_STATISTICS));
    ASSERT_TRUE(p.Command(IDM_STATISTICS, p.BoxShown("Player Sessions")));
    const ui::MessageBoxInfo dialog = ui::WaitMessageBox(p, ui::kWaitMs, "Player Sessions");
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog.window, IDC_SESSION_LIST), LB_GETCOUNT, 0, 0), 3);
    ui::SaveScreenshot("session_statistics");
    EXPECT_TRUE(ui::Answer(dialog, IDOK));
    Close(p);
}
