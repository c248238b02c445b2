#include "ui_driver.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <initializer_list>

namespace ui {

namespace {

struct FindRequest {
    DWORD processId;
    HWND exclude;
    HWND found;
    const char* caption = nullptr;  // when set, only a dialog of this caption
    bool hiddenToo = false;
    int count = 0;  // with hiddenToo: every dialog is counted, the first one kept
};

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<FindRequest*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != request->processId || window == request->exclude ||
        (!request->hiddenToo && !IsWindowVisible(window)))
        return TRUE;
    char className[16];
    if (!GetClassNameA(window, className, sizeof className) || lstrcmpA(className, "#32770") != 0) return TRUE;
    char caption[128];
    if (request->caption &&
        (!GetWindowTextA(window, caption, sizeof caption) || lstrcmpA(caption, request->caption) != 0))
        return TRUE;
    if (!request->found) request->found = window;
    return request->hiddenToo ? (++request->count, TRUE) : FALSE;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM param) {
    char className[16];
    if (GetClassNameA(child, className, sizeof className) && lstrcmpiA(className, "Button") == 0)
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(WindowText(child));
    return TRUE;
}

}  // namespace

std::string WindowText(HWND window) {
    char text[1024] = "";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kWaitMs,
                        &ignored);
    return text;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    return wide;  // with its terminating zero
}

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        const DWORD waited = GetTickCount() - start;
        if (waited >= ms) return false;
        Sleep(waited < 50 ? 1 : 10);  // most states come within a few milliseconds
    }
}

::testing::AssertionResult WaitUntil(const Until& until, DWORD ms) {
    if (WaitFor(until.holds, ms)) return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "waited " << ms << " ms for " << until.what;
    if (until.seen) failure << "; seen: " << until.seen();
    return failure;
}

namespace {

// The size from the folder's entry: the file is not opened, so that the program, which opens
// its files exclusively, never meets the test holding one (and shows its message for that).
int64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace

Until FileSizeIs(const std::string& path, size_t size) {
    return {path + " of " + std::to_string(size) + " bytes",
            [=] { return FileSize(path) == static_cast<int64_t>(size); },
            [=] { return std::to_string(FileSize(path)) + " bytes"; }};
}

std::string BuildFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string MakeWorkFolder(const std::string& name) {
    const std::string work = BuildFolder() + "\\ui-work";
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string folder = work + "\\" + name;
    // SHFileOperation needs a double-zero-terminated list.
    std::string from = folder;
    from.push_back('\0');
    SHFILEOPSTRUCTA remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    if (GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) SHFileOperationA(&remove);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string MakeProgramFolder(const std::string& name) {
    const std::string folder = MakeWorkFolder(name);
    for (const char* file : {"rtln.exe", "qzDigits.ttf", "qzMain.ttf"})
        CopyFileA((BuildFolder() + "\\" + file).c_str(), (folder + "\\" + file).c_str(), FALSE);
    return folder;
}

namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

}  // namespace

bool DamageResource(const std::string& exe, const char* type, int id) {
    std::vector<WORD> languages;
    if (HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        EnumResourceLanguagesA(module, type, MAKEINTRESOURCEA(id), CollectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        FreeLibrary(module);
    }
    HANDLE update = languages.empty() ? nullptr : BeginUpdateResourceA(exe.c_str(), FALSE);
    if (!update) return false;
    char garbage[] = "damaged";
    bool replaced = true;
    for (WORD language : languages)
        replaced = UpdateResourceA(update, type, MAKEINTRESOURCEA(id), language, garbage, sizeof garbage) && replaced;
    return EndUpdateResourceA(update, !replaced) && replaced;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void DeleteSettingsKey() { SHDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey); }

void SetSettingRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void SetSettingString(const char* name, const char* text) {
    SetSettingRaw(name, REG_SZ, text, static_cast<DWORD>(lstrlenA(text) + 1));
}

void SetSettingDword(const char* name, DWORD value) { SetSettingRaw(name, REG_DWORD, &value, sizeof value); }

bool GetSettingRaw(const char* name, DWORD* type, std::vector<unsigned char>* data) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExA(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data->assign(size, 0);
        ok = RegQueryValueExA(key, name, nullptr, type, data->data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return ok;
}

Program::~Program() { Kill(); }

bool Program::Launch(const std::string& programFolder, const char* exe) {
    Kill();  // one process at a time
    folder = programFolder;
    std::wstring commandLine = Wide("\"" + folder + "\\" + exe + "\"");
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, Wide(folder).c_str(),
                          &startup, &process) != FALSE;
}

bool Program::Start(const std::string& programFolder, const char* exe, const char* caption) {
    if (!Launch(programFolder, exe)) return false;
    // A dialog's loop shows the dialog once, when it first finds its queue empty, which is when
    // the process first waits for input: a message sent after that is answered after the
    // showing (which would restore a window minimised before it).
    WaitForInputIdle(process.hProcess, kWaitMs * 3);
    const bool found = WaitFor(
        [&] {
            FindRequest request{process.dwProcessId, nullptr, nullptr};
            EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&request));
            if (request.found && WindowText(request.found) == caption) window = request.found;
            return window != nullptr || !Running();
        },
        kWaitMs * 3);
    DWORD_PTR ignored = 0;
    return found && window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &ignored);
}

