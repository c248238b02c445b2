// The settings store against the real registry, in a throw-away key.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "base/settings.h"

namespace {

constexpr const char* kScratchKey = "Software\\Tavrik\\RL\\TestScratch";

class Settings : public ::testing::Test {
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

// Every value the program reads, stored in every shape another program or a damaged profile
// could leave, read through the program's own readers: a number is a 4-byte REG_DWORD or
// -1; a string is a REG_SZ with data that fits the reader's buffer with its zero, or absent;
// "WPos" is any type of exactly 8 bytes, or the window keeps its place.
TEST_F(Settings, EveryValueReadsByItsRuleWhateverItsTypeAndSize) {
    using Bytes = std::vector<unsigned char>;
    const struct {
        const char* name;
        DWORD size;  // the reader's units; its written length is 64, or 260 for "Clicks4U"
    } strings[] = {{"MemberID", 64}, {"SiteID", 64}, {"Password", 64}, {"Clicks4U", 261}};
    const struct {
        const char* what;
        DWORD type;
        int letters;  // 'k's stored; with fromBufferSize, counted from the buffer's size
        bool fromBufferSize;
        bool zero;             // a terminating zero follows them
        bool filled;           // zero filler up to the written length, as the program stores it
        const char* expected;  // "absent", or "letters": present with exactly the 'k's
    } stringShapes[] = {
        {"text", REG_SZ, 3, false, true, false, "letters"},
        {"as the program writes it", REG_SZ, 3, false, true, true, "letters"},
        {"empty text", REG_SZ, 0, false, true, false, "letters"},
        {"no data", REG_SZ, 0, false, false, false, "absent"},
        {"fills the buffer", REG_SZ, -1, true, true, false, "letters"},
        {"one longer than the buffer", REG_SZ, 0, true, true, false, "absent"},
        {"no zero, room for one", REG_SZ, -1, true, false, false, "letters"},
        {"no zero, fills the buffer", REG_SZ, 0, true, false, false, "absent"},
        {"no zero, longer than the buffer", REG_SZ, 1, true, false, false, "absent"},
        {"expandable string", REG_EXPAND_SZ, 3, false, true, false, "absent"},
        {"multi-string", REG_MULTI_SZ, 3, false, true, false, "absent"},
        {"binary", REG_BINARY, 3, false, true, false, "absent"},
        {"no type", REG_NONE, 3, false, true, false, "absent"},
        {"number", REG_DWORD, 4, false, false, false, "absent"},
    };
    const char* numbers[] = {"ShowBan", "nSites", "nTickets"};
    const struct {
        DWORD type;
        Bytes data;
        const char* expected;
    } numberShapes[] = {
        {REG_DWORD, {7, 0, 0, 0}, "7"},
        {REG_DWORD, {0x70, 0x11, 0x01, 0x00}, "70000"},
        {REG_DWORD, {}, "-1"},
        {REG_DWORD, {7, 0}, "-1"},
        {REG_DWORD, {7, 0, 0}, "-1"},
        {REG_DWORD, {7, 0, 0, 0, 0}, "-1"},
        {REG_DWORD, {7, 0, 0, 0, 0, 0, 0, 0}, "-1"},
        {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 7}, "-1"},
        {REG_QWORD, {7, 0, 0, 0, 0, 0, 0, 0}, "-1"},
        {REG_BINARY, {7, 0, 0, 0}, "-1"},
        {REG_NONE, {7, 0, 0, 0}, "-1"},
        {REG_SZ, {'5', 0}, "-1"},
        {REG_SZ, {'7', 0, 0, 0}, "-1"},
    };
    const Bytes corner = {64, 0, 0, 0, 48, 0, 0, 0};  // left 64, top 48
    const struct {
        DWORD type;
        Bytes data;
        const char* expected;  // the window's corner afterwards; it starts at 300,200
    } positionShapes[] = {
        {REG_BINARY, corner, "64,48"},
        {REG_DWORD, corner, "64,48"},
        {REG_QWORD, corner, "64,48"},
        {REG_NONE, corner, "64,48"},
        {REG_SZ, corner, "64,48"},
        {REG_BINARY, {}, "300,200"},
        {REG_BINARY, {64, 0, 0, 0}, "300,200"},
        {REG_BINARY, {64, 0, 0, 0, 48, 0, 0}, "300,200"},
        {REG_BINARY, {64, 0, 0, 0, 48, 0, 0, 0, 0}, "300,200"},
        {REG_DWORD, {64, 0, 0, 0, 48, 0, 0, 0, 0, 0, 0, 0}, "300,200"},
    };

    // Stores one value in a fresh key and reads it back as the program does.
    auto readBack = [&](const char* name, DWORD type, const Bytes& data, DWORD bufferSize) -> std::string {
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
        Store(name, type, data.data(), static_cast<DWORD>(data.size()));
        if (std::string(name) == "WPos") {
            HWND window = MakeWindow(300, 200);
            RestoreWindowPosition(window, kScratchKey);
            const RECT rect = Rect(window);
            DestroyWindow(window);
            window_ = nullptr;
            return std::to_string(rect.left) + "," + std::to_string(rect.top);
        }
        RegKey key = OpenSettings(KEY_QUERY_VALUE, kScratchKey);
        if (!key) return "no key";
        if (bufferSize == 0) return std::to_string(ReadSettingDword(key.get(), name));
        const size_t bytes = TextBytes(bufferSize);
        std::vector<char> area(bytes + 16, '#');  // the buffer and a guard after it
        const bool present = ReadSettingString(key.get(), name, area.data(), bufferSize);
        if (std::count(area.begin() + bytes, area.end(), '#') != 16) return "wrote past the buffer";
        if (!std::memchr(area.data(), 0, bytes)) return "no zero in the buffer";
        if (!present) return area[0] == 0 ? "absent" : "absent, buffer not emptied";
        return "letters:" + std::string(area.data());
    };

