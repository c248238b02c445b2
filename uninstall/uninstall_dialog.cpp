#include "uninstall_dialog.h"

#include "base/display_scale.h"
#include "base/handle.h"
#include "resources/uni_ids.h"
#include "removal.h"

namespace uninstall {

namespace {

constexpr const char* kAbortQuestion = "The uninstall in not finished! Do you really want to abort?";
constexpr const char* kAbortCaption = "Confirm Action";
constexpr const char* kCancelText = "&Cancel";
constexpr const char* kOkText = "&OK";
constexpr DWORD kSlideInMs = 200;

IconHandle g_windowIcon;
GdiObject<HBITMAP> g_sidePicture;  // the pictures at the dialog's scale, where it is not 96 DPI's
GdiObject<HBITMAP> g_smallMark;

// The template's picture is replaced by a copy stretched to the dialog's scale; the control's
// own picture is then ours to delete.
void ScalePictureControl(HWND dialog, int id, GdiObject<HBITMAP>& scaled) {
    HWND control = GetDlgItem(dialog, id);
    const auto shown = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP size = {};
    if (!shown || !GetObjectA(shown, sizeof size, &size)) return;
    scaled.reset(ScaledPicture(shown, 1, DialogPixels(dialog, size.bmHeight)));
    if (!scaled) return;
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled.get())));
    if (previous && previous != scaled.get()) DeleteObject(previous);
}

using AnimateWindowFunction = BOOL(WINAPI*)(HWND, DWORD, DWORD);

// Older systems lack AnimateWindow: the dialog then simply appears.
void SlideIn(HWND dialog) {
    HMODULE user = GetModuleHandleA("user32.dll");
    auto animate = user ? reinterpret_cast<AnimateWindowFunction>(
                              reinterpret_cast<void (*)()>(GetProcAddress(user, "AnimateWindow")))
                        : nullptr;
    if (animate) animate(dialog, kSlideInMs, AW_SLIDE | AW_HOR_POSITIVE | AW_ACTIVATE);
}

BOOL OnInitDialog(HWND dialog) {
    g_windowIcon.reset(
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_WINDOW), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_windowIcon.get()));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_windowIcon.get()));
    if (DialogDpi(dialog) != 96) {
        ScalePictureControl(dialog, IDC_SIDE_PICTURE, g_sidePicture);
        ScalePictureControl(dialog, IDC_SMALL_MARK, g_smallMark);
    }
    SlideIn(dialog);
    return TRUE;
}

void OnUninstall(HWND dialog) {
    if (RefuseWhileMainProgramRuns()) return;
    if (!RunRemoval(dialog)) {
        EndDialog(dialog, 0);
        return;
    }
    ShowWindow(GetDlgItem(dialog, IDC_COMPLETE), SW_SHOW);
    SetDlgItemTextA(dialog, IDC_CLOSE, kOkText);
}

// "&Cancel" asks first, also before the removal has started; "&OK" closes at once.
void OnClose(HWND dialog) {
    char text[16] = "";
    GetDlgItemTextA(dialog, IDC_CLOSE, text, sizeof text);
    if (lstrcmpA(text, kCancelText) == 0 &&
        MessageBoxA(dialog, kAbortQuestion, kAbortCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    EndDialog(dialog, 0);
}

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_UNINSTALL: OnUninstall(dialog); return TRUE;
    case IDC_CLOSE: OnClose(dialog); return TRUE;
    case IDCANCEL: return TRUE;  // the Esc key does nothing
    default: return FALSE;
    }
}

// White throughout, but the footer band and the maker's mark in the button face.
INT_PTR OnColorStatic(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    const bool face = id == IDC_FOOTER || id == IDC_MAKER;
    SetBkColor(dc, face ? GetSysColor(COLOR_BTNFACE) : RGB(255, 255, 255));
    return reinterpret_cast<INT_PTR>(face ? GetSysColorBrush(COLOR_BTNFACE) : GetStockObject(WHITE_BRUSH));
}

void OnDestroy() {
    g_windowIcon.reset();
    g_sidePicture.reset();
    g_smallMark.reset();
    ReleaseStepIcons();
}

INT_PTR CALLBACK UninstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_CLOSE: OnClose(dialog); return TRUE;  // close box, system menu, Alt+F4
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_CTLCOLORSTATIC: return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: OnDestroy(); return FALSE;
    default: return FALSE;
    }
}

}  // namespace

bool RefuseWhileMainProgramRuns() {
    if (!FindWindowA("#32770", RTLN_PRODUCT_NAME)) return false;
    MessageBoxA(nullptr, kMainProgramRuns, kWarningCaption, MB_OK | MB_ICONERROR);
    return true;
}

void ShowUninstallDialog(HINSTANCE instance) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_UNINSTALL), nullptr, UninstallDialogProc, 0);
}

}  // namespace uninstall
