// The real uni_rtln.exe, worked from outside against an installation set up in the prefix.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

#include "resources/uni_ids.h"
#include "uninstall_ui.h"

using namespace ui;

namespace {

constexpr const char* kMainProgramRuns =
    "Tavrik Rateline 1.0 loaded.\nBefore uninstalling necessary to close Tavrik Rateline 1.0.";
constexpr const char* kNoSettingsKey = "Couldn't open <Tavrik\\RL\\Settings> registry key.\nUninstall canceled.";
constexpr const char* kNoFolderValue = "Couldn't get data from <Tavrik\\RL> registry key.\nUninstall canceled.";

// Answers a report of the uninstaller with OK and expects the uninstaller to end with 0.
void ExpectReportAndExit(Uninstaller& uninstaller, const char* text) {
    const MessageBoxInfo box = WaitMessageBox(uninstaller, kWaitMs, "Warning!");
    ASSERT_TRUE(box.window) << "no report";
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(WaitUntil(BoxIconIs(box, IDI_HAND)));
    EXPECT_TRUE(Answer(box, IDOK));
    EXPECT_EQ(uninstaller.WaitExit(), 0);
}

}  // namespace

TEST(UninstallUi, RefusesWhileTheMainProgramRuns) {
    Installation installation("uninstall-refuse");
    Program main;
    ASSERT_TRUE(main.Start(MakeProgramFolder("uninstall-refuse-main")));
    {  // at the start: the message, owned by no window, and the end
        Uninstaller uninstaller;
        ASSERT_TRUE(uninstaller.Launch("uninstall-refuse"));
        const MessageBoxInfo box = WaitMessageBox(uninstaller, kWaitMs, "Warning!");
        EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
        ExpectReportAndExit(uninstaller, kMainProgramRuns);
    }
    main.Kill();
    Uninstaller uninstaller;
    ASSERT_TRUE(uninstaller.Open("uninstall-refuse"));
    ASSERT_TRUE(main.Start(MakeProgramFolder("uninstall-refuse-main")));
    // The main program started after the dialog opened.
    ASSERT_TRUE(uninstaller.Click(IDC_UNINSTALL, uninstaller.BoxShown("Warning!")));
    const MessageBoxInfo box = WaitMessageBox(uninstaller, kWaitMs, "Warning!");
    EXPECT_EQ(box.text, kMainProgramRuns);
    EXPECT_TRUE(Answer(box, IDOK));
    EXPECT_EQ(uninstaller.Text(IDC_CLOSE), "&Cancel");  // a sent read: the press has been handled
    EXPECT_TRUE(IsWindowVisible(uninstaller.Control(IDC_UNINSTALL)));
    EXPECT_EQ(installation.ProgramFilesLeft(), 7);
    EXPECT_TRUE(FileExists(installation.shortcut));
    EXPECT_TRUE(FileExists(installation.menuFolder));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
    main.Kill();
    ASSERT_TRUE(uninstaller.Post(WM_CLOSE, 0, 0, uninstaller.BoxShown("Confirm Action")));
    EXPECT_TRUE(Answer(WaitMessageBox(uninstaller, kWaitMs, "Confirm Action"), IDYES));
    EXPECT_EQ(uninstaller.WaitExit(), 0);
}

TEST(UninstallUi, CancelAsksBeforeTheRemovalAndEscDoesNothing) {
    Uninstaller uninstaller;
    ASSERT_TRUE(uninstaller.Open("uninstall-cancel"));
    for (int step : {IDC_STEP1_ICON, IDC_STEP2_ICON, IDC_STEP3_ICON})
        EXPECT_TRUE(WaitUntil(uninstaller.StepIconIs(step, IDI_STEP_TODO)));
    EXPECT_FALSE(IsWindowVisible(uninstaller.Control(IDC_COMPLETE)));
    EXPECT_FALSE(IsWindowEnabled(uninstaller.Control(IDC_MAKER)));
    EXPECT_EQ(uninstaller.Text(IDC_MAKER), "Tavrik Software");
    // Esc does nothing: the first press, taken after it, opens the only question.
    ASSERT_TRUE(uninstaller.NoBoxAfter({uninstaller.Control(IDC_CLOSE), WM_KEYDOWN, VK_ESCAPE, 0, "Esc"},
                                       uninstaller.Clicking(IDC_CLOSE), uninstaller.BoxShown("Confirm Action"), 1));

    const struct {
        const char* how;
        int answer;
    } presses[] = {{"button", IDNO}, {"system close", IDNO}, {"button", IDYES}};
    for (const auto& press : presses) {
        const bool button = press.how == std::string("button");
        ASSERT_TRUE(&press == presses || uninstaller.Do(button ? uninstaller.Clicking(IDC_CLOSE)
                                                               : uninstaller.Message(WM_SYSCOMMAND, SC_CLOSE),
                                                        uninstaller.BoxShown("Confirm Action")));
        const MessageBoxInfo box = WaitMessageBox(uninstaller, kWaitMs, "Confirm Action");
        EXPECT_EQ(box.text, "The uninstall in not finished! Do you really want to abort?") << press.how;
        EXPECT_EQ(box.buttons, (std::vector<std::string>{"&Yes", "&No"})) << press.how;
        EXPECT_TRUE(WaitUntil(BoxIconIs(box, IDI_QUESTION)));
        EXPECT_TRUE(Answer(box, press.answer));
        EXPECT_TRUE(press.answer == IDYES || uninstaller.Text(IDC_CLOSE) == "&Cancel") << press.how << ": still open";
    }
    EXPECT_EQ(uninstaller.WaitExit(), 0);
}