int Program::WaitExit(DWORD ms) {
    if (!process.hProcess) return -1;
    if (WaitForSingleObject(process.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}

bool Program::Running() const { return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }

void Program::Kill() {
    if (!process.hProcess) return;
    if (Running()) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, kWaitMs);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    process = {};
    window = nullptr;
}

bool Program::Checked(int id) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(Control(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &state);
    return state == BST_CHECKED;
}

bool Program::ReadOnly(int id) const { return (GetWindowLongA(Control(id), GWL_STYLE) & ES_READONLY) != 0; }

std::string Program::Text(int id) const { return WindowText(Control(id)); }

UINT Program::MenuState(UINT commandId) const {
    // Wine keeps menus inside their process: the window answers for its own menu.
    static const UINT query = RegisterWindowMessageA("TavrikRateline.MenuState");
    DWORD_PTR state = 0xFFFFFFFF;
    SendMessageTimeoutA(window, query, commandId, 0, SMTO_ABORTIFHUNG, kWaitMs, &state);
    return static_cast<UINT>(state);
}
bool Program::MenuGrayed(UINT commandId) const { return (MenuState(commandId) & (MF_GRAYED | MF_DISABLED)) != 0; }
bool Program::MenuChecked(UINT commandId) const { return (MenuState(commandId) & MF_CHECKED) != 0; }

int Program::TopLevelWindows(const char* className) const {
    int count = 0;
    DWORD owner = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, nullptr)) != nullptr;)
        count += GetWindowThreadProcessId(w, &owner) && owner == process.dwProcessId;
    return count;
}

namespace {

std::string Quoted(const std::string& text) { return '"' + text + '"'; }
const char* YesNo(bool value) { return value ? "yes" : "no"; }

}  // namespace

Until TextIs(HWND window, const std::string& text, const std::string& name) {
    return {name + " reading " + Quoted(text), [=] { return WindowText(window) == text; },
            [=] { return Quoted(WindowText(window)); }};
}

Until EnabledIs(HWND window, bool enabled, const std::string& name) {
    return {name + (enabled ? " enabled" : " disabled"), [=] { return (IsWindowEnabled(window) != FALSE) == enabled; }};
}

Until Closed(HWND window, const std::string& name) {
    return {name + " closed", [=] { return !IsWindow(window); }};
}

Until Program::TextIs(int id, const std::string& text) const {
    return ui::TextIs(Control(id), text, "control " + std::to_string(id));
}

Until Program::EnabledIs(int id, bool enabled) const {
    return ui::EnabledIs(Control(id), enabled, "control " + std::to_string(id));
}

Until Program::CheckedIs(int id, bool checked) const {
    return {"button " + std::to_string(id) + (checked ? " checked" : " unchecked"),
            [=, this] { return Checked(id) == checked; }};
}

Until Program::MenuGrayedIs(UINT commandId, bool grayed) const {
    return {"menu item " + std::to_string(commandId) + (grayed ? " greyed" : " enabled"),
            [=, this] { return MenuGrayed(commandId) == grayed; },
            [=, this] { return std::to_string(MenuState(commandId)); }};
}

Until Program::MenuCheckedIs(UINT commandId, bool checked) const {
    return {"menu item " + std::to_string(commandId) + (checked ? " checked" : " unchecked"),
            [=, this] { return MenuChecked(commandId) == checked; },
            [=, this] { return std::to_string(MenuState(commandId)); }};
}

Until Program::StatusIs(int part, const std::string& text) const {
    return {"status part " + std::to_string(part) + " reading " + Quoted(text),
            [=, this] { return StatusText(part) == text; }, [=, this] { return Quoted(StatusText(part)); }};
}

