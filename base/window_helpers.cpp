#include "window_helpers.h"

#include <commctrl.h>

#include "display_scale.h"

HWND AddTooltip(HWND control, const char* text) {
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(control, GWLP_HINSTANCE)), nullptr);
    if (!tip) return nullptr;
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = control;
    tool.hinst = nullptr;
    tool.lpszText = const_cast<char*>(text);
    GetClientRect(control, &tool.rect);
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

namespace {

struct InsetRequest {
    bool horizontal;
    int inset;  // pixels, at the dialog's scale
};

BOOL CALLBACK InsetOne(HWND child, LPARAM param) {
    char className[16];
    if (GetClassNameA(child, className, sizeof className) && lstrcmpiA(className, "Edit") == 0) {
        RECT rect;
        GetClientRect(child, &rect);
        const auto* request = reinterpret_cast<const InsetRequest*>(param);
        rect.top += request->inset;
        if (request->horizontal) {
            rect.left += request->inset;
            rect.right -= request->inset;
        }
        SendMessageA(child, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    }
    return TRUE;
}

}  // namespace

void InsetEditRects(HWND dialog, bool horizontal) {
    InsetRequest request{horizontal, DialogPixels(dialog, 2)};
    EnumChildWindows(dialog, InsetOne, reinterpret_cast<LPARAM>(&request));
}

namespace {

struct Forward {
    HWND owner;
    UINT message;
};

BOOL CALLBACK SendToChild(HWND child, LPARAM param) {
    SendMessageA(child, reinterpret_cast<const Forward*>(param)->message, 0, 0);
    return TRUE;
}

BOOL CALLBACK SendToOwned(HWND popup, LPARAM param) {
    const auto* forward = reinterpret_cast<const Forward*>(param);
    if (GetWindow(popup, GW_OWNER) == forward->owner) SendMessageA(popup, forward->message, 0, 0);
    return TRUE;
}

}  // namespace

void ForwardToControls(HWND window, UINT message) {
    Forward forward{window, message};
    EnumChildWindows(window, SendToChild, reinterpret_cast<LPARAM>(&forward));
    EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), SendToOwned, reinterpret_cast<LPARAM>(&forward));
}
