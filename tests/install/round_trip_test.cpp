// The installer and the uninstaller together, as a member meets them on a machine where the
// program never was: a silent install, the installed program used once, the removal; and a
// reinstall over an installation. Runs in a fresh prefix of its own (install_round_trip.sh),
// where the member's per-user folders lie in a profile whose letters code page 1252 lacks; this
// program's manifest gives its 8-bit functions UTF-8, as the installed programs' give theirs.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/rtln_ids.h"
#include "resources/uni_ids.h"
#include "tests/ui/driver/ui_driver.h"
#include "tests/ui/uninstall_ui.h"

namespace {

using ui::KeyExists;
using ui::ShellFolder;
constexpr const char* kUninstallEntry = ui::kUninstallEntryPath;
constexpr const char* kProfile = "C:\\users\\Пётр 李明";  // as install_round_trip.sh makes it
// The current user's registrations of the native messaging host: Chrome's, Edge's, Firefox's.
// Each browser's registration of the host, and the manifest it names.
constexpr struct {
    const char* key;
    const char* manifest;
} kHostKeys[] = {{"Software\\Google\\Chrome\\NativeMessagingHosts\\com.tavrik.rateline", "rtln_host.chrome.json"},
                 {"Software\\Microsoft\\Edge\\NativeMessagingHosts\\com.tavrik.rateline", "rtln_host.chrome.json"},
                 {"Software\\Mozilla\\NativeMessagingHosts\\com.tavrik.rateline", "rtln_host.firefox.json"}};

// A program's path in quotes, as a command line holds it.
std::string Quoted(const std::string& path) {
    std::string quoted(1, '"');
    quoted += path;
    quoted += '"';
    return quoted;
}

// Runs the installer silently (with more arguments, if given) and returns its exit code (-1
// when it could not run in time).
int RunSetup(const std::string& arguments = "") {
    std::string commandLine = Quoted(ui::BuildFolder() + "\\rtln_setup.exe") + " /S" + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// The file a shell shortcut points at, from its item list (Wine keeps its plain path in the ANSI
// code page of the program that wrote it, which loses letters); empty when it cannot be read.
std::string ShortcutTarget(const std::string& shortcut) {
    std::string target;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        LPITEMIDLIST items = nullptr;
        char path[MAX_PATH] = "";
        if (SUCCEEDED(file->Load(ui::Wide(shortcut).c_str(), STGM_READ)) && SUCCEEDED(link->GetIDList(&items)) &&
            SHGetPathFromIDListA(items, path))
            target = path;
        CoTaskMemFree(items);
        file->Release();
    }
    link->Release();
    return target;
}

// Names in a folder, sorted; empty when the folder is missing.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string StringValue(HKEY root, const char* path, const char* name) {
    char text[MAX_PATH] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(root, path, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return "";
    return text;
}

// The installed program folder, from "PathRL" without its trailing backslash.
std::string InstalledFolder() {
    std::string path = StringValue(HKEY_CURRENT_USER, ui::kSettingsKey, "PathRL");
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// How far the first three characters of an edit control of any process reach, in pixels.
int ShownAdvance(HWND edit) {
    const auto x = [edit](int i) { return static_cast<short>(LOWORD(SendMessageA(edit, EM_POSFROMCHAR, i, 0))); };
    return x(3) - x(0);
}

// How far a text reaches in the font the program makes for the site number from qzDigits.ttf,
// here registered from the build for this process alone (Wine shows no process another's fonts).
int DigitsFontAdvance(const std::string& text) {
    if (AddFontResourceExW(ui::Wide(ui::BuildFolder() + "\\qzDigits.ttf").c_str(), FR_PRIVATE, nullptr) <= 0) return -1;
    HFONT font = CreateFontA(-16, 0, 0, 0, FW_DONTCARE, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "qztuDigits");
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    SIZE size = {};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return size.cx;
}

struct Com {
    Com() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Com() { CoUninitialize(); }
};

}  // namespace

TEST(RoundTrip, InstallUseAndUninstall) {
    Com com;
    for (int csidl : {CSIDL_LOCAL_APPDATA, CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS})
        ASSERT_TRUE(ShellFolder(csidl).starts_with(kProfile)) << ShellFolder(csidl);
    ASSERT_EQ(0, RunSetup());
    const std::string folder = InstalledFolder();
    EXPECT_EQ(ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Tavrik Software\\Rateline", folder);
    EXPECT_EQ((std::vector<std::string>{"Browser", "Tavrik.url", "qzDigits.ttf", "qzMain.ttf", "rtln.chm", "rtln.exe",
                                        "rtln_host.chrome.json", "rtln_host.exe", "rtln_host.firefox.json", "site.qzd",
                                        "uni_rtln.exe"}),
              Entries(folder));
    EXPECT_TRUE(ui::FileExists(folder + "\\Browser\\manifest.json"));
    for (const auto& [key, manifest] : kHostKeys) {
        EXPECT_EQ(folder + "\\" + manifest, StringValue(HKEY_CURRENT_USER, key, nullptr)) << key;
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key)) << key;
    }
    EXPECT_TRUE(ui::ReadFileBytes(folder + "\\site.qzd").empty());
    const std::string menu = ShellFolder(CSIDL_PROGRAMS) + "\\Tavrik Software\\Rateline";
    EXPECT_EQ(
        (std::vector<std::string>{"Tavrik Rateline Help.lnk", "Tavrik Rateline.lnk", "Uninstall Tavrik Rateline.lnk"}),
        Entries(menu));
    const std::string desktopShortcut = ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\Tavrik Rateline.lnk";
    EXPECT_EQ(folder + "\\rtln.exe", ShortcutTarget(desktopShortcut));
    EXPECT_EQ(folder + "\\rtln.chm", ShortcutTarget(menu + "\\Tavrik Rateline Help.lnk"));
    const std::string uninstallString = StringValue(HKEY_CURRENT_USER, kUninstallEntry, "UninstallString");
    EXPECT_EQ(Quoted(folder + "\\uni_rtln.exe"), uninstallString);
    EXPECT_EQ(folder, StringValue(HKEY_CURRENT_USER, kUninstallEntry, "InstallLocation"));
    DWORD kilobytes = 0, size = sizeof kilobytes;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, kUninstallEntry, "EstimatedSize", RRF_RT_REG_DWORD,
                                          nullptr, &kilobytes, &size));
    EXPECT_GT(kilobytes, 100u);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));

    // The member starts the program from the Start menu: it shows the site number in its digits
    // font and records one evaluation, and at exit the session, which its clock counted.
    const std::string program = ShortcutTarget(menu + "\\Tavrik Rateline.lnk");
    ASSERT_EQ(folder + "\\rtln.exe", program);
    {
        ui::Program p;
        ASSERT_TRUE(p.Start(program.substr(0, program.size() - 9)));
        ASSERT_TRUE(ui::SetClipboardText("X4321"));
        ASSERT_TRUE(p.Click(IDC_PASTE, p.TextIs(IDC_SITE_NUMBER, "4321")));
        EXPECT_EQ(DigitsFontAdvance("432"), ShownAdvance(p.Control(IDC_SITE_NUMBER)));
        EXPECT_TRUE(ui::WaitUntil(p.StatusIs(2, "00:00:01"), 2500));
        ASSERT_TRUE(p.Click(IDC_RATING_GOOD, p.EnabledIs(IDC_TICKET, true)));
        EXPECT_TRUE(p.Click(IDC_TICKET, ui::FileSizeIs(folder + "\\site.qzd", 12)));
        EXPECT_TRUE(p.Command(IDM_EXIT, p.Ended()));
        EXPECT_EQ(1, p.WaitExit());
    }
    const std::vector<unsigned char> record = ui::ReadFileBytes(folder + "\\site.qzd");
    ASSERT_EQ(12u, record.size());
    EXPECT_EQ((std::vector<unsigned char>{0xE1, 0x10, 0, 0}),
              std::vector<unsigned char>(record.begin(), record.begin() + 4));
    EXPECT_EQ((std::vector<unsigned char>{4, 0, 0, 0}), std::vector<unsigned char>(record.begin() + 8, record.end()));
    const std::vector<unsigned char> sessions = ui::ReadFileBytes(folder + "\\sess.qzd");
    EXPECT_EQ(28u, sessions.size());

    // The uninstaller as the list of installed programs starts it removes everything the
    // installation made, itself and the program folder last.
    EXPECT_EQ(folder + "\\uni_rtln.exe", ShortcutTarget(menu + "\\Uninstall Tavrik Rateline.lnk"));
    ASSERT_EQ(Quoted(folder + "\\uni_rtln.exe"), uninstallString);
    {
        ui::Uninstaller u;
        ASSERT_TRUE(u.Start(folder, "uni_rtln.exe", ui::kUninstallerCaption));
        u.Uninstall();
        EXPECT_TRUE(u.Complete());
        EXPECT_TRUE(u.Click(IDC_CLOSE, u.Ended()));
        EXPECT_EQ(0, u.WaitExit());
    }
    const std::string company = folder.substr(0, folder.rfind('\\'));  // ...\Programs\Tavrik Software
    EXPECT_TRUE(ui::WaitFor([&] { return !ui::FileExists(company); })) << "left: " << Entries(folder).size();
    EXPECT_FALSE(ui::FileExists(desktopShortcut));
    EXPECT_TRUE(Entries(ShellFolder(CSIDL_PROGRAMS) + "\\Tavrik Software").empty());
    EXPECT_FALSE(ui::FileExists(ShellFolder(CSIDL_PROGRAMS) + "\\Tavrik Software"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Tavrik\\RL"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Tavrik"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallEntry));
    for (const auto& host : kHostKeys) {  // each browser's list of hosts stays
        const std::string key = host.key;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key)) << key;
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key.substr(0, key.rfind('\\')))) << key;
    }
    // The member's data lies in the Recycle Bin as it was. Wine keeps the bin in the Linux
    // user's trash folder, here the test's own (XDG_DATA_HOME, install_round_trip.sh).
    std::string trash = std::string("Z:") + getenv("XDG_DATA_HOME") + "/Trash/files/";
    std::replace(trash.begin(), trash.end(), '/', '\\');
    EXPECT_EQ(record, ui::ReadFileBytes(trash + "site.qzd"));
    EXPECT_EQ(sessions, ui::ReadFileBytes(trash + "sess.qzd"));
}

