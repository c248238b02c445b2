#include "uninstall_ui.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "resources/uni_ids.h"

namespace ui {

namespace {

void SetKeyValue(HKEY root, const std::string& path, const char* name, const char* text) {
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text) + 1));
    RegCloseKey(key);
}

void DeleteTree(const std::string& path) {
    std::string from = path;
    from.push_back('\0');  // SHFileOperation needs a double-zero-terminated list
    SHFILEOPSTRUCTA remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    if (FileExists(path)) SHFileOperationA(&remove);
}

// The pixels of a width x height area of a DC, as 0x00RRGGBB.
std::vector<DWORD> Pixels(HDC source, POINT origin, int width, int height) {
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP picture = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, source, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
    SelectObject(memory, previous);
    DeleteObject(picture);
    DeleteDC(memory);
    return pixels;
}

// An icon drawn at the given size on a background colour (0x00RRGGBB), as a static draws it.
std::vector<DWORD> RenderedIcon(HICON icon, int width, int height, DWORD background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, picture);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF));
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    if (icon) DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    std::vector<DWORD> pixels = Pixels(memory, POINT{0, 0}, width, height);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(picture);
    ReleaseDC(nullptr, screen);
    return pixels;
}

long Distance(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
    long sum = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            sum += std::abs(static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF));
    return sum;
}

// Which of the candidate icons an icon static of any process shows on the screen (its id),
// each candidate drawn on the colour of the static's top-left pixel; 0 when it cannot tell.
int NearestIcon(HWND control, const std::vector<std::pair<int, HICON>>& candidates) {
    RECT client;
    if (!control || !GetClientRect(control, &client) || client.right <= 0 || client.bottom <= 0) return 0;
    POINT origin = {0, 0};
    ClientToScreen(control, &origin);
    const int width = client.right, height = client.bottom;
    HDC screen = GetDC(nullptr);
    const std::vector<DWORD> shown = Pixels(screen, origin, width, height);
    ReleaseDC(nullptr, screen);
    int nearest = 0;
    long best = LONG_MAX;
    for (const auto& [id, icon] : candidates) {
        const long distance = Distance(shown, RenderedIcon(icon, width, height, shown[0] & 0xFFFFFF));
        if (distance < best) best = distance, nearest = id;
    }
    return nearest;
}

BOOL CALLBACK FindIconStatic(HWND child, LPARAM param) {
    char className[16];
    if (!GetClassNameA(child, className, sizeof className) || lstrcmpiA(className, "Static") != 0 ||
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = child;
    return FALSE;
}

}  // namespace

int MessageBoxIcon(const MessageBoxInfo& box) {
    HWND icon = nullptr;
    EnumChildWindows(box.window, FindIconStatic, reinterpret_cast<LPARAM>(&icon));
    std::vector<std::pair<int, HICON>> candidates;
    for (LPCSTR id : {IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK})
        candidates.emplace_back(IconNumber(id), LoadIconA(nullptr, id));
    return NearestIcon(icon, candidates);
}

Until BoxIconIs(const MessageBoxInfo& box, LPCSTR id) {
    return {"the box's icon " + std::to_string(IconNumber(id)), [=] { return MessageBoxIcon(box) == IconNumber(id); },
            [=] { return "icon " + std::to_string(MessageBoxIcon(box)); }};
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE);
    return path;
}

Installation::Installation(const std::string& name) : programFolder(MakeWorkFolder(name)) {
    for (const char* file : kProgramFileNames) WriteFileBytes(ProgramFile(file), {'r', 't', 'l', 'n'});
    shortcut = ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\Tavrik Rateline.lnk";
    WriteFileBytes(shortcut, {'l', 'n', 'k'});
    menuRoot = ShellFolder(CSIDL_PROGRAMS) + "\\Tavrik Software";
    menuFolder = menuRoot + "\\Rateline";
    DeleteTree(menuRoot);
    CreateDirectoryA(menuRoot.c_str(), nullptr);
    CreateDirectoryA(menuFolder.c_str(), nullptr);
    for (const char* entry : {"\\Tavrik Rateline.lnk", "\\Help.lnk"}) WriteFileBytes(menuFolder + entry, {'l'});
    DeleteSettingsKey();
    SetSettingString("PathRL", (programFolder + "\\").c_str());
    SetKeyValue(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "DisplayName", "Tavrik Rateline 1.0");
    for (const char* id : kOurExtensions)
        SetKeyValue(HKEY_LOCAL_MACHINE, std::string(kExtensionsPath) + "\\" + id, "ButtonText", "Rateline");
    SetKeyValue(HKEY_LOCAL_MACHINE, std::string(kExtensionsPath) + "\\" + kOtherExtension, "ButtonText", "Other");
}

Installation::~Installation() {
    DeleteTree(programFolder);
    DeleteFileA(shortcut.c_str());
    DeleteTree(menuRoot);
    SHDeleteKeyA(HKEY_CURRENT_USER, kProductKeyPath);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallEntryPath);
    for (const char* id : kOurExtensions)
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kExtensionsPath) + "\\" + id).c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kExtensionsPath) + "\\" + kOtherExtension).c_str());
}

int Installation::ProgramFilesLeft() const {
    int left = 0;
    for (const char* file : kProgramFileNames) left += FileExists(ProgramFile(file));
    return left;
}

namespace {

std::string UninstallerFolder(const std::string& name) {
    const std::string folder = MakeWorkFolder(name + "-uninstaller");
    CopyFileA((BuildFolder() + "\\uni_rtln.exe").c_str(), (folder + "\\uni_rtln.exe").c_str(), FALSE);
    return folder;
}

}  // namespace

bool Uninstaller::Open(const std::string& name, int damagedIcon) {
    const std::string copy = UninstallerFolder(name);
    if (damagedIcon && !DamageResource(copy + "\\uni_rtln.exe", RT_GROUP_ICON, damagedIcon)) return false;
    return Start(copy, "uni_rtln.exe", kUninstallerCaption);
}

bool Uninstaller::Launch(const std::string& name) { return Program::Launch(UninstallerFolder(name), "uni_rtln.exe"); }

::testing::AssertionResult Uninstaller::Uninstall() {
    return Click(IDC_UNINSTALL, {"the removal's end or a box",
                                 [&] { return Complete() || !IsWindow(window) || WaitMessageBox(*this, 0).window; }});
}

bool Uninstaller::Complete() const {
    return IsWindowVisible(Control(IDC_COMPLETE)) && Text(IDC_COMPLETE) == "Uninstall compete." &&
           Text(IDC_CLOSE) == "&OK";
}

int Uninstaller::StepIcon(int controlId) const {
    HMODULE module = LoadLibraryExA((folder + "\\uni_rtln.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::vector<std::pair<int, HICON>> candidates;
    for (int id : {IDI_STEP_DONE, IDI_STEP_BUSY, IDI_STEP_TODO})
        candidates.emplace_back(id,
                                static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0)));
    const int nearest = NearestIcon(Control(controlId), candidates);
    for (const auto& candidate : candidates)
        if (candidate.second) DestroyIcon(candidate.second);
    if (module) FreeLibrary(module);
    return nearest;
}

Until Uninstaller::StepIconIs(int controlId, int icon) const {
    return {"icon " + std::to_string(icon) + " at step " + std::to_string(controlId),
            [=, this] { return StepIcon(controlId) == icon; },
            [=, this] { return "icon " + std::to_string(StepIcon(controlId)); }};
}

}  // namespace ui
