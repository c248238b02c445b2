// The Player Settings dialog from outside: what it shows, the member/site exclusion, the save
// question, the password confirmation, and what Save stores and changes in the main window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "resources/rtln_ids.h"
#include "tests/ui/driver/ui_driver.h"

namespace {

const std::string kLongestId = std::string(50, 'j') + "@mail.example";  // 63 characters, the limit
constexpr char kSaveQuestion[] = "Player Settings user were changed. You want to save change?";
constexpr char kMismatchQuestion[] =
    "Value of the field 'Password' does not correspond to value of the field 'Confirm password'.\n"
    "Repeat entering the password?";

// The open Player Settings dialog, worked from outside like the main window.
struct PlayerDialog {
    const ui::Program* program;
    HWND window = nullptr;

    HWND Field(int id) const { return GetDlgItem(window, id); }
    std::string Text(int id) const { return ui::WindowText(Field(id)); }
    bool Enabled(int id) const { return IsWindowEnabled(Field(id)) != FALSE; }
    bool Open() const { return IsWindow(window) != FALSE; }
    ui::Until TextIs(int id, const std::string& text) const {
        return ui::TextIs(Field(id), text, "field " + std::to_string(id));
    }
    ui::Until Closed() const { return ui::Closed(window, "Player Settings"); }
    // A box of that caption; one of the dialog's own caption is told apart by its text.
    ui::Until Asks(const char* caption, const char* text = nullptr) const {
        if (!text) return program->BoxShown(caption);
        return {std::string("a box saying ") + text,
                [this, caption, text] { return ui::WaitMessageBox(*program, 0, caption).text == text; }};
    }
    // Typing that ends with the field reading `shown`.
    ::testing::AssertionResult Type(int id, const std::string& text, const std::string& shown) const {
        return program->Type(Field(id), text, TextIs(id, shown));
    }
    ::testing::AssertionResult Post(int id, UINT message, WPARAM wParam, const ui::Until& until) const {
        return program->Do({id ? Field(id) : window, message, wParam, 0, "message " + std::to_string(message)}, until);
    }
    ::testing::AssertionResult Click(int id, const ui::Until& until) const { return Post(id, BM_CLICK, 0, until); }
    ::testing::AssertionResult Clear(int id) const {  // select all and delete, as a user empties a field
        SendMessageA(Field(id), EM_SETSEL, 0, -1);
        return Post(id, WM_CLEAR, 0, TextIs(id, ""));
    }
};

PlayerDialog OpenPlayerSettings(const ui::Program& p) {
    EXPECT_TRUE(p.Command(IDM_PLAYER_OPTIONS, p.BoxShown("Player Settings")));
    return {&p, ui::WaitMessageBox(p, ui::kWaitMs, "Player Settings").window};
}

// The box asking the question, answered; false when no such box came.
bool Answer(const ui::Program& p, const char* caption, const char* text, int button) {
    const ui::MessageBoxInfo box = ui::WaitMessageBox(p, ui::kWaitMs, caption);
    EXPECT_EQ(box.text, text);
    return box.window && ui::Answer(box, button);
}

std::vector<unsigned char> Stored(const char* name, DWORD* type = nullptr) {
    DWORD ignored = 0;
    std::vector<unsigned char> data;
    if (!ui::GetSettingRaw(name, type ? type : &ignored, &data)) data.clear();
    return data;
}

// A program folder with an empty site database, started with the settings key that store
// leaves (none for a null store).
struct Started {
    explicit Started(
        const char* name, void (*store)() = [] { ui::SetSettingDword("nSites", 0); }) {
        ui::DeleteSettingsKey();
        if (store) store();
        const std::string folder = ui::MakeProgramFolder(name);
        ui::WriteFileBytes(folder + "\\site.qzd", {});
        ok = p.Start(folder);
    }
    ~Started() {
        p.Kill();
        ui::DeleteSettingsKey();
    }
    ui::Program p;
    bool ok = false;
};

int BarTop(const ui::Program& p) {
    return static_cast<int>(SendMessageA(p.Control(IDC_TICKET_PROGRESS), PBM_GETRANGE, FALSE, 0));
}

}  // namespace