Until Program::BoxShown(const char* caption) const {
    return {std::string("a message box") + (caption ? " " + Quoted(caption) : ""),
            [=, this] { return WaitMessageBox(*this, 0, caption).window != nullptr; },
            [=, this] { return Quoted(MessageBoxNow(*this).caption) + " or none"; }};
}

Until Program::Ended() const {
    return {"the process's end", [=, this] { return !Running(); },
            [=, this] {
                return std::string("running: ") + YesNo(Running()) + ", box: " + Quoted(MessageBoxNow(*this).text);
            }};
}

Action Program::Clicking(int id) const { return {Control(id), BM_CLICK, 0, 0, "a click on " + std::to_string(id)}; }

Action Program::Commanding(int id) const {
    return {window, WM_COMMAND, MAKEWPARAM(id, 0), 0, "command " + std::to_string(id)};
}

Action Program::Notifying(int id, WORD code) const {
    return {window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Control(id)),
            "notification " + std::to_string(code) + " of " + std::to_string(id)};
}

Action Program::Message(UINT message, WPARAM wParam, LPARAM lParam) const {
    return {window, message, wParam, lParam, "message " + std::to_string(message)};
}

::testing::AssertionResult Program::Do(const Action& action, const Until& until, DWORD ms) const {
    const DWORD start = GetTickCount();
    if (!PostMessageA(action.target, action.message, action.wParam, action.lParam))
        return ::testing::AssertionFailure() << action.name << " could not be posted";
    ::testing::AssertionResult reached = WaitUntil(until, ms);
    if (!reached) return reached << " after " << action.name;
    // Some states are read without a message (enabled, shown, the window's place) and hold
    // while the action is still being handled: once the window answers, it has returned.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(action.target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &ignored);
    slowestStep = std::max(slowestStep, GetTickCount() - start);
    return reached;
}

::testing::AssertionResult Program::Click(int id, const Until& until, DWORD ms) const {
    return Do(Clicking(id), until, ms);
}
::testing::AssertionResult Program::Command(int id, const Until& until, DWORD ms) const {
    return Do(Commanding(id), until, ms);
}
::testing::AssertionResult Program::Notify(int id, WORD code, const Until& until) const {
    return Do(Notifying(id, code), until);
}
::testing::AssertionResult Program::SysCommand(WPARAM command, const Until& until) const {
    return Do(Message(WM_SYSCOMMAND, command, 0), until);
}
::testing::AssertionResult Program::Post(UINT message, WPARAM wParam, LPARAM lParam, const Until& until) const {
    return Do(Message(message, wParam, lParam), until);
}

::testing::AssertionResult Program::Type(HWND control, const std::string& text, const Until& until) const {
    if (text.empty()) return ::testing::AssertionFailure() << "nothing to type";
    // Many characters: the edit handles them in turn, and the state waited for is the last one's.
    for (size_t i = 0; i + 1 < text.size(); ++i) PostMessageA(control, WM_CHAR, static_cast<unsigned char>(text[i]), 1);
    return Do({control, WM_CHAR, static_cast<unsigned char>(text.back()), 1, "typing " + Quoted(text)}, until);
}
::testing::AssertionResult Program::Type(int id, const std::string& text, const Until& until) const {
    return Type(Control(id), text, until);
}
::testing::AssertionResult Program::Backspace(int id, const Until& until) const {
    return Do({Control(id), WM_CHAR, VK_BACK, 1, "a backspace"}, until);
}

::testing::AssertionResult Program::NoBoxAfter(const Action& quiet, const Action& next, const Until& until,
                                               int nextBoxes) const {
    if (!PostMessageA(quiet.target, quiet.message, quiet.wParam, quiet.lParam))
        return ::testing::AssertionFailure() << quiet.name << " could not be posted";
    ::testing::AssertionResult reached = Do(next, until);
    const MessageBoxInfo box = MessageBoxNow(*this);
    if (!reached) return reached << ", which followed " << quiet.name << "; a box: " << Quoted(box.text);
    if (MessageBoxesNow(*this) != nextBoxes)
        return ::testing::AssertionFailure()
               << quiet.name << " opened a box " << Quoted(box.caption) << ": " << Quoted(box.text);
    return reached;
}

HWND Program::StatusBar() const { return FindWindowExA(window, nullptr, "msctls_statusbar32", nullptr); }

