// The desk from outside: a known site, the rating buttons, the pending-evaluation question
// on Skip Site, Exit and closing, and the site database's presence.
#include <gtest/gtest.h>

#include "tests/ui/desk_ui.h"

using namespace desk_ui;

TEST(DeskUi, KnownSiteAndSkipSiteQuestion) {
    const std::string folder =
        Folder("desk_known_skip", {{1234, SecondsAgo(10 * 86400), 4}, {4321, SecondsAgo(60), 1}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_TRUE(ui::SetClipboardText("A1234"));
    p.Click(IDC_PASTE);
    EXPECT_TRUE(NoDeskBox(p));
    EXPECT_EQ("1234", p.Text(IDC_SITE_NUMBER));
    EXPECT_EQ(4, CheckedRating(p));
    EXPECT_TRUE(p.Enabled(IDC_TICKET));
    EXPECT_TRUE(p.Enabled(IDC_TRAFFIC_LIST));
    EXPECT_FALSE(p.Enabled(IDC_COUNT));
    EXPECT_FALSE(p.Enabled(IDC_PASTE));
    ui::SaveScreenshot("desk_known_site");

    p.Click(IDC_RATING_FAIR);
    EXPECT_EQ(2, CheckedRating(p));
    for (int id : {IDC_TICKET, IDC_COUNT, IDC_LOTTO_LIST, IDC_TRAFFIC_LIST, IDC_BANNER_LIST})
        EXPECT_TRUE(p.Enabled(id)) << id;

    // Yes keeps the site on the desk.
    p.Click(IDC_SKIP_SITE);
    ui::MessageBoxInfo box = WaitDeskBox(p);
    ASSERT_NE(nullptr, box.window);
    EXPECT_EQ("Missing Raiting", box.caption);
    EXPECT_EQ(Question(1234), box.text);
    EXPECT_EQ(2u, box.buttons.size());
    ui::Answer(box, IDYES);
    EXPECT_EQ("1234", p.Text(IDC_SITE_NUMBER));
    EXPECT_EQ(2, CheckedRating(p));
    EXPECT_TRUE(p.Enabled(IDC_COUNT));
    EXPECT_TRUE(ui::ClipboardHasText());

    // No empties the desk and the clipboard.
    p.Click(IDC_SKIP_SITE);
    box = WaitDeskBox(p);
    EXPECT_EQ(Question(1234), box.text);
    ui::Answer(box, IDNO);
    EXPECT_TRUE(NoDeskBox(p));
    EXPECT_EQ("", p.Text(IDC_SITE_NUMBER));
    EXPECT_EQ(0, CheckedRating(p));
    for (int id : {IDC_PASTE, IDC_SITE_ID}) EXPECT_TRUE(p.Enabled(id)) << id;
    for (int id : {IDC_SKIP_SITE, IDC_TICKET, IDC_COUNT, IDC_RATING_GREAT, IDC_RATING_POOR}) EXPECT_FALSE(p.Enabled(id)) << id;
    EXPECT_FALSE(ui::ClipboardHasText());
    // The database was only read.
    EXPECT_EQ(24u, ui::ReadFileBytes(folder + "\\site.qzd").size());
    Close(p);
}

TEST(DeskUi, ExitAndCloseAskFirst) {
    const std::string folder = Folder("desk_exit_guard", {});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_TRUE(ui::SetClipboardText("X7777777"));  // seven digits: refused, nothing on the desk
    p.Click(IDC_PASTE);
    ui::Answer(WaitDeskBox(p), IDOK);
    ASSERT_TRUE(ui::SetClipboardText("X2222"));
    p.Click(IDC_PASTE);
    EXPECT_TRUE(NoDeskBox(p));
    ASSERT_EQ("2222", p.Text(IDC_SITE_NUMBER));

    const struct { const char* name; bool exitCommand; } ways[] = {{"Exit", true}, {"SC_CLOSE", false}};
    for (const auto& way : ways) {
        if (way.exitCommand) p.Command(IDM_EXIT);
        else p.SysCommand(SC_CLOSE);
        const ui::MessageBoxInfo box = WaitDeskBox(p);
        EXPECT_EQ("Missing Raiting", box.caption) << way.name;
        EXPECT_EQ(Question(2222), box.text) << way.name;
        ui::Answer(box, IDYES);
        EXPECT_TRUE(p.Running()) << way.name;
        EXPECT_EQ("2222", p.Text(IDC_SITE_NUMBER)) << way.name;
    }
    p.SysCommand(SC_CLOSE);
    ui::Answer(WaitDeskBox(p), IDNO);
    EXPECT_EQ(1, p.WaitExit());
}

TEST(DeskUi, MissingDatabaseIsReportedAndLeavesSkipSite) {
    const std::string folder = Folder("desk_missing_file", {}, /*withFile*/ false);
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_TRUE(ui::SetClipboardText("X1234"));
    p.Click(IDC_PASTE);
    const ui::MessageBoxInfo box = WaitDeskBox(p);
    EXPECT_EQ("Error", box.caption);
    EXPECT_EQ("File [site.qzd] could not be opened.", box.text);
    ui::Answer(box, IDOK);
    EXPECT_EQ("", p.Text(IDC_SITE_NUMBER));
    EXPECT_TRUE(p.Enabled(IDC_SKIP_SITE));
    EXPECT_FALSE(p.Enabled(IDC_RATING_GREAT));
    EXPECT_FALSE(ui::FileExists(folder + "\\site.qzd"));
    // No site on the desk: Skip Site resets without a question.
    p.Click(IDC_SKIP_SITE);
    EXPECT_TRUE(NoDeskBox(p));
    EXPECT_FALSE(p.Enabled(IDC_SKIP_SITE));
    EXPECT_FALSE(ui::ClipboardHasText());
    Close(p);
}

TEST(DeskUi, ZeroLengthDatabaseShowsTheSiteAsNew) {
    const std::string folder = Folder("desk_zero_length", {});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_TRUE(ui::SetClipboardText("X1234"));
    p.Click(IDC_PASTE);
    EXPECT_TRUE(NoDeskBox(p));
    EXPECT_EQ("1234", p.Text(IDC_SITE_NUMBER));
    EXPECT_EQ(0, CheckedRating(p));
    EXPECT_TRUE(p.Enabled(IDC_RATING_POOR));
    EXPECT_FALSE(p.Enabled(IDC_TICKET));
    Close(p);
}
