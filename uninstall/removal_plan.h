#pragma once
// What the uninstaller removes, in the order it removes it, and the rules that decide which
// names and folders it may touch. Platform-free: the program and the native tests share it.
#include <cstddef>
#include <cstdint>

#include "product_facts.h"

namespace uninstall {

// Every path the uninstaller builds fits in this: MAX_PATH characters, each up to 3 bytes in
// UTF-8, the program's code page.
constexpr size_t kPathBuffer = size_t{3} * 260;
constexpr uint32_t kStringType = 1;  // the registry's REG_SZ

// Step 1: shortcuts, relative to the desktop and the Start-menu programs folder.
constexpr const char* kDesktopShortcut = "\\" RTLN_PRODUCT_NAME ".lnk";
constexpr const char* kProductMenuFolder = "\\" RTLN_PUBLISHER "\\Rateline";
constexpr const char* kCompanyMenuFolder = "\\" RTLN_PUBLISHER;

// Step 2: the program files, removed in this order from the folder named by kFolderValue. The
// last kMemberDataFileCount are the member's evaluations and sessions, which go to the Recycle
// Bin; the others are deleted, and before the member's data the browser extension's folder is
// emptied of its own files and removed. The browsers' native messaging host is a program file:
// while a browser runs it, Windows keeps it locked, and it is passed over like any locked file.
constexpr const char* kSettingsKey = RTLN_SETTINGS_KEY;
constexpr const char* kFolderValue = "PathRL";
constexpr const char* kProgramFiles[] = {"qzDigits.ttf",  "rtln.chm",       "rtln.exe", "qzMain.ttf", "Tavrik.url",
                                         "rtln_host.exe", "rtln_host.chrome.json", "rtln_host.firefox.json", "site.qzd", "sess.qzd"};
constexpr size_t kProgramFileCount = sizeof kProgramFiles / sizeof kProgramFiles[0];
constexpr size_t kMemberDataFileCount = 2;
constexpr const char* kBrowserFolder = "Browser";
constexpr const char* kBrowserFiles[] = {"manifest.json", "background.js", "icon16.png",
                                         "icon32.png",    "icon48.png",    "icon128.png"};

// Step 3: registry keys. The current user's keys are each deleted from their parent; the
// company key itself stays.
constexpr const char* kProductKey = "Software\\Tavrik\\RL";
constexpr const char* kSettingsSubkey = "Settings";
constexpr const char* kCompanyKey = "Software\\Tavrik";
constexpr const char* kProductSubkey = "RL";
// The local machine's keys: deleted when they can be opened, silently kept otherwise.
constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kUninstallEntry = RTLN_NAME_AND_VERSION;
constexpr const char* kExtensionsKey = "Software\\Microsoft\\Internet Explorer\\Extensions";
constexpr const char* kExtensionIds[] = {"{4E9F26F2-77D1-45ba-B578-78A16FF1B443}",
                                         "{8F0DE55A-6184-4119-800E-47AFC8EF46B8}"};
constexpr size_t kExtensionCount = sizeof kExtensionIds / sizeof kExtensionIds[0];
// The current user's registrations of the native messaging host, one per browser family: each
// deleted from its parent, which stays, since other programs register their hosts there too.
constexpr const char* kHostName = RTLN_HOST_NAME;
constexpr const char* kHostParentKeys[] = {"Software\\Google\\Chrome\\NativeMessagingHosts",
                                           "Software\\Microsoft\\Edge\\NativeMessagingHosts",
                                           "Software\\Mozilla\\NativeMessagingHosts"};

// The attribute bits of a listed entry that decide what is done with it (FILE_ATTRIBUTE_*).
constexpr uint32_t kDirectoryAttribute = 0x10;
constexpr uint32_t kReparsePointAttribute = 0x400;

// What is done with an entry of the product's Start-menu folder. Names that begin with "."
// (the listing's "." and "..", and hidden entries) are kept, and so is a real subfolder, which
// is never entered. A link to a folder (junction or symbolic link) is removed itself and its
// target left alone; anything else is deleted as a file (a link to a file is deleted itself).
// The same rule keeps the uninstaller out of a Start-menu or browser-extension folder that is
// itself a link.
enum class MenuEntryAction { kKeep, kDeleteFile, kRemoveLink };
MenuEntryAction MenuEntryActionFor(const char* name, uint32_t attributes);

// Turns the stored program-folder value (its registry type and the `length` bytes read into
// a buffer of kPathBuffer bytes) into the folder the program files are deleted from, with
// a trailing backslash. False, leaving folder empty, for a value that is not a string, is
// empty, does not end within the buffer, or is not an absolute path (a drive letter with
// ":\", or "\\server\share"): nothing may be deleted relative to the current folder.
bool ProgramFolderFromValue(uint32_t type, const unsigned char* bytes, size_t length, char (&folder)[kPathBuffer]);

// folder + name into out; false (out empty) when the result does not fit.
bool JoinPath(const char* folder, const char* name, char (&out)[kPathBuffer]);

// The uninstaller's removal of its own file, through a copy of itself (self_removal.h).
constexpr const char* kUninstallerFile = "uni_rtln.exe";
constexpr size_t kCommandBuffer = 2 * kPathBuffer + 64;  // the copy's path and its arguments

// The copy's command line: its path in quotes, then its arguments: "/finish", the handle of the
// process it waits for, in decimal, and the program folder (with its trailing backslash), all
// separated by single spaces. False (out empty) when it does not fit.
bool FormatSelfRemoval(const char* copy, uint64_t process, const char* folder, char (&out)[kCommandBuffer]);
// Reads them back; false for any other command line (the member starts it without any) and
// for a folder that ProgramFolderFromValue would refuse.
bool ParseSelfRemoval(const char* arguments, uint64_t* process, char (&folder)[kPathBuffer]);

// The maker's folder that holds the program folder by default ("...\Tavrik Software\Rateline\"),
// removed after it when it is empty; false (parent empty) when the folder is not inside one.
bool CompanyFolderOf(const char* folder, char (&parent)[kPathBuffer]);

}  // namespace uninstall