TEST(UninstallUi, RemovesExactlyWhatTheInstallationLeft) {
    Installation installation("uninstall-full");
    WriteFileBytes(installation.ProgramFile("notes.txt"), {'m', 'i', 'n', 'e'});
    WriteFileBytes(installation.menuFolder + "\\.keep", {'k'});
    const std::string otherProduct = installation.menuRoot + "\\Other";
    CreateDirectoryA(otherProduct.c_str(), nullptr);
    WriteFileBytes(otherProduct + "\\Other.lnk", {'o'});

    Uninstaller uninstaller;
    ASSERT_TRUE(uninstaller.Open("uninstall-full"));
    ASSERT_TRUE(uninstaller.Uninstall());
    ASSERT_TRUE(uninstaller.Complete());
    EXPECT_EQ(MessageBoxNow(uninstaller).window, nullptr);
    EXPECT_EQ(uninstaller.Control(IDC_UNINSTALL), nullptr);
    for (int step : {IDC_STEP1_ICON, IDC_STEP2_ICON, IDC_STEP3_ICON})
        EXPECT_TRUE(WaitUntil(uninstaller.StepIconIs(step, IDI_STEP_DONE)));
    SaveScreenshot("uninstall-complete");

    EXPECT_FALSE(FileExists(installation.shortcut));
    EXPECT_FALSE(FileExists(installation.menuFolder + "\\Tavrik Rateline.lnk"));
    EXPECT_FALSE(FileExists(installation.menuFolder + "\\Help.lnk"));
    EXPECT_TRUE(FileExists(installation.menuFolder + "\\.keep"));
    EXPECT_TRUE(FileExists(otherProduct + "\\Other.lnk"));
    EXPECT_EQ(installation.ProgramFilesLeft(), 0);
    EXPECT_EQ(ReadFileBytes(installation.ProgramFile("notes.txt")), (std::vector<unsigned char>{'m', 'i', 'n', 'e'}));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKeyPath));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Tavrik"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryPath));
    for (const char* id : kOurExtensions)
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kExtensionsPath) + "\\" + id));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kExtensionsPath) + "\\" + kOtherExtension));

    EXPECT_TRUE(uninstaller.Click(IDC_CLOSE, uninstaller.Ended()));  // "&OK" closes without a question
    EXPECT_EQ(uninstaller.WaitExit(), 0);
}

TEST(UninstallUi, WithoutItsStepIconsClosesWithoutRemovingAnything) {
    Installation installation("uninstall-noicon");
    Uninstaller uninstaller;
    ASSERT_TRUE(uninstaller.Open("uninstall-noicon", IDI_STEP_DONE));
    // It ends by itself: a box would hold it open, and the step would name the box.
    ASSERT_TRUE(uninstaller.Click(IDC_UNINSTALL, uninstaller.Ended()));
    EXPECT_EQ(uninstaller.WaitExit(), 0);
    EXPECT_TRUE(FileExists(installation.shortcut));
    EXPECT_EQ(installation.ProgramFilesLeft(), 7);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
}

TEST(UninstallUi, WithoutTheSettingsKeyStopsAfterTheShortcuts) {
    Installation installation("uninstall-nokey");
    DeleteSettingsKey();
    Uninstaller uninstaller;
    ASSERT_TRUE(uninstaller.Open("uninstall-nokey"));
    ASSERT_TRUE(uninstaller.Uninstall());
    ExpectReportAndExit(uninstaller, kNoSettingsKey);
    EXPECT_FALSE(FileExists(installation.shortcut));
    EXPECT_FALSE(FileExists(installation.menuRoot));
    EXPECT_EQ(installation.ProgramFilesLeft(), 7);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kProductKeyPath));
}