TEST(PlayerUi, OpensWithTheStoredProfileAndKeepsMemberAndSiteApart) {
    Started s("player_open", [] {
        ui::SetSettingString("MemberID", "joe@mail.example");
        ui::SetSettingString("SiteID", "X1234");
        ui::SetSettingString("Password", "cde");
    });
    ASSERT_TRUE(s.ok);
    PlayerDialog d = OpenPlayerSettings(s.p);
    ASSERT_TRUE(d.window);
    ASSERT_TRUE(ui::SaveScreenshot("player_settings"));
    EXPECT_EQ(d.Text(IDC_PLAYER_MAX_TICKETS), "-1");  // the key is there, "nTickets" is not
    EXPECT_EQ(d.Text(IDC_PLAYER_MEMBER_ID), "joe@mail.example");
    EXPECT_EQ(d.Text(IDC_PLAYER_SITE_ID), "X1234");  // loading empties neither
    EXPECT_EQ(d.Text(IDC_PLAYER_PASSWORD), "abc");
    EXPECT_EQ(d.Text(IDC_PLAYER_CONFIRM), "abc");
    EXPECT_FALSE(d.Enabled(IDC_PLAYER_SAVE));

    ASSERT_TRUE(d.Type(IDC_PLAYER_MEMBER_ID, "x", "xjoe@mail.example"));  // typed where the caret was
    EXPECT_EQ(d.Text(IDC_PLAYER_SITE_ID), "");
    EXPECT_TRUE(d.Enabled(IDC_PLAYER_SAVE));
    // No 64th character: what Save, taken after the last one, stores shows it.
    ASSERT_TRUE(d.Type(IDC_PLAYER_SITE_ID, kLongestId + "7", kLongestId));
    EXPECT_EQ(d.Text(IDC_PLAYER_MEMBER_ID), "");

    // Saving with "-1" still shown stores -1, which the bar reads as no maximum: 60.
    ASSERT_TRUE(d.Click(IDC_PLAYER_SAVE, d.Closed()));
    EXPECT_EQ(Stored("nTickets"), (std::vector<unsigned char>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(BarTop(s.p), 60);
    EXPECT_EQ(Stored("MemberID"), std::vector<unsigned char>(64, 0));
    const std::vector<unsigned char> site = Stored("SiteID");
    EXPECT_EQ(std::string(site.begin(), site.end()), kLongestId + '\0');
}

TEST(PlayerUi, CancelAndCloseAskOnlyAfterAnEdit) {
    Started s("player_cancel");
    ASSERT_TRUE(s.ok);
    PlayerDialog d = OpenPlayerSettings(s.p);
    ASSERT_TRUE(d.window);
    EXPECT_TRUE(d.Post(0, WM_COMMAND, IDCANCEL, d.Closed())) << "no edit: closes without asking";

    d = OpenPlayerSettings(s.p);
    ASSERT_TRUE(d.Type(IDC_PLAYER_MEMBER_ID, kLongestId, kLongestId));
    // Enter acts on the default button, Cancel.
    ASSERT_TRUE(d.Post(IDC_PLAYER_MEMBER_ID, WM_KEYDOWN, VK_RETURN, d.Asks("Missing Options")));
    ASSERT_TRUE(Answer(s.p, "Missing Options", kSaveQuestion, IDYES));
    EXPECT_EQ(d.Text(IDC_PLAYER_MEMBER_ID), kLongestId);
    EXPECT_TRUE(d.Open());
    ASSERT_TRUE(d.Post(0, WM_SYSCOMMAND, SC_CLOSE, d.Asks("Missing Options")));
    ASSERT_TRUE(Answer(s.p, "Missing Options", kSaveQuestion, IDNO));
    EXPECT_TRUE(ui::WaitUntil(d.Closed()));
    EXPECT_TRUE(Stored("MemberID").empty()) << "nothing stored";
}

TEST(PlayerUi, PasswordConfirmation) {
    Started s("player_password");
    ASSERT_TRUE(s.ok);
    // Yes empties both fields and disables Save; the other edits stay, and Cancel then asks nothing.
    PlayerDialog d = OpenPlayerSettings(s.p);
    ASSERT_TRUE(d.Type(IDC_PLAYER_SITE_ID, "X77", "X77"));
    ASSERT_TRUE(d.Type(IDC_PLAYER_PASSWORD, "abc", "abc"));
    ASSERT_TRUE(d.Type(IDC_PLAYER_CONFIRM, "ABC", "ABC"));
    ASSERT_TRUE(d.Click(IDC_PLAYER_SAVE, d.Asks("Missing Password")));
    ASSERT_TRUE(Answer(s.p, "Missing Password", kMismatchQuestion, IDYES));
    EXPECT_EQ(d.Text(IDC_PLAYER_PASSWORD), "");
    EXPECT_EQ(d.Text(IDC_PLAYER_CONFIRM), "");
    EXPECT_EQ(d.Text(IDC_PLAYER_SITE_ID), "X77");
    EXPECT_FALSE(d.Enabled(IDC_PLAYER_SAVE));
    EXPECT_TRUE(d.Post(0, WM_COMMAND, IDCANCEL, d.Closed()));
    EXPECT_TRUE(Stored("SiteID").empty());

    // No closes and stores nothing.
    d = OpenPlayerSettings(s.p);
    ASSERT_TRUE(d.Type(IDC_PLAYER_SITE_ID, "X77", "X77"));
    ASSERT_TRUE(d.Type(IDC_PLAYER_PASSWORD, "abc", "abc"));
    ASSERT_TRUE(d.Click(IDC_PLAYER_SAVE, d.Asks("Missing Password")));
    ASSERT_TRUE(Answer(s.p, "Missing Password", kMismatchQuestion, IDNO));
    EXPECT_TRUE(ui::WaitUntil(d.Closed()));
    EXPECT_TRUE(Stored("SiteID").empty());

    // A byte that would store as 0 is refused; the dialog stays open with the edits.
    d = OpenPlayerSettings(s.p);
    ASSERT_TRUE(d.Type(IDC_PLAYER_PASSWORD, "a\xFE", "a\xFE"));
    ASSERT_TRUE(d.Type(IDC_PLAYER_CONFIRM, "a\xFE", "a\xFE"));
    const char* refusal = "Error! The password can't contain the character \"\xFE\".";
    ASSERT_TRUE(d.Click(IDC_PLAYER_SAVE, d.Asks("Player Settings", refusal)));
    ASSERT_TRUE(Answer(s.p, "Player Settings", refusal, IDOK));
    EXPECT_TRUE(d.Open());
    EXPECT_TRUE(Stored("Password").empty());
    ASSERT_TRUE(d.Post(0, WM_SYSCOMMAND, SC_CLOSE, d.Asks("Missing Options")));
    Answer(s.p, "Missing Options", kSaveQuestion, IDNO);
    EXPECT_TRUE(ui::WaitUntil(d.Closed()));
}

TEST(PlayerUi, SaveStoresFixedLengthValuesAndSetsTheMainWindow) {
    Started s("player_save");
    ASSERT_TRUE(s.ok);
    ASSERT_TRUE(s.p.MenuGrayed(IDM_FILL_MEMBER_ID));
    PlayerDialog d = OpenPlayerSettings(s.p);
    ASSERT_TRUE(d.Clear(IDC_PLAYER_MAX_TICKETS));  // "-1" emptied: an empty maximum is 0
    ASSERT_TRUE(d.Type(IDC_PLAYER_PASSWORD, "abc", "abc"));
    ASSERT_TRUE(d.Type(IDC_PLAYER_CONFIRM, "abc", "abc"));
    ASSERT_TRUE(d.Click(IDC_PLAYER_SAVE, d.Closed()));

    DWORD type = 0;
    std::vector<unsigned char> expected(64, 0);
    expected[0] = 'c', expected[1] = 'd', expected[2] = 'e';
    EXPECT_EQ(Stored("Password", &type), expected);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Stored("Clicks4U", &type), std::vector<unsigned char>(260, 0));
    EXPECT_EQ(Stored("nTickets", &type), (std::vector<unsigned char>{0, 0, 0, 0}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(BarTop(s.p), 0);
    EXPECT_FALSE(s.p.MenuGrayed(IDM_FILL_MEMBER_ID));
    EXPECT_TRUE(s.p.MenuGrayed(IDM_CLICKS4U));

    // Two empty password fields match: the profile is saved without a password.
    d = OpenPlayerSettings(s.p);
    EXPECT_EQ(d.Text(IDC_PLAYER_PASSWORD), "abc");
    ASSERT_TRUE(d.Type(IDC_PLAYER_PATH, "C:\\x.htm", "C:\\x.htm"));
    ASSERT_TRUE(d.Clear(IDC_PLAYER_PASSWORD));
    ASSERT_TRUE(d.Clear(IDC_PLAYER_CONFIRM));
    ASSERT_TRUE(d.Click(IDC_PLAYER_SAVE, d.Closed()));
    EXPECT_EQ(Stored("Password"), std::vector<unsigned char>(64, 0));
    EXPECT_TRUE(s.p.MenuGrayed(IDM_FILL_MEMBER_ID));
    EXPECT_FALSE(s.p.MenuGrayed(IDM_CLICKS4U));
}

TEST(PlayerUi, WithoutTheSettingsKeyNothingIsShownOrStored) {
    Started s("player_no_key", nullptr);
    ASSERT_TRUE(s.ok);
    PlayerDialog d = OpenPlayerSettings(s.p);
    ASSERT_TRUE(d.window);
    EXPECT_EQ(d.Text(IDC_PLAYER_MAX_TICKETS), "");
    ASSERT_TRUE(d.Type(IDC_PLAYER_MEMBER_ID, "joe", "joe"));
    ASSERT_TRUE(d.Click(IDC_PLAYER_SAVE, d.Closed()));
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, ui::kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    if (key) RegCloseKey(key);
    EXPECT_TRUE(s.p.MenuGrayed(IDM_FILL_MEMBER_ID));
    EXPECT_TRUE(s.p.MenuGrayed(IDM_CLICKS4U));
}
