// The desk from outside: Paste and its refusals, the typed Site ID and Find.
#include <gtest/gtest.h>

#include "desk_ui.h"

using namespace desk_ui;

namespace {

constexpr int kRatingIds[] = {IDC_RATING_POOR, IDC_RATING_FAIR, IDC_RATING_AVERAGE, IDC_RATING_GOOD, IDC_RATING_GREAT};

void ExpectReady(const ui::Program& p, const char* when) {
    EXPECT_TRUE(p.Enabled(IDC_PASTE)) << when;
    EXPECT_TRUE(p.Enabled(IDC_SITE_ID)) << when;
    EXPECT_FALSE(p.Enabled(IDC_SKIP_SITE)) << when;
    EXPECT_FALSE(p.Enabled(IDC_TICKET)) << when;
    EXPECT_FALSE(p.Enabled(IDC_RATING_GREAT)) << when;
    EXPECT_EQ("", p.Text(IDC_SITE_NUMBER)) << when;
}

void ExpectLookedUp(const ui::Program& p, const char* number, int rating, const char* when) {
    EXPECT_EQ(number, p.Text(IDC_SITE_NUMBER)) << when;
    EXPECT_EQ(rating, CheckedRating(p)) << when;
    for (int id : kRatingIds) EXPECT_TRUE(p.Enabled(id)) << when << " " << id;
    EXPECT_EQ(rating != 0, p.Enabled(IDC_TICKET)) << when;
    EXPECT_EQ(rating != 0, p.Enabled(IDC_LOTTO_LIST)) << when;
    EXPECT_FALSE(p.Enabled(IDC_COUNT)) << when;
    EXPECT_TRUE(p.Enabled(IDC_SKIP_SITE)) << when;
    for (int id : {IDC_PASTE, IDC_SITE_ID, IDC_FIND}) EXPECT_FALSE(p.Enabled(id)) << when << " " << id;
    EXPECT_EQ("", p.Text(IDC_SITE_ID)) << when;
}

}  // namespace

// Whatever the Site ID box holds, Paste looks up the clipboard's digits; the clipboard stays
// (only the reset empties it) and the database is only read.
TEST(DeskUi, PasteLooksUpTheClipboardsDigits) {
    const struct {
        const char* name;
        std::vector<SiteRecord> records;
        const char* typed;
        const char* clipboard;
        const char* number;
        int rating;
    } cases[] = {
        {"desk_paste_new", {{999, SecondsAgo(60), 5}}, "", "X01234", "1234", 0},
        {"desk_paste_box", {{5678, SecondsAgo(3600), 2}, {1234, SecondsAgo(3600), 5}}, "5678", "X1234", "1234", 5},
        {"desk_paste_14_characters_zero_length_file", {}, "", "abcdefghij4321", "4321", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = Folder(c.name, c.records);
        ui::Program p;
        ASSERT_TRUE(p.Start(folder));
        ExpectReady(p, "at start");
        ASSERT_TRUE(!*c.typed || p.Type(IDC_SITE_ID, c.typed, p.TextIs(IDC_SITE_ID, c.typed)));
        ASSERT_TRUE(ui::SetClipboardText(c.clipboard));
        ASSERT_TRUE(p.Click(IDC_PASTE, p.TextIs(IDC_SITE_NUMBER, c.number)));
        EXPECT_EQ(nullptr, ui::MessageBoxNow(p).window);
        ExpectLookedUp(p, c.number, c.rating, c.name);
        EXPECT_EQ(c.clipboard, ui::ClipboardText());
        EXPECT_EQ(c.records.size() * kSiteRecordSize, ui::ReadFileBytes(folder + "\\site.qzd").size());
        Close(p);
    }
}

// A refusal leaves the desk at rest; Find starts the session before it reads the box, Paste
// only once it has a Site ID.
TEST(DeskUi, PasteAndFindRefusalsLeaveTheDeskAtRest) {
    const std::string folder = Folder("desk_refused", {});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    const struct {
        const char* clipboard;  // null: an empty clipboard
        bool find;              // pasted into the Site ID box, then Find
        const char* message;
    } cases[] = {
        {"abcdefghijk1234", false, kTooLong},  // 15 characters: 16 bytes with the zero
        {"X1234567", false, kTooMany},        {"X123", false, kTooFew},  {"Xabcd", false, kNoSiteId},
        {nullptr, false, kNoSiteId},          {"abcd", true, kNoSiteId}, {"12ab", true, kTooFew},
    };
    for (const auto& c : cases) {
        const std::string name = c.clipboard ? c.clipboard : "(empty clipboard)";
        SCOPED_TRACE(name);
        if (c.clipboard) {
            ASSERT_TRUE(ui::SetClipboardText(c.clipboard));
        } else {
            ASSERT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            CloseClipboard();
        }
        ASSERT_TRUE(!c.find ||
                    p.Do({p.Control(IDC_SITE_ID), WM_PASTE, 0, 0, "a paste"}, p.TextIs(IDC_SITE_ID, c.clipboard)));
        ASSERT_TRUE(p.Click(c.find ? IDC_FIND : IDC_PASTE, p.BoxShown(kDeskCaption)));
        const ui::MessageBoxInfo box = WaitDeskBox(p);
        EXPECT_EQ(c.message, box.text);
        EXPECT_EQ(1u, box.buttons.size());
        ui::Answer(box, IDOK);
        ExpectReady(p, name.c_str());
        EXPECT_EQ(p.MenuGrayed(IDM_STOP), !c.find) << "the session runs";
        if (c.find) {  // empty the box for the next case, as the user would
            SendMessageA(p.Control(IDC_SITE_ID), EM_SETSEL, 0, -1);
            ASSERT_TRUE(p.Do({p.Control(IDC_SITE_ID), WM_CLEAR, 0, 0, "a clear"}, p.TextIs(IDC_SITE_ID, "")));
        }
    }
    Close(p);
}

TEST(DeskUi, TypedSiteIdAndEnterFind) {
    const std::string folder = Folder("desk_typed_find", {{5678, SecondsAgo(2 * 86400 + 60), 3}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_TRUE(p.Type(IDC_SITE_ID, "567", p.TextIs(IDC_SITE_ID, "567")));
    EXPECT_FALSE(p.Enabled(IDC_FIND));
    ASSERT_TRUE(p.Type(IDC_SITE_ID, "8", p.EnabledIs(IDC_FIND, true)));
    ASSERT_TRUE(p.Backspace(IDC_SITE_ID, p.EnabledIs(IDC_FIND, false)));
    ASSERT_TRUE(p.Type(IDC_SITE_ID, "x8", p.TextIs(IDC_SITE_ID, "5678"))) << "the box takes digits only";
    EXPECT_TRUE(p.Enabled(IDC_FIND));
    // No seventh character: the backspace after the third 9 leaves five.
    ASSERT_TRUE(p.Type(IDC_SITE_ID, "999", p.TextIs(IDC_SITE_ID, "567899")));
    ASSERT_TRUE(p.Backspace(IDC_SITE_ID, p.TextIs(IDC_SITE_ID, "56789")));
    ASSERT_TRUE(p.Backspace(IDC_SITE_ID, p.TextIs(IDC_SITE_ID, "5678")));
    PostMessageA(p.Control(IDC_SITE_ID), WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(p.Do({p.Control(IDC_SITE_ID), WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001), "Enter"},
                     p.TextIs(IDC_SITE_NUMBER, "5678")));
    EXPECT_EQ(nullptr, ui::MessageBoxNow(p).window);
    ExpectLookedUp(p, "5678", 3, "Enter in the Site ID box");
    Close(p);
}
