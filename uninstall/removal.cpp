#include "removal.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <initializer_list>

#include "base/handle.h"
#include "resources/uni_ids.h"
#include "removal_plan.h"
#include "uninstall_dialog.h"

namespace uninstall {

static_assert(kStringType == REG_SZ);
static_assert(kPathBuffer == 3 * MAX_PATH);
static_assert(kDirectoryAttribute == FILE_ATTRIBUTE_DIRECTORY &&
              kReparsePointAttribute == FILE_ATTRIBUTE_REPARSE_POINT);

namespace {

constexpr const char* kNoDesktop = "Unable to determine <Desktop> folder.\nUninstall canceled.";
constexpr const char* kNoStartMenu = "Unable to determine <Start Menu> folder.\nUninstall canceled.";
constexpr const char* kNoSettingsKey = "Couldn't open <Tavrik\\RL\\Settings> registry key.\nUninstall canceled.";
constexpr const char* kNoFolderValue = "Couldn't get data from <Tavrik\\RL> registry key.\nUninstall canceled.";
constexpr const char* kNoProductKey = "Couldn't open <Tavrik\\RL> registry key.\nUninstall canceled.";
constexpr const char* kSettingsKept = "Couldn't delete <Tavrik\\RL\\Settings> registry key.\nUninstall canceled.";
constexpr const char* kNoCompanyKey = "Couldn't open <Tavrik> registry key.\nUninstall canceled.";
constexpr const char* kProductKept = "Couldn't delete <Tavrik\\RL> registry key.\nUninstall canceled.";

// The removal's state: the step icons, and the program folder of a completed removal.
struct Removal {
    IconHandle busyIcon;  // step under way
    IconHandle doneIcon;  // step finished
    char programFolder[kPathBuffer] = "";
};

Removal g_removal;

RegKey OpenKey(HKEY root, const char* path, REGSAM access) {
    RegKey key;
    if (RegOpenKeyExA(root, path, 0, access, key.out()) != ERROR_SUCCESS) key.release();
    return key;
}

bool Report(HWND dialog, const char* text) {
    MessageBoxA(dialog, text, kWarningCaption, MB_OK | MB_ICONERROR);
    return false;
}

void ShowStep(HWND dialog, int iconId, HICON icon) {
    SendDlgItemMessageA(dialog, iconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    UpdateWindow(GetDlgItem(dialog, iconId));
}

HICON LoadStepIcon(int id) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
}

bool LoadStepIcons() {
    g_removal.busyIcon.reset(LoadStepIcon(IDI_STEP_BUSY));
    g_removal.doneIcon.reset(LoadStepIcon(IDI_STEP_DONE));
    if (g_removal.busyIcon && g_removal.doneIcon) return true;
    ReleaseStepIcons();
    return false;
}

// The path of a shell folder of the current user. A location without a file-system path
// counts as not found: nothing is then deleted relative to the current drive. The wide call,
// because the 8-bit one gives at most MAX_PATH bytes, which a UTF-8 path may exceed.
bool SpecialFolder(int csidl, char (&path)[kPathBuffer]) {
    path[0] = '\0';
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items))) return false;
    wchar_t wide[MAX_PATH];
    const bool found = SHGetPathFromIDListW(items, wide) && wide[0] &&
                       WideCharToMultiByte(CP_ACP, 0, wide, -1, path, kPathBuffer, nullptr, nullptr) > 0;
    IMalloc* shellMalloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&shellMalloc))) {
        shellMalloc->Free(items);
        shellMalloc->Release();
    }
    return found;
}

void DeleteIn(const char* folder, const char* name) {
    char path[kPathBuffer];
    if (JoinPath(folder, name, path)) DeleteFileA(path);
}

// The member's data goes to the current user's Recycle Bin, from which it can be restored into
// a new installation, with no progress window, question or error box of the shell's. Where the
// bin cannot take a file (no bin on its drive, a file larger than the bin holds), the shell
// deletes it at once, as it does when told neither to ask nor to warn (no FOF_WANTNUKEWARNING);
// where the shell fails, the file is deleted here.
void RecycleIn(const char* folder, const char* name) {
    char path[kPathBuffer];
    if (!JoinPath(folder, name, path)) return;
    wchar_t list[MAX_PATH + 1] = {};  // one path and the list's closing zero
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list;
    operation.fFlags = FOF_ALLOWUNDO | FOF_NO_UI;
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, list, MAX_PATH) || SHFileOperationW(&operation) != 0 ||
        operation.fAnyOperationsAborted)
        DeleteFileA(path);
}

