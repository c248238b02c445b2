// The settings store against the real registry, in a throw-away key.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include "app/settings.h"

namespace {

constexpr const char* kScratchKey = "Software\\Tavrik\\RL\\TestScratch";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey); }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
    }

    static RegKey Create() {
        RegKey key;
        RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(), nullptr);
        return key;
    }
    static void Store(const char* name, DWORD type, const void* data, DWORD size) {
        RegKey key = Create();
        RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
    }
    static void StoreCorner(int32_t left, int32_t top) {
        const int32_t corner[2] = {left, top};
        Store("WPos", REG_BINARY, corner, sizeof corner);
    }

    HWND MakeWindow(int x, int y) {
        window_ = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, x, y, 200, 150, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        return window_;
    }
    static RECT Rect(HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        return rect;
    }

    HWND window_ = nullptr;
};

TEST_F(SettingsStore, StringsRoundTripUnderThePresenceRules) {
    const std::string password63(63, 'k');
    char data64[64];
    std::memset(data64, 0, sizeof data64);
    std::memcpy(data64, password63.data(), 63);
    Store("Password", REG_SZ, data64, 64);        // the profile writes 64 bytes
    Store("Empty", REG_SZ, "", 1);
    Store("Number", REG_DWORD, "\x05\0\0\0", 4);
    const std::string text64(64, 'x');
    Store("TooLong", REG_SZ, text64.c_str(), 65);  // 64 characters and the zero: one too many

    RegKey key = OpenSettings(KEY_QUERY_VALUE, kScratchKey);
    ASSERT_TRUE(key);
    char buffer[64];
    EXPECT_TRUE(ReadSettingString(key.get(), "Password", buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), password63);
    EXPECT_TRUE(ReadSettingString(key.get(), "Empty", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(ReadSettingString(key.get(), "Number", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(ReadSettingString(key.get(), "TooLong", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(ReadSettingString(key.get(), "Missing", buffer, sizeof buffer));
}

TEST_F(SettingsStore, NumbersRoundTripAndWrongShapesReadAsAbsent) {
    {
        RegKey key = Create();
        ASSERT_TRUE(WriteSettingDword(key.get(), "nSites", 42));
        ASSERT_TRUE(WriteSettingDword(key.get(), "nTickets", 70000));
        ASSERT_TRUE(WriteSettingDword(key.get(), "ShowBan", 0));
    }
    Store("AsText", REG_SZ, "5", 2);
    const unsigned char eight[8] = {5, 0, 0, 0, 0, 0, 0, 0};
    Store("AsQword", REG_QWORD, eight, 8);
    Store("AsBinary", REG_BINARY, eight, 4);

    RegKey key = OpenSettings(KEY_QUERY_VALUE, kScratchKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(ReadSettingDword(key.get(), "nSites"), 42);
    EXPECT_EQ(ReadSettingDword(key.get(), "nTickets"), 70000);
    EXPECT_EQ(ReadSettingDword(key.get(), "ShowBan"), 0);
    EXPECT_EQ(ReadSettingDword(key.get(), "AsText"), -1);
    EXPECT_EQ(ReadSettingDword(key.get(), "AsQword"), -1);
    EXPECT_EQ(ReadSettingDword(key.get(), "AsBinary"), -1);
    EXPECT_EQ(ReadSettingDword(key.get(), "Missing"), -1);

    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(key.get(), "nSites", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
}

TEST_F(SettingsStore, OpeningNeverCreatesTheKey) {
    EXPECT_FALSE(OpenSettings(KEY_SET_VALUE, kScratchKey));
    EXPECT_FALSE(OpenSettings(KEY_QUERY_VALUE, kScratchKey));
}

TEST_F(SettingsStore, SavingCreatesTheKeyWithEightBytes) {
    HWND window = MakeWindow(37, 41);
    SaveWindowPosition(window, kScratchKey);
    RegKey key = OpenSettings(KEY_QUERY_VALUE, kScratchKey);
    ASSERT_TRUE(key);
    int32_t corner[3] = {0, 0, 0};
    DWORD type = 0, size = sizeof corner;
    ASSERT_EQ(RegQueryValueExA(key.get(), "WPos", nullptr, &type, reinterpret_cast<BYTE*>(corner), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(corner[0], 37);
    EXPECT_EQ(corner[1], 41);
}

TEST_F(SettingsStore, MinimisedWindowLeavesThePositionAlone) {
    StoreCorner(11, 12);
    HWND window = MakeWindow(300, 200);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    SaveWindowPosition(window, kScratchKey);
    RegKey key = OpenSettings(KEY_QUERY_VALUE, kScratchKey);
    int32_t corner[2] = {0, 0};
    DWORD size = sizeof corner;
    ASSERT_EQ(RegQueryValueExA(key.get(), "WPos", nullptr, nullptr, reinterpret_cast<BYTE*>(corner), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(corner[0], 11);
    EXPECT_EQ(corner[1], 12);
}

TEST_F(SettingsStore, RestoringAppliesOnlyCornersBeforeTheWorkAreaEnds) {
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    struct Case {
        const char* name;
        bool store;
        int32_t left, top;
        LONG expectedLeft, expectedTop;
    } const cases[] = {
        {"no value", false, 0, 0, 300, 200},
        {"inside", true, 120, 80, 120, 80},
        {"left of the screen", true, -20, 30, -20, 30},
        {"above the screen", true, 30, -15, 30, -15},
        {"just before the right edge", true, work.right - 1, 5, work.right - 1, 5},
        {"at the right edge", true, work.right, 5, 300, 200},
        {"at the bottom edge", true, 5, work.bottom, 300, 200},
        {"beyond both", true, work.right + 50, work.bottom + 50, 300, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
        if (c.store) StoreCorner(c.left, c.top);
        else Create();
        HWND window = MakeWindow(300, 200);
        RestoreWindowPosition(window, kScratchKey);
        const RECT rect = Rect(window);
        EXPECT_EQ(rect.left, c.expectedLeft);
        EXPECT_EQ(rect.top, c.expectedTop);
        EXPECT_EQ(rect.right - rect.left, 200);
        DestroyWindow(window);
        window_ = nullptr;
    }
}

TEST_F(SettingsStore, RestoringIgnoresValuesOfAnotherLength) {
    const unsigned char shortValue[4] = {10, 0, 0, 0};
    const unsigned char longValue[12] = {10, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0};
    for (auto [data, size] : {std::pair{shortValue, DWORD{4}}, std::pair{longValue, DWORD{12}}}) {
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
        Store("WPos", REG_BINARY, data, size);
        HWND window = MakeWindow(300, 200);
        RestoreWindowPosition(window, kScratchKey);
        EXPECT_EQ(Rect(window).left, 300) << size << " bytes";
        EXPECT_EQ(Rect(window).top, 200) << size << " bytes";
        DestroyWindow(window);
        window_ = nullptr;
    }
}

TEST_F(SettingsStore, RestoringDoesNotExamineTheType) {
    const int32_t corner[2] = {64, 48};
    Store("WPos", REG_DWORD, corner, sizeof corner);  // odd type, right length
    HWND window = MakeWindow(300, 200);
    RestoreWindowPosition(window, kScratchKey);
    EXPECT_EQ(Rect(window).left, 64);
    EXPECT_EQ(Rect(window).top, 48);
}

}  // namespace
