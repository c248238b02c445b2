#pragma once
// Drives the real rtln.exe from outside, as a user's actions reach it: a fresh program
// folder per scenario, posted clicks and commands, typed characters, and reads of control
// states, menus, the status bar, message boxes, the registry and the data files.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/test_files.h"

namespace ui {

constexpr const char* kSettingsKey = "Software\\Tavrik\\RL\\Settings";
constexpr DWORD kWaitMs = 10000;  // every wait is bounded by this unless told otherwise

// The text of a window or control of any process.
std::string WindowText(HWND window);

// Text of this process's 8-bit functions (its ANSI code page) as UTF-16.
std::wstring Wide(const std::string& text);

// Polls a condition every 20 ms until it holds or ms have passed.
bool WaitFor(const std::function<bool()>& done, DWORD ms = kWaitMs);

// Folder of the test executable (rtln.exe and qzDigits.ttf are built beside it).
std::string BuildFolder();

// A fresh, empty folder for one scenario: <build>/ui-work/<name>/.
std::string MakeWorkFolder(const std::string& name);

// A fresh program folder for one scenario: MakeWorkFolder(name) with rtln.exe and the
// fonts copied in. Its data files are written by the scenario.
std::string MakeProgramFolder(const std::string& name);

// Replaces a resource, in every language it has, by a few bytes that no loader accepts: the
// program then meets it unusable, as after a damaged installation. False when it could not.
bool DamageResource(const std::string& exe, const char* type, int id);

// Whole-file helpers (binary).
using test_files::ReadFileBytes;
using test_files::WriteFileBytes;
bool FileExists(const std::string& path);

// Registry of the current user: the settings key is deleted before every start.
void DeleteSettingsKey();
void SetSettingString(const char* name, const char* text);
void SetSettingDword(const char* name, DWORD value);
void SetSettingRaw(const char* name, DWORD type, const void* data, DWORD size);
// Reads a value of the settings key; false when absent.
bool GetSettingRaw(const char* name, DWORD* type, std::vector<unsigned char>* data);

// A running copy of rtln.exe (or of another of the build's programs).
struct Program {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;  // main window once found
    std::string folder;

    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();  // terminates the process if it still runs

    // Starts folder\exe and waits for its dialog of that caption (bounded). False on failure.
    bool Start(const std::string& programFolder, const char* exe = "rtln.exe", const char* caption = "Tavrik Rateline");
    // Starts folder\exe (in that folder) without waiting for a window, through the wide call, so
    // that a folder whose letters the system's ANSI code page lacks reaches the program whole.
    bool Launch(const std::string& programFolder, const char* exe);
    // Waits for the process to end; returns its exit code, or -1 on time-out.
    int WaitExit(DWORD ms = kWaitMs);
    bool Running() const;
    void Kill();

    HWND Control(int id) const { return GetDlgItem(window, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Checked(int id) const;
    bool ReadOnly(int id) const;
    std::string Text(int id) const;
    UINT MenuState(UINT commandId) const;  // GetMenuState flags (MF_GRAYED, MF_CHECKED)
    bool MenuGrayed(UINT commandId) const;
    bool MenuChecked(UINT commandId) const;

    // User actions; each returns after the program has handled what it could handle
    // without a modal box (it waits until the window answers again).
    void Click(int id) const;              // posts BM_CLICK
    void Command(int id) const;            // posts WM_COMMAND(id) as a menu command
    void Notify(int id, WORD code) const;  // posts WM_COMMAND(id, code) from the control
    void SysCommand(WPARAM command) const;
    void Type(int id, const std::string& text) const;  // WM_CHAR per character to the edit
    void Backspace(int id) const;
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool Idle(DWORD ms = kWaitMs) const;  // the window handles messages again

    // Status bar part text (read through the program's own memory).
    std::string StatusText(int part) const;
    HWND StatusBar() const;
};

// A message box of the program's process (class #32770, not the main window).
struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // texts of the buttons, in z-order
};

// Waits for a message box or dialog of the process (of the given caption, if one is given);
// window null on time-out.
MessageBoxInfo WaitMessageBox(const Program& program, DWORD ms = kWaitMs, const char* caption = nullptr);
// True when no message box of the process appears within ms.
bool NoMessageBox(const Program& program, DWORD ms = 1000);
// Presses a button of a message box by its id (IDOK, IDYES, IDNO) and waits until it closes.
bool Answer(const MessageBoxInfo& box, int buttonId);

// Clipboard of the desktop.
bool SetClipboardText(const char* text);
bool ClipboardHasText();
std::string ClipboardText();

// Saves a screenshot of the whole display under <build>/artifacts/<name>.bmp.
bool SaveScreenshot(const std::string& name);

}  // namespace ui
