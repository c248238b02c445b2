// A member's session from outside: the clock in the status bar, counting, the sites
// counter, Stop, Continue, Save (also while another program holds the history file),
// closing and the end of the desktop session, and the Player Sessions list.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "desk/site_records.h"
#include "resources/rtln_ids.h"
#include "session/session_record.h"
#include "tests/ui/driver/ui_driver.h"

namespace {

// The driver does not link the program's code: the records are read and written here
// as the seven little-endian fields of the target they are.
static_assert(sizeof(SessionRecord) == kSessionRecordSize);
SessionRecord DecodeRecord(const unsigned char* bytes) {
    SessionRecord record;
    memcpy(&record, bytes, sizeof record);
    return record;
}

int32_t SecondsAgo(int32_t seconds) {
    return static_cast<int32_t>(static_cast<uint32_t>(std::time(nullptr)) - static_cast<uint32_t>(seconds));
}

// A fresh program folder with a site database of the given records.
std::string Folder(const char* name, const std::vector<SiteRecord>& records) {
    ui::DeleteSettingsKey();
    const std::string folder = ui::MakeProgramFolder(name);
    std::vector<unsigned char> bytes(records.size() * kSiteRecordSize);
    for (size_t i = 0; i < records.size(); ++i) EncodeSiteRecord(records[i], &bytes[i * kSiteRecordSize]);
    ui::WriteFileBytes(folder + "\\site.qzd", bytes);
    return folder;
}

size_t SiteFileSize(const std::string& folder) { return ui::ReadFileBytes(folder + "\\site.qzd").size(); }
std::vector<unsigned char> History(const std::string& folder) { return ui::ReadFileBytes(folder + "\\sess.qzd"); }

void Paste(const ui::Program& p, const char* siteId) {
    ASSERT_TRUE(ui::SetClipboardText(siteId));
    p.Click(IDC_PASTE);
}

void PickCredit(const ui::Program& p, int listId, int entry) {
    SendMessageA(p.Control(listId), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    p.Notify(listId, CBN_CLOSEUP);
}

int BarPosition(const ui::Program& p) {
    return static_cast<int>(SendMessageA(p.Control(IDC_TICKET_PROGRESS), PBM_GETPOS, 0, 0));
}

bool WaitStatus(const ui::Program& p, int part, const std::string& text, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50, Sleep(50))
        if (p.StatusText(part) == text) return true;
    return false;
}

void Close(ui::Program& p) {
    p.Command(IDM_EXIT);
    EXPECT_EQ(p.WaitExit(), 1);  // the program always ends with 1
}

std::vector<unsigned char> Sessions(std::initializer_list<SessionRecord> records) {
    std::vector<unsigned char> bytes;
    for (const SessionRecord& r : records) {
        bytes.resize(bytes.size() + kSessionRecordSize);
        memcpy(bytes.data() + bytes.size() - kSessionRecordSize, &r, sizeof r);
    }
    return bytes;
}

HWND WaitSessionsDialog() {
    for (int i = 0; i < 200; ++i, Sleep(50))
        if (HWND dialog = FindWindowA("#32770", "Player Sessions")) return dialog;
    return nullptr;
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

    Paste(p, "X4321");
    EXPECT_EQ(p.StatusText(2), "00:00:00");
    EXPECT_NE(p.StatusText(1), "");
    EXPECT_TRUE(WaitStatus(p, 2, "00:00:01", 2500));
    EXPECT_FALSE(p.MenuGrayed(IDM_STOP));
    EXPECT_TRUE(p.MenuGrayed(IDM_CONTINUE));
    EXPECT_TRUE(p.MenuGrayed(IDM_SAVE));

    p.Click(IDC_RATING_GOOD);
    p.Click(IDC_TICKET);
    EXPECT_EQ(p.Text(IDC_TICKETS), "1");
    EXPECT_EQ(BarPosition(p), 1);
    EXPECT_EQ(p.StatusText(3), "1");
    DWORD type = 0;
    std::vector<unsigned char> data;
    ASSERT_TRUE(ui::GetSettingRaw("nSites", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
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
        const std::string folder = Folder("session_ticket_known", {{1234, SecondsAgo(c.age), 4}});
        ui::Program p;
        ASSERT_TRUE(p.Start(folder)) << c.name;
        Paste(p, "X1234");
        ASSERT_TRUE(p.Enabled(IDC_TICKET)) << c.name;
        if (c.clickRating) p.Click(IDC_RATING_BUTTON_BASE + c.clickRating);
        if (c.creditPick)
            PickCredit(p, IDC_LOTTO_LIST, 6);
        else
            p.Click(IDC_TICKET);
        EXPECT_EQ(p.Text(IDC_TICKETS), "1") << c.name;
        EXPECT_EQ(SiteFileSize(folder), kSiteRecordSize + c.growth) << c.name;
        EXPECT_EQ(p.StatusText(3), "0") << c.name;  // a known site is no new site
        Close(p);
    }
}

TEST(SessionUi, CountAndCreditsAndTheListLabel) {
    const std::string folder = Folder("session_count_credits", {{1234, SecondsAgo(60), 3}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    Paste(p, "X1234");
    p.Click(IDC_RATING_AVERAGE);
    p.Click(IDC_COUNT);
    EXPECT_EQ(p.Text(IDC_ERRORS), "1");
    EXPECT_EQ(SiteFileSize(folder), 2 * kSiteRecordSize);  // recorded although rated a minute ago

    Paste(p, "X1234");
    PickCredit(p, IDC_LOTTO_LIST, 0);  // closed on its label: nothing
    EXPECT_EQ(p.Text(IDC_LOTTO_CREDITS), "");
    EXPECT_EQ(p.Text(IDC_TICKETS), "");
    PickCredit(p, IDC_LOTTO_LIST, 6);
    EXPECT_EQ(p.Text(IDC_LOTTO_CREDITS), "10");
    EXPECT_EQ(p.Text(IDC_TICKETS), "1");
    Close(p);
}

TEST(SessionUi, StopContinueSaveAndANewSession) {
    const std::string folder = Folder("session_stop_save", {{1234, SecondsAgo(5 * 86400), 5}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    Paste(p, "X1234");
    p.Click(IDC_TICKET);
    ASSERT_TRUE(WaitStatus(p, 2, "00:00:01", 2500));
    p.Command(IDM_STOP);
    EXPECT_TRUE(p.MenuGrayed(IDM_STOP));
    EXPECT_FALSE(p.MenuGrayed(IDM_CONTINUE));
    const std::string paused = p.StatusText(2);
    Sleep(1300);
    // The same call a little later: the clock must not have moved.
    // cppcheck-suppress knownConditionTrueFalse
    EXPECT_EQ(p.StatusText(2), paused);

    Paste(p, "X1234");  // continues the paused session
    EXPECT_EQ(p.Text(IDC_TICKETS), "1");
    EXPECT_NE(p.StatusText(2), "00:00:00");
    p.Click(IDC_TICKET);
    EXPECT_EQ(p.Text(IDC_TICKETS), "2");

    p.Command(IDM_SAVE);
    const std::vector<unsigned char> history = History(folder);
    ASSERT_EQ(history.size(), kSessionRecordSize);
    const SessionRecord record = DecodeRecord(history.data());
    EXPECT_EQ(record.tickets, 2);
    EXPECT_GE(record.elapsed, 1);
    EXPECT_LE(record.start, SecondsAgo(0));
    EXPECT_GE(record.start, SecondsAgo(60));
    // The clock ends on the stored length, also when a tick was still on its way.
    char stored[16];
    std::snprintf(stored, sizeof stored, "%02d:%02d:%02d", record.elapsed / 3600, record.elapsed / 60 % 60,
                  record.elapsed % 60);
    EXPECT_TRUE(WaitStatus(p, 2, stored, 1000)) << p.StatusText(2) << " shown, " << stored << " stored";
    EXPECT_TRUE(p.MenuGrayed(IDM_SAVE));
    EXPECT_TRUE(p.MenuGrayed(IDM_STOP));
    EXPECT_FALSE(p.MenuGrayed(IDM_CONTINUE));
    EXPECT_FALSE(p.MenuGrayed(IDM_STATISTICS));
    EXPECT_EQ(p.Text(IDC_TICKETS), "2");  // stays on screen until the next session

    p.Command(IDM_CONTINUE);  // a new session
    EXPECT_EQ(p.StatusText(2), "00:00:00");
    EXPECT_EQ(p.Text(IDC_TICKETS), "");
    EXPECT_EQ(BarPosition(p), 0);
    Close(p);  // nothing counted in the new session: nothing stored
    EXPECT_EQ(History(folder).size(), kSessionRecordSize);
}

// Save's reset empties a typed Site ID box; the next Paste looks up the pasted site (not the
// emptied box) and begins a new session.
TEST(SessionUi, PasteAfterSaveOverATypedBoxLooksUpThePastedSite) {
    const std::string folder = Folder("session_paste_after_save", {{1234, SecondsAgo(5 * 86400), 5}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    Paste(p, "X1234");
    p.Click(IDC_TICKET);
    ASSERT_TRUE(WaitStatus(p, 2, "00:00:01", 2500));  // a session of no length is not stored
    p.Type(IDC_SITE_ID, "5678");
    ASSERT_TRUE(p.Enabled(IDC_FIND));
    p.Command(IDM_SAVE);
    ASSERT_EQ(History(folder).size(), kSessionRecordSize);
    ASSERT_TRUE(p.MenuGrayed(IDM_STOP));
    ASSERT_EQ(p.Text(IDC_SITE_ID), "");
    EXPECT_FALSE(p.Enabled(IDC_FIND)) << "Find follows the emptied box";

    Paste(p, "X1234");
    EXPECT_TRUE(ui::NoMessageBox(p));
    EXPECT_EQ(p.Text(IDC_SITE_NUMBER), "1234");
    EXPECT_TRUE(p.Checked(IDC_RATING_GREAT));
    EXPECT_FALSE(p.MenuGrayed(IDM_STOP));
    EXPECT_EQ(p.Text(IDC_TICKETS), "");  // the new session emptied the counters
    p.Click(IDC_TICKET);
    Close(p);
}

TEST(SessionUi, SaveWhileTheFileIsHeldKeepsTheSession) {
    const std::string folder = Folder("session_save_held", {{1234, SecondsAgo(5 * 86400), 5}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    Paste(p, "X1234");
    p.Click(IDC_TICKET);
    ASSERT_TRUE(WaitStatus(p, 2, "00:00:01", 2500));  // a session of 0 seconds is not saved
    const std::string path = folder + "\\sess.qzd";
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::unique_ptr<void, decltype(&CloseHandle)> holding(held, CloseHandle);  // closed on every path
    p.Command(IDM_SAVE);
    const ui::MessageBoxInfo box = ui::WaitMessageBox(p);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, "File [sess.qzd] could not be opened.");
    ui::Answer(box, IDOK);
    EXPECT_FALSE(p.MenuGrayed(IDM_SAVE));
    EXPECT_FALSE(p.MenuGrayed(IDM_STOP));  // still running
    EXPECT_EQ(p.Text(IDC_TICKETS), "1");
    holding.reset();

    p.Command(IDM_SAVE);
    EXPECT_TRUE(ui::NoMessageBox(p));
    EXPECT_EQ(History(folder).size(), kSessionRecordSize);
    EXPECT_TRUE(p.MenuGrayed(IDM_SAVE));
    Close(p);
    EXPECT_EQ(History(folder).size(), kSessionRecordSize);
}

TEST(SessionUi, ClosingStoresACountedSessionOnce) {
    const struct {
        const char* name;
        bool pause;
        bool endSession;
    } cases[] = {{"running", false, false}, {"paused", true, false}, {"desktop session ends", false, true}};
    for (const auto& c : cases) {
        const std::string folder = Folder("session_close", {{1234, SecondsAgo(5 * 86400), 5}});
        ui::Program p;
        ASSERT_TRUE(p.Start(folder)) << c.name;
        Paste(p, "X1234");
        p.Click(IDC_TICKET);
        ASSERT_TRUE(WaitStatus(p, 2, "00:00:01", 2500)) << c.name;
        if (c.pause) p.Command(IDM_STOP);
        if (c.endSession) {
            p.Post(WM_ENDSESSION, TRUE, 0);
            p.Idle();
            EXPECT_EQ(History(folder).size(), kSessionRecordSize) << c.name;
            DWORD type = 0;
            std::vector<unsigned char> data;
            EXPECT_TRUE(ui::GetSettingRaw("WPos", &type, &data)) << c.name;
        }
        Close(p);
        EXPECT_EQ(History(folder).size(), kSessionRecordSize) << c.name;
        if (History(folder).size() == kSessionRecordSize) {
            EXPECT_EQ(DecodeRecord(History(folder).data()).tickets, 1) << c.name;
        }
    }
}

TEST(SessionUi, StatisticsListsStoredSessionsNewestFirst) {
    const std::string folder = Folder("session_statistics", {});
    ui::WriteFileBytes(folder + "\\sess.qzd", Sessions({{1102214525, 3725, 12, 3, 5, 1, 30},
                                                        {1102300925, 60, 1, 0, 0, 0, 0},
                                                        {1102387325, 7200, 1234, 0, 0, 0, 0}}));
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_FALSE(p.MenuGrayed(IDM_STATISTICS));
    p.Command(IDM_STATISTICS);
    HWND dialog = WaitSessionsDialog();
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDC_SESSION_LIST);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    // The newest line is one character wider (four-digit tickets).
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 0, 0), SendMessageA(list, LB_GETTEXTLEN, 2, 0) + 1);
    ui::SaveScreenshot("session_statistics");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindowVisible(dialog); ++i) Sleep(50);
    EXPECT_FALSE(IsWindowVisible(dialog));

    ui::WriteFileBytes(folder + "\\sess.qzd", {});  // a zero-length file: an empty list
    p.Command(IDM_STATISTICS);
    dialog = WaitSessionsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_SESSION_LIST), LB_GETCOUNT, 0, 0), 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindowVisible(dialog); ++i) Sleep(50);
    Close(p);
}
