// Long runs of the real rtln.exe, driven from outside as the UI tests drive it: thousands of
// evaluations in one run, banner and session cycles with both timers running, and many starts
// over every kind of stored setting. The counts come from the environment
// (TAVRIK_ENDURANCE_EVALUATIONS, TAVRIK_ENDURANCE_CYCLES, TAVRIK_ENDURANCE_STARTS); each run
// prints its figures as lines "endurance: <name> <value>".
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "desk/site_records.h"
#include "resources/rtln_ids.h"
#include "session/session_record.h"
#include "process_counts.h"
#include "stored_settings.h"
#include "tests/ui/desk_ui.h"
#include "tests/ui/driver/ui_driver.h"

namespace {

using endurance::Bytes;
using endurance::Little;

constexpr DWORD kStepBoundMs = 5000;  // every action is answered within this, or the program hangs
constexpr long kCountSlack = 4;       // objects a run may hold at its end beyond its start

int CountFromEnvironment(const char* name, int fallback) {
    char text[16];
    const DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
    if (length == 0 || length >= sizeof text) return fallback;
    return std::max(1, static_cast<int>(std::strtol(text, nullptr, 10)));
}

void Figure(const char* name, const std::string& value) {
    (void)std::printf("endurance: %s %s\n", name, value.c_str());
    (void)std::fflush(stdout);
}

std::string Fixed(double value) {
    char text[32];
    (void)std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

int32_t Now() { return static_cast<int32_t>(static_cast<uint32_t>(std::time(nullptr))); }

// A program folder whose site.qzd holds one old record of a site outside every run's range,
// with the settings key present (so that "nSites" and "ShowBan" are stored).
std::string SeededFolder(const char* name, Bytes* seed) {
    ui::DeleteSettingsKey();
    ui::SetSettingDword("ShowBan", 1);
    std::string folder = ui::MakeProgramFolder(name);
    seed->assign(kSiteRecordSize, 0);
    EncodeSiteRecord({999999, 86400, 3}, seed->data());
    ui::WriteFileBytes(folder + "\\site.qzd", *seed);
    return folder;
}

// Pastes a Site ID, checks that the lookup shows the rating expected (0: a new site), picks a
// rating (0: keeps the shown one) and counts a ticket or an error, the count-th of its kind.
::testing::AssertionResult Evaluate(const ui::Program& p, int32_t site, int shown, int rating, bool ticket, int count) {
    const std::string digits = std::to_string(site);
    if (!ui::SetClipboardText(("X" + digits).c_str())) return ::testing::AssertionFailure() << "clipboard";
    if (::testing::AssertionResult looked = p.Click(IDC_PASTE, p.TextIs(IDC_SITE_NUMBER, digits), kStepBoundMs);
        !looked)
        return looked;
    if (desk_ui::CheckedRating(p) != shown)
        return ::testing::AssertionFailure()
               << "site " << digits << " shows rating " << desk_ui::CheckedRating(p) << ", not " << shown;
    if (rating) PostMessageA(p.Control(IDC_RATING_BUTTON_BASE + rating), BM_CLICK, 0, 0);  // handled in turn
    return p.Click(ticket ? IDC_TICKET : IDC_COUNT, p.TextIs(ticket ? IDC_TICKETS : IDC_ERRORS, std::to_string(count)),
                   kStepBoundMs);
}

TEST(Endurance, EvaluationsInOneRunAreRecordedExactly) {
    const int evaluations = CountFromEnvironment("TAVRIK_ENDURANCE_EVALUATIONS", 10000);
    Bytes seed;
    const std::string folder = SeededFolder("endurance_evaluations", &seed);
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    std::minstd_rand random(20261207);                  // NOLINT(cert-msc32-c,cert-msc51-cpp): every run does the same
    const int32_t pool = std::max(4, evaluations / 3);  // about a third of the sites come back
    std::map<int32_t, int> newest;                      // site -> rating of its newest record
    std::vector<SiteRecord> recorded;
    int tickets = 0, errors = 0, newSites = 0;
    const int32_t firstStamp = Now();
    const DWORD began = GetTickCount();
    for (int i = 0; i < evaluations; ++i) {
        const int32_t site = 1000 + static_cast<int32_t>(random() % pool);
        const auto known = newest.find(site);
        const int shown = known == newest.end() ? 0 : known->second;
        // A known site (rated less than a day ago): Ticket on the shown rating records nothing;
        // another choice of rating with Ticket, and Count always, record the rating checked.
        const unsigned choice = random() % 3;
        const int picked = (shown == 0 || choice != 0) ? static_cast<int>(1 + random() % 5) : 0;
        const bool ticket = choice != 2;
        const int rating = picked ? picked : shown;
        const bool records = !ticket || shown == 0 || rating != shown;
        ASSERT_TRUE(Evaluate(p, site, shown, picked, ticket, ticket ? tickets + 1 : errors + 1)) << "evaluation " << i;
        ++(ticket ? tickets : errors);
        if (shown == 0) ++newSites;
        if (records) {
            recorded.push_back({site, 0, static_cast<int16_t>(rating)});
            newest[site] = rating;
        }
    }
    const double seconds = (GetTickCount() - began) / 1000.0;
    EXPECT_EQ(p.Text(IDC_TICKETS), std::to_string(tickets));
    EXPECT_EQ(p.Text(IDC_ERRORS), std::to_string(errors));
    EXPECT_EQ(p.StatusText(3), std::to_string(newSites));
    DWORD type = 0;
    Bytes stored;
    ASSERT_TRUE(ui::GetSettingRaw("nSites", &type, &stored));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored, Little({static_cast<uint32_t>(newSites)}));
    // A session of no length is not stored: a short run waits for the clock's first second.
    ASSERT_TRUE(ui::WaitFor([&] { return p.StatusText(2) != "00:00:00"; }, 2500)) << p.StatusText(2);
    ASSERT_TRUE(p.Command(IDM_EXIT, p.Ended()));
    ASSERT_EQ(p.WaitExit(), 1);
    const int32_t lastStamp = Now();

    const Bytes file = ui::ReadFileBytes(folder + "\\site.qzd");
    ASSERT_EQ(file.size(), seed.size() + recorded.size() * kSiteRecordSize);
    ASSERT_TRUE(std::equal(seed.begin(), seed.end(), file.begin())) << "the old record changed";
    int32_t previous = firstStamp;
    for (size_t i = 0; i < recorded.size(); ++i) {
        const unsigned char* bytes = &file[seed.size() + i * kSiteRecordSize];
        const SiteRecord r = DecodeSiteRecord(bytes);
        ASSERT_EQ(r.siteNumber, recorded[i].siteNumber) << "record " << i;
        ASSERT_EQ(r.rating, recorded[i].rating) << "record " << i;
        ASSERT_TRUE(bytes[10] == 0 && bytes[11] == 0) << "record " << i << ": padding";
        ASSERT_TRUE(r.stampTime >= previous && r.stampTime <= lastStamp) << "record " << i << ": " << r.stampTime;
        previous = r.stampTime;
    }
    // Leaving the program stored the session with the counts shown.
    const Bytes history = ui::ReadFileBytes(folder + "\\sess.qzd");
    ASSERT_EQ(history.size(), kSessionRecordSize);
    const SessionRecord session = DecodeSessionRecord(history.data());
    EXPECT_EQ(session.tickets, tickets);
    EXPECT_EQ(session.errors, errors);

    Figure("evaluations", std::to_string(evaluations) + " (tickets " + std::to_string(tickets) + ", errors " +
                              std::to_string(errors) + ", new sites " + std::to_string(newSites) + ", records " +
                              std::to_string(recorded.size()) + ")");
    Figure("evaluations-per-second", Fixed(evaluations / seconds));
    Figure("evaluations-slowest-step-ms", std::to_string(p.slowestStep));
}

// The counting sees objects come and go: made here, in this process, they show up exactly.
void ExpectCountsSeeChanges() {
    const auto self = [] { return endurance::CountProcessObjects(GetCurrentProcess(), GetCurrentProcessId()); };
    // The thread's first window brings a helper window with it: made before the first count.
    HWND first = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const endurance::ProcessCounts before = self();
    std::vector<HANDLE> events;
    std::vector<HGDIOBJ> brushes;
    for (int i = 0; i < 16; ++i) {
        events.push_back(CreateEventA(nullptr, FALSE, FALSE, nullptr));
        brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    }
    HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const endurance::ProcessCounts during = self();
    DestroyWindow(window);
    DestroyWindow(first);
    for (HANDLE e : events) CloseHandle(e);
    for (HGDIOBJ b : brushes) DeleteObject(b);
    EXPECT_EQ(during.handles - before.handles, 16)
        << endurance::Describe(before) << " / " << endurance::Describe(during);
    EXPECT_EQ(during.gdiObjects - before.gdiObjects, 16) << endurance::Describe(during);
    EXPECT_EQ(during.windows - before.windows, 1) << endurance::Describe(during);
}

TEST(Endurance, BannerAndSessionCyclesHoldNoMoreObjects) {
    const int cycles = CountFromEnvironment("TAVRIK_ENDURANCE_CYCLES", 1000);
    ExpectCountsSeeChanges();
    Bytes seed;
    const std::string folder = SeededFolder("endurance_cycles", &seed);
    ui::Program p;
    ASSERT_TRUE(p.Start(folder));
    ASSERT_TRUE(Evaluate(p, 1234, 0, 4, true, 1));  // a session with a count: the clock runs
    ASSERT_TRUE(p.MenuChecked(IDM_BANNER));
    ASSERT_FALSE(p.MenuGrayed(IDM_STOP));
    std::minstd_rand random(7);  // NOLINT(cert-msc32-c,cert-msc51-cpp): every run does the same
    // One cycle: banner off, Stop, banner on, Continue; up to 15 ms of rest between the
    // steps move them across the phases of both one-second timers.
    auto cycle = [&] {
        const auto rest = [&] { Sleep(random() % 16); };
        ::testing::AssertionResult done = p.Command(IDM_BANNER, p.MenuCheckedIs(IDM_BANNER, false), kStepBoundMs);
        if (done) done = (rest(), p.Command(IDM_STOP, p.MenuGrayedIs(IDM_STOP, true), kStepBoundMs));
        if (done) done = (rest(), p.Command(IDM_BANNER, p.MenuCheckedIs(IDM_BANNER, true), kStepBoundMs));
        if (done) done = (rest(), p.Command(IDM_CONTINUE, p.MenuGrayedIs(IDM_STOP, false), kStepBoundMs));
        rest();
        return done;
    };
    // A few cycles first: what the first ones make once (caches, the timer thread) stays.
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(cycle());
    Sleep(1500);
    const endurance::ProcessCounts start = endurance::CountProcessObjects(p.process.hProcess, p.process.dwProcessId);
    ASSERT_GT(start.handles, 0) << endurance::Describe(start);
    ASSERT_GT(start.gdiObjects, 0) << endurance::Describe(start);
    const DWORD began = GetTickCount();
    for (int i = 0; i < cycles; ++i) ASSERT_TRUE(cycle()) << "cycle " << i;
    const double seconds = (GetTickCount() - began) / 1000.0;
    Sleep(1500);
    const endurance::ProcessCounts end = endurance::CountProcessObjects(p.process.hProcess, p.process.dwProcessId);
    EXPECT_LE(end.handles, start.handles + kCountSlack) << "handles grew";
    EXPECT_LE(end.gdiObjects, start.gdiObjects + kCountSlack) << "GDI objects grew";
    EXPECT_LE(end.windows, start.windows) << "windows grew";
    // Both timers still run: the clock moves on.
    const std::string clock = p.StatusText(2);
    EXPECT_TRUE(ui::WaitFor([&] { return p.StatusText(2) != clock; }, 2500)) << "the clock stopped at " << clock;
    EXPECT_TRUE(p.Command(IDM_EXIT, p.Ended()));
    EXPECT_EQ(p.WaitExit(), 1);

    Figure("cycles", std::to_string(cycles) + " (banner off and on, Stop and Continue) in " + Fixed(seconds) + " s");
    Figure("cycles-slowest-step-ms", std::to_string(p.slowestStep));
    Figure("cycles-start", endurance::Describe(start));
    Figure("cycles-end", endurance::Describe(end));
}

// Why a start did not end normally: the process's state, its exit code or what it holds.
std::string StartFailure(const ui::Program& p, bool started, int code) {
    if (started) return code == -1 ? "no exit within 10 s of Exit" : "exit code " + std::to_string(code);
    if (!p.Running()) {
        DWORD exitCode = 0;
        GetExitCodeProcess(p.process.hProcess, &exitCode);
        char text[16];
        (void)std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(exitCode));
        return std::string("ended before its window answered, exit code ") + text;
    }
    return std::string(p.window ? "its window did not answer" : "no window within 30 s") + "; " +
           endurance::Describe(endurance::CountProcessObjects(p.process.hProcess, p.process.dwProcessId));
}

