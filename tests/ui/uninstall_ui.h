#pragma once
// An installation of the program as the uninstaller meets it, set up in the test prefix and
// taken down again by its destructor, and reads of the uninstaller's dialog.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/driver/ui_driver.h"

namespace ui {

constexpr const char* kUninstallerCaption = "Tavrik Rateline 1.0 Uninstall";
constexpr const char* kProductKeyPath = "Software\\Tavrik\\RL";
constexpr const char* kUninstallEntryPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrik Rateline 1.0";
constexpr const char* kExtensionsPath = "Software\\Microsoft\\Internet Explorer\\Extensions";
constexpr const char* kOurExtensions[] = {"{4E9F26F2-77D1-45ba-B578-78A16FF1B443}",
                                          "{8F0DE55A-6184-4119-800E-47AFC8EF46B8}"};
constexpr const char* kOtherExtension = "{00000000-1111-2222-3333-444444444444}";
constexpr const char* kProgramFileNames[] = {"qzDigits.ttf", "rtln.chm", "rtln.exe", "qzMain.ttf",
                                             "Tavrik.url",   "site.qzd", "sess.qzd"};

bool KeyExists(HKEY root, const std::string& path);
// The system icon a message box shows, as IconNumber(IDI_HAND), IconNumber(IDI_QUESTION), ...
int MessageBoxIcon(const MessageBoxInfo& box);
inline int IconNumber(LPCSTR id) { return static_cast<int>(reinterpret_cast<ULONG_PTR>(id)); }
// The box shows that icon on the screen (read from its pixels, which its painting may still owe).
Until BoxIconIs(const MessageBoxInfo& box, LPCSTR id);
std::string ShellFolder(int csidl);  // the current user's folder, e.g. CSIDL_PROGRAMS

// Everything an installation leaves: the program files in programFolder (which PathRL
// names), the desktop shortcut, the Start-menu folder with two shortcuts, the settings key,
// the uninstall entry and both extension keys (and one extension of another product).
struct Installation {
    std::string programFolder;
    std::string shortcut;    // desktop\Tavrik Rateline.lnk
    std::string menuRoot;    // programs\Tavrik Software
    std::string menuFolder;  // programs\Tavrik Software\Rateline

    explicit Installation(const std::string& name);
    ~Installation();  // removes whatever of it is left
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    std::string ProgramFile(const char* name) const { return programFolder + "\\" + name; }
    int ProgramFilesLeft() const;
};

// A copy of the uninstaller, run from a folder of its own.
struct Uninstaller : Program {
    // Starts it and waits for its dialog; a damagedIcon is made unusable in its copy first.
    bool Open(const std::string& name, int damagedIcon = 0);
    bool Launch(const std::string& name);  // starts it without waiting
    // Presses "&Uninstall" and waits until the removal is complete, the dialog closes or a box
    // appears.
    ::testing::AssertionResult Uninstall();
    bool Complete() const;  // "Uninstall compete." shown and the button reads "&OK"
    // Which of the icons 121, 122, 123 the step's status control shows on the screen, and that
    // as a state to wait for (the painting may still be on its way).
    int StepIcon(int controlId) const;
    Until StepIconIs(int controlId, int icon) const;
};

}  // namespace ui
