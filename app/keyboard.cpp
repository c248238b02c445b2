#include "keyboard.h"

#include "resources/rtln_ids.h"
#include "about_box.h"

namespace {

// Ctrl and the key: the button, when it is enabled, acts as if clicked.
struct Shortcut {
    UINT key;
    int button;
};
constexpr Shortcut kShortcuts[] = {
    {'P', IDC_PASTE}, {'F', IDC_FIND}, {'T', IDC_TICKET}, {'M', IDC_COUNT}, {'K', IDC_SKIP_SITE},
};

HWND g_mainWindow = nullptr;

// Whether the key is one of the shortcuts; it then does its work.
bool TakeShortcut(const MSG& message) {
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (message.wParam == VK_TAB) return root && SwitchAboutPage(root);
    if (root != g_mainWindow) return false;
    for (const Shortcut& shortcut : kShortcuts) {
        if (message.wParam != shortcut.key) continue;
        // Posted like a click, so that a box the command opens runs its loop outside the hook.
        const HWND button = GetDlgItem(g_mainWindow, shortcut.button);
        if (IsWindowEnabled(button))
            PostMessageA(g_mainWindow, WM_COMMAND, MAKEWPARAM(shortcut.button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        return true;
    }
    return false;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM removal, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && TakeShortcut(*message)) message->message = WM_NULL;
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

HHOOK InstallKeyboardShortcuts(HWND mainWindow) {
    g_mainWindow = mainWindow;
    return SetWindowsHookExA(WH_GETMESSAGE, KeyboardHook, nullptr, GetCurrentThreadId());
}
