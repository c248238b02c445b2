// The desk from outside: a known site, the rating buttons, the pending-evaluation question
// on Skip Site, Exit and closing, and the site database's presence.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "desk_ui.h"

using namespace desk_ui;

namespace {

// The colour at screen point (x, y) of a screenshot saved by ui::SaveScreenshot (a bottom-up
// 24-bit bitmap of the whole display); black outside it.
COLORREF ShotPixel(const std::vector<unsigned char>& file, POINT at) {
    if (file.size() < 54) return RGB(0, 0, 0);
    int32_t width = 0, height = 0;
    std::memcpy(&width, &file[18], 4);
    std::memcpy(&height, &file[22], 4);
    if (at.x < 0 || at.y < 0 || at.x >= width || at.y >= height) return RGB(0, 0, 0);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const size_t offset = 54 + (height - 1 - at.y) * stride + at.x * 3;
    if (offset + 3 > file.size()) return RGB(0, 0, 0);
    return RGB(file[offset + 2], file[offset + 1], file[offset]);
}

}  // namespace

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
    RedrawWindow(p.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ASSERT_TRUE(p.Idle());
    ASSERT_TRUE(ui::SaveScreenshot("desk_known_site"));
    // The picture shows the one record, ten days old, "Good": its initial in the older
    // column and the green result disc, both on the "Good" row (top 21); the grid elsewhere.
    const std::vector<unsigned char> shot = ui::ReadFileBytes(ui::BuildFolder() + "\\artifacts\\desk_known_site.bmp");
    const struct {
        const char* what;
        POINT at;  // in the picture
        COLORREF colour;
    } marks[] = {
        {"older mark: ink of the initial", {7, 25}, RGB(38, 56, 96)},
        {"result mark: green disc", {89, 28}, RGB(44, 152, 74)},
        {"result column, Great row: grid label", {89, 11}, RGB(229, 235, 246)},
        {"result column, Average row: grid label", {89, 45}, RGB(229, 235, 246)},
        {"today column, Good row: empty cell", {72, 28}, RGB(252, 252, 254)},
    };
    for (const auto& m : marks) {
        POINT on = m.at;
        ClientToScreen(p.Control(IDC_RATING_PICTURE), &on);
        EXPECT_EQ(ShotPixel(shot, on), m.colour) << m.what;
    }

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
    p.Click(IDC_PASTE);
    ui::Answer(WaitDeskBox(p), IDOK);
    ASSERT_TRUE(ui::SetClipboardText("X2222"));
    p.Click(IDC_PASTE);
    EXPECT_TRUE(NoDeskBox(p));
    ASSERT_EQ("2222", p.Text(IDC_SITE_NUMBER));

    const struct {
        const char* name;
        bool exitCommand;
    } ways[] = {{"Exit", true}, {"SC_CLOSE", false}};
    for (const auto& way : ways) {
        if (way.exitCommand)
            p.Command(IDM_EXIT);
        else
            p.SysCommand(SC_CLOSE);
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