void RemoveFolderIn(const char* folder, const char* name) {
    char path[kPathBuffer];
    if (JoinPath(folder, name, path)) RemoveDirectoryA(path);
}

// Deletes the folder's entries as MenuEntryActionFor decides, never entering a subfolder, and
// then the folder, once the whole listing has been read. A folder that cannot be listed is left
// as it is, and so is one whose listing breaks off with an error. A folder that is itself a
// link is removed as a link, without a look inside.
void ClearProductMenuFolder(const char* programs) {
    char folder[kPathBuffer], inside[kPathBuffer], pattern[kPathBuffer];
    if (!JoinPath(programs, kProductMenuFolder, folder) || !JoinPath(folder, "\\", inside) ||
        !JoinPath(inside, "*.*", pattern))
        return;
    const DWORD attributes = GetFileAttributesA(folder);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        MenuEntryActionFor(folder, attributes) == MenuEntryAction::kRemoveLink) {
        RemoveDirectoryA(folder);
        return;
    }
    WIN32_FIND_DATAA entry;
    FileListing listing(FindFirstFileA(pattern, &entry));
    if (!listing) return;
    do {
        switch (MenuEntryActionFor(entry.cFileName, entry.dwFileAttributes)) {
        case MenuEntryAction::kDeleteFile: DeleteIn(inside, entry.cFileName); break;
        case MenuEntryAction::kRemoveLink: RemoveFolderIn(inside, entry.cFileName); break;
        case MenuEntryAction::kKeep: break;
        }
    } while (FindNextFileA(listing.get(), &entry));
    const bool exhausted = GetLastError() == ERROR_NO_MORE_FILES;
    listing.reset();
    if (exhausted) RemoveDirectoryA(folder);
}

bool RemoveShortcuts(HWND dialog) {
    char folder[kPathBuffer];
    if (!SpecialFolder(CSIDL_DESKTOP, folder)) return Report(dialog, kNoDesktop);
    DeleteIn(folder, kDesktopShortcut);  // a missing shortcut is no failure
    if (!SpecialFolder(CSIDL_PROGRAMS, folder)) return Report(dialog, kNoStartMenu);
    ClearProductMenuFolder(folder);
    if (!SpecialFolder(CSIDL_PROGRAMS, folder)) return Report(dialog, kNoStartMenu);
    RemoveFolderIn(folder, kCompanyMenuFolder);  // only succeeds when it is empty
    return true;
}

bool ReadProgramFolder(HWND dialog, char (&folder)[kPathBuffer]) {
    const RegKey settings = OpenKey(HKEY_CURRENT_USER, kSettingsKey, KEY_QUERY_VALUE);
    if (!settings) return Report(dialog, kNoSettingsKey);
    DWORD type = 0, length = 0;
    if (RegQueryValueExA(settings.get(), kFolderValue, nullptr, &type, nullptr, &length) != ERROR_SUCCESS ||
        length == 0)
        return Report(dialog, kNoFolderValue);
    // The first answer may overstate a string's length, so the buffer's own read decides: a
    // value too long for it fails here, and so does a folder longer than a path may be, whose
    // files could not be named.
    unsigned char bytes[kPathBuffer] = {};
    length = sizeof bytes;
    if (RegQueryValueExA(settings.get(), kFolderValue, nullptr, &type, bytes, &length) != ERROR_SUCCESS ||
        !ProgramFolderFromValue(type, bytes, length, folder) ||
        MultiByteToWideChar(CP_ACP, 0, folder, -1, nullptr, 0) > MAX_PATH)
        return Report(dialog, kNoFolderValue);
    return true;
}

// The browser extension's files and then its folder, which stays while it holds anything else.
// A folder that is itself a link is removed as a link, and whatever it leads to is left alone.
void RemoveBrowserFolder(const char* folder) {
    char browser[kPathBuffer], inside[kPathBuffer];
    if (!JoinPath(folder, kBrowserFolder, browser) || !JoinPath(browser, "\\", inside)) return;
    const DWORD attributes = GetFileAttributesA(browser);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    if (MenuEntryActionFor(browser, attributes) != MenuEntryAction::kRemoveLink)
        for (const char* name : kBrowserFiles) DeleteIn(inside, name);
    RemoveDirectoryA(browser);
}