TEST(UninstallUi, UnusableFolderValueStopsBeforeAnyProgramFile) {
    const auto terminated = [](std::string text) {
        text.push_back('\0');
        return text;
    };
    const struct {
        const char* what;
        DWORD type;
        std::string data;  // as stored, terminator included where there is one
    } cases[] = {
        {"no data", REG_SZ, ""},
        {"too long", REG_SZ, terminated("C:\\" + std::string(300, 'x') + "\\")},
        {"expandable string", REG_EXPAND_SZ, terminated("C:\\Tavrik\\")},
        {"relative", REG_SZ, terminated("relative\\")},
    };
    for (const auto& c : cases) {
        Installation installation("uninstall-value");
        SetSettingRaw("PathRL", c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
        Uninstaller uninstaller;
        ASSERT_TRUE(uninstaller.Open("uninstall-value")) << c.what;
        // The relative value names a folder beside the uninstaller: its files must stay too.
        const std::string relative = uninstaller.folder + "\\relative";
        CreateDirectoryA(relative.c_str(), nullptr);
        for (const char* file : kProgramFileNames) WriteFileBytes(relative + "\\" + file, {'x'});
        ASSERT_TRUE(uninstaller.Uninstall());
        ExpectReportAndExit(uninstaller, kNoFolderValue);
        EXPECT_EQ(installation.ProgramFilesLeft(), 7) << c.what;
        for (const char* file : kProgramFileNames) EXPECT_TRUE(FileExists(relative + "\\" + file)) << c.what;
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettingsKey)) << c.what;
    }
}

TEST(UninstallUi, InAFolderOfOtherFilesOnlyTheSevenGo) {
    Installation installation("uninstall-crowded");
    // Some files of the system folder, copied in beside the program files.
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    std::vector<std::string> copied;
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA((std::string(system) + "\\*.*").c_str(), &entry);
    ASSERT_NE(listing, INVALID_HANDLE_VALUE);
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && entry.nFileSizeLow < 200000 &&
            CopyFileA((std::string(system) + "\\" + entry.cFileName).c_str(),
                      installation.ProgramFile(entry.cFileName).c_str(), TRUE))
            copied.push_back(entry.cFileName);
    } while (copied.size() < 40 && FindNextFileA(listing, &entry));
    FindClose(listing);
    ASSERT_GE(copied.size(), 20u);

    Uninstaller uninstaller;
    ASSERT_TRUE(uninstaller.Open("uninstall-crowded"));
    ASSERT_TRUE(uninstaller.Uninstall());
    ASSERT_TRUE(uninstaller.Complete());
    EXPECT_EQ(installation.ProgramFilesLeft(), 0);
    for (const std::string& name : copied)
        EXPECT_EQ(ReadFileBytes(installation.ProgramFile(name.c_str())),
                  ReadFileBytes(std::string(system) + "\\" + name))
            << name;
    EXPECT_TRUE(uninstaller.Click(IDC_CLOSE, uninstaller.Ended()));
    EXPECT_EQ(uninstaller.WaitExit(), 0);
}

namespace {

// Moves a local-machine key aside for one scenario, so that opening it fails as it does
// for a user without rights on it, and puts it back (values and subkeys) afterwards.
class KeyMovedAside {
public:
    explicit KeyMovedAside(const char* path) : path_(path), aside_(std::string("Software\\TavrikUiAside\\") + path) {
        HKEY original;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &original) != ERROR_SUCCESS) return;
        HKEY copy;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, aside_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &copy,
                            nullptr) == ERROR_SUCCESS) {
            moved_ = SHCopyKeyA(original, nullptr, copy, 0) == ERROR_SUCCESS;
            RegCloseKey(copy);
        }
        RegCloseKey(original);
        if (moved_) SHDeleteKeyA(HKEY_LOCAL_MACHINE, path);
    }
    ~KeyMovedAside() {
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, path_);
        HKEY copy, original;
        if (moved_ && RegOpenKeyExA(HKEY_LOCAL_MACHINE, aside_.c_str(), 0, KEY_READ, &copy) == ERROR_SUCCESS) {
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &original,
                                nullptr) == ERROR_SUCCESS) {
                SHCopyKeyA(copy, nullptr, original, 0);
                RegCloseKey(original);
            }
            RegCloseKey(copy);
        }
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\TavrikUiAside");
    }
    KeyMovedAside(const KeyMovedAside&) = delete;
    KeyMovedAside& operator=(const KeyMovedAside&) = delete;

private:
    const char* path_;
    std::string aside_;
    bool moved_ = false;
};

constexpr const char* kUninstallKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace

TEST(UninstallUi, CompletesWhenTheLocalMachineKeysCannotBeOpened) {
    const bool uninstallKeyBefore = KeyExists(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
    {
        Installation installation("uninstall-norights");
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallEntryPath);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kExtensionsPath);
        KeyMovedAside uninstallKey(kUninstallKeyPath);
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKeyPath));
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kExtensionsPath));

        Uninstaller uninstaller;
        ASSERT_TRUE(uninstaller.Open("uninstall-norights"));
        ASSERT_TRUE(uninstaller.Uninstall());
        EXPECT_TRUE(uninstaller.Complete());
        EXPECT_FALSE(FileExists(installation.programFolder));  // nothing else in it: removed
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKeyPath));
        EXPECT_TRUE(uninstaller.Click(IDC_CLOSE, uninstaller.Ended()));
        EXPECT_EQ(uninstaller.WaitExit(), 0);
    }
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKeyPath), uninstallKeyBefore);
}
