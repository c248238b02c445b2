// The desk on a real dialog (the main window's template): lookup, recording a correct
// evaluation, the reset, and the history picture drawn with the program's own pictures.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "base/program_folder.h"
#include "desk/desk.h"
#include "desk/mark_plan.h"
#include "desk/rating_picture.h"
#include "desk/site_database.h"
#include "resources/rtln_ids.h"
#include "desk_files.h"

using namespace desk_test;

namespace {

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

constexpr int32_t kSite = 4711;
constexpr int32_t kHour = 3600;
constexpr int32_t kDay = 86400;

class RatingDeskLookup : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, QuietDialog, 0);
        ASSERT_NE(nullptr, window_);
        ASSERT_TRUE(OpenDesk(desk_, window_));
        UseDataFolder(folder_.Path().c_str());
        ResetDesk(desk_, window_);
    }
    void TearDown() override {
        UseDataFolder(nullptr);
        if (window_) DestroyWindow(window_);
    }

    // Types the site into the Site ID box as the user would and looks it up.
    bool Find(int32_t site) {
        SetDlgItemInt(window_, IDC_SITE_ID, static_cast<UINT>(site), FALSE);
        const std::optional<int32_t> taken = TakeBoxSiteId(window_);
        return taken == site && LookUpSite(desk_, window_, site);
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(window_, id)) != FALSE; }
    int32_t Ago(int32_t seconds) const {
        return static_cast<int32_t>(CurrentUnixTime() - static_cast<uint32_t>(seconds));
    }

    HWND window_ = nullptr;
    Desk desk_;
    ScratchFolder folder_{"rating_desk"};
    std::string path_ = folder_.File("site.qzd");
};

struct RecordCase {
    const char* name;
    std::vector<SiteRecord> records;
    int shown;  // rating the lookup checks; 0 for a new site
    bool today;
    int checkedAtTicket;
    bool records_;  // the ticket appends a record
};

}  // namespace

TEST_F(RatingDeskLookup, CorrectEvaluationIsRecordedUnlessItRepeatsTodaysRating) {
    const RecordCase cases[] = {
        {"same rating within the hour", {{kSite, kHour, 4}}, 4, true, 4, false},
        {"another rating within the hour", {{kSite, kHour, 4}}, 4, true, 2, true},
        {"same rating two days ago", {{kSite, 2 * kDay, 4}}, 4, false, 4, true},
        {"new site", {{kSite + 1, kHour, 4}}, 0, false, 3, true},
        {"only an unusable record today: shown as new", {{kSite, kHour, 9}}, 0, false, 5, true},
    };
    for (const RecordCase& c : cases) {
        std::vector<SiteRecord> records = c.records;
        for (SiteRecord& record : records) record.stampTime = Ago(record.stampTime);  // given as seconds ago
        ASSERT_TRUE(WriteFileBytes(path_, RecordsFile(records)));
        ResetDesk(desk_, window_);
        ASSERT_TRUE(Find(kSite)) << c.name;

        EXPECT_EQ(kSite, desk_.siteNumber) << c.name;
        EXPECT_EQ(c.shown, desk_.shownRating) << c.name;
        EXPECT_EQ(c.shown == 0, desk_.siteIsNew) << c.name;
        EXPECT_EQ(c.today, desk_.evaluatedToday) << c.name;
        EXPECT_EQ(c.shown, CheckedRating(window_)) << c.name;
        EXPECT_EQ(c.shown != 0, Enabled(IDC_TICKET)) << c.name;
        EXPECT_EQ(c.shown != 0, Enabled(IDC_LOTTO_LIST)) << c.name;
        EXPECT_FALSE(Enabled(IDC_COUNT)) << c.name;
        for (int id : {IDC_SITE_ID, IDC_PASTE, IDC_FIND}) EXPECT_FALSE(Enabled(id)) << c.name << " " << id;
        EXPECT_TRUE(Enabled(IDC_SKIP_SITE)) << c.name;
        EXPECT_TRUE(Enabled(IDC_RATING_GREAT)) << c.name;
        EXPECT_EQ(std::to_string(kSite), [&] {
            char t[16];
            GetDlgItemTextA(window_, IDC_SITE_NUMBER, t, 16);
            return std::string(t);
        }()) << c.name;

        CheckRadioButton(window_, IDC_RATING_POOR, IDC_RATING_GREAT, IDC_RATING_BUTTON_BASE + c.checkedAtTicket);
        const Bytes before = ReadFileBytes(path_);
        RecordCorrectEvaluation(desk_, window_);
        const Bytes after = ReadFileBytes(path_);
        if (!c.records_) {
            EXPECT_EQ(before, after) << c.name;
            continue;
        }
        ASSERT_EQ(before.size() + 12, after.size()) << c.name;
        const SiteRecord added = DecodeSiteRecord(&after[before.size()]);
        EXPECT_EQ(kSite, added.siteNumber) << c.name;
        EXPECT_EQ(c.checkedAtTicket, added.rating) << c.name;
    }
}

TEST_F(RatingDeskLookup, ResetEmptiesTheDeskAndTheClipboard) {
    ASSERT_TRUE(WriteFileBytes(path_, RecordsFile({{kSite, Ago(kHour), 3}})));
    ASSERT_TRUE(Find(kSite));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(text), "X4711", 6);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();

    ResetDesk(desk_, window_);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(0, desk_.siteNumber);
    EXPECT_FALSE(desk_.evaluatedToday);
    EXPECT_FALSE(desk_.siteIsNew);
    EXPECT_EQ(DeskPhase::kReady, desk_.phase);
    EXPECT_EQ(0, CheckedRating(window_));
    for (int id : {IDC_SITE_ID, IDC_PASTE}) EXPECT_TRUE(Enabled(id)) << id;
    for (int id : {IDC_TICKET, IDC_COUNT, IDC_SKIP_SITE, IDC_LOTTO_LIST, IDC_TRAFFIC_LIST, IDC_BANNER_LIST,
                   IDC_RATING_POOR, IDC_RATING_GREAT})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(0, GetWindowTextLengthA(GetDlgItem(window_, IDC_SITE_NUMBER)));
}

TEST_F(RatingDeskLookup, RatingButtonEnablesTicketCountAndLists) {
    ASSERT_TRUE(WriteFileBytes(path_, {}));
    ASSERT_TRUE(Find(kSite));
    EXPECT_TRUE(desk_.siteIsNew);
    RatingClicked(desk_, window_);  // as a button that took the focus unchecked says: no choice
    for (int id : {IDC_TICKET, IDC_COUNT, IDC_LOTTO_LIST}) EXPECT_FALSE(Enabled(id)) << id;
    CheckDlgButton(window_, IDC_RATING_FAIR, BST_CHECKED);  // as a click leaves it
    RatingClicked(desk_, window_);
    for (int id : {IDC_TICKET, IDC_COUNT, IDC_LOTTO_LIST, IDC_TRAFFIC_LIST, IDC_BANNER_LIST})
        EXPECT_TRUE(Enabled(id)) << id;
}