    for (const auto& value : strings) {
        for (const auto& shape : stringShapes) {
            const int letters = shape.letters + (shape.fromBufferSize ? static_cast<int>(value.size) : 0);
            Bytes data(letters, 'k');
            if (shape.zero) data.push_back(0);
            if (shape.filled) data.resize(value.size == 261 ? 260 : 64, 0);
            const std::string expected =
                std::string(shape.expected) == "letters" ? "letters:" + std::string(letters, 'k') : shape.expected;
            EXPECT_EQ(readBack(value.name, shape.type, data, value.size), expected) << value.name << ", " << shape.what;
        }
    }
    for (const char* name : numbers) {
        for (const auto& shape : numberShapes)
            EXPECT_EQ(readBack(name, shape.type, shape.data, 0), shape.expected)
                << name << ", type " << shape.type << ", " << shape.data.size() << " bytes";
    }
    for (const auto& shape : positionShapes)
        EXPECT_EQ(readBack("WPos", shape.type, shape.data, 0), shape.expected)
            << "WPos, type " << shape.type << ", " << shape.data.size() << " bytes";
}

TEST_F(Settings, NumbersAreWrittenAsFourByteDwords) {
    {
        RegKey key = Create();
        ASSERT_TRUE(WriteSettingDword(key.get(), "nSites", 42));
        ASSERT_TRUE(WriteSettingDword(key.get(), "ShowBan", 0));
    }
    RegKey key = OpenSettings(KEY_QUERY_VALUE, kScratchKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(ReadSettingDword(key.get(), "nSites"), 42);
    EXPECT_EQ(ReadSettingDword(key.get(), "ShowBan"), 0);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(key.get(), "nSites", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
}

// Strings are the registry's UTF-16 text in values of a fixed number of units, whatever the
// letters: stored whole or not at all, and read whole, however many UTF-8 bytes they take.
TEST_F(Settings, StringsAreFixedUnitsOfAnyScript) {
    RegKey key = Create();
    const std::string name = "\xD0\x9F\xD1\x91\xD1\x82\xD1\x80 \xE6\x9D\x8E";  // "Пётр 李"
    ASSERT_TRUE(WriteSettingString(key.get(), "MemberID", name.c_str(), kProfileTextUnits));
    std::wstring data(kProfileTextUnits, L'#');
    DWORD size = kProfileTextUnits * sizeof(wchar_t);
    ASSERT_EQ(RegQueryValueExW(key.get(), L"MemberID", nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(data, L"\u041F\u0451\u0442\u0440 \u674E" + std::wstring(kProfileTextUnits - 6, L'\0'));
    char text[TextBytes(kProfileTextUnits)];
    EXPECT_TRUE(ReadSettingString(key.get(), "MemberID", text, kProfileTextUnits));
    EXPECT_EQ(text, name);

    // As a build before UTF-8 stored "José" on a Western system: 64 units, 65 bytes in UTF-8.
    const std::wstring earlier = L"Jos\u00E9" + std::wstring(kProfileTextUnits - 4, L'\0');
    RegSetValueExW(key.get(), L"SiteID", 0, REG_SZ, reinterpret_cast<const BYTE*>(earlier.data()),
                   kProfileTextUnits * sizeof(wchar_t));
    EXPECT_TRUE(ReadSettingString(key.get(), "SiteID", text, kProfileTextUnits));
    EXPECT_STREQ(text, "Jos\xC3\xA9");

    const std::string longest = std::string(62, 'x') + "\xC3\xA9";  // 63 characters and the zero fit, 64 do not
    EXPECT_TRUE(FitsSetting(longest.c_str(), kProfileTextUnits));
    EXPECT_FALSE(WriteSettingString(key.get(), "SiteID", (longest + "x").c_str(), kProfileTextUnits));
    EXPECT_FALSE(WriteSettingString(key.get(), "SiteID", "cut \xD0", kProfileTextUnits));  // half a letter
    EXPECT_TRUE(ReadSettingString(key.get(), "SiteID", text, kProfileTextUnits));
    EXPECT_STREQ(text, "Jos\xC3\xA9") << "a refused text leaves the value as it was";
}

TEST_F(Settings, OpeningNeverCreatesTheKey) {
    EXPECT_FALSE(OpenSettings(KEY_SET_VALUE, kScratchKey));
    EXPECT_FALSE(OpenSettings(KEY_QUERY_VALUE, kScratchKey));
}

TEST_F(Settings, SavingCreatesTheKeyWithEightBytes) {
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

TEST_F(Settings, MinimisedWindowLeavesThePositionAlone) {
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

// The window (200 x 150) opens wholly inside the work area of the monitor nearest to it.
TEST_F(Settings, RestoringMovesTheWindowWhollyIntoTheWorkArea) {
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
        {"left of the screen", true, -20, 30, work.left, 30},
        {"above the screen", true, 30, -15, 30, work.top},
        {"across the right edge", true, work.right - 1, 5, work.right - 200, 5},
        {"at the bottom edge", true, 5, work.bottom, 5, work.bottom - 150},
        {"a monitor that is gone", true, work.right + 1500, work.bottom + 50, work.right - 200, work.bottom - 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
        if (c.store)
            StoreCorner(c.left, c.top);
        else
            Create();
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

}  // namespace
