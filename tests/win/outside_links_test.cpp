// What the program hands to the shell: a recorder stands in for ShellExecuteExA, so nothing
// is opened. The banner control's procedure is exercised on a real main window.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/outside_links.h"
#include "base/program_folder.h"
#include "base/settings.h"
#include "desk/site_database.h"
#include "resources/rtln_ids.h"
#include "session/session_internal.h"
#include "session_test_support.h"

namespace {

struct Request {
    DWORD size, mask;
    HWND owner;
    std::string file;
    bool verb, parameters, directory;
    int show;
};

std::vector<Request> g_requests;

BOOL WINAPI RecordRequest(SHELLEXECUTEINFOA* request) {
    g_requests.push_back({request->cbSize, request->fMask, request->hwnd, request->lpFile ? request->lpFile : "(null)",
                          request->lpVerb != nullptr, request->lpParameters != nullptr, request->lpDirectory != nullptr,
                          request->nShow});
    return TRUE;
}

class OutsideLinks : public ::testing::Test {
protected:
    void SetUp() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
        g_requests.clear();
        SetShellExecutor(RecordRequest);
    }
    void TearDown() override {
        SetShellExecutor(nullptr);
        SHDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    }
    static void StoreClicks4U(const std::string& text) {
        RegKey key;
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.out(), nullptr);
        RegSetValueExA(key.get(), "Clicks4U", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    }
    // One request, as the shell's default action wants it, for the given owner and target.
    static void ExpectOneRequest(HWND owner, const std::string& file) {
        ASSERT_EQ(g_requests.size(), 1u);
        const Request& r = g_requests[0];
        EXPECT_EQ(r.size, sizeof(SHELLEXECUTEINFOA));
        EXPECT_EQ(r.mask, 0x0000000Cu);  // SEE_MASK_INVOKEIDLIST and nothing else
        EXPECT_EQ(r.owner, owner);
        EXPECT_EQ(r.file, file);
        EXPECT_FALSE(r.verb);
        EXPECT_FALSE(r.parameters);
        EXPECT_FALSE(r.directory);
        EXPECT_EQ(r.show, SW_SHOWNORMAL);
    }
};

}  // namespace

TEST_F(OutsideLinks, Clicks4UOpensTheStoredTextAndNothingWhenItIsMissingOrEmpty) {
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    const std::string longest(260, 'p');  // with its zero it fills the 261-byte buffer
    const struct {
        const char* name;
        bool store;
        std::string value;
        bool opens;
    } cases[] = {
        {"no key", false, "", false},
        {"empty", true, "", false},
        {"a page", true, "http://www.clicks4u.example/members/", true},
        {"260 characters", true, longest, true},
        {"261 characters do not fit", true, longest + "q", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SHDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
        g_requests.clear();
        if (c.store) StoreClicks4U(c.value);
        OpenServicePage(owner);
        if (c.opens)
            ExpectOneRequest(owner, c.value);
        else
            EXPECT_TRUE(g_requests.empty());
    }
}

TEST_F(OutsideLinks, HelpOpensRtlnChmBesideTheProgram) {
    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    ASSERT_GT(length, 9u);
    module[length - 9] = 0;  // the program file's name is taken to be nine characters with its backslash
    const HWND owner = reinterpret_cast<HWND>(0x5678);
    OpenHelpFile(owner);
    ExpectOneRequest(owner, std::string(module) + "\\rtln.chm");
}

// On the real main window: the banner paints over its background, shows the hand, and a
// released click opens the service's home page, owned by the main window.
TEST_F(OutsideLinks, BannerControlHandsTheClickToTheShell) {
    session_test::ScratchFolder folder("banner_click");
    UseDataFolder(folder.Path().c_str());
    MainWindowState state = {};
    HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                     reinterpret_cast<LPARAM>(&state));
    ASSERT_NE(window, nullptr);
    HWND banner = GetDlgItem(window, IDC_BANNER);
    EXPECT_TRUE(GetWindowLongPtrA(banner, GWL_STYLE) & SS_NOTIFY);
    HDC dc = GetDC(banner);
    EXPECT_EQ(SendMessageA(banner, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), TRUE);
    ReleaseDC(banner, dc);
    SetCursor(nullptr);
    EXPECT_EQ(SendMessageA(banner, WM_SETCURSOR, reinterpret_cast<WPARAM>(banner), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    EXPECT_TRUE(g_requests.empty());
    SendMessageA(banner, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ExpectOneRequest(window, kServiceHomePage);
    DestroyWindow(window);
    UseDataFolder(nullptr);
}
