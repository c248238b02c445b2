#pragma once
// Drives the real rtln.exe from outside, as a user's actions reach it: a fresh program
// folder per scenario, posted clicks and commands, typed characters, and reads of control
// states, menus, the status bar, message boxes, the registry and the data files.
#include <gtest/gtest.h>
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

// Polls a condition, first every millisecond, then every 10 ms, until it holds or ms have passed.
bool WaitFor(const std::function<bool()>& done, DWORD ms = kWaitMs);

// A state a step waits for: what it is called and, for a failure, what was seen instead.
struct Until {
    std::string what;
    std::function<bool()> holds;
    std::function<std::string()> seen = nullptr;
};
// WaitFor with a failure that names the state waited for.
::testing::AssertionResult WaitUntil(const Until& until, DWORD ms = kWaitMs);
Until FileSizeIs(const std::string& path, size_t size);  // read without opening the file
// States of a window of any process; name says which it is.
Until TextIs(HWND window, const std::string& text, const std::string& name);
Until EnabledIs(HWND window, bool enabled, const std::string& name);
Until Closed(HWND window, const std::string& name);

// What a step posts: a message to the window or to one of its controls.
struct Action {
    HWND target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string name;
};

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

    // Starts folder\exe and waits (bounded) until its dialog of that caption is shown by its
    // loop and answers. False on failure.
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
    int TopLevelWindows(const char* className = nullptr) const;  // the process's, of that class

    // States of the window that a step can wait for.
    Until TextIs(int id, const std::string& text) const;
    Until EnabledIs(int id, bool enabled) const;
    Until CheckedIs(int id, bool checked) const;
    Until MenuGrayedIs(UINT commandId, bool grayed) const;
    Until MenuCheckedIs(UINT commandId, bool checked) const;
    Until StatusIs(int part, const std::string& text) const;
    Until BoxShown(const char* caption = nullptr) const;  // a message box or dialog of the process
    Until Ended() const;

    // User actions as they reach the program: posted, never sent.
    Action Clicking(int id) const;                                             // BM_CLICK to the control
    Action Commanding(int id) const;                                           // WM_COMMAND(id) as a menu command
    Action Notifying(int id, WORD code) const;                                 // WM_COMMAND(id, code) from the control
    Action Message(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;  // to the window

    // Steps: each posts its action and then waits, bounded, for the state the action brings,
    // and for the window's answer after it. The program answers sent messages only between
    // posted ones (or in a box's loop), so a state that holds came after the action, and the
    // answer after it comes once the action's handler has returned or opened a box. A state
    // that does not come fails the step, naming it. The slowest step is kept.
    ::testing::AssertionResult Do(const Action& action, const Until& until, DWORD ms = kWaitMs) const;
    ::testing::AssertionResult Click(int id, const Until& until, DWORD ms = kWaitMs) const;
    ::testing::AssertionResult Command(int id, const Until& until, DWORD ms = kWaitMs) const;
    ::testing::AssertionResult Notify(int id, WORD code, const Until& until) const;
    ::testing::AssertionResult SysCommand(WPARAM command, const Until& until) const;
    ::testing::AssertionResult Post(UINT message, WPARAM wParam, LPARAM lParam, const Until& until) const;
    // WM_CHAR per character to a control (of this window or another of the process's).
    ::testing::AssertionResult Type(HWND control, const std::string& text, const Until& until) const;
    ::testing::AssertionResult Type(int id, const std::string& text, const Until& until) const;
    ::testing::AssertionResult Backspace(int id, const Until& until) const;
    // For an action that shows no change of its own (a refusal, a key the window ignores):
    // posts it, then takes the following step. Messages posted to one thread are handled in
    // order, a box's own loop handling the later ones too, so once the following state holds,
    // any box the action opened exists: there must be none then.
    // (When the following step opens a box itself, nextBoxes is 1: a second one is the action's.)
    ::testing::AssertionResult NoBoxAfter(const Action& quiet, const Action& next, const Until& until,
                                          int nextBoxes = 0) const;
    mutable DWORD slowestStep = 0;

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
// A message box or dialog of the process at this moment, shown or still being made (its
// window exists before its loop shows it).
MessageBoxInfo MessageBoxNow(const Program& program);
int MessageBoxesNow(const Program& program);
// Presses a button of a message box by its id (IDOK, IDYES, IDNO) and waits until it closes.
bool Answer(const MessageBoxInfo& box, int buttonId);

// Clipboard of the desktop.
bool SetClipboardText(const char* text);
bool ClipboardHasText();
std::string ClipboardText();

// Saves a screenshot of the whole display under <build>/artifacts/<name>.bmp.
bool SaveScreenshot(const std::string& name);

}  // namespace ui
