// The stored formats are the same bytes in the 32-bit and the 64-bit programs: written here by
// the program's own code and compared with bytes worked out by hand.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include "base/program_folder.h"
#include "base/settings.h"
#include "base/unix_time.h"
#include "desk/site_database.h"
#include "session/session_internal.h"
#include "session_test_support.h"

using win_test::Bytes;

namespace {

Bytes Slice(const Bytes& bytes, size_t from, size_t count) {
    return from + count <= bytes.size() ? Bytes(bytes.begin() + from, bytes.begin() + from + count) : Bytes{};
}

// A registry value's type and bytes, read with a buffer larger than any of ours.
std::pair<DWORD, Bytes> StoredValue(const char* keyPath, const char* name) {
    RegKey key = OpenSettings(KEY_QUERY_VALUE, keyPath);
    Bytes data(64);
    DWORD type = REG_NONE, size = static_cast<DWORD>(data.size());
    if (!key || RegQueryValueExA(key.get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return {};
    data.resize(size);
    return {type, data};
}

}  // namespace

TEST(StoredLayout, RecordsAndSettingsHaveTheirFixedBytes) {
    session_test::ScratchFolder folder("stored_layout");

    // site.qzd: site number, time stamp, rating and two zero bytes, little-endian.
    const std::string sitePath = folder.File("site.qzd");
    ASSERT_TRUE(win_test::WriteFileBytes(sitePath, {}));
    UseDataFolder(folder.Path().c_str());
    const uint32_t before = CurrentUnixTime();
    ASSERT_TRUE(AppendEvaluation(nullptr, 123456, 4));
    const uint32_t after = CurrentUnixTime();
    UseDataFolder(nullptr);
    const Bytes site = win_test::ReadFileBytes(sitePath);
    ASSERT_EQ(site.size(), 12u);
    EXPECT_EQ(Slice(site, 0, 4), (Bytes{0x40, 0xE2, 0x01, 0x00}));
    const uint32_t stamp = site[4] | site[5] << 8 | site[6] << 16 | static_cast<uint32_t>(site[7]) << 24;
    EXPECT_TRUE(before <= stamp && stamp <= after) << stamp;
    EXPECT_EQ(Slice(site, 8, 4), (Bytes{0x04, 0x00, 0x00, 0x00}));

    // sess.qzd: seven signed 32-bit fields.
    const std::string sessionPath = folder.File("sess.qzd");
    session_test::CounterWindow window;
    for (auto [id, text] : {std::pair{IDC_TICKETS, "300"},
                            {IDC_ERRORS, "-2"},
                            {IDC_LOTTO_CREDITS, "5"},
                            {IDC_TRAFFIC_CREDITS, "0"},
                            {IDC_FREE_BANNERS, "70000"}})
        window.Set(id, text);
    ASSERT_EQ(SaveSessionTo(window.get(), sessionPath.c_str(), 1102214525, 3725), SaveResult::Written);
    EXPECT_EQ(win_test::ReadFileBytes(sessionPath),
              (Bytes{0x7D, 0x75, 0xB2, 0x41, 0x8D, 0x0E, 0x00, 0x00, 0x2C, 0x01, 0x00, 0x00, 0xFE, 0xFF,
                     0xFF, 0xFF, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x70, 0x11, 0x01, 0x00}));

    // The registry: "WPos" as 8 bytes of two 32-bit numbers, counts as 4-byte DWORDs.
    constexpr const char* kScratchKey = "Software\\Tavrik\\RL\\LayoutScratch";
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
    HWND probe = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 37, 300, 200, 150, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SaveWindowPosition(probe, kScratchKey);
    DestroyWindow(probe);
    {
        RegKey key = OpenSettings(KEY_SET_VALUE, kScratchKey);
        ASSERT_TRUE(key);
        EXPECT_TRUE(WriteSettingDword(key.get(), "nSites", 305419896));
    }
    EXPECT_EQ(StoredValue(kScratchKey, "WPos"),
              (std::pair<DWORD, Bytes>{REG_BINARY, {0x25, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x00, 0x00}}));
    EXPECT_EQ(StoredValue(kScratchKey, "nSites"), (std::pair<DWORD, Bytes>{REG_DWORD, {0x78, 0x56, 0x34, 0x12}}));
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
}