TEST(RoundTrip, ReinstallKeepsTheMembersDataAndWaitsForARunningProgram) {
    const std::string chosen = ui::MakeWorkFolder("chosen"), folder = chosen + "\\Rateline";
    // Windows before 10 version 1903 gives the program code page 1252 whatever its manifest asks:
    // the installer refuses a folder whose letters that code page lacks, and takes a plain one.
    constexpr const char* kOlderWindows = "Software\\Wine\\AppDefaults\\rtln_setup.exe";
    SHSetValueA(HKEY_CURRENT_USER, kOlderWindows, "Version", REG_SZ, "win7", 5);
    EXPECT_EQ(2, RunSetup(" /D=" + chosen + "\\Пётр 李明"));
    EXPECT_EQ(0, RunSetup(" /D=" + folder));
    SHDeleteKeyA(HKEY_CURRENT_USER, kOlderWindows);
    EXPECT_EQ(std::vector<std::string>{"Rateline"}, Entries(chosen));
    ASSERT_EQ(folder, InstalledFolder());
    // A folder that takes no new file (here the name of the installer's probe is taken) is refused.
    const std::string locked = ui::MakeWorkFolder("locked");
    CreateDirectoryA((locked + "\\rtln_setup.tmp").c_str(), nullptr);
    EXPECT_EQ(2, RunSetup(" /D=" + locked));
    EXPECT_EQ(std::vector<std::string>{"rtln_setup.tmp"}, Entries(locked));
    const std::vector<unsigned char> sites = {0x39, 0x30, 0, 0, 0x10, 0x20, 0x30, 0x40, 5, 0, 0, 0};
    std::vector<unsigned char> sessions(28);
    for (size_t i = 0; i < sessions.size(); ++i) sessions[i] = static_cast<unsigned char>(i * 7 + 1);
    ASSERT_TRUE(ui::WriteFileBytes(folder + "\\site.qzd", sites));
    ASSERT_TRUE(ui::WriteFileBytes(folder + "\\sess.qzd", sessions));

    {
        // A running copy's files cannot be replaced: the silent installer ends with 2.
        ui::Program p;
        ASSERT_TRUE(p.Start(folder));
        EXPECT_EQ(2, RunSetup());
        p.Kill();
    }
    {
        // Nor can a host that a browser runs (here the uninstaller's copy, waiting in its dialog).
        ui::Program host;
        ASSERT_TRUE(CopyFileA((folder + "\\uni_rtln.exe").c_str(), (folder + "\\rtln_host.exe").c_str(), FALSE));
        ASSERT_TRUE(host.Start(folder, "rtln_host.exe", ui::kUninstallerCaption));
        EXPECT_EQ(2, RunSetup());
        host.Kill();
    }
    ASSERT_EQ(0, RunSetup());
    EXPECT_EQ(ui::ReadFileBytes(ui::BuildFolder() + "\\rtln_host.exe"), ui::ReadFileBytes(folder + "\\rtln_host.exe"));
    EXPECT_EQ(sites, ui::ReadFileBytes(folder + "\\site.qzd"));
    EXPECT_EQ(sessions, ui::ReadFileBytes(folder + "\\sess.qzd"));
}