// Missing or locked files are passed over. The native messaging host is locked while a browser
// runs it: it then stays, and so does the folder, until the member closes the browsers and
// deletes them; its registrations are removed all the same, so no browser starts it again.
bool RemoveProgramFiles(HWND dialog, char (&folder)[kPathBuffer]) {
    if (!ReadProgramFolder(dialog, folder)) return false;
    const size_t programFileCount = kProgramFileCount - kMemberDataFileCount;
    for (size_t i = 0; i < programFileCount; ++i) DeleteIn(folder, kProgramFiles[i]);
    RemoveBrowserFolder(folder);
    for (size_t i = programFileCount; i < kProgramFileCount; ++i) RecycleIn(folder, kProgramFiles[i]);
    RemoveDirectoryA(folder);  // stays while it holds other files
    return true;
}

bool RemoveUserKeys(HWND dialog) {
    {
        const RegKey product = OpenKey(HKEY_CURRENT_USER, kProductKey, KEY_ALL_ACCESS);
        if (!product) return Report(dialog, kNoProductKey);
        if (SHDeleteKeyA(product.get(), kSettingsSubkey) != ERROR_SUCCESS) return Report(dialog, kSettingsKept);
    }
    const RegKey company = OpenKey(HKEY_CURRENT_USER, kCompanyKey, KEY_QUERY_VALUE);
    if (!company) return Report(dialog, kNoCompanyKey);
    if (SHDeleteKeyA(company.get(), kProductSubkey) != ERROR_SUCCESS) return Report(dialog, kProductKept);
    return true;
}

// The uninstall entry, the local machine's of an older installation and the current user's,
// the browser extensions and the current user's registrations of the native messaging host.
// The local machine's keys need rights an ordinary user may lack, and a browser's key may be
// gone already: failures are silent.
void RemoveSystemEntries() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        if (const RegKey uninstall = OpenKey(root, kUninstallKey, KEY_ALL_ACCESS); uninstall)
            SHDeleteKeyA(uninstall.get(), kUninstallEntry);
    if (const RegKey extensions = OpenKey(HKEY_LOCAL_MACHINE, kExtensionsKey, KEY_ALL_ACCESS); extensions)
        for (const char* id : kExtensionIds) SHDeleteKeyA(extensions.get(), id);
    for (const char* parent : kHostParentKeys)
        if (const RegKey hosts = OpenKey(HKEY_CURRENT_USER, parent, KEY_ALL_ACCESS); hosts)
            SHDeleteKeyA(hosts.get(), kHostName);
}

}  // namespace

void ReleaseStepIcons() {
    g_removal.busyIcon.reset();
    g_removal.doneIcon.reset();
}

const char* CompletedProgramFolder() { return g_removal.programFolder; }

bool RunRemoval(HWND dialog) {
    g_removal.programFolder[0] = '\0';
    char folder[kPathBuffer];
    if (!LoadStepIcons()) return false;
    DestroyWindow(GetDlgItem(dialog, IDC_UNINSTALL));
    SetFocus(GetDlgItem(dialog, IDC_CLOSE));

    ShowStep(dialog, IDC_STEP1_ICON, g_removal.busyIcon.get());
    if (!RemoveShortcuts(dialog)) return false;
    ShowStep(dialog, IDC_STEP1_ICON, g_removal.doneIcon.get());

    ShowStep(dialog, IDC_STEP2_ICON, g_removal.busyIcon.get());
    if (!RemoveProgramFiles(dialog, folder)) return false;
    ShowStep(dialog, IDC_STEP2_ICON, g_removal.doneIcon.get());

    ShowStep(dialog, IDC_STEP3_ICON, g_removal.busyIcon.get());
    if (!RemoveUserKeys(dialog)) return false;
    RemoveSystemEntries();
    ShowStep(dialog, IDC_STEP3_ICON, g_removal.doneIcon.get());
    JoinPath(folder, "", g_removal.programFolder);
    return true;
}

}  // namespace uninstall