TEST(Endurance, StartsOverEveryStoredSettingEndNormally) {
    const int starts = CountFromEnvironment("TAVRIK_ENDURANCE_STARTS", 1000);
    const std::vector<endurance::StoredValue> values = endurance::StoredValues();
    const std::string folder = ui::MakeProgramFolder("endurance_starts");
    ui::WriteFileBytes(folder + "\\site.qzd", {});
    DWORD slowest = 0;
    std::vector<std::string> failures;
    const DWORD began = GetTickCount();
    for (int i = 0; i < starts; ++i) {
        // Each value runs through its shapes at its own pace, so the mixes change; every
        // eleventh start finds no settings key at all.
        ui::DeleteSettingsKey();
        std::string mix;
        for (size_t v = 0; i % 11 != 10 && v < values.size(); ++v) {
            const size_t index = (static_cast<size_t>(i) + v * 5) % values[v].shapes.size();
            const endurance::Shape& shape = values[v].shapes[index];
            mix += std::string(values[v].name) + "#" + std::to_string(index) + " ";
            if (shape.type != endurance::kAbsent)
                ui::SetSettingRaw(values[v].name, shape.type, shape.data.data(), static_cast<DWORD>(shape.data.size()));
        }
        const DWORD start = GetTickCount();
        ui::Program p;
        const bool started = p.Start(folder);
        if (started) (void)p.Command(IDM_EXIT, p.Ended());  // the exit code below tells
        const int code = started ? p.WaitExit() : 0;
        if (!started || code != 1) {
            // What the process was doing, before it is ended; the run goes on, so that one
            // failure does not hide how rare it is.
            const std::string name = "endurance_start_" + std::to_string(i);
            ui::SaveScreenshot(name);
            failures.push_back("start " + std::to_string(i) + " with " + mix + ": " + StartFailure(p, started, code) +
                               " (screenshot " + name + ")");
            continue;
        }
        slowest = std::max(slowest, GetTickCount() - start);
    }
    Figure("starts", std::to_string(starts) + " in " + Fixed((GetTickCount() - began) / 1000.0) + " s, " +
                         std::to_string(failures.size()) + " failed");
    Figure("starts-slowest-ms", std::to_string(slowest));
    for (const std::string& failure : failures) ADD_FAILURE() << failure;
}

}  // namespace
