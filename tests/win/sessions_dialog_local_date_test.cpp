// The Player Sessions list dates each session by its start in local time, converted by the
// system from the stored UTC seconds. Run only under a set zone (tests/win/CMakeLists.txt):
// Wine takes each process's zone from its TZ.
#include <gtest/gtest.h>

#include <string>

#include "session/session.h"
#include "session/session_internal.h"
#include "session/session_line.h"
#include "session_test_support.h"

using namespace session_test;

namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

TEST(SessionsDialogLocalDate, StartsNearUtcMidnightShowTheLocalDate) {
    char zone[64] = {};
    GetEnvironmentVariableA("TZ", zone, sizeof zone);
    const bool east = lstrcmpA(zone, "Pacific/Kiritimati") == 0;  // UTC+14
    const bool west = lstrcmpA(zone, "Pacific/Pago_Pago") == 0;   // UTC-11
    ASSERT_TRUE(east || west) << "run with TZ=Pacific/Kiritimati or TZ=Pacific/Pago_Pago, not \"" << zone << '"';
    TIME_ZONE_INFORMATION info = {};
    GetTimeZoneInformation(&info);
    ASSERT_EQ(info.Bias, east ? -840 : 660) << "the process does not run in the zone TZ names";

    const struct {
        const char* name;
        int32_t start;
        const char* east;  // date part of the line
        const char* west;
    } cases[] = {
        {"23:30 UTC, Sat 4 Dec 2004", 1102203000, " Sun, Dec 05, 04 ", " Sat, Dec 04, 04 "},
        {"00:30 UTC, Sun 5 Dec 2004", 1102206600, " Sun, Dec 05, 04 ", " Sat, Dec 04, 04 "},
        {"23:30 UTC, Fri 31 Dec 2004", 1104535800, " Sat, Jan 01, 05 ", " Fri, Dec 31, 04 "},
        {"00:30 UTC, Sat 1 Jan 2005", 1104539400, " Sat, Jan 01, 05 ", " Fri, Dec 31, 04 "},
    };
    constexpr int kCount = sizeof cases / sizeof cases[0];
    std::vector<unsigned char> bytes(kCount * kSessionRecordSize);
    for (int i = 0; i < kCount; ++i)
        EncodeSessionRecord({cases[i].start, 60, 1, 0, 0, 0, 0}, bytes.data() + i * kSessionRecordSize);
    ScratchFolder folder("local_date");
    const std::string path = folder.File("sess.qzd");
    ASSERT_TRUE(WriteFileBytes(path, bytes));

    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SESSIONS), nullptr, PlainProc, 0);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(FillSessionListFrom(dialog, path.c_str()));
    const HWND list = GetDlgItem(dialog, IDC_SESSION_LIST);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), kCount);
    for (int i = 0; i < kCount; ++i) {
        char line[kSessionLineSize] = {};
        SendMessageA(list, LB_GETTEXT, kCount - 1 - i, reinterpret_cast<LPARAM>(line));  // newest first
        EXPECT_EQ(std::string(line).substr(0, 17), east ? cases[i].east : cases[i].west) << cases[i].name;
    }
    DestroyWindow(dialog);
}
