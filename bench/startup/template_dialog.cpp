// rtln.exe's main dialog template with none of the program's own work: the share of start-up
// that the fixed template costs, against which the program's opening is measured.
#include <windows.h>

#include <commctrl.h>

#include "../../resources/rtln_ids.h"

INT_PTR CALLBACK TemplateProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDM_EXIT) EndDialog(window, 1);
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The template holds a progress bar, a common control.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, TemplateProc, 0));
}