std::string Program::StatusText(int part) const {
    HWND bar = StatusBar();
    if (!bar) return "<no status bar>";
    HANDLE target = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process.dwProcessId);
    if (!target) return "<no access>";
    constexpr SIZE_T kSize = 512;
    void* remote = VirtualAllocEx(target, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
    std::string text = "<no memory>";
    if (remote) {
        DWORD_PTR ignored = 0;
        char local[kSize] = "";
        SendMessageTimeoutA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, kWaitMs,
                            &ignored);
        SIZE_T read = 0;
        ReadProcessMemory(target, remote, local, kSize - 1, &read);
        text = local;
        VirtualFreeEx(target, remote, 0, MEM_RELEASE);
    }
    CloseHandle(target);
    return text;
}

MessageBoxInfo WaitMessageBox(const Program& program, DWORD ms, const char* caption) {
    MessageBoxInfo info;
    WaitFor(
        [&] {
            FindRequest request{program.process.dwProcessId, program.window, nullptr, caption};
            EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&request));
            info.window = request.found;
            return info.window != nullptr;
        },
        ms);
    // A dialog is shown only after its initialisation: its texts and buttons are final.
    if (!info.window) return info;
    info.caption = WindowText(info.window);
    info.text = WindowText(GetDlgItem(info.window, 0xFFFF));
    EnumChildWindows(info.window, CollectButton, reinterpret_cast<LPARAM>(&info.buttons));
    return info;
}

int MessageBoxesNow(const Program& program) {
    FindRequest request{program.process.dwProcessId, program.window, nullptr, nullptr, true};
    EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&request));
    return request.count;
}

MessageBoxInfo MessageBoxNow(const Program& program) {
    FindRequest request{program.process.dwProcessId, program.window, nullptr, nullptr, true};
    EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&request));
    MessageBoxInfo info;
    if ((info.window = request.found) != nullptr) {
        info.caption = WindowText(info.window);
        info.text = WindowText(GetDlgItem(info.window, 0xFFFF));
    }
    return info;
}

bool Answer(const MessageBoxInfo& box, int buttonId) {
    if (!box.window) return false;
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
    return WaitFor([&] { return !IsWindow(box.window); }, kWaitMs);
}

namespace {

bool OpenClipboardPatiently() {
    return WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, kWaitMs);
}

}  // namespace

bool SetClipboardText(const char* text) {
    if (!OpenClipboardPatiently()) return false;
    EmptyClipboard();
    const SIZE_T size = lstrlenA(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    bool ok = false;
    if (block) {
        CopyMemory(GlobalLock(block), text, size);
        GlobalUnlock(block);
        ok = SetClipboardData(CF_TEXT, block) != nullptr;
        if (!ok) GlobalFree(block);
    }
    CloseClipboard();
    return ok;
}

bool ClipboardHasText() {
    if (!OpenClipboardPatiently()) return false;
    const bool has = GetClipboardData(CF_TEXT) != nullptr;
    CloseClipboard();
    return has;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboardPatiently()) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

namespace {

// The display's pixels, 24 bits each, rows bottom up and padded to four bytes.
std::vector<unsigned char> ScreenPixels(const BITMAPINFO& format) {
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, format.bmiHeader.biWidth, format.bmiHeader.biHeight, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const unsigned char*>(bits);
    std::vector<unsigned char> copy(pixels, pixels + format.bmiHeader.biSizeImage);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(shot);
    ReleaseDC(nullptr, screen);
    return copy;
}

}  // namespace

bool SaveScreenshot(const std::string& name) {
    // A shot is taken as soon as the state a step waited for holds, which its windows may not
    // have painted whole yet: the display is read until two reads 50 ms apart agree (within
    // 2 s; a caret's blink or the banner's turn may fall between two).
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const DWORD stride = (width * 3 + 3) & ~3u;
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, stride * height, 0, 0, 0, 0};
    std::vector<unsigned char> pixels = ScreenPixels(format);
    for (int tries = 0; tries < 40; ++tries) {
        Sleep(50);
        std::vector<unsigned char> again = ScreenPixels(format);
        if (again == pixels) break;
        pixels.swap(again);
    }
    BITMAPFILEHEADER header = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    header.bfSize = header.bfOffBits + stride * height;
    std::vector<unsigned char> file(reinterpret_cast<unsigned char*>(&header),
                                    reinterpret_cast<unsigned char*>(&header) + sizeof header);
    const auto* info = reinterpret_cast<const unsigned char*>(&format.bmiHeader);
    file.insert(file.end(), info, info + sizeof(BITMAPINFOHEADER));
    file.insert(file.end(), pixels.begin(), pixels.end());
    const std::string folder = BuildFolder() + "\\artifacts";
    CreateDirectoryA(folder.c_str(), nullptr);
    return WriteFileBytes(folder + "\\" + name + ".bmp", file);
}

}  // namespace ui
