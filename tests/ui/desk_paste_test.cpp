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

TEST(DeskUi, PasteOfANewSite) {
    const std::string folder = Folder("desk_paste_new", {{999, SecondsAgo(60), 5}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ExpectReady(p, "at start");
    ASSERT_TRUE(ui::SetClipboardText("X01234"));
    p.Click(IDC_PASTE);
    EXPECT_TRUE(NoDeskBox(p));
    ExpectLookedUp(p, "1234", 0, "new site");
    EXPECT_EQ("X01234", ui::ClipboardText());  // only the reset empties the clipboard
    EXPECT_EQ(12u, ui::ReadFileBytes(folder + "\\site.qzd").size());
    Close(p);
}

TEST(DeskUi, PasteRefusalsLeaveTheDeskAsItWas) {
    const std::string folder = Folder("desk_paste_refused", {});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    const struct {
        const char* clipboard;  // null: an empty clipboard
        const char* message;
    } cases[] = {
        {"abcdefghijk1234", kTooLong},  // 15 characters: 16 bytes with the zero
        {"X1234567", kTooMany},        {"X123", kTooFew}, {"Xabcd", kNoSiteId}, {nullptr, kNoSiteId},
    };
    for (const auto& c : cases) {
        const std::string name = c.clipboard ? c.clipboard : "(empty clipboard)";
        if (c.clipboard) {
            ASSERT_TRUE(ui::SetClipboardText(c.clipboard));
        } else {
            ASSERT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            CloseClipboard();
        }
        p.Click(IDC_PASTE);
        const ui::MessageBoxInfo box = WaitDeskBox(p);
        ASSERT_NE(nullptr, box.window) << name;
        EXPECT_EQ(kDeskCaption, box.caption) << name;
        EXPECT_EQ(c.message, box.text) << name;
        EXPECT_EQ(1u, box.buttons.size()) << name;
        ui::Answer(box, IDOK);
        ExpectReady(p, name.c_str());
    }
    // Fourteen characters still fit.
    ASSERT_TRUE(ui::SetClipboardText("abcdefghij4321"));
    p.Click(IDC_PASTE);
    EXPECT_TRUE(NoDeskBox(p));
    ExpectLookedUp(p, "4321", 0, "fourteen characters");
    Close(p);
}

TEST(DeskUi, TypedSiteIdAndEnterFind) {
    const std::string folder = Folder("desk_typed_find", {{5678, SecondsAgo(2 * 86400 + 60), 3}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    p.Type(IDC_SITE_ID, "567");
    EXPECT_FALSE(p.Enabled(IDC_FIND));
    p.Type(IDC_SITE_ID, "8");
    EXPECT_TRUE(p.Enabled(IDC_FIND));
    p.Backspace(IDC_SITE_ID);
    EXPECT_FALSE(p.Enabled(IDC_FIND));
    p.Type(IDC_SITE_ID, "x8");  // the box takes digits only
    EXPECT_EQ("5678", p.Text(IDC_SITE_ID));
    EXPECT_TRUE(p.Enabled(IDC_FIND));
    p.Type(IDC_SITE_ID, "999");  // and no seventh character
    EXPECT_EQ("567899", p.Text(IDC_SITE_ID));
    p.Backspace(IDC_SITE_ID);
    p.Backspace(IDC_SITE_ID);
    PostMessageA(p.Control(IDC_SITE_ID), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(p.Control(IDC_SITE_ID), WM_KEYUP, VK_RETURN, 0xC0000001);
    p.Idle();
    EXPECT_TRUE(NoDeskBox(p));
    ExpectLookedUp(p, "5678", 3, "Enter in the Site ID box");
    Close(p);
}

TEST(DeskUi, PasteTakesTheClipboardWhateverTheBoxHolds) {
    const std::string folder = Folder("desk_paste_box", {{5678, SecondsAgo(3600), 2}, {1234, SecondsAgo(3600), 5}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    p.Type(IDC_SITE_ID, "5678");
    ASSERT_TRUE(ui::SetClipboardText("X1234"));
    p.Click(IDC_PASTE);
    EXPECT_TRUE(NoDeskBox(p));
    ExpectLookedUp(p, "1234", 5, "clipboard digits");
    Close(p);
}

TEST(DeskUi, FindRefusesPastedTextWithoutFourDigits) {
    const std::string folder = Folder("desk_find_refused", {});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    const struct {
        const char* text;
        const char* message;
    } cases[] = {{"abcd", kNoSiteId}, {"12ab", kTooFew}};
    ASSERT_TRUE(p.MenuGrayed(IDM_STOP));  // no session yet
    for (const auto& c : cases) {
        ASSERT_TRUE(ui::SetClipboardText(c.text));
        PostMessageA(p.Control(IDC_SITE_ID), WM_PASTE, 0, 0);
        p.Idle();
        ASSERT_EQ(c.text, p.Text(IDC_SITE_ID));
        ASSERT_TRUE(p.Enabled(IDC_FIND)) << c.text;
        p.Click(IDC_FIND);
        const ui::MessageBoxInfo box = WaitDeskBox(p);
        EXPECT_EQ(kDeskCaption, box.caption) << c.text;
        EXPECT_EQ(c.message, box.text) << c.text;
        ui::Answer(box, IDOK);
        EXPECT_FALSE(p.MenuGrayed(IDM_STOP)) << c.text << ": the clock starts before the box is read";
        EXPECT_EQ("", p.Text(IDC_SITE_NUMBER)) << c.text;
        EXPECT_FALSE(p.Enabled(IDC_SKIP_SITE)) << c.text;
        // Empty the box for the next case, as the user would.
        SendMessageA(p.Control(IDC_SITE_ID), EM_SETSEL, 0, -1);
        PostMessageA(p.Control(IDC_SITE_ID), WM_CLEAR, 0, 0);
        p.Idle();
    }
    Close(p);
}
