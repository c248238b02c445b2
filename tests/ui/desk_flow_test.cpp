// The desk from outside: a known site, the rating buttons, the pending-evaluation question
// on Skip Site, Exit and closing, and the site database's presence.
#include <gtest/gtest.h>

#include "desk_ui.h"

using namespace desk_ui;

TEST(DeskUi, KnownSiteAndSkipSiteQuestion) {
    const std::string folder =
        Folder("desk_known_skip", {{1234, SecondsAgo(10 * 86400), 4}, {4321, SecondsAgo(60), 1}});
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_TRUE(ui::SetClipboardText("A1234"));
    ASSERT_TRUE(p.Click(IDC_PASTE, p.TextIs(IDC_SITE_NUMBER, "1234")));
    EXPECT_EQ(nullptr, ui::MessageBoxNow(p).window);
    EXPECT_EQ(4, CheckedRating(p));
    EXPECT_TRUE(p.Enabled(IDC_TICKET));
    EXPECT_TRUE(p.Enabled(IDC_TRAFFIC_LIST));
    EXPECT_FALSE(p.Enabled(IDC_COUNT));
    EXPECT_FALSE(p.Enabled(IDC_PASTE));
    // The picture shows the looked-up record: the green result disc on the "Good" row (the
    // picture's pixel (89, 28)). Where each mark goes and how it is drawn is the picture's own.
    POINT disc = {89, 28};
    ClientToScreen(p.Control(IDC_RATING_PICTURE), &disc);
    const auto discPixel = [&] {
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, disc.x, disc.y);
        ReleaseDC(nullptr, screen);
        return colour;
    };
    EXPECT_TRUE(ui::WaitUntil({"the green disc", [&] { return discPixel() == RGB(44, 152, 74); },
                               [&] { return std::to_string(discPixel()); }}));
    ASSERT_TRUE(ui::SaveScreenshot("desk_known_site"));

    ASSERT_TRUE(p.Click(IDC_RATING_FAIR, p.EnabledIs(IDC_COUNT, true)));
    EXPECT_EQ(2, CheckedRating(p));
    for (int id : {IDC_TICKET, IDC_COUNT, IDC_LOTTO_LIST, IDC_TRAFFIC_LIST, IDC_BANNER_LIST})
        EXPECT_TRUE(p.Enabled(id)) << id;

    // Yes keeps the site on the desk.
    ASSERT_TRUE(p.Click(IDC_SKIP_SITE, p.BoxShown("Missing Raiting")));
    ui::MessageBoxInfo box = WaitDeskBox(p);
    EXPECT_EQ(Question(1234), box.text);
    EXPECT_EQ(2u, box.buttons.size());
    ui::Answer(box, IDYES);
    EXPECT_EQ("1234", p.Text(IDC_SITE_NUMBER));
    EXPECT_EQ(2, CheckedRating(p));
    EXPECT_TRUE(p.Enabled(IDC_COUNT));
    EXPECT_TRUE(ui::ClipboardHasText());

    // No empties the desk and the clipboard.
    ASSERT_TRUE(p.Click(IDC_SKIP_SITE, p.BoxShown("Missing Raiting")));
    box = WaitDeskBox(p);
    EXPECT_EQ(Question(1234), box.text);
    ui::Answer(box, IDNO);
    EXPECT_EQ("", p.Text(IDC_SITE_NUMBER));  // read once the handler has returned
    EXPECT_EQ(nullptr, ui::MessageBoxNow(p).window);
    EXPECT_EQ(0, CheckedRating(p));
    for (int id : {IDC_PASTE, IDC_SITE_ID}) EXPECT_TRUE(p.Enabled(id)) << id;
    for (int id : {IDC_SKIP_SITE, IDC_TICKET, IDC_COUNT, IDC_RATING_GREAT, IDC_RATING_POOR})
        EXPECT_FALSE(p.Enabled(id)) << id;
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
    ASSERT_TRUE(p.Click(IDC_PASTE, p.BoxShown(kDeskCaption)));
    ui::Answer(WaitDeskBox(p), IDOK);
    ASSERT_TRUE(ui::SetClipboardText("X2222"));
    ASSERT_TRUE(p.Click(IDC_PASTE, p.TextIs(IDC_SITE_NUMBER, "2222")));
    EXPECT_EQ(nullptr, ui::MessageBoxNow(p).window);

    const struct {
        const char* name;
        bool exitCommand;
    } ways[] = {{"Exit", true}, {"SC_CLOSE", false}};
    for (const auto& way : ways) {
        ASSERT_TRUE(p.Do(way.exitCommand ? p.Commanding(IDM_EXIT) : p.Message(WM_SYSCOMMAND, SC_CLOSE),
                         p.BoxShown("Missing Raiting")));
        const ui::MessageBoxInfo box = WaitDeskBox(p);
        EXPECT_EQ(Question(2222), box.text) << way.name;
        ui::Answer(box, IDYES);
        EXPECT_TRUE(p.Running()) << way.name;
        EXPECT_EQ("2222", p.Text(IDC_SITE_NUMBER)) << way.name;
    }
    ASSERT_TRUE(p.SysCommand(SC_CLOSE, p.BoxShown("Missing Raiting")));
    ui::Answer(WaitDeskBox(p), IDNO);
    EXPECT_EQ(1, p.WaitExit());
}

TEST(DeskUi, MissingDatabaseIsReportedAndLeavesSkipSite) {
    const std::string folder = Folder("desk_missing_file", {}, /*withFile*/ false);
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_TRUE(ui::SetClipboardText("X1234"));
    ASSERT_TRUE(p.Click(IDC_PASTE, p.BoxShown("Error")));
    const ui::MessageBoxInfo box = WaitDeskBox(p);
    EXPECT_EQ("File [site.qzd] could not be opened.", box.text);
    ui::Answer(box, IDOK);
    EXPECT_EQ("", p.Text(IDC_SITE_NUMBER));
    EXPECT_TRUE(p.Enabled(IDC_SKIP_SITE));
    EXPECT_FALSE(p.Enabled(IDC_RATING_GREAT));
    EXPECT_FALSE(ui::FileExists(folder + "\\site.qzd"));
    // No site on the desk: Skip Site resets without a question.
    ASSERT_TRUE(p.Click(IDC_SKIP_SITE, p.EnabledIs(IDC_SKIP_SITE, false)));
    EXPECT_EQ(nullptr, ui::MessageBoxNow(p).window);
    EXPECT_FALSE(ui::ClipboardHasText());
    Close(p);
}
