// The real main window opened in this process: an opening without its pictures, the pictures,
// the history picture when it cannot be drawn, and a system-colour change reaching its controls.
#include <gtest/gtest.h>

#include <map>

#include "app/main_window.h"
#include "base/dialog_look.h"
#include "base/program_folder.h"
#include "desk/site_database.h"
#include "resources/rtln_ids.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        UseDataFolder(folder.Path().c_str());
        window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                    reinterpret_cast<LPARAM>(&state));
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
        UseDataFolder(nullptr);
    }
    // Looks the site up.
    bool Find(int32_t site) { return LookUpSite(state.desk, window, site); }
    HBITMAP ShownPicture() const {
        return reinterpret_cast<HBITMAP>(
            SendDlgItemMessageA(window, IDC_RATING_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    ScratchFolder folder{"main_window_in_process"};
    MainWindowState state = {};
    HWND window = nullptr;
};

// Counts the messages a window receives, by subclassing it for the length of a test.
std::map<HWND, int> g_received;
std::map<HWND, WNDPROC> g_original;
UINT g_counted;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_counted) ++g_received[window];
    return CallWindowProcA(g_original[window], window, message, wParam, lParam);
}

void CountMessages(HWND window, UINT message) {
    g_counted = message;
    g_original[window] =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
}

BOOL CALLBACK FindOwnedTooltip(HWND popup, LPARAM param) {
    char name[32] = {};
    GetClassNameA(popup, name, sizeof name);
    auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(param);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(popup, GW_OWNER) == found->first) found->second = popup;
    return found->second == nullptr;
}

}  // namespace

TEST_F(MainWindow, RatingPicturesKeepTheirColoursAsDibSections) {
    for (HBITMAP picture : {state.desk.grid.get(), state.desk.marks.get()}) {
        DIBSECTION section = {};
        EXPECT_EQ(GetObjectA(picture, sizeof section, &section), static_cast<int>(sizeof section));
    }
}

TEST_F(MainWindow, PictureThatCannotBeDrawnShowsTheBackgroundNotTheLastSite) {
    ASSERT_TRUE(win_test::WriteFileBytes(folder.File("site.qzd"), {0xD2, 0x04, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0}));
    ASSERT_TRUE(Find(1234));
    ASSERT_EQ(ShownPicture(), state.desk.picture.get());
    ResetDesk(state.desk, window);

    // A surface held in another DC cannot be drawn on.
    HDC holder = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(holder, state.desk.picture.get());
    ASSERT_TRUE(Find(1234));
    const HBITMAP shown = ShownPicture();
    SelectObject(holder, previous);
    DeleteDC(holder);
    EXPECT_EQ(shown, state.desk.grid.get());
}

TEST_F(MainWindow, ColourChangeReachesTheCommonControls) {
    std::pair<HWND, HWND> tooltip{window, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedTooltip, reinterpret_cast<LPARAM>(&tooltip));
    const HWND controls[] = {state.session.statusBar, GetDlgItem(window, IDC_TICKET_PROGRESS), tooltip.second};
    for (HWND control : controls) {
        ASSERT_NE(control, nullptr);
        CountMessages(control, WM_SYSCOLORCHANGE);
    }
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    for (HWND control : controls) {
        EXPECT_EQ(g_received[control], 1) << control;
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original[control]));
    }
}

// Without its rating pictures the opening stops: the dialog ends with 0 before it is shown.
TEST(MainWindowOpening, StopsWithZeroWithoutTheRatingPictures) {
    SetAppInstance(GetModuleHandleA("kernel32.dll"));  // a module that holds none of our bitmaps
    MainWindowState state = {};
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                           MainDialogProc, reinterpret_cast<LPARAM>(&state));
    SetAppInstance(GetModuleHandleA(nullptr));
    EXPECT_EQ(result, 0);
}
